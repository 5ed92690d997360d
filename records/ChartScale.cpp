#include "records/ChartScale.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMostSteps = 6;
// Room beyond the values, as a part of their range, so no point sits on an edge.
constexpr double kHeadroom = 0.05;

// The smallest 1, 2 or 5 × 10ⁿ not below rough.
double RoundStep(double rough)
{
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double mantissa : {1.0, 2.0, 5.0, 10.0}) {
        if (mantissa * power >= rough * (1 - 1e-9))
            return mantissa * power;
    }
    return 10 * power;
}

} // namespace

int ChartScale::tickCount() const
{
    return static_cast<int>(std::lround((high - low) / step)) + 1;
}

int ChartScale::decimals() const
{
    return step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}

ChartScale ScaleFor(double low, double high, bool wholeNumbers)
{
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (high - low <= 0)
        high = 1;
    const double room = (high - low) * kHeadroom;
    const double below = low < 0 ? low - room : low;
    const double above = high > 0 ? high + room : high;
    double step = RoundStep((above - below) / kMostSteps);
    if (wholeNumbers)
        step = std::max(step, 1.0);
    return {std::floor(below / step) * step, std::ceil(above / step) * step, step};
}
