#include "concordance/concordance_copy.h"

#include <algorithm>
#include <fstream>

#include "search/search_query.h"
#include "search/text_utils.h"
#include "text/encoding.h"
#include "text/error.h"

namespace lexvane::concordance {

namespace {

constexpr std::size_t kPieceLimit = 8191;

// The one-character word delimiter of a field; an empty field marks with a
// blank.
char wordDelimiter(const std::string& field) {
  return field.empty() ? ' ' : field[0];
}

void appendRow(const ConcordanceTable& table, std::int32_t row, const CopyOptions& options,
               int width, const text::CharacterSets& sets, std::string& out) {
  std::string left(table.LeftContexts().View(row));
  std::string right(table.RightContexts().View(row));
  const bool words = options.SaveWithDelimiters && options.DelimAround;
  if (words) {
    left = DelimitWords(left, wordDelimiter(options.LeftDelimiter), options.M, Side::Left, sets);
    right =
        DelimitWords(right, wordDelimiter(options.RightDelimiter), options.N, Side::Right, sets);
  }
  const bool justify = options.Format == CopyFormat::Justify;
  out += justify ? search::FitToWidth(left, false, width) : left;
  out += ' ';
  if (options.SaveWithDelimiters) out += options.LeftDelimiter + ' ';
  out += table.Keywords().View(row);
  if (options.SaveWithDelimiters) out += ' ' + options.RightDelimiter;
  out += ' ';
  out += justify ? search::FitToWidth(right, true, width) : right;
  out += ' ';
  if (options.IncludeSource) {
    out += '[';
    out += table.FileNames().View(row);
    out += "] ";
  }
  if (options.Format != CopyFormat::OneParagraph) out += "\r\n";
}

}  // namespace

std::string DelimitWords(std::string_view text, char d, int k, Side side,
                         const text::CharacterSets& sets) {
  std::string s(text);
  if (k <= 0) return s;
  const std::size_t room = 2 * static_cast<std::size_t>(k);
  if (s.size() + room > text::kMaxTextLength) {
    // More marks than room (k above 127) leave no character of s.
    const std::size_t keep = room >= text::kMaxTextLength ? 0 : text::kMaxTextLength - room;
    s = side == Side::Right ? s.substr(0, keep) : s.substr(s.size() - keep);
  }
  const auto sep = [&](std::size_t i) { return sets.wordSet(s[i]); };
  if (side == Side::Right) {
    std::size_t i = 0;  // 0-based here
    while (i < s.size() && sep(i)) ++i;
    for (int j = 1; j <= k; ++j) {
      while (i < s.size() && !sep(i)) ++i;
      while (i < s.size() && sep(i)) ++i;
      if (i >= s.size()) {
        for (int r = j; r <= k; ++r) (s += d) += ' ';
        break;
      }
      s.insert(i, {d, ' '});
      i += 2;
    }
  } else {
    std::size_t i = s.size();  // 1-based position of the current character
    for (int j = 1; j <= k; ++j) {
      while (i >= 1 && sep(i - 1)) --i;
      while (i >= 1 && !sep(i - 1)) --i;
      if (i == 0) {
        std::string front;
        for (int r = j; r <= k; ++r) (front += ' ') += d;
        s = front + s;
        break;
      }
      s.insert(i - 1, {' ', d});
    }
  }
  return s;
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

void WriteRows(const ConcordanceTable& table, std::int32_t first, std::int32_t last,
               const CopyOptions& options, const text::CharacterSets& sets, bool chunked,
               const TextSink& sink) {
  const int width = CopyWidth(options);
  std::string pending;
  for (std::int32_t row = first; row <= last; ++row) {
    appendRow(table, row, options, width, sets, pending);
    if (chunked && pending.size() > kPieceLimit) {
      sink(pending);
      pending.clear();
    }
  }
  if (!pending.empty()) sink(pending);
}

bool CopyRowsToText(const ConcordanceTable& table, std::int32_t first, std::int32_t last,
                    const CopyOptions& options, const text::CharacterSets& sets,
                    text::UserInterface& ui, std::string& out) {
  const int width = CopyWidth(options);
  const std::int64_t estimate = CopyEstimate(table, first, last, options, width);
  if (estimate > kClipboardLimit) {
    ui.ShowError(SelectionTooLargeMessage(estimate));
    return false;
  }
  out.clear();
  WriteRows(table, first, last, options, sets, false, [&out](std::string_view s) { out += s; });
  return true;
}

bool CopyRowsToFile(const ConcordanceTable& table, std::int32_t first, std::int32_t last,
                    const CopyOptions& options, const text::CharacterSets& sets,
                    const std::string& path, text::UserInterface& ui) {
  CopyWidth(options);  // an invalid width stops the command before the file is made
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) {
    ui.ShowError("Cannot create file " + path);
    return false;
  }
  WriteRows(table, first, last, options, sets, true, [&file](std::string_view s) {
    file.write(s.data(), static_cast<std::streamsize>(s.size()));
  });
  file.close();
  if (!file) throw text::Error("Unable to write to " + path);
  return true;
}

}  // namespace lexvane::concordance
