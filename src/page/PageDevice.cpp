#include "page/PageDevice.h"

#include <cmath>
#include <limits>

namespace tv::page {

int roundHalfEven(double value)
{
    // Clamped so absurd inputs (a script's width of 1e12 inches) cannot overflow the cast.
    constexpr double lo = std::numeric_limits<int>::min() / 2;
    constexpr double hi = std::numeric_limits<int>::max() / 2;
    if (!(value > lo)) return int(lo);
    if (value > hi) return int(hi);
    return int(std::nearbyint(value)); // the default rounding mode is to nearest, ties to even
}

QSize PageDevice::pageSizeDots() const
{
    return {lx(paperWidth - 2 * offsetLeft), ly(paperHeight - 2 * offsetTop)};
}

} // namespace tv::page
