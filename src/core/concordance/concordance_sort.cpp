#include "concordance/concordance_sort.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "search/text_utils.h"
#include "text/collation.h"
#include "text/encoding.h"

namespace lexvane::concordance {

namespace {

// Appends to a key, which stops at 255 characters.
void appendCut(std::string& key, std::string_view part) {
  if (key.size() >= text::kMaxTextLength) return;
  key.append(part.substr(0, text::kMaxTextLength - key.size()));
}

}  // namespace

std::string SkipWords(std::string_view s, int n, const text::CharacterSets& sets) {
  std::size_t i = 0;
  while (i < s.size() && sets.wordSet(s[i])) ++i;
  for (int k = 0; k < n; ++k) {
    while (i < s.size() && !sets.wordSet(s[i])) ++i;
    while (i < s.size() && sets.wordSet(s[i])) ++i;
  }
  return std::string(s.substr(i));
}

std::string FirstToken(std::string_view s) {
  return std::string(s.substr(0, s.find(' ')));
}

std::string StripSeparators(std::string_view s, const text::CharacterSets& sets) {
  std::string out;
  for (const char c : s)
    if (!sets.wordSet(c)) out += c;
  return out;
}

std::string SortKey(std::string_view keyword, std::string_view left, std::string_view right,
                    const SortOptions& options, const text::CharacterSets& sets) {
  const int n = options.WordNumber - 1;
  std::string key;
  appendCut(key, options.Retrograde ? search::ReverseString(keyword) : std::string(keyword));
  appendCut(key, " ");
  if (options.RightPart) {
    appendCut(key, n == 0 ? std::string(right) : SkipWords(right, n, sets));
  } else {
    std::string v = search::ReverseString(left);
    if (n > 0) v = SkipWords(v, n, sets);
    const std::string t = FirstToken(v);
    appendCut(key, search::ReverseString(StripSeparators(t, sets)));
    appendCut(key, std::string_view(v).substr(t.size()));
  }
  text::lowerInPlace(key);
  return key;
}

bool SortConcordance(ConcordanceTable& table, const SortOptions& options,
                     const text::CharacterSets& sets, text::ProgressIndicator& progress) {
  const std::int32_t n = table.RowCount();
  if (n == 0) return false;
  progress.Start("Sorting");
  // Key phase. Each key's collation key orders as the list comparison does,
  // byte tie-break included, so equal collation keys mean equal keys.
  std::vector<std::string> keys(static_cast<std::size_t>(n));
  bool cancelled = false;
  for (std::int32_t g = 1; g <= n; ++g) {
    const std::int32_t i = g - 1;
    keys[i] = text::collationKey(SortKey(table.Keywords().View(i), table.LeftContexts().View(i),
                                         table.RightContexts().View(i), options, sets));
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
    // Ascending keys; among equal keys the later row first, as sorted
    // insertion in front of the equals gives.
    order.resize(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&keys](std::int32_t a, std::int32_t b) {
      const int c = keys[a].compare(keys[b]);
      return c != 0 ? c < 0 : a > b;
    });
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
