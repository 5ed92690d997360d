#pragma once

#include <QString>

class Session;

// The one settings row of dynr, as the six texts the main window edits.
struct PrintSettings
{
    QString shopName; // 店名
    QString remark; // 备注
    QString cashier; // 收银员
    QString pos; // paper width
    QString modle; // template
    QString print; // copies
};

// The first row of dynr; empty texts when there is none.
PrintSettings LoadPrintSettings(Session &session);
// Writes the first row, or creates it when the table has none.
void SavePrintSettings(Session &session, const PrintSettings &settings);
