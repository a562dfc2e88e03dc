// Association measures of a node and a collocate, computed from their 2x2
// contingency table:
//
//                collocate   other words
//   node window    O11          O12         R1
//   elsewhere      O21          O22         N - R1
//                  C1         N - C1        N
//
// O12 = R1 - O11, O21 = C1 - O11, O22 = N - R1 - C1 + O11; the expected
// value of a cell is its row total times its column total over N. Pure
// functions; a figure that is not defined (a negative cell, no words at all)
// is NaN, an infinite one (E11 = 0) is +inf.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lexvane::stats {

struct CollocationCounts {
  double O11 = 0;    // the collocate's count in the node's windows
  double R1 = 0;     // the size of the node's windows in words
  double C1 = 0;     // the collocate's frequency in the corpus
  double N = 0;      // the words of the corpus
  double FNode = 0;  // the node's frequency (its concordance rows)
};

enum class Measure { MI, MI3, TScore, ZScore, LogLikelihood, LogDice, Dice };
inline constexpr int kMeasureCount = 7;
inline constexpr std::array<Measure, kMeasureCount> kAllMeasures = {
    Measure::MI,      Measure::MI3, Measure::TScore, Measure::ZScore, Measure::LogLikelihood,
    Measure::LogDice, Measure::Dice};

// The measure's name on the command line: mi, mi3, t, z, ll, logdice, dice.
std::string_view MeasureName(Measure measure);
// The measure named so (case matters); none for an unknown name.
std::optional<Measure> MeasureNamed(std::string_view name);
// Its column heading: MI, MI3, t-score, z-score, LL, logDice, Dice.
std::string_view MeasureHeading(Measure measure);
inline int MeasureIndex(Measure measure) {
  return static_cast<int>(measure);
}

// E11 = R1 C1 / N.
double ExpectedO11(const CollocationCounts& c);
// log2(O11 / E11).
double MutualInformation(const CollocationCounts& c);
// log2(O11^3 / E11).
double MI3(const CollocationCounts& c);
// (O11 - E11) / sqrt(O11).
double TScore(const CollocationCounts& c);
// (O11 - E11) / sqrt(E11).
double ZScore(const CollocationCounts& c);
// 2 sum O ln(O / E) over the four cells (a zero cell adds 0), negative when
// O11 < E11; NaN when a cell is negative.
double LogLikelihood(const CollocationCounts& c);
// 14 + log2(2 O11 / (f(node) + C1)) (Rychly 2008).
double LogDice(const CollocationCounts& c);
// 2 O11 / (f(node) + C1).
double Dice(const CollocationCounts& c);

double MeasureValue(Measure measure, const CollocationCounts& c);

}  // namespace lexvane::stats
