#include "concordance/concordance_table.h"

namespace lexvane::concordance {

ConcordanceTable::ConcordanceTable() {
  ResetLists(0);
}

const TOneWordInfo& ConcordanceTable::Info(std::int32_t row) const {
  return *static_cast<const TOneWordInfo*>(Keywords().GetObject(row));
}

const std::string& ConcordanceTable::PathOf(std::int32_t row) const {
  return CorpusFiles.at(static_cast<std::size_t>(Info(row).FileIndex));
}

bool ConcordanceTable::SameSentence(std::int32_t a, std::int32_t b) const {
  const TOneWordInfo& x = Info(a);
  const TOneWordInfo& y = Info(b);
  return x.FileIndex == y.FileIndex && x.SentenceNo == y.SentenceNo;
}

void ConcordanceTable::DeleteRow(std::int32_t row) {
  for (auto& list : lists_) list->Delete(row);
}

void ConcordanceTable::ResetLists(std::int32_t capacity) {
  for (auto& list : lists_) {
    list = std::make_unique<text::TQStringList>(TextEncoding);
    list->SetCapacity(capacity);
  }
}

void ConcordanceTable::Reorder(const std::vector<std::int32_t>& order) {
  if (static_cast<std::int32_t>(order.size()) == RowCount()) {
    // Every row stays: the entries move, no text is copied.
    for (auto& list : lists_) {
      list->Reorder(order);
      list->SetCapacity(static_cast<std::int32_t>(order.size()));
    }
    return;
  }
  for (auto& list : lists_) {
    auto fresh = std::make_unique<text::TQStringList>(list->TextEncoding());
    fresh->SetCapacity(static_cast<std::int32_t>(order.size()));
    for (const std::int32_t old : order) fresh->Append(list->View(old), list->TakeObject(old));
    list = std::move(fresh);
  }
}

}  // namespace lexvane::concordance
