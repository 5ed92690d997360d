#pragma once

// Report lengths: paper and item geometry in millimetres; band and page
// heights in design units of 1/96 inch (one screen pixel of the design view
// at 100 % zoom). The mapping is fixed, whatever the screen's resolution.
namespace ReportUnits {

inline constexpr double kUnitsPerInch = 96.0;
inline constexpr double kMmPerInch = 25.4;
inline constexpr double kMmPerUnit = kMmPerInch / kUnitsPerInch;

constexpr double ToMm(double units)
{
    return units * kMmPerUnit;
}

constexpr double ToUnits(double mm)
{
    return mm / kMmPerUnit;
}

} // namespace ReportUnits
