// How the statistics print and order their figures. Fixed decimals keep
// every output byte-stable.
#pragma once

#include <string>

namespace lexvane::stats {

inline constexpr int kFigureDecimals = 4;

// A finite figure with `decimals` fixed decimals ("-0.0000" prints as
// "0.0000"); "inf" and "-inf" for the infinities, "n/a" for NaN.
std::string FormatFigure(double value, int decimals = kFigureDecimals);

// An 8-byte key whose byte order (memcmp) is the descending order of the
// figures: +inf first, then the finite figures from the largest, -inf, and
// NaN last. 0 and -0 give one key.
std::string DescendingFigureKey(double value);

}  // namespace lexvane::stats
