#include "keywords/keyword_export.h"

#include "stats/figures.h"

namespace lexvane::keywords {

table_export::FunctionTable KeywordExportTable(const KeywordList& list) {
  std::vector<table_export::Column> columns;
  for (int c = 1; c < KeywordList::ColumnCount(); ++c) columns.push_back({list.CellText(c, 0)});
  return table_export::FunctionTable(
      "Keywords", std::move(columns), list.TextEncoding(), list.Count(),
      [&list](std::int64_t index, table_export::RowCells& cells) {
        const KeywordRow& row = list.Row(static_cast<std::int32_t>(index));
        const int d = stats::kFigureDecimals;
        cells.Text(row.Word);
        cells.Utf8(row.Direction == stats::Direction::Negative ? "-" : "+");
        cells.Integer(row.Counts.a);
        cells.Integer(row.Counts.b);
        cells.Decimal(stats::PerMillion(row.Counts.a, row.Counts.c), d);
        cells.Decimal(stats::PerMillion(row.Counts.b, row.Counts.d), d);
        cells.Decimal(row.LogLikelihood, d);
        cells.Decimal(row.LogRatio, d);
        cells.Decimal(row.PercentDiff, d);
      });
}

}  // namespace lexvane::keywords
