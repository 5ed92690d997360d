#pragma once

#include "tests/receipts/SampleOrder.h"

#include <QDir>
#include <QString>

#include <gtest/gtest.h>

// A golden file of the sample receipt (tests/receipts/golden): "png" for the
// render at 96 dpi, "txt" for the text read back from its PDF.
inline QString GoldenPath(ReceiptTemplate which, bool withCustomer, const char *extension)
{
    return QDir(QStringLiteral(SC_GOLDEN_DIR))
        .filePath(QStringLiteral("%1%2.%3").arg(QString::fromUtf8(TemplateName(which)),
                                                withCustomer ? QStringLiteral("-customer") : QString(),
                                                QString::fromUtf8(extension)));
}

// Runs a check on every template, with and without the customer block.
template <typename Check>
void ForEachVariant(Check check)
{
    for (const ReceiptTemplate which : kAllTemplates)
        for (const bool withCustomer : {false, true}) {
            SCOPED_TRACE(std::string(TemplateName(which)) + (withCustomer ? " with customer" : ""));
            check(which, withCustomer);
        }
}
