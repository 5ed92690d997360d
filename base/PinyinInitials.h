#pragma once

#include <QString>

// The pinyin initials of a name, for a product's short code: 绿茶 gives "lc",
// 可口可乐 "kkkl". Letters and digits stand for themselves, lower-cased; a
// character with no reading keeps no initial. The readings come from the
// table of the Debian package golang-github-mozillazg-go-pinyin-dev, read once
// at run time; without it every name has no initials.
QString PinyinInitials(const QString &name);
