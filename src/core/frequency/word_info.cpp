#include "frequency/word_info.h"

namespace lexvane::frequency {

std::int32_t TCollocFreqInfo::SumOfCounts() const {
  std::int32_t sum = 0;
  for (int p = 0; p < kPositions; ++p) sum += LeftFreq[p] + RightFreq[p];
  return sum;
}

}  // namespace lexvane::frequency
