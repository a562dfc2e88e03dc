#include "frequency/colloc_table.h"

#include <algorithm>
#include <new>

#include "frequency/colloc_association.h"
#include "search/word_mask.h"
#include "stats/figures.h"
#include "text/collation.h"
#include "text/encoding.h"
#include "text/key_order.h"
#include "text/string_words.h"

namespace lexvane::frequency {

namespace {

std::unique_ptr<text::TQStringList> makeList(bool sorted, const text::Collator* collator,
                                             text::Encoding encoding) {
  auto list = collator != nullptr ? std::make_unique<text::TQStringList>(*collator, encoding)
                                  : std::make_unique<text::TQStringList>(encoding);
  list->SetDuplicates(text::Duplicates::Accept);
  list->SetSorted(sorted);
  return list;
}

std::string nodeKey(const TCollocFreqInfo& info) {
  return info.Node + " " + info.Collocate;
}

// What an entry text of twelve digits and a node with its collocate keeps
// of the latter.
constexpr std::size_t kNumberedKeyTextLength = text::kMaxTextLength - 12;

// The count a sort column orders by (columns 2-10, 12-20 and 21).
std::int32_t countOfColumn(const TCollocFreqInfo& info, int column) {
  if (column == kTotalColumn) return info.Total;
  if (column < kNodeColumn) return info.Left(kNodeColumn - column);
  return info.Right(column - kNodeColumn);
}

bool matchesAny(std::string_view word, const std::vector<std::string>& masks,
                text::Encoding encoding) {
  for (const std::string& mask : masks)
    if (search::MatchMask(word, mask, encoding)) return true;
  return false;
}

}  // namespace

void CountCollocate(NodeCollocates& pending, std::string_view word, Side side, int position,
                    std::string_view node) {
  auto found = pending.records_.find(word);
  NodeCollocates::Pending* entry;
  if (found != pending.records_.end()) {
    entry = &found->second;
  } else {
    auto record = std::make_unique<TCollocFreqInfo>();
    record->Node = std::string(node);
    record->Collocate = std::string(word);
    entry = &pending.records_.emplace(std::string(word), NodeCollocates::Pending{std::move(record)})
                 .first->second;
  }
  TCollocFreqInfo* info = entry->record.get();
  (side == Side::Left ? info->LeftFreq : info->RightFreq)[position - 1] += 1;
  if (entry->lastRow != pending.rows_) {
    entry->lastRow = pending.rows_;
    ++info->Hits;
  }
}

CollocTable::CollocTable(const PositionFlags& leftUsed, const PositionFlags& rightUsed)
    : leftUsed_(leftUsed),
      rightUsed_(rightUsed),
      collocList_(makeList(false, nullptr, text::Encoding::Windows1252)) {}

void CollocTable::SetTextEncoding(text::Encoding encoding) {
  encoding_ = encoding;
  if (Count() == 0) collocList_ = makeList(collocList_->Sorted(), collator_, encoding_);
}

CollocTable::~CollocTable() = default;

TCollocFreqInfo& CollocTable::Info(std::int32_t index) const {
  return *static_cast<TCollocFreqInfo*>(collocList_->GetObject(index));
}

void CollocTable::FlushNode(NodeCollocates& pending) {
  std::vector<std::unique_ptr<TCollocFreqInfo>> records;
  records.reserve(pending.records_.size());
  for (auto& [word, entry] : pending.records_) {
    entry.record->NodeRows = pending.rows_;
    records.push_back(std::move(entry.record));
  }
  pending.Clear();
  // The collocates' keys, on two threads for a large group.
  text::KeyArena keys;
  text::ComputeKeys(
      records.size(),
      [&records, &collator = *collator_, encoding = encoding_](std::size_t i) {
        return collator.Key(records[i]->Collocate, encoding);
      },
      [](std::size_t) { return true; }, keys);
  for (std::uint32_t i : text::OrderByKeys(keys)) {
    if (collocList_->GetCount() >= rowLimit_) throw text::EQListError("List index out of bounds");
    std::string entry = nodeKey(*records[i]);
    collocList_->Append(entry, records[i].release());
  }
}

void CollocTable::countRow(std::string_view left, std::string_view right, const std::string& node,
                           const text::StringWords& words, const std::vector<std::string>& masks,
                           NodeCollocates& pending) {
  // Every position takes the next word, counted or not; words past the
  // ninth are ignored.
  for (int p = 1; p <= kPositions && !right.empty(); ++p) {
    const std::size_t start = words.RunEnd(right, 0, true);
    const std::size_t stop = words.RunEnd(right, start, false);
    std::string_view word = right.substr(start, stop - start);
    right.remove_prefix(stop);
    if (!word.empty() && rightUsed_[p - 1] && matchesAny(word, masks, encoding_))
      CountCollocate(pending, word, Side::Right, p, node);
  }
  for (int p = 1; p <= kPositions && !left.empty(); ++p) {
    const std::size_t stop = words.RunStart(left, left.size(), true);
    const std::size_t start = words.RunStart(left, stop, false);
    std::string_view word = left.substr(start, stop - start);
    left = left.substr(0, start);
    if (!word.empty() && leftUsed_[p - 1] && matchesAny(word, masks, encoding_))
      CountCollocate(pending, word, Side::Left, p, node);
  }
}

void CollocTable::BuildCollocTable(std::string_view wordSeparators,
                                   const text::TQStringList& leftContexts,
                                   const text::TQStringList& keywords,
                                   const text::TQStringList& rightContexts,
                                   const std::vector<std::string>& masks,
                                   const text::Collator& collator, text::OperationHost& host) {
  collator_ = &collator;
  std::int32_t n = keywords.GetCount();
  collocList_->SetCapacity(std::min(n, rowLimit_));
  // Exactly the characters of the concordance's word separator field.
  const text::StringWords words(wordSeparators, encoding_);
  std::string previousNode;
  NodeCollocates pending;
  host.progress.Start("Extracting and sorting words");
  try {
    for (std::int32_t i = 1; i <= n; ++i) {
      if (i % 100 == 0) host.progress.SetGauge(static_cast<int>(std::int64_t{i} * 100 / n));
      if (host.progress.Cancelled()) break;
      std::string node = text::lowered(keywords.View(i - 1), encoding_);
      if (node != previousNode) {
        if (!previousNode.empty()) FlushNode(pending);
        previousNode = node;
      }
      pending.StartRow();
      countRow(leftContexts.View(i - 1), rightContexts.View(i - 1), node, words, masks, pending);
    }
    FlushNode(pending);
  } catch (const text::EQListError&) {
    pending.Clear();
    host.ui.ShowError(kListTooLarge);
  } catch (const std::bad_alloc&) {
    pending.Clear();
    host.ui.ShowError(kNotEnoughMemory);
  }
  for (std::int32_t i = 0; i < Count(); ++i) Info(i).Total = Info(i).SumOfCounts();
  host.progress.Finish();
}

std::string CollocTable::CellText(int column, std::int32_t row) const {
  if (column < 0 || column >= ColumnCount()) return {};
  if (column >= kCollocColumns) {
    if (row < 0 || row > Count()) return {};
    return associationCell(column, row == 0 ? nullptr : &Info(row - 1));
  }
  if (row == 0) {
    if (column == 0) return {};
    if (column == kCollocateColumn) return "Collocate";
    if (column == kNodeColumn) return "Node";
    if (column == kTotalColumn) return "Total";
    int p = column < kNodeColumn ? kNodeColumn - column : column - kNodeColumn;
    return std::to_string(p) + ".";
  }
  if (row < 0 || row > Count()) return {};
  const TCollocFreqInfo& info = Info(row - 1);
  if (column == 0) return std::to_string(row) + ".";
  if (column == kCollocateColumn) return info.Collocate;
  if (column == kNodeColumn) return info.Node;
  std::int32_t count = countOfColumn(info, column);
  return count == 0 ? std::string() : std::to_string(count);
}

CollocTable::Alignment CollocTable::ColumnAlignment(int column) {
  if (column == kCollocateColumn) return Alignment::Left;
  if (column == kNodeColumn) return Alignment::Centre;
  return Alignment::Right;
}

int CollocTable::ColumnWidth(int column) const {
  switch (column) {
    case 0:
      return 52;
    case kCollocateColumn:
      return 117;
    case kNodeColumn:
      return 120;
    case kTotalColumn:
      return 47;
    default:
      if (column >= kCollocColumns && column < ColumnCount()) return 64;
      if (column < 0 || column >= kCollocColumns) return 0;
      bool used = column < kNodeColumn ? leftUsed_[kNodeColumn - column - 1]
                                       : rightUsed_[column - kNodeColumn - 1];
      return used ? 35 : 4;
  }
}

void CollocTable::Sort(int column, text::ProgressIndicator& progress) {
  // A table never built has no rows to order.
  if (column < 1 || column >= ColumnCount() || collator_ == nullptr) return;
  progress.Start("Sorting...");
  std::size_t n = static_cast<std::size_t>(Count());
  // Entry texts and the byte-ordered keys that order them like the list
  // comparison does.
  auto entryText = [column](const TCollocFreqInfo& info) {
    if (column == kCollocateColumn) return info.Collocate + " " + info.Node;
    if (column == kNodeColumn || column >= kCollocColumns) return nodeKey(info);
    return text::DescendingNumber(countOfColumn(info, column)) + nodeKey(info);
  };
  // Entry texts are cut to 255 characters: only what they keep orders.
  const text::Encoding encoding = encoding_;
  auto key = [this, column, encoding](std::size_t i) {
    const TCollocFreqInfo& info = Info(static_cast<std::int32_t>(i));
    const auto cut = [encoding](std::string_view s, std::size_t limit = text::kMaxTextLength) {
      return text::keepFirst(s, limit, encoding);
    };
    if (column == kCollocateColumn)
      return collator_->Key(cut(info.Collocate + " " + info.Node), encoding);
    if (column == kNodeColumn) return collator_->Key(cut(nodeKey(info)), encoding);
    if (column >= kCollocColumns)
      return stats::DescendingFigureKey(associationFigure(column, info)) +
             collator_->Key(cut(nodeKey(info)), encoding);
    return text::DescendingPrefix(countOfColumn(info, column)) +
           collator_->Key(cut(nodeKey(info), kNumberedKeyTextLength), encoding);
  };
  std::vector<std::uint32_t> order;
  if (text::OrderRows(n, key, progress, order)) {
    auto sorted = makeList(true, collator_, encoding_);
    sorted->SetCapacity(static_cast<std::int32_t>(n));
    for (std::uint32_t i : order) {
      auto* info =
          static_cast<TCollocFreqInfo*>(collocList_->TakeObject(static_cast<std::int32_t>(i)));
      sorted->Append(entryText(*info), info);
    }
    collocList_ = std::move(sorted);
  }
  progress.Finish();
}

void CollocTable::ClearRows(std::int32_t topRow, std::int32_t bottomRow) {
  std::int32_t count = Count();
  if (count == 0 || topRow < 1 || topRow > count) return;
  std::int32_t last = std::min(bottomRow, count);
  if (last < topRow) return;
  if (last - topRow < 16 || last == count) {
    for (std::int32_t row = last; row >= topRow; --row) collocList_->Delete(row - 1);
    return;
  }
  auto kept = makeList(collocList_->Sorted(), collator_, encoding_);
  kept->SetCapacity(count - (last - topRow + 1));
  for (std::int32_t i = 0; i < count; ++i) {
    if (i >= topRow - 1 && i < last) continue;
    kept->Append(collocList_->View(i), collocList_->TakeObject(i));
  }
  collocList_ = std::move(kept);
}

}  // namespace lexvane::frequency
