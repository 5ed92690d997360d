#pragma once

// A chart axis that covers a range of values with a little room above and
// below, ticking every step of 1, 2 or 5 × 10ⁿ, at most about six steps.
struct ChartScale
{
    double low = 0;
    double high = 1;
    double step = 1;

    int tickCount() const;
    // Decimals a tick label needs to show the step exactly.
    int decimals() const;
};

// Over low..high (zero always included); whole steps only for counts.
ChartScale ScaleFor(double low, double high, bool wholeNumbers);
