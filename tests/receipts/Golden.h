#pragma once

#include "tests/receipts/SampleOrder.h"

#include <QDir>
#include <QString>

// A golden file of the sample receipt (tests/receipts/golden): "png" for the
// render at 96 dpi, "txt" for the text read back from its PDF.
inline QString GoldenPath(ReceiptTemplate which, bool withCustomer, const char *extension)
{
    return QDir(QStringLiteral(SC_GOLDEN_DIR))
        .filePath(QStringLiteral("%1%2.%3").arg(QString::fromUtf8(TemplateName(which)),
                                                withCustomer ? QStringLiteral("-customer") : QString(),
                                                QString::fromUtf8(extension)));
}
