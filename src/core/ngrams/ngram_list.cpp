#include "ngrams/ngram_list.h"

#include <algorithm>

#include "text/collation.h"
#include "text/key_order.h"

namespace lexvane::ngrams {

void NGramList::Start(ListSource source, const NGramOptions& options,
                      const text::Collator& collator) {
  collator_ = &collator;
  rows_.clear();
  text_.clear();
  source_ = std::move(source);
  options_ = options;
  sortMode_ = options.sort;
  cutWordFiles_.clear();
  complete_ = true;
  twoPasses_ = false;
}

void NGramList::Append(std::string_view text, int words, std::int64_t frequency,
                       std::int64_t range) {
  rows_.push_back({text_.size(), static_cast<std::uint32_t>(text.size()),
                   static_cast<std::uint32_t>(words), frequency, range});
  text_.append(text);
}

std::string NGramList::CellText(int column, std::int32_t row) const {
  if (column < 0 || column >= kColumnCount) return {};
  if (row == 0) {
    static const char* const kNGramHeadings[] = {"", "N-gram", "F", "Range"};
    static const char* const kClusterHeadings[] = {"", "Cluster", "F", "Range"};
    return (kind_ == ListKind::Clusters ? kClusterHeadings : kNGramHeadings)[column];
  }
  if (row < 0 || row > Count()) return {};
  const std::int32_t index = row - 1;
  switch (column) {
    case 0:
      return std::to_string(row) + ".";
    case 1:
      return std::string(Text(index));
    case 2:
      return std::to_string(Frequency(index));
    default:
      return std::to_string(Range(index));
  }
}

std::string NGramList::sortKey(const Row& row, NGramSort mode) const {
  std::string key;
  if (mode == NGramSort::ByRange) key += text::DescendingPrefix(row.range);
  if (mode != NGramSort::Alphabetical) key += text::DescendingPrefix(row.frequency);
  key += collator_->Key(std::string_view(text_.data() + row.offset, row.length), source_.encoding);
  return key;
}

void NGramList::reorder(const std::vector<std::uint32_t>& order) {
  std::vector<Row> rows;
  rows.reserve(order.size());
  for (const std::uint32_t i : order) rows.push_back(rows_[i]);
  rows_ = std::move(rows);
}

void NGramList::Order(NGramSort mode) {
  text::KeyArena keys;
  text::ComputeKeys(
      rows_.size(), [&](std::size_t i) { return sortKey(rows_[i], mode); },
      [](std::size_t) { return true; }, keys);
  reorder(text::OrderByKeys(keys));
  sortMode_ = mode;
}

void NGramList::Sort(NGramSort mode, text::ProgressIndicator& progress) {
  progress.Start(SortCaption(mode));
  std::vector<std::uint32_t> order;
  bool done = true;
  try {
    done = text::OrderRows(
        rows_.size(), [&](std::size_t i) { return sortKey(rows_[i], mode); }, progress, order);
  } catch (...) {
    progress.Finish();
    throw;
  }
  if (done) {
    reorder(order);
    sortMode_ = mode;
  }
  progress.Finish();
}

void NGramList::ClearRows(std::int32_t topRow, std::int32_t bottomRow) {
  const std::int32_t count = Count();
  if (count == 0 || topRow < 1 || topRow > count) return;
  const std::int32_t last = std::min(bottomRow, count);
  if (last < topRow) return;
  // The texts of deleted rows stay in the arena until the list goes.
  rows_.erase(rows_.begin() + (topRow - 1), rows_.begin() + last);
}

}  // namespace lexvane::ngrams
