#include "concordance/plot_export.h"

namespace lexvane::concordance {

table_export::FunctionTable PlotFilesTable(std::shared_ptr<const ConcordancePlot> plot) {
  const auto rows = static_cast<std::int64_t>(plot->Bars().size());
  // File names are names of the file system, not corpus text.
  return table_export::FunctionTable(
      "Dispersion",
      {{"File", table_export::Alignment::Left}, {"Words"}, {"Hits"}, {"Per 1000 words"}},
      text::Encoding::Utf8, rows, [plot](std::int64_t row, table_export::RowCells& cells) {
        const PlotBar& bar = plot->Bars()[static_cast<std::size_t>(row)];
        cells.Utf8(bar.Name);
        cells.Integer(bar.Words);
        cells.Integer(bar.Hits());
        cells.Decimal(bar.Words > 0 ? static_cast<double>(bar.Hits()) * 1000.0 /
                                          static_cast<double>(bar.Words)
                                    : 0.0,
                      2);
      });
}

}  // namespace lexvane::concordance
