#pragma once

#include <QString>

#include <compare>
#include <cstdint>
#include <optional>

// A figure of the shop: a price, quantity, amount, total or payment. It holds
// an extended-precision value and carries every rule the shop's numbers follow:
// how a text reads and is written back, rounding to cents, the total's
// rounding, the display pattern and the largest figure a shop may hold.
// "." is the decimal separator in every text.
class Amount
{
public:
    // The largest figure a shop's number may hold, in absolute value.
    static constexpr long double kLimit = 1e11L;

    constexpr Amount() = default;
    constexpr Amount(long double value)
        : m_value(value)
    { }

    // Reads a decimal number (optional sign, digits with an optional point,
    // optional exponent, blanks around). A lone "." reads as 0. Throws
    // ConversionError "'%s' is not a valid floating point value" otherwise.
    static Amount fromText(const QString &text);
    // The same grammar without throwing: none for what is no number.
    static std::optional<Amount> tryFromText(const QString &text);

    constexpr long double value() const { return m_value; }

    // Shortest text of the value at 15 significant digits: plain notation for
    // exponents -3..15 of 0.d1d2..×10^e, otherwise scientific ("1E-5", "1.5E20").
    QString text() const;
    // Rounded to `decimals` places, halves away from zero as judged on the
    // value's decimal image of 18 significant digits (2.675 gives 2.68, the
    // double nearest 9.405 gives 9.4), as plain text without trailing zeros.
    QString roundedText(int decimals) const;
    // Rounded to cents as above, read back at 15 digits: what a price becomes.
    Amount cents() const;
    // A total as the counter shows it: the value's 15-digit text read back,
    // rounded to cents ties to even on binary values (the double divided by
    // the double nearest 0.01, so 0.125 gives 0.12 and 2.675 gives 2.67), and
    // read back from its text again.
    Amount total() const;
    // The fraction cut off toward zero ("17.5912" gives 17).
    Amount whole() const;
    // In a display pattern such as "#0.##": at least one integer digit, as many
    // decimals as the pattern has places, trailing zeros dropped except where
    // the pattern writes "0". No grouping.
    QString display(const QString &pattern) const;
    // The lists' and reports' figure: "#0.##".
    QString displayText() const;
    // A receipt's figure: "0.00", always two decimals.
    QString figureText() const;

    // Finite and at most kLimit in absolute value.
    bool withinLimit() const;
    // The warning for a figure beyond the limit, naming its field; empty when within.
    QString limitWarning(const QString &field) const;

    friend constexpr Amount operator+(Amount a, Amount b) { return a.m_value + b.m_value; }
    friend constexpr Amount operator-(Amount a, Amount b) { return a.m_value - b.m_value; }
    friend constexpr Amount operator*(Amount a, Amount b) { return a.m_value * b.m_value; }
    constexpr Amount operator-() const { return -m_value; }
    Amount &operator+=(Amount other)
    {
        m_value += other.m_value;
        return *this;
    }
    Amount &operator-=(Amount other)
    {
        m_value -= other.m_value;
        return *this;
    }
    friend constexpr bool operator==(Amount a, Amount b) { return a.m_value == b.m_value; }
    friend constexpr auto operator<=>(Amount a, Amount b) { return a.m_value <=> b.m_value; }

private:
    long double m_value = 0;
};

// A column of figures summed in fixed point with four decimals: each value is
// rounded to the nearest 0.0001 (ties to even) as it is added, so a sum does
// not drift with the order or the number of its values.
class FourDecimalSum
{
public:
    void add(double value);
    void clear() { m_units = 0; }
    long double value() const;

private:
    std::int64_t m_units = 0; // in 0.0001
};
