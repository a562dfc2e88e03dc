#include "concordance/concordance_edit.h"

#include <vector>

#include "text/encoding.h"
#include "text/text_utils.h"

namespace lexvane::concordance {

std::int32_t ClearRows(ConcordanceTable& table, std::int32_t top, std::int32_t bottom) {
  const std::int32_t n = table.RowCount();
  if (n == 0 || top > n || top < 1) return n == 0 ? 0 : top;
  if (bottom > n) bottom = n;
  if (bottom - top < 16) {
    for (std::int32_t k = bottom; k >= top; --k) table.DeleteRow(k - 1);
  } else {
    // A long range: rebuild the lists once instead of closing up row by row.
    std::vector<std::int32_t> kept;
    kept.reserve(static_cast<std::size_t>(n - (bottom - top + 1)));
    for (std::int32_t i = 0; i < n; ++i)
      if (i < top - 1 || i >= bottom) kept.push_back(i);
    table.Reorder(kept);
  }
  const std::int32_t left = table.RowCount();
  return top <= left ? top : left;
}

std::int32_t DeleteDuplicateSentences(ConcordanceTable& table, text::OperationHost& host) {
  std::int32_t n = table.RowCount();
  if (n == 0) return 0;
  host.progress.Start("Deleting duplicate sentences");
  // The sentences of the rows still in the table, in table order; rows are
  // deleted from the lists only at the end, in one pass.
  struct Row {
    std::int32_t fileIndex;
    std::int64_t sentenceNo;
    std::int32_t index;
  };
  std::vector<Row> rows;
  rows.reserve(static_cast<std::size_t>(n));
  for (std::int32_t i = 0; i < n; ++i) {
    const TOneWordInfo& info = table.Info(i);
    rows.push_back({info.FileIndex, info.SentenceNo, i});
  }
  std::int64_t c = 0;
  std::int32_t d = 0;
  bool cancelled = false;
  for (std::size_t i = 0; i < rows.size() && !cancelled; ++i) {
    const Row a = rows[i];
    // Walks the later rows once, closing up over the deleted ones.
    std::size_t out = i + 1;
    std::size_t j = i + 1;
    for (; j < rows.size(); ++j) {
      const bool same = rows[j].fileIndex == a.fileIndex && rows[j].sentenceNo == a.sentenceNo;
      if (same)
        ++d;
      else
        rows[out++] = rows[j];
      ++c;
      if (c % 500 == 0) {
        const auto current = static_cast<std::int64_t>(rows.size() - (j + 1 - out));
        host.progress.SetGauge(
            static_cast<int>((static_cast<std::int64_t>(i) + 1) * 100 / current));
      }
      if (host.progress.Cancelled()) {
        cancelled = true;
        ++j;
        break;
      }
    }
    for (; j < rows.size(); ++j) rows[out++] = rows[j];
    rows.resize(out);
  }
  std::vector<std::int32_t> kept;
  kept.reserve(rows.size());
  for (const Row& row : rows) kept.push_back(row.index);
  if (static_cast<std::int32_t>(kept.size()) != n) table.Reorder(kept);
  host.progress.Finish();
  host.ui.ShowInformation(std::to_string(d) + " duplicate sentences were found and deleted.");
  return d;
}

std::string PastedContext(std::string_view clipboardText, text::Encoding encoding) {
  std::string s = text::keepFirst(clipboardText, text::kMaxTextLength, encoding);
  for (char& ch : s)
    if (text::isControl(ch)) ch = ' ';
  text::CleanLine(s);
  return s;
}

bool PasteContext(ConcordanceTable& table, std::int32_t row, int column,
                  std::string_view clipboardText) {
  if (column != 1 && column != 3) return false;
  if (row < 1 || row > table.RowCount()) return false;
  const std::string pasted = PastedContext(clipboardText, table.TextEncoding);
  if (column == 1)
    table.LeftContexts().Put(row - 1, pasted);
  else
    table.RightContexts().Put(row - 1, pasted);
  return true;
}

}  // namespace lexvane::concordance
