#pragma once

#include <QString>

#include <cstdint>

// Rounding and display of the counter's numbers. Values are extended
// precision (long double); "." is the decimal separator.

// Normalises a shown number to at most two decimals: "12.50" gives "12.5",
// "3.456" gives "3.46". Throws ConversionError for text that is no number.
QString RoundToCents(const QString &text);

// Two decimals, ties to even, on binary values: the value goes to double,
// is divided by the double nearest 0.01, rounded to an integer and multiplied
// back. Because that divisor lies slightly above 0.01, 0.125 gives 0.12 and
// 2.675 gives 2.67. The result is a double.
long double RoundTotal(long double value);

// A column sum held in fixed point with four decimals: each value is rounded
// to the nearest 0.0001 (ties to even) as it is added.
class FourDecimalSum
{
public:
    void add(double value);
    void clear() { m_units = 0; }
    long double value() const;

private:
    std::int64_t m_units = 0; // in 0.0001
};
