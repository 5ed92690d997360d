#pragma once

#include <QString>

// The largest unit price a product may have, either sign: far beyond any shop's
// price, and small enough that the counter's totals stay exact to the cent.
inline constexpr long double LargestPrice = 1e11L;

// Why a product cannot be stored with this unit price text, as the warning the
// user sees ("单价不能为空！" ...); empty when the price can be stored. A price
// that is left empty or does not read as a number would be stored as it is,
// and picking the product at the counter would then fail.
QString PriceProblem(const QString &text);
