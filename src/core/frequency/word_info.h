// The row records of the frequency tables. Each is owned by the quick list
// entry it is attached to and destroyed with it.
//
// lexvane::frequency::TOneWordInfo (a word type) is unrelated to the
// concordance's hit locator of the same name.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "stats/association.h"
#include "text/quick_list.h"

namespace lexvane::frequency {

// One word type of a word frequency list.
class TOneWordInfo : public text::ListObject {
 public:
  TOneWordInfo() = default;
  TOneWordInfo(std::string word, std::string wordClass, std::int64_t frequency)
      : Frequency(frequency), Word(std::move(word)), WordClass(std::move(wordClass)) {}

  std::int64_t Frequency = 1;
  // The running sum of Frequency down to this row; set only by the sort by
  // frequency, 0 otherwise.
  std::int64_t CumFrequency = 0;
  std::string Word;       // as counted (lower-cased when capitals are ignored)
  std::string WordClass;  // tag of the type's first occurrence; empty untagged
};

inline constexpr int kPositions = 9;

// The association figures of one collocate row, once measures were applied
// to its table (colloc_association.h).
struct CollocFigures {
  std::int64_t R1 = 0;   // the node's window: its rows, times the positions unless once per hit
  std::int64_t C1 = 0;   // the collocate's frequency in the corpus
  std::int64_t O11 = 0;  // Total, or Hits when each hit counts once
  double E11 = 0;
  // By stats::MeasureIndex; only the measures of the table's columns.
  std::array<double, stats::kMeasureCount> Values{};
};

// One row of a collocate table: a node, a collocate and its counts at the
// positions 1 to 9 on either side (index 0 is position 1).
class TCollocFreqInfo : public text::ListObject {
 public:
  std::string Node;       // the lower-cased keyword
  std::string Collocate;  // as it stands in the context
  std::array<std::int32_t, kPositions> LeftFreq{};
  std::array<std::int32_t, kPositions> RightFreq{};
  std::int32_t Total = 0;  // sum of the eighteen counts, set when the build ends
  // The rows of the node's group in which the collocate was counted at least
  // once, and the rows of that group: set by the build.
  std::int32_t Hits = 0;
  std::int32_t NodeRows = 0;
  // Null until association measures were applied to the table, which owns
  // the figures of all its rows.
  const CollocFigures* Figures = nullptr;

  std::int32_t Left(int position) const { return LeftFreq[position - 1]; }
  std::int32_t Right(int position) const { return RightFreq[position - 1]; }
  std::int32_t SumOfCounts() const;
};

}  // namespace lexvane::frequency
