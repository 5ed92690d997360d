#pragma once

#include <QString>

// Statements shared by several windows.
namespace Sql {
inline const QString SelectProducts = QStringLiteral("select * from spxx");
inline const QString SelectProductNames = QStringLiteral("Select Distinct 品名 From spxx");
inline const QString SelectTicketLines = QStringLiteral("select * from xsxx");
inline const QString SelectSettings = QStringLiteral("select * from dynr");
inline const QString SelectTickets = QStringLiteral("select * from xstj");
inline const QString SelectSoldLines = QStringLiteral("select * from xsmx");
inline const QString DeleteTicketLines = QStringLiteral("delete from xsxx");
} // namespace Sql
