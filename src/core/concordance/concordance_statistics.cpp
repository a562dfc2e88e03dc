#include "concordance/concordance_statistics.h"

#include "text/text_utils.h"

namespace lexvane::concordance {

std::string Statistics::CopyText() const {
  std::string text;
  for (std::size_t i = 0; i < Captions.size(); ++i) text += Captions[i] + '\t' + Values[i] + "\r\n";
  if (NotComplete) (text += kSearchNotCompleted) += "\r\n";
  return text;
}

Statistics MakeStatistics(std::int64_t fileCount, std::int64_t totalSizeKB, std::int64_t totalWords,
                          std::int64_t totalSentences, std::string_view lastCaption,
                          std::int64_t found, bool complete) {
  using text::FormatThousands;
  Statistics s;
  s.Captions = {
      "Files:", "Total size:", "Total words:", "Total sentences:", std::string(lastCaption)};
  s.Values = {FormatThousands(fileCount), FormatThousands(totalSizeKB) + " kB",
              FormatThousands(totalWords), FormatThousands(totalSentences), FormatThousands(found)};
  s.Figures = {fileCount, totalSizeKB, totalWords, totalSentences, found};
  s.NotComplete = !complete;
  return s;
}

Statistics ConcordanceStatistics(const ConcordanceTable& table) {
  return MakeStatistics(table.FileCount, table.TotalSizeKB, table.TotalWords, table.TotalSentences,
                        "Sentences found:", table.RowCount(), table.SearchComplete);
}

}  // namespace lexvane::concordance
