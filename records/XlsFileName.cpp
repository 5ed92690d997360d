#include "records/XlsFileName.h"

QString XlsFileName(const QString &chosen)
{
    const QString extension = QStringLiteral(".xls");
    return chosen.endsWith(extension, Qt::CaseInsensitive) ? chosen : chosen + extension;
}
