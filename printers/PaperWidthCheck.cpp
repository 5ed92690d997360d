#include "printers/PaperWidthCheck.h"

QString PaperWidthWarning(const PrinterConf &conf, const QString &paperWidth)
{
    if (conf.kind != PrinterConf::Kind::EscPos)
        return {};
    // A 58 mm receipt fits 384 dots or fewer, a 76 mm one needs 576 or more;
    // other widths choose no template.
    const bool fits = paperWidth == QLatin1String("58") ? conf.dots <= kDots58mm
        : paperWidth == QLatin1String("76")             ? conf.dots >= kDots80mm
                                                        : true;
    if (fits)
        return {};
    return QStringLiteral("小票模板为 %1 毫米，打印机的打印宽度为 %2 点，小票会被缩放打印，请使纸宽一致")
        .arg(paperWidth)
        .arg(conf.dots);
}
