#pragma once

#include <QChar>
#include <QString>

// Whether the price box takes a typed character: the digits, backspace, and a
// decimal point while the box holds none yet (wherever the caret stands).
bool PriceKeyAccepted(const QString &boxText, QChar typed);
