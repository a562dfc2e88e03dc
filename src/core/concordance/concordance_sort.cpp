#include "concordance/concordance_sort.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "text/collation.h"
#include "text/encoding.h"
#include "text/key_order.h"
#include "text/latest_scan_sets.h"
#include "text/string_words.h"
#include "text/text_utils.h"

namespace lexvane::concordance {

namespace {

// Appends to a key, which stops at 255 characters (of 8-bit text: bytes).
void appendCut(std::string& key, std::string_view part, text::Encoding encoding) {
  if (!text::IsUtf8(encoding)) {
    if (key.size() >= text::kMaxTextLength) return;
    key.append(part.substr(0, text::kMaxTextLength - key.size()));
    return;
  }
  const std::size_t count = text::characterCount(key, encoding);
  if (count >= text::kMaxTextLength) return;
  key.append(part.substr(0, text::prefixBytes(part, text::kMaxTextLength - count, encoding)));
}

// The token of a left context whose letters a sort by word n + 1 of the
// left side holds: [first, end), the n + 1-th word from the keyword up to
// the blank before it, or with n = 0 the context's end up to its last blank
// (the characters after a word, such as a comma, then belong to it).
std::pair<std::size_t, std::size_t> leftToken(std::string_view left, int n,
                                              const text::StringWords& words) {
  const std::size_t end = n == 0 ? left.size() : words.SkipWordsFromEnd(left, n);
  const std::size_t blank = end == 0 ? std::string_view::npos : left.rfind(' ', end - 1);
  return {blank == std::string_view::npos ? 0 : blank + 1, end};
}

std::string sortKey(std::string_view keyword, std::string_view left, std::string_view right,
                    const SortOptions& options, const text::StringWords& words) {
  const int n = options.WordNumber - 1;
  const text::Encoding encoding = words.TextEncoding();
  std::string key;
  appendCut(key, options.Retrograde ? text::ReverseString(keyword, encoding) : std::string(keyword),
            encoding);
  appendCut(key, " ", encoding);
  if (options.RightPart) {
    appendCut(key, n == 0 ? right : right.substr(words.SkipWords(right, n)), encoding);
  } else {
    // The token spelled forwards without its separators, then the rest of
    // the context running away from the keyword, every character reversed.
    const auto [first, end] = leftToken(left, n, words);
    appendCut(key, words.WithoutSeparators(left.substr(first, end - first)), encoding);
    appendCut(key, text::ReverseString(left.substr(0, first), encoding), encoding);
  }
  text::lowerInPlace(key, encoding);
  return key;
}

}  // namespace

std::string SkipWords(std::string_view s, int n, const text::CharacterSets& sets) {
  return std::string(s.substr(text::StringWords(sets).SkipWords(s, n)));
}

std::string FirstToken(std::string_view s) {
  return std::string(s.substr(0, s.find(' ')));
}

std::string StripSeparators(std::string_view s, const text::CharacterSets& sets) {
  return text::StringWords(sets).WithoutSeparators(s);
}

std::string SortKey(std::string_view keyword, std::string_view left, std::string_view right,
                    const SortOptions& options, const text::CharacterSets& sets) {
  return sortKey(keyword, left, right, options, text::StringWords(sets));
}

text::WordSpan SortWordSpan(std::string_view context, const SortOptions& options,
                            const text::StringWords& words) {
  if (options.WordNumber < 1) return {};
  if (options.RightPart) return words.NthWord(context, options.WordNumber);
  const auto [first, end] = leftToken(context, options.WordNumber - 1, words);
  const std::size_t from = std::min(words.RunEnd(context, first, true), end);
  const std::size_t to = words.RunStart(context.substr(0, end), end, true);
  if (to <= from) return {};
  return {from, to - from};
}

bool SortConcordance(ConcordanceTable& table, const SortOptions& options,
                     const text::CharacterSets& sets, const text::Collator& collator,
                     text::ProgressIndicator& progress) {
  const std::int32_t n = table.RowCount();
  if (n == 0) return false;
  const text::StringWords words(
      text::LatestScanSets::SetsFor(sets, table.TextEncoding, table.ScanSets));
  const text::Encoding encoding = table.TextEncoding;
  progress.Start("Sorting");
  // Key phase, on two threads. Each key's collation key orders as the list
  // comparison does, byte tie-break included, so equal collation keys mean
  // equal keys.
  text::KeyArena keys;
  bool cancelled = !text::ComputeKeys(
      static_cast<std::size_t>(n),
      [&](std::size_t row) {
        const auto i = static_cast<std::int32_t>(row);
        return collator.Key(sortKey(table.Keywords().View(i), table.LeftContexts().View(i),
                                    table.RightContexts().View(i), options, words),
                            encoding);
      },
      [&](std::size_t done) {
        progress.SetGauge(
            static_cast<int>(static_cast<std::int64_t>(done) * 100 / (2 * std::int64_t{n})));
        return !progress.Cancelled();
      },
      keys);
  std::vector<std::int32_t> order;
  if (!cancelled) {
    const std::vector<std::uint32_t> byKeys = text::OrderByKeys(keys);
    order.assign(byKeys.begin(), byKeys.end());
    // Copy phase: the rows are moved only once the phase has run to its end.
    for (std::int32_t l = 1; l <= n; ++l)
      if (l % 100 == 0) {
        progress.SetGauge(static_cast<int>((std::int64_t{n} + l) * 100 / (2 * std::int64_t{n})));
        if (progress.Cancelled()) {
          cancelled = true;
          break;
        }
      }
  }
  if (!cancelled) {
    table.Reorder(order);
    table.TableSorted = true;
  }
  progress.Finish();
  return !cancelled;
}

}  // namespace lexvane::concordance
