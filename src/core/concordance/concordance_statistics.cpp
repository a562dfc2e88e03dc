#include "concordance/concordance_statistics.h"

namespace lexvane::concordance {

StatisticsFigures ConcordanceFigures(const ConcordanceTable& table) {
  StatisticsFigures figures;
  figures.FileCount = table.FileCount;
  figures.TotalSizeKB = table.TotalSizeKB;
  figures.TotalWords = table.TotalWords;
  figures.TotalSentences = table.TotalSentences;
  figures.Found = table.RowCount();
  figures.FoundCaption = kSentencesFound;
  figures.Complete = table.SearchComplete;
  return figures;
}

}  // namespace lexvane::concordance
