#include "concordance/concordance_sort.h"

#include <vector>

#include "text/collation.h"
#include "text/encoding.h"
#include "text/key_order.h"
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

// The length of the character at s[i] and whether it is a word separator
// of the sets (in UTF-8 an invalid byte is a word character).
std::size_t characterAt(std::string_view s, std::size_t i, const text::CharacterSets& sets,
                        bool& separator) {
  const auto byte = static_cast<unsigned char>(s[i]);
  if (!text::IsUtf8(sets.encoding) || byte < 0x80) {
    separator = sets.wordSet(s[i]);
    return 1;
  }
  const text::Utf8Char c = text::nextUtf8Char(s, i);
  separator = c.valid && sets.wordSetChar(c.codePoint);
  return c.length;
}

// The end of the run of characters from i that are (or are not) separators.
std::size_t skipRun(std::string_view s, std::size_t i, bool separators,
                    const text::CharacterSets& sets) {
  while (i < s.size()) {
    bool separator;
    const std::size_t length = characterAt(s, i, sets, separator);
    if (separator != separators) break;
    i += length;
  }
  return i;
}

}  // namespace

std::string SkipWords(std::string_view s, int n, const text::CharacterSets& sets) {
  std::size_t i = skipRun(s, 0, true, sets);
  for (int k = 0; k < n; ++k) i = skipRun(s, skipRun(s, i, false, sets), true, sets);
  return std::string(s.substr(i));
}

std::string FirstToken(std::string_view s) {
  return std::string(s.substr(0, s.find(' ')));
}

std::string StripSeparators(std::string_view s, const text::CharacterSets& sets) {
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    bool separator;
    const std::size_t length = characterAt(s, i, sets, separator);
    if (!separator) out.append(s.substr(i, length));
    i += length;
  }
  return out;
}

std::string SortKey(std::string_view keyword, std::string_view left, std::string_view right,
                    const SortOptions& options, const text::CharacterSets& sets) {
  const int n = options.WordNumber - 1;
  const text::Encoding encoding = sets.encoding;
  std::string key;
  appendCut(key, options.Retrograde ? text::ReverseString(keyword, encoding) : std::string(keyword),
            encoding);
  appendCut(key, " ", encoding);
  if (options.RightPart) {
    appendCut(key, n == 0 ? std::string(right) : SkipWords(right, n, sets), encoding);
  } else {
    std::string v = text::ReverseString(left, encoding);
    if (n > 0) v = SkipWords(v, n, sets);
    const std::string t = FirstToken(v);
    appendCut(key, text::ReverseString(StripSeparators(t, sets), encoding), encoding);
    appendCut(key, std::string_view(v).substr(t.size()), encoding);
  }
  text::lowerInPlace(key, encoding);
  return key;
}

bool SortConcordance(ConcordanceTable& table, const SortOptions& options,
                     const text::CharacterSets& sets, text::ProgressIndicator& progress) {
  const std::int32_t n = table.RowCount();
  if (n == 0) return false;
  // Sets of the other encoding than the table's would cut its text wrongly:
  // the table's own build's sets then.
  const text::CharacterSets& used =
      text::IsUtf8(sets.encoding) == text::IsUtf8(table.TextEncoding) ? sets : table.ScanSets;
  const text::Encoding encoding = table.TextEncoding;
  progress.Start("Sorting");
  // Key phase. Each key's collation key orders as the list comparison does,
  // byte tie-break included, so equal collation keys mean equal keys.
  text::KeyArena keys;
  bool cancelled = false;
  for (std::int32_t g = 1; g <= n; ++g) {
    const std::int32_t i = g - 1;
    keys.Add(text::collationKey(SortKey(table.Keywords().View(i), table.LeftContexts().View(i),
                                        table.RightContexts().View(i), options, used),
                                encoding));
    if (g % 100 == 0) {
      progress.SetGauge(static_cast<int>(std::int64_t{g} * 100 / (2 * std::int64_t{n})));
      if (progress.Cancelled()) {
        cancelled = true;
        break;
      }
    }
  }
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
