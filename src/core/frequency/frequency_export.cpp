#include "frequency/frequency_export.h"

#include "frequency/colloc_association.h"
#include "frequency/word_spread.h"
#include "stats/figures.h"

namespace lexvane::frequency {

using table_export::Column;
using table_export::RowCells;

namespace {

double percentOf(std::int64_t count, std::int64_t total) {
  return total == 0 ? 0.0 : static_cast<double>(count) / static_cast<double>(total) * 100.0;
}

}  // namespace

table_export::FunctionTable WordFrequencyExportTable(const WordFrequencyList& list, bool range,
                                                     bool dp) {
  const bool cumulative = list.SortMode() == kSortByFrequency;
  range = range && list.HasSpread();
  dp = dp && list.HasSpread();
  std::vector<Column> columns = {{"Word"}, {"Word Class"}, {"F"}, {"F %"}};
  if (cumulative) columns.insert(columns.end(), {{"CF"}, {"CF %"}});
  if (range) columns.push_back({"Range"});
  if (dp) columns.push_back({"DP"});
  return table_export::FunctionTable(
      "Word frequency", std::move(columns), list.TextEncoding(), list.Count(),
      [&list, cumulative, range, dp](std::int64_t row, RowCells& cells) {
        const TOneWordInfo& info = list.Info(static_cast<std::int32_t>(row));
        cells.Text(info.Word);
        cells.Text(info.WordClass);
        cells.Integer(info.Frequency);
        cells.Decimal(percentOf(info.Frequency, list.TotalWords()), 3);
        if (cumulative) {
          cells.Integer(info.CumFrequency);
          cells.Decimal(percentOf(info.CumFrequency, list.TotalWords()), 2);
        }
        if (!range && !dp) return;
        const auto& spread = static_cast<const TWordSpreadInfo&>(info);
        if (range) cells.Integer(spread.Range);
        if (dp) cells.Decimal(spread.DP, 4);
      });
}

table_export::FunctionTable CollocateExportTable(const CollocTable& table) {
  std::vector<Column> columns = {{"Collocate"}};
  for (int p = kPositions; p >= 1; --p)
    if (table.LeftUsed()[p - 1]) columns.push_back({"L" + std::to_string(p)});
  columns.push_back({"Node", table_export::Alignment::Centre});
  for (int p = 1; p <= kPositions; ++p)
    if (table.RightUsed()[p - 1]) columns.push_back({"R" + std::to_string(p)});
  columns.push_back({"Total"});
  // The association columns, once measures were applied, with their grid
  // headings.
  for (int c = kCollocColumns; c < table.ColumnCount(); ++c)
    columns.push_back({table.CellText(c, 0)});
  return table_export::FunctionTable(
      "Collocates", std::move(columns), table.TextEncoding(), table.Count(),
      [&table](std::int64_t row, RowCells& cells) {
        const TCollocFreqInfo& info = table.Info(static_cast<std::int32_t>(row));
        cells.Text(info.Collocate);
        for (int p = kPositions; p >= 1; --p)
          if (table.LeftUsed()[p - 1]) cells.Integer(info.Left(p));
        cells.Text(info.Node);
        for (int p = 1; p <= kPositions; ++p)
          if (table.RightUsed()[p - 1]) cells.Integer(info.Right(p));
        cells.Integer(info.Total);
        if (table.Association() == nullptr || info.Figures == nullptr) return;
        const CollocFigures& f = *info.Figures;
        cells.Integer(f.R1);
        cells.Integer(f.C1);
        cells.Integer(f.O11);
        cells.Decimal(f.E11, stats::kFigureDecimals);
        for (stats::Measure m : table.Association()->Measures)
          cells.Decimal(f.Values[stats::MeasureIndex(m)], stats::kFigureDecimals);
      });
}

}  // namespace lexvane::frequency
