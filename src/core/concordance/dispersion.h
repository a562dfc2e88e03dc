// Dispersion: how evenly the hits of a query, or the occurrences of a word
// type, spread over the parts of a corpus, each part one corpus file sized by
// the words the scan read in it. The one home of the formulas: the
// concordance plot, the command line and the word frequency list's Range and
// DP columns all compute them here.
//
//   Range   the files with at least one hit, also as a share of all files.
//   D       Juilland's D = 1 - (sigma / mu) / sqrt(n - 1) over the relative
//           frequencies hits / words of the n parts, sigma the population
//           standard deviation (Juilland & Chang-Rodriguez 1964).
//   DP      Gries's deviation of proportions = 1/2 sum |v_i - s_i|, v_i the
//           share of the hits in part i, s_i its share of the corpus words
//           (Gries 2008).
//   DPnorm  DP / (1 - min s_i) (Lijffijt & Gries 2012).
//
// A file in which the scan read no word is not a part: it can hold no hit and
// has no relative frequency; it still counts among the files of the range's
// share. A measure that its formula leaves undefined has no value: D without
// a hit or with fewer than two parts (sigma / mu or sqrt(n - 1) would divide
// by zero), DP and DPnorm without a hit, DPnorm with a single part.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace lexvane::concordance {

// One file: the words the scan read in it and the hits among them.
struct PartCount {
  std::int64_t Words = 0;
  std::int64_t Hits = 0;
};

struct DispersionFigures {
  std::int32_t Files = 0;  // the files given, parts or not
  std::int32_t Parts = 0;  // files with at least one word
  std::int64_t Words = 0;
  std::int64_t Hits = 0;
  std::int32_t Range = 0;  // files with at least one hit
  std::optional<double> RangeShare;
  std::optional<double> JuillandD;
  std::optional<double> DP;
  std::optional<double> DPnorm;
};

DispersionFigures ComputeDispersion(std::span<const PartCount> files);

// Gries's DP summed over only the parts in which an item occurs (the parts
// without it add their word share s_i): Add each such part's share of the
// item's occurrences and its share of the corpus words. A word list keeps
// only the pairs of type and file that occur, so this is how it sums.
class DpSum {
 public:
  void Add(double occurrenceShare, double wordShare) {
    sum_ += std::abs(occurrenceShare - wordShare) - wordShare;
  }
  // 1/2 (sum over the occurring parts + 1), within [0, 1] despite rounding.
  double Value() const { return std::clamp(0.5 * (sum_ + 1.0), 0.0, 1.0); }

 private:
  double sum_ = 0;
};

// A measure with four decimals ("0.6124"); "n/a" when it has no value.
std::string FormatMeasure(const std::optional<double>& value);

// count / words x 1000 with two decimals ("12.50"); "0.00" without words.
std::string FormatPerThousand(std::int64_t count, std::int64_t words);

}  // namespace lexvane::concordance
