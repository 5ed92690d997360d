#include "data/PrintSettings.h"

#include "data/AppError.h"
#include "data/RowSet.h"

PrintSettings LoadPrintSettings(const RowSet &dynr)
{
    const int rows = dynr.recordCount(); // a closed row set reports itself here
    auto first = [&dynr, rows](const char *column) {
        const QString name = QString::fromUtf8(column);
        const int index = dynr.columnIndex(name);
        if (index < 0)
            throw DataError(QStringLiteral("Field '%1' not found").arg(name));
        return rows ? dynr.textAt(0, index) : QString();
    };
    return {first("店名"), first("备注"), first("收银员"), first("pos"), first("modle"), first("print")};
}

void SavePrintSettings(RowSet &dynr, const PrintSettings &settings)
{
    dynr.first();
    dynr.edit(); // begins the row when the table has none
    dynr.setText(QStringLiteral("店名"), settings.shopName);
    dynr.setText(QStringLiteral("备注"), settings.remark);
    dynr.setText(QStringLiteral("收银员"), settings.cashier);
    dynr.setText(QStringLiteral("pos"), settings.pos);
    dynr.setText(QStringLiteral("modle"), settings.modle);
    dynr.setText(QStringLiteral("print"), settings.print);
    dynr.post();
}
