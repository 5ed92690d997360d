#include "report/FontFaces.h"

#include <QFont>

void InstallFontSubstitutes()
{
    const QString sans = QStringLiteral("Noto Sans CJK SC");
    const QString serif = QStringLiteral("Noto Serif CJK SC");
    // The receipts' text face and the windows' bold face: a plain sans-serif.
    QFont::insertSubstitution(QStringLiteral("方正兰亭刊黑_GBK"), sans);
    QFont::insertSubstitution(QStringLiteral("微软雅黑"), sans);
    // The windows' default face is a serif.
    QFont::insertSubstitution(QStringLiteral("宋体"), serif);
    // The receipts' dash lines: a face with Arial's widths.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}
