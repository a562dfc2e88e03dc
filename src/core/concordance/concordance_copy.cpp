#include "concordance/concordance_copy.h"

#include <algorithm>
#include <fstream>

#include "search/search_query.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/latest_scan_sets.h"
#include "text/string_words.h"
#include "text/text_utils.h"

namespace lexvane::concordance {

namespace {

constexpr std::size_t kPieceLimit = 8191;

// The one-character word delimiter of a field (its first character's
// bytes); an empty field marks with a blank.
std::string wordDelimiter(const std::string& field, text::Encoding encoding) {
  if (field.empty()) return " ";
  return field.substr(0, text::prefixBytes(field, 1, encoding));
}

// DelimitWords with the first character of d (not empty) as the mark.
std::string delimitWords(std::string_view text, std::string_view d, int k, Side side,
                         const text::StringWords& words) {
  if (k <= 0) return std::string(text);
  const text::Encoding encoding = words.TextEncoding();
  d = d.substr(0, text::prefixBytes(d, 1, encoding));
  std::string s(text);
  const std::size_t room = 2 * static_cast<std::size_t>(k);
  if (text::characterCount(s, encoding) + room > text::kMaxTextLength) {
    // More marks than room (k above 127) leave no character of s.
    const std::size_t keep = room >= text::kMaxTextLength ? 0 : text::kMaxTextLength - room;
    s = side == Side::Right ? text::keepFirst(s, keep, encoding)
                            : text::keepLast(s, keep, encoding);
  }
  if (side == Side::Right) {
    const std::string mark = std::string(d) + ' ';
    std::size_t i = words.RunEnd(s, 0, true);
    for (int j = 1; j <= k; ++j) {
      i = words.RunEnd(s, words.RunEnd(s, i, false), true);
      if (i >= s.size()) {
        for (int r = j; r <= k; ++r) s += mark;
        break;
      }
      // In front of the next word.
      s.insert(i, mark);
      i += mark.size();
    }
  } else {
    const std::string mark = ' ' + std::string(d);
    std::size_t i = s.size();
    for (int j = 1; j <= k; ++j) {
      i = words.RunStart(s, words.RunStart(s, i, true), false);
      if (i == 0) {
        std::string front;
        for (int r = j; r <= k; ++r) front += mark;
        s.insert(0, front);
        break;
      }
      // In front of the separator that precedes the word just passed.
      i = words.Before(s, i);
      s.insert(i, mark);
    }
  }
  return s;
}

void appendRow(const ConcordanceTable& table, std::int32_t row, const CopyOptions& options,
               int width, const text::StringWords& words, std::string& out) {
  const text::Encoding encoding = table.TextEncoding;
  std::string left(table.LeftContexts().View(row));
  std::string right(table.RightContexts().View(row));
  if (options.SaveWithDelimiters && options.DelimAround) {
    left = delimitWords(left, wordDelimiter(options.LeftDelimiter, encoding), options.M, Side::Left,
                        words);
    right = delimitWords(right, wordDelimiter(options.RightDelimiter, encoding), options.N,
                         Side::Right, words);
  }
  const bool justify = options.Format == CopyFormat::Justify;
  out += justify ? text::FitToWidth(left, false, width, encoding) : left;
  out += ' ';
  if (options.SaveWithDelimiters) out += options.LeftDelimiter + ' ';
  out += table.Keywords().View(row);
  if (options.SaveWithDelimiters) out += ' ' + options.RightDelimiter;
  out += ' ';
  out += justify ? text::FitToWidth(right, true, width, encoding) : right;
  out += ' ';
  if (options.IncludeSource) {
    out += '[';
    out += table.FileNames().View(row);
    out += "] ";
  }
  if (options.Format != CopyFormat::OneParagraph) out += "\r\n";
}

}  // namespace

std::string DelimitWords(std::string_view s, char d, int k, Side side,
                         const text::CharacterSets& sets) {
  return DelimitWords(s, std::string_view(&d, 1), k, side, sets);
}

std::string DelimitWords(std::string_view s, std::string_view d, int k, Side side,
                         const text::CharacterSets& sets) {
  return delimitWords(s, d.empty() ? std::string_view(" ") : d, k, side, text::StringWords(sets));
}

int CopyWidth(const CopyOptions& options) {
  return std::clamp(search::IntegerFieldValue(options.Width), 1, 254);
}

std::int64_t CopyEstimate(const ConcordanceTable& table, std::int32_t first, std::int32_t last,
                          const CopyOptions& options, int width) {
  std::int64_t estimate = 0;
  for (std::int32_t row = first; row <= last; ++row) {
    estimate += static_cast<std::int64_t>(table.Keywords().View(row).size());
    if (options.Format == CopyFormat::Justify)
      estimate += 2 * width + 2;
    else
      estimate += static_cast<std::int64_t>(table.LeftContexts().View(row).size() +
                                            table.RightContexts().View(row).size());
    estimate += static_cast<std::int64_t>(table.FileNames().View(row).size());
    estimate += 9;
    if (options.SaveWithDelimiters) {
      estimate += 2;
      if (options.DelimAround) estimate += options.M + options.N;
    }
  }
  return estimate;
}

std::string SelectionTooLargeMessage(std::int64_t estimate) {
  return "Selection is too large (" + std::to_string(estimate / 1024 + 1) +
         " kB). Use \"Save to file\" option for selections larger than 64 kB.";
}

bool WriteRows(const ConcordanceTable& table, std::int32_t first, std::int32_t last,
               const CopyOptions& options, const text::CharacterSets& sets, bool chunked,
               const TextSink& sink, text::ProgressIndicator* progress) {
  const int width = CopyWidth(options);
  const text::StringWords words(
      text::LatestScanSets::SetsFor(sets, table.TextEncoding, table.ScanSets));
  std::string pending;
  bool complete = true;
  const std::int64_t rows = last >= first ? std::int64_t{last} - first + 1 : 0;
  if (progress != nullptr) progress->Start("Copying...");
  try {
    for (std::int64_t c = 1; c <= rows; ++c) {
      if (progress != nullptr) {
        if (c % 100 == 0) progress->SetGauge(static_cast<int>(c * 100 / rows));
        if (progress->Cancelled()) {
          complete = false;
          break;
        }
      }
      appendRow(table, static_cast<std::int32_t>(first + c - 1), options, width, words, pending);
      if (chunked && pending.size() > kPieceLimit) {
        sink(pending);
        pending.clear();
      }
    }
    if (!pending.empty()) sink(pending);
  } catch (...) {
    if (progress != nullptr) progress->Finish();
    throw;
  }
  if (progress != nullptr) progress->Finish();
  return complete;
}

bool CopyRowsToText(const ConcordanceTable& table, std::int32_t first, std::int32_t last,
                    const CopyOptions& options, const text::CharacterSets& sets,
                    text::UserInterface& ui, std::string& out, text::ProgressIndicator* progress) {
  const int width = CopyWidth(options);
  const std::int64_t estimate = CopyEstimate(table, first, last, options, width);
  if (estimate > kClipboardLimit) {
    ui.ShowError(SelectionTooLargeMessage(estimate));
    return false;
  }
  out.clear();
  WriteRows(
      table, first, last, options, sets, false, [&out](std::string_view s) { out += s; }, progress);
  return true;
}

bool CopyRowsToFile(const ConcordanceTable& table, std::int32_t first, std::int32_t last,
                    const CopyOptions& options, const text::CharacterSets& sets,
                    const std::string& path, text::UserInterface& ui,
                    text::ProgressIndicator* progress) {
  CopyWidth(options);  // an invalid width stops the command before the file is made
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) {
    ui.ShowError("Cannot create file " + path);
    return false;
  }
  WriteRows(
      table, first, last, options, sets, true,
      [&file](std::string_view s) { file.write(s.data(), static_cast<std::streamsize>(s.size())); },
      progress);
  file.close();
  if (!file) throw text::Error("Unable to write to " + path);
  return true;
}

}  // namespace lexvane::concordance
