#include "stats/association.h"

#include <cmath>
#include <limits>

namespace lexvane::stats {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct MeasureText {
  Measure measure;
  std::string_view name;
  std::string_view heading;
};

constexpr std::array<MeasureText, kMeasureCount> kTexts = {{
    {Measure::MI, "mi", "MI"},
    {Measure::MI3, "mi3", "MI3"},
    {Measure::TScore, "t", "t-score"},
    {Measure::ZScore, "z", "z-score"},
    {Measure::LogLikelihood, "ll", "LL"},
    {Measure::LogDice, "logdice", "logDice"},
    {Measure::Dice, "dice", "Dice"},
}};

// O ln(O / E), 0 for an empty cell.
double term(double observed, double expected) {
  if (observed == 0) return 0;
  return observed * std::log(observed / expected);
}

// log2 of a ratio whose denominator may be 0.
double log2Ratio(double numerator, double denominator) {
  if (numerator <= 0) return kNaN;
  if (denominator == 0) return kInf;
  return std::log2(numerator / denominator);
}

}  // namespace

std::string_view MeasureName(Measure measure) {
  return kTexts[MeasureIndex(measure)].name;
}

std::string_view MeasureHeading(Measure measure) {
  return kTexts[MeasureIndex(measure)].heading;
}

std::optional<Measure> MeasureNamed(std::string_view name) {
  for (const MeasureText& t : kTexts)
    if (t.name == name) return t.measure;
  return std::nullopt;
}

double ExpectedO11(const CollocationCounts& c) {
  if (c.N <= 0) return kNaN;
  return c.R1 * c.C1 / c.N;
}

double MutualInformation(const CollocationCounts& c) {
  return log2Ratio(c.O11, ExpectedO11(c));
}

double MI3(const CollocationCounts& c) {
  return log2Ratio(c.O11 * c.O11 * c.O11, ExpectedO11(c));
}

double TScore(const CollocationCounts& c) {
  if (c.O11 <= 0) return kNaN;
  return (c.O11 - ExpectedO11(c)) / std::sqrt(c.O11);
}

double ZScore(const CollocationCounts& c) {
  const double e11 = ExpectedO11(c);
  if (e11 == 0) return c.O11 > 0 ? kInf : kNaN;
  return (c.O11 - e11) / std::sqrt(e11);
}

double LogLikelihood(const CollocationCounts& c) {
  const double n = c.N;
  const double o11 = c.O11, o12 = c.R1 - c.O11, o21 = c.C1 - c.O11, o22 = n - c.R1 - c.C1 + c.O11;
  if (n <= 0 || o11 < 0 || o12 < 0 || o21 < 0 || o22 < 0) return kNaN;
  const double e11 = c.R1 * c.C1 / n, e12 = c.R1 * (n - c.C1) / n, e21 = (n - c.R1) * c.C1 / n,
               e22 = (n - c.R1) * (n - c.C1) / n;
  const double ll = 2 * (term(o11, e11) + term(o12, e12) + term(o21, e21) + term(o22, e22));
  // The sum is never negative; its sign tells the direction.
  return o11 < e11 ? -std::fabs(ll) : std::fabs(ll);
}

double LogDice(const CollocationCounts& c) {
  return 14 + log2Ratio(2 * c.O11, c.FNode + c.C1);
}

double Dice(const CollocationCounts& c) {
  const double sum = c.FNode + c.C1;
  if (sum <= 0) return kNaN;
  return 2 * c.O11 / sum;
}

double MeasureValue(Measure measure, const CollocationCounts& c) {
  switch (measure) {
    case Measure::MI:
      return MutualInformation(c);
    case Measure::MI3:
      return MI3(c);
    case Measure::TScore:
      return TScore(c);
    case Measure::ZScore:
      return ZScore(c);
    case Measure::LogLikelihood:
      return LogLikelihood(c);
    case Measure::LogDice:
      return LogDice(c);
    case Measure::Dice:
      return Dice(c);
  }
  return kNaN;
}

}  // namespace lexvane::stats
