#pragma once

#include <QString>

// The export's file name: the chosen name, with ".xls" added unless it already
// ends so (in any letter case).
QString XlsFileName(const QString &chosen);
