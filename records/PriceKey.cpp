#include "records/PriceKey.h"

bool PriceKeyAccepted(const QString &boxText, QChar typed)
{
    const char16_t code = typed.unicode();
    if (code >= u'0' && code <= u'9')
        return true;
    if (code == u'\b')
        return true;
    if (code == u'.')
        return !boxText.contains(u'.');
    return false;
}
