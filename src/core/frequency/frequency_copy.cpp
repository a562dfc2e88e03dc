#include "frequency/frequency_copy.h"

#include <charconv>
#include <functional>

#include "text/encoding.h"

namespace lexvane::frequency {

namespace {

// The field delimiter: the first character of the option (its bytes).
std::string delimiterOf(const CopyOptions& options, text::Encoding encoding) {
  return options.Delimiter.substr(0, text::prefixBytes(options.Delimiter, 1, encoding));
}

// Cuts a line to 255 characters without losing its line end.
void finishLine(std::string& line, text::Encoding encoding) {
  line.resize(text::prefixBytes(line, kMaxLineLength - 2, encoding));
  line += "\r\n";
}

void appendNumber(std::string& line, std::int64_t n) {
  char buffer[24];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, n);
  line.append(buffer, end);
}

// The word frequency line of entry `index` into `line` (emptied first).
void buildWordFrequencyLine(const WordFrequencyList& list, std::int32_t index,
                            const CopyOptions& options, std::string& line) {
  const std::string d = delimiterOf(options, list.TextEncoding());
  const TOneWordInfo& info = list.Info(index);
  line.assign(info.Word);
  if (!options.SaveWordListOnly) {
    line += d;
    appendNumber(line, info.Frequency);
    line += d;
    line += FormatPercent(info.Frequency, list.TotalWords(), 3, 5);
  }
  if (list.SortMode() == kSortByFrequency) {
    line += d;
    appendNumber(line, info.CumFrequency);
    line += d;
    line += FormatPercent(info.CumFrequency, list.TotalWords(), 2, 4);
  }
  using Spread = WordFrequencyList::SpreadColumn;
  for (auto [shown, column] :
       {std::pair{options.WithRange, Spread::Range}, std::pair{options.WithDP, Spread::DP}}) {
    if (!shown || !list.HasSpread()) continue;
    line += d;
    line += list.SpreadCellText(column, index + 1);
  }
  finishLine(line, list.TextEncoding());
}

}  // namespace

void CopyLines(std::int32_t count, std::int32_t first, std::int32_t last,
               const std::function<void(std::int32_t, std::string&)>& lineOf,
               CopyDestination destination, CopySink& sink, text::OperationHost& host) {
  if (count == 0) return;
  first = std::max(first, 0);
  last = std::min(last, count - 1);
  std::string buffer, line;
  bool overflow = false;
  if (destination == CopyDestination::Clipboard) buffer.reserve(kClipboardBufferSize);
  host.progress.Start("Copying...");
  std::int64_t rows = last >= first ? last - first + 1 : 0;
  try {
    for (std::int64_t c = 1; c <= rows; ++c) {
      if (c % 100 == 0) host.progress.SetGauge(static_cast<int>(c * 100 / rows));
      if (host.progress.Cancelled()) break;
      lineOf(static_cast<std::int32_t>(first + c - 1), line);
      if (destination == CopyDestination::File) {
        sink.Write(line);
      } else if (!overflow) {
        if (buffer.size() + line.size() > kClipboardBufferSize)
          overflow = true;
        else
          buffer += line;
      }
    }
  } catch (...) {
    host.progress.Finish();
    throw;
  }
  host.progress.Finish();
  if (destination == CopyDestination::Clipboard) {
    if (overflow) host.ui.ShowWarning(kClipboardOverflow);
    sink.Write(buffer);
  }
}

std::string WordFrequencyLine(const WordFrequencyList& list, std::int32_t index,
                              const CopyOptions& options) {
  std::string line;
  buildWordFrequencyLine(list, index, options, line);
  return line;
}

std::string CollocateLine(const CollocTable& table, std::int32_t index,
                          const CopyOptions& options) {
  const std::string d = delimiterOf(options, table.TextEncoding());
  const TCollocFreqInfo& info = table.Info(index);
  auto count = [&options](std::int32_t n) {
    return n == 0 && options.ZeroToSpace ? std::string(" ") : std::to_string(n);
  };
  std::string line = info.Collocate + d;
  for (int p = kPositions; p >= 1; --p)
    if (table.LeftUsed()[p - 1]) line += count(info.Left(p)) + d;
  line += info.Node + d;
  for (int p = 1; p <= kPositions; ++p)
    if (table.RightUsed()[p - 1]) line += count(info.Right(p)) + d;
  line += std::to_string(info.Total);
  finishLine(line, table.TextEncoding());
  // The association columns follow the line as cut, uncut.
  if (table.ColumnCount() > kCollocColumns) {
    line.resize(line.size() - 2);
    for (int column = kCollocColumns; column < table.ColumnCount(); ++column)
      line += d + table.CellText(column, index + 1);
    line += "\r\n";
  }
  return line;
}

void CopyWordFrequencies(const WordFrequencyList& list, std::int32_t first, std::int32_t last,
                         const CopyOptions& options, CopyDestination destination, CopySink& sink,
                         text::OperationHost& host) {
  CopyLines(
      list.Count(), first, last,
      [&](std::int32_t i, std::string& line) { buildWordFrequencyLine(list, i, options, line); },
      destination, sink, host);
}

void CopyCollocates(const CollocTable& table, std::int32_t first, std::int32_t last,
                    const CopyOptions& options, CopyDestination destination, CopySink& sink,
                    text::OperationHost& host) {
  CopyLines(
      table.Count(), first, last,
      [&](std::int32_t i, std::string& line) { line = CollocateLine(table, i, options); },
      destination, sink, host);
}

}  // namespace lexvane::frequency
