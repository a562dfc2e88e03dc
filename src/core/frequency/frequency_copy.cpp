#include "frequency/frequency_copy.h"

#include <functional>

namespace lexvane::frequency {

namespace {

std::string delimiterOf(const CopyOptions& options) {
  return options.Delimiter.substr(0, 1);
}

// Cuts a line to 255 characters without losing its line end.
std::string finishLine(std::string line) {
  if (line.size() > kMaxLineLength - 2) line.resize(kMaxLineLength - 2);
  line += "\r\n";
  return line;
}

void copyLines(std::int32_t count, std::int32_t first, std::int32_t last,
               const std::function<std::string(std::int32_t)>& lineOf, CopyDestination destination,
               CopySink& sink, text::OperationHost& host) {
  if (count == 0) return;
  first = std::max(first, 0);
  last = std::min(last, count - 1);
  std::string buffer;
  bool overflow = false;
  if (destination == CopyDestination::Clipboard) buffer.reserve(kClipboardBufferSize);
  host.progress.Start("Copying...");
  std::int64_t rows = last >= first ? last - first + 1 : 0;
  try {
    for (std::int64_t c = 1; c <= rows; ++c) {
      if (c % 100 == 0) host.progress.SetGauge(static_cast<int>(c * 100 / rows));
      if (host.progress.Cancelled()) break;
      std::string line = lineOf(static_cast<std::int32_t>(first + c - 1));
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

}  // namespace

std::string WordFrequencyLine(const WordFrequencyList& list, std::int32_t index,
                              const CopyOptions& options) {
  const std::string d = delimiterOf(options);
  const TOneWordInfo& info = list.Info(index);
  std::string line = info.Word;
  if (!options.SaveWordListOnly)
    line += d + std::to_string(info.Frequency) + d +
            FormatPercent(info.Frequency, list.TotalWords(), 3, 5);
  if (list.SortMode() == kSortByFrequency)
    line += d + std::to_string(info.CumFrequency) + d +
            FormatPercent(info.CumFrequency, list.TotalWords(), 2, 4);
  return finishLine(std::move(line));
}

std::string CollocateLine(const CollocTable& table, std::int32_t index,
                          const CopyOptions& options) {
  const std::string d = delimiterOf(options);
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
  return finishLine(std::move(line));
}

void CopyWordFrequencies(const WordFrequencyList& list, std::int32_t first, std::int32_t last,
                         const CopyOptions& options, CopyDestination destination, CopySink& sink,
                         text::OperationHost& host) {
  copyLines(
      list.Count(), first, last,
      [&](std::int32_t i) { return WordFrequencyLine(list, i, options); }, destination, sink, host);
}

void CopyCollocates(const CollocTable& table, std::int32_t first, std::int32_t last,
                    const CopyOptions& options, CopyDestination destination, CopySink& sink,
                    text::OperationHost& host) {
  copyLines(
      table.Count(), first, last, [&](std::int32_t i) { return CollocateLine(table, i, options); },
      destination, sink, host);
}

}  // namespace lexvane::frequency
