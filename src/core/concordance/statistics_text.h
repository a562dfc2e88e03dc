// The figures of the statistics dialog ("Statistics") shared by concordance
// and word frequency windows: five caption and value rows, the note of an
// incomplete build, and the tab-separated text its Copy button puts on the
// clipboard. Any front end or command may call these.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lexvane::concordance {

inline constexpr std::string_view kSentencesFound = "Sentences found:";
inline constexpr std::string_view kTypesFound = "Types found:";
inline constexpr std::string_view kSearchNotCompleted = "Search was not completed.";

// What a window reports of its build.
struct StatisticsFigures {
  std::int64_t FileCount = 0;
  std::int64_t TotalSizeKB = 0;
  std::int64_t TotalWords = 0;
  std::int64_t TotalSentences = 0;
  std::int64_t Found = 0;                           // rows or types now
  std::string_view FoundCaption = kSentencesFound;  // or kTypesFound
  bool Complete = true;                             // SearchComplete or ListComplete
};

struct StatisticsRow {
  std::string Caption;  // "Files:", "Total size:", ...
  std::string Value;    // grouped with FormatThousands; " kB" after the size
};

// The five rows in dialog order.
std::array<StatisticsRow, 5> StatisticsRows(const StatisticsFigures& figures);
// Each row as caption, tab, value, CR LF; then the note and CR LF when the
// build was not complete.
std::string StatisticsText(const StatisticsFigures& figures);

}  // namespace lexvane::concordance
