#include "base/PinyinInitials.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

namespace {

const char *const kReadingTable = "/usr/share/gocode/src/github.com/mozillazg/go-pinyin/pinyin_dict.go";

// Each character's first reading's first letter, without its tone mark.
QHash<char32_t, QChar> ReadInitials()
{
    QHash<char32_t, QChar> initials;
    QFile table(QString::fromUtf8(kReadingTable));
    if (!table.open(QIODevice::ReadOnly | QIODevice::Text))
        return initials;
    // Lines read: 0x7EFF: "lǜ,lù",
    static const QRegularExpression entry(QStringLiteral("^\\s*0x([0-9A-Fa-f]+):\\s*\"([^\"]+)\""));
    while (!table.atEnd()) {
        const QRegularExpressionMatch match = entry.match(QString::fromUtf8(table.readLine()));
        if (!match.hasMatch())
            continue;
        const QString reading = match.captured(2).normalized(QString::NormalizationForm_D);
        initials.insert(match.captured(1).toUInt(nullptr, 16), reading.at(0).toLower());
    }
    return initials;
}

} // namespace

QString PinyinInitials(const QString &name)
{
    static const QHash<char32_t, QChar> initials = ReadInitials();
    QString code;
    for (const char32_t character : name.toUcs4()) {
        if (character < 0x80) {
            if (QChar::isLetterOrNumber(character))
                code += QChar(character).toLower();
            continue;
        }
        const auto found = initials.constFind(character);
        if (found != initials.constEnd())
            code += *found;
    }
    return code;
}
