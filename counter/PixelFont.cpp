#include "counter/PixelFont.h"

#include <QString>

QFont PixelFont(const char *family, int pixels, bool bold)
{
    QFont font(QString::fromUtf8(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
