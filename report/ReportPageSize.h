#pragma once

#include <QPageSize>

struct PrintedReport;

// The custom paper of a print pass, exactly as the report sets it.
QPageSize ReportPageSize(const PrintedReport &printed);
