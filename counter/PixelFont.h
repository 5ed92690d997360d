#pragma once

#include <QFont>

// A font sized in pixels, as the counter's fields are drawn whatever the screen's resolution.
QFont PixelFont(const char *family, int pixels, bool bold = false);
