// Ordering of table rows by precomputed binary keys (collation keys, whose
// byte order is the list comparison's order). The result is the order that
// inserting the rows one by one, in their current order, into a sorted quick
// list with duplicates accepted would give: ascending keys, and rows with
// equal keys in the reverse of their current order (an equal key goes in
// front of its equals).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "text/progress.h"

namespace lexvane::text {

// Many short keys in one block.
class KeyArena {
 public:
  void Reserve(std::size_t keys, std::size_t bytes);
  void Add(std::string_view key);
  // Appends the keys of `other` after this arena's keys.
  void Append(const KeyArena& other);
  std::size_t Size() const { return ends_.size(); }
  std::string_view Key(std::size_t i) const {
    std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return {bytes_.data() + begin, ends_[i] - begin};
  }
  std::size_t MemoryBytes() const { return bytes_.capacity() + ends_.capacity() * 8; }

 private:
  std::string bytes_;
  std::vector<std::size_t> ends_;
};

// The permutation: result[k] is the current index of the row that goes to
// place k.
std::vector<std::uint32_t> OrderByKeys(const KeyArena& keys);

// A row's place in a numeric order: `first`, then `second` ascending.
struct NumberKey {
  std::uint64_t first;
  std::uint32_t second;
  std::uint32_t index;  // the row's current index
};

// The permutation of OrderByKeys for rows whose keys are numbers, with the
// same tie rule (equal numbers: later rows first). Sorts on two threads when
// there are many rows.
std::vector<std::uint32_t> OrderByNumbers(std::vector<NumberKey> keys);

// The rank of each row's key among all keys: ranks[i] is the place of key i
// in byte order, and equal keys have equal ranks. A numeric stand-in for the
// keys in later orders (OrderByNumbers) that takes no collator.
std::vector<std::uint32_t> RanksOf(const KeyArena& keys);

// Computes key(i) for i = 0 .. n-1 on two threads. `step` is called on the
// calling thread with the number of keys done so far (every 100 keys of its
// share) and returns false to cancel; then the result is empty and false is
// returned. `key` must be safe to call from two threads at once.
bool ComputeKeys(std::size_t n, const std::function<std::string(std::size_t)>& key,
                 const std::function<bool(std::size_t done)>& step, KeyArena& out);

// A table pass that orders n rows: computes their keys under the progress
// indicator (gauge and cancel test at every 100 keys) and, unless cancelled,
// puts the permutation of OrderByKeys in `order`. False when cancelled.
bool OrderRows(std::size_t n, const std::function<std::string(std::size_t)>& key,
               text::ProgressIndicator& progress, std::vector<std::uint32_t>& order);

// The 8-byte big-endian prefix that makes numeric orders part of a key:
// descending `value` for values from 0 up.
std::string DescendingPrefix(std::int64_t value);

// The entry text of a descending numeric order as the lists keep it:
// 2147483647 minus `value` in decimal, padded with zeros to 12 characters.
std::string DescendingNumber(std::int64_t value);
// The same appended to `out`, without a temporary string.
void AppendDescendingNumber(std::string& out, std::int64_t value);

}  // namespace lexvane::text
