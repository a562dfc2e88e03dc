#include "concordance/concordance_export.h"

namespace lexvane::concordance {

using table_export::Alignment;
using table_export::RowCells;

table_export::FunctionTable ConcordanceExportTable(const ConcordanceTable& table) {
  return table_export::FunctionTable("Concordance",
                                     {{"Left context", Alignment::Right},
                                      {"Keyword", Alignment::Centre},
                                      {"Right context"},
                                      {"File"},
                                      {"Full path"},
                                      {"Byte offset"},
                                      {"Sentence number"}},
                                     table.TextEncoding, table.RowCount(),
                                     [&table](std::int64_t row, RowCells& cells) {
                                       const auto r = static_cast<std::int32_t>(row);
                                       const TOneWordInfo& info = table.Info(r);
                                       cells.Text(table.LeftContexts().View(r));
                                       cells.Text(table.Keywords().View(r));
                                       cells.Text(table.RightContexts().View(r));
                                       // File names and paths are the file system's, whatever the
                                       // corpus's encoding.
                                       cells.Utf8(table.FileNames().View(r));
                                       cells.Utf8(table.PathOf(r));
                                       cells.Integer(info.Offset);
                                       cells.Integer(info.SentenceNo);
                                     });
}

table_export::FunctionTable StatisticsExportTable(const Statistics& statistics) {
  std::string found = statistics.Captions[4];
  if (found.ends_with(':')) found.pop_back();
  return table_export::FunctionTable(
      "Statistics",
      {{"Files"},
       {"Total size (kB)"},
       {"Total words"},
       {"Total sentences"},
       {found},
       {"Completed"}},
      text::Encoding::Utf8, 1,
      [figures = statistics.Figures, complete = !statistics.NotComplete](std::int64_t,
                                                                         RowCells& cells) {
        for (std::int64_t figure : figures) cells.Integer(figure);
        cells.Utf8(complete ? "yes" : "no");
      });
}

}  // namespace lexvane::concordance
