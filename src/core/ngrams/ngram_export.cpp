#include "ngrams/ngram_export.h"

namespace lexvane::ngrams {

table_export::FunctionTable NGramExportTable(const NGramList& list) {
  const bool clusters = list.Kind() == ListKind::Clusters;
  return table_export::FunctionTable(
      clusters ? "Clusters" : "N-grams", {{clusters ? "Cluster" : "N-gram"}, {"F"}, {"Range"}},
      list.TextEncoding(), list.Count(), [&list](std::int64_t row, table_export::RowCells& cells) {
        const auto index = static_cast<std::int32_t>(row);
        cells.Text(list.Text(index));
        cells.Integer(list.Frequency(index));
        cells.Integer(list.Range(index));
      });
}

}  // namespace lexvane::ngrams
