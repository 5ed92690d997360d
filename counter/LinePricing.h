#pragma once

#include <QString>
#include <QStringList>

// Pricing of the line being entered and the payment, from the texts of the
// counter's fields. Conversions throw ConversionError for text that is no number.

// The line's amount: quantity × unit price.
long double LineAmount(const QString &price, const QString &quantity);

// A line's two amounts, as texts: before and after its discount.
struct LineAmounts
{
    QString amount;
    QString discounted;
};

// The amounts of a line from its price, quantity and discount.
LineAmounts PriceLine(const QString &price, const QString &quantity, const QString &discount);

// The same for a line about to be stored: text that is no number throws
// AppError in the cashier's words, naming the field.
LineAmounts PriceLineToStore(const QString &price, const QString &quantity, const QString &discount);

// The amount after a discount in tenths of the full price ("9.5" charges 95 %):
// (discount × amount) × 0.1, each product rounded to extended precision.
long double DiscountedAmount(const QString &discount, long double amount);

// The discount a stored line was priced at, in tenths, from its amount and
// amount after discount ("10" when it has no amount to compare with), so that
// a line taken back into the entry fields keeps its discount.
QString LineDiscount(const QString &amount, const QString &discounted);

// The discount list: "10", then "9.9" down to "0.1" in steps of 0.1.
QStringList DiscountSteps();

// A total as shown: the sum's text, rounded by RoundTotal.
QString TotalText(long double sum);

// Paid minus payable, unrounded; empty when either text is empty.
QString ChangeText(const QString &paid, const QString &payable);

// The amount with its fraction cut off toward zero ("17.5912" gives "17").
QString DropFraction(const QString &amount);
