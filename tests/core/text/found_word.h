// A word as the scanner tests record it, compared and printed whole.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "text/block_scanner.h"

namespace lexvane::text::testing {

struct Found {
  std::string text;
  std::int64_t offset;
  bool simpleEnd;
  bool enhancedEnd;
  bool cut;
  bool operator==(const Found&) const = default;
};

inline Found FoundOf(const ScanWord& w) {
  return {std::string(w.text), w.offset, w.simpleEnd, w.enhancedEnd, w.cut};
}

inline std::ostream& operator<<(std::ostream& os, const Found& w) {
  return os << '{' << ::testing::PrintToString(w.text) << ',' << w.offset << ',' << w.simpleEnd
            << ',' << w.enhancedEnd << ',' << w.cut << '}';
}

}  // namespace lexvane::text::testing
