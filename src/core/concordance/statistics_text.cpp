#include "concordance/statistics_text.h"

#include "search/text_utils.h"

namespace lexvane::concordance {

std::array<StatisticsRow, 5> StatisticsRows(const StatisticsFigures& figures) {
  using search::FormatThousands;
  return {{
      {"Files:", FormatThousands(figures.FileCount)},
      {"Total size:", FormatThousands(figures.TotalSizeKB) + " kB"},
      {"Total words:", FormatThousands(figures.TotalWords)},
      {"Total sentences:", FormatThousands(figures.TotalSentences)},
      {std::string(figures.FoundCaption), FormatThousands(figures.Found)},
  }};
}

std::string StatisticsText(const StatisticsFigures& figures) {
  std::string text;
  for (const StatisticsRow& row : StatisticsRows(figures))
    text += row.Caption + "\t" + row.Value + "\r\n";
  if (!figures.Complete) text += std::string(kSearchNotCompleted) + "\r\n";
  return text;
}

}  // namespace lexvane::concordance
