#include "concordance/concordance_copy.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "search/search_query.h"
#include "text/encoding.h"
#include "text/error.h"
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

void appendRow(const ConcordanceTable& table, std::int32_t row, const CopyOptions& options,
               int width, const text::CharacterSets& sets, std::string& out) {
  const text::Encoding encoding = table.TextEncoding;
  std::string left(table.LeftContexts().View(row));
  std::string right(table.RightContexts().View(row));
  const bool words = options.SaveWithDelimiters && options.DelimAround;
  if (words) {
    left = DelimitWords(left, wordDelimiter(options.LeftDelimiter, encoding), options.M, Side::Left,
                        sets);
    right = DelimitWords(right, wordDelimiter(options.RightDelimiter, encoding), options.N,
                         Side::Right, sets);
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

namespace {

// DelimitWords over UTF-8 text: the same steps on characters.
std::string delimitUtf8Words(std::string_view text, std::string_view d, int k, Side side,
                             const text::CharacterSets& sets) {
  std::vector<std::size_t> starts;  // of each character, then the end
  for (std::size_t i = 0; i < text.size(); i += text::nextUtf8Char(text, i).length)
    starts.push_back(i);
  std::size_t m = starts.size();
  starts.push_back(text.size());
  const std::size_t room = 2 * static_cast<std::size_t>(k);
  std::size_t first = 0;  // the characters first .. m - 1 are kept
  if (m + room > text::kMaxTextLength) {
    const std::size_t keep = room >= text::kMaxTextLength ? 0 : text::kMaxTextLength - room;
    if (side == Side::Right)
      m = keep;
    else
      first = m - keep;
  }
  const auto sep = [&](std::size_t c) {
    const std::size_t at = starts[first + c];
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) return sets.wordSet(text[at]);
    const text::Utf8Char ch = text::nextUtf8Char(text, at);
    return ch.valid && sets.wordSetChar(ch.codePoint);
  };
  const std::size_t n = m - first;
  const auto piece = [&](std::size_t from, std::size_t to) {
    return text.substr(starts[first + from], starts[first + to] - starts[first + from]);
  };
  std::string mark = side == Side::Right ? std::string(d) + ' ' : ' ' + std::string(d);
  std::vector<std::size_t> before;  // characters a mark goes in front of
  std::string out, outer;
  if (side == Side::Right) {
    std::size_t i = 0;
    while (i < n && sep(i)) ++i;
    for (int j = 1; j <= k; ++j) {
      while (i < n && !sep(i)) ++i;
      while (i < n && sep(i)) ++i;
      if (i >= n) {
        for (int r = j; r <= k; ++r) outer += mark;
        break;
      }
      before.push_back(i);
    }
  } else {
    std::size_t i = n;  // 1-based position of the current character
    for (int j = 1; j <= k; ++j) {
      while (i >= 1 && sep(i - 1)) --i;
      while (i >= 1 && !sep(i - 1)) --i;
      if (i == 0) {
        for (int r = j; r <= k; ++r) outer += mark;
        break;
      }
      before.push_back(i - 1);
      --i;  // the separator in front of the word, passed as the mark's blank
    }
    std::sort(before.begin(), before.end());
  }
  if (side == Side::Left) out = outer;
  std::size_t from = 0;
  for (const std::size_t at : before) {
    out.append(piece(from, at));
    out += mark;
    from = at;
  }
  out.append(piece(from, n));
  if (side == Side::Right) out += outer;
  return out;
}

}  // namespace

std::string DelimitWords(std::string_view s, std::string_view d, int k, Side side,
                         const text::CharacterSets& sets) {
  if (!text::IsUtf8(sets.encoding) || k <= 0) {
    if (k <= 0) return std::string(s);
    return DelimitWords(s, d.empty() ? ' ' : d[0], k, side, sets);
  }
  return delimitUtf8Words(s, d.empty() ? std::string_view(" ") : d, k, side, sets);
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
  const text::CharacterSets& used =
      text::IsUtf8(sets.encoding) == text::IsUtf8(table.TextEncoding) ? sets : table.ScanSets;
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
      appendRow(table, static_cast<std::int32_t>(first + c - 1), options, width, used, pending);
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
