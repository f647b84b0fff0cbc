#pragma once

#include <cmath>
#include <limits>

// Stored numbers are 64-bit floats; the program reads them as 32-bit integers rounded to
// nearest with ties to even. An empty value (NaN) reads 0.
inline int roundToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(rounded);
}

// The per-number arrays have room for the numbers 1 to 49 only.
inline bool isLottoNumber(int value)
{
    return value >= 1 && value <= 49;
}
