#include "counter/CounterNumbers.h"

QString RoundToCents(const QString &text)
{
    return Amount::fromText(text).cents().text();
}
