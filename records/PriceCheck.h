#pragma once

#include <QString>

// Why a product cannot be stored with this unit price text, as the warning the
// user sees ("单价不能为空！" ...); empty when the price can be stored. A price
// that is left empty or does not read as a number would be stored as it is,
// and picking the product at the counter would then fail; a price beyond the
// shop's number limit would be refused at the counter.
QString PriceProblem(const QString &text);
