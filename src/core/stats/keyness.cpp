#include "stats/keyness.h"

#include <cmath>
#include <limits>

namespace lexvane::stats {

namespace {

double term(double observed, double expected) {
  if (observed == 0) return 0;
  return observed * std::log(observed / expected);
}

}  // namespace

Direction KeyDirection(const KeynessCounts& k) {
  // a d against b c without rounding: both fit in 128 bits.
  const __int128 study = static_cast<__int128>(k.a) * k.d;
  const __int128 reference = static_cast<__int128>(k.b) * k.c;
  if (study > reference) return Direction::Positive;
  if (study < reference) return Direction::Negative;
  return Direction::Neither;
}

double KeywordLogLikelihood(const KeynessCounts& k) {
  const double a = static_cast<double>(k.a), b = static_cast<double>(k.b);
  const double c = static_cast<double>(k.c), d = static_cast<double>(k.d);
  if (c + d <= 0) return std::numeric_limits<double>::quiet_NaN();
  const double e1 = c * (a + b) / (c + d);
  const double e2 = d * (a + b) / (c + d);
  return 2 * (term(a, e1) + term(b, e2));
}

double LogRatio(const KeynessCounts& k) {
  const double a = k.a == 0 ? 0.5 : static_cast<double>(k.a);
  const double b = k.b == 0 ? 0.5 : static_cast<double>(k.b);
  if (k.c <= 0 || k.d <= 0) return std::numeric_limits<double>::quiet_NaN();
  return std::log2((a / static_cast<double>(k.c)) / (b / static_cast<double>(k.d)));
}

double PercentDiff(const KeynessCounts& k) {
  if (k.c <= 0 || k.d <= 0) return std::numeric_limits<double>::quiet_NaN();
  if (k.b == 0) return std::numeric_limits<double>::infinity();
  const double study = static_cast<double>(k.a) / static_cast<double>(k.c);
  const double reference = static_cast<double>(k.b) / static_cast<double>(k.d);
  return (study - reference) * 100 / reference;
}

double PerMillion(std::int64_t frequency, std::int64_t size) {
  if (size <= 0) return std::numeric_limits<double>::quiet_NaN();
  return static_cast<double>(frequency) / static_cast<double>(size) * 1e6;
}

std::optional<SignificanceLevel> SignificanceLevelOf(std::string_view p) {
  for (const SignificanceLevel& level : kSignificanceLevels)
    if (level.p == p) return level;
  return std::nullopt;
}

}  // namespace lexvane::stats
