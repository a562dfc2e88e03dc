// TQList and TQStringList: pointer arrays and short-string lists with owned
// objects. Entries of a TQStringList are single blocks (object pointer, length
// byte, characters) moved by pointer only.
#include "text/quick_list.h"

#include <vector>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "text/collation.h"
#include "text/encoding.h"

namespace lexvane::text {

namespace {

const char kIndexError[] = "List index out of bounds";
const char kSortedError[] = "Operation not allowed on sorted string list";
const char kDuplicateError[] = "String list does not allow duplicates";

}  // namespace

// ---------------------------------------------------------------- TQList

TQList::~TQList() {
  Clear();
}

void* TQList::Get(std::int32_t index) const {
  if (index < 0 || index >= count_) const_cast<TQList*>(this)->Error();
  return items_[index];
}

void TQList::Put(std::int32_t index, void* item) {
  if (index < 0 || index >= count_) Error();
  items_[index] = item;
}

void TQList::Insert(std::int32_t index, void* item) {
  if (index < 0 || index > count_) Error();
  if (count_ == capacity_) Grow();
  if (index < count_) {
    std::memmove(items_ + index + 1, items_ + index,
                 static_cast<std::size_t>(count_ - index) * sizeof(void*));
  }
  items_[index] = item;
  ++count_;
}

void TQList::Delete(std::int32_t index) {
  if (index < 0 || index >= count_) Error();
  --count_;
  if (index < count_) {
    std::memmove(items_ + index, items_ + index + 1,
                 static_cast<std::size_t>(count_ - index) * sizeof(void*));
  }
}

void TQList::Exchange(std::int32_t index1, std::int32_t index2) {
  if (index1 < 0 || index1 >= count_ || index2 < 0 || index2 >= count_) Error();
  std::swap(items_[index1], items_[index2]);
}

void TQList::Reorder(const std::vector<std::int32_t>& order) {
  if (order.size() != static_cast<std::size_t>(count_)) Error();
  std::vector<void*> items(order.size());
  std::vector<bool> taken(order.size(), false);
  for (std::size_t k = 0; k < order.size(); ++k) {
    const std::int32_t from = order[k];
    if (from < 0 || from >= count_ || taken[static_cast<std::size_t>(from)]) Error();
    taken[static_cast<std::size_t>(from)] = true;
    items[k] = items_[from];
  }
  std::copy(items.begin(), items.end(), items_);
}

TQList& TQList::Expand() {
  if (count_ == capacity_) Grow();
  return *this;
}

void TQList::SetCapacity(std::int32_t capacity) {
  if (capacity < count_ || capacity > kMaxListCapacity) Error();
  if (capacity == capacity_) return;
  void** items = capacity > 0 ? new void*[static_cast<std::size_t>(capacity)] : nullptr;
  if (count_ > 0) std::memcpy(items, items_, static_cast<std::size_t>(count_) * sizeof(void*));
  delete[] items_;
  items_ = items;
  capacity_ = capacity;
}

void TQList::SetCount(std::int32_t count) {
  if (count < 0 || count > kMaxListCapacity) Error();
  if (count > capacity_) SetCapacity(count);
  if (count > count_) {
    std::fill(items_ + count_, items_ + count, nullptr);
  }
  count_ = count;
}

void TQList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

void TQList::Error() {
  throw EQListError(kIndexError);
}

void TQList::Grow() {
  std::int32_t delta;
  if (capacity_ > 16) {
    delta = capacity_ / 3;
  } else if (capacity_ > 8) {
    delta = 16;
  } else if (capacity_ > 4) {
    delta = 8;
  } else {
    delta = 4;
  }
  SetCapacity(capacity_ + delta);
}

// ---------------------------------------------------------- TQStringList

// One block of kHeader + length bytes: the object pointer (unaligned copy),
// the length in two bytes (255 UTF-8 characters take up to 1020), then the
// text.
struct TQStringList::Entry {
  static constexpr std::size_t kLengthAt = sizeof(ListObject*);
  static constexpr std::size_t kHeader = kLengthAt + 2;

  unsigned char header[kHeader];

  ListObject* object() const {
    ListObject* object;
    std::memcpy(&object, header, sizeof object);
    return object;
  }
  void setObject(ListObject* object) { std::memcpy(header, &object, sizeof object); }
  std::string_view text() const {
    return {reinterpret_cast<const char*>(this) + kHeader,
            static_cast<std::size_t>(header[kLengthAt] | header[kLengthAt + 1] << 8)};
  }
};

TQStringList::TQStringList(Encoding encoding) : encoding_(encoding) {}

TQStringList::TQStringList(const Collator& collator, Encoding encoding)
    : encoding_(encoding), collator_(&collator) {}

std::string_view TQStringList::cut(std::string_view s) const {
  return s.substr(0, prefixBytes(s, kMaxTextLength, encoding_));
}

int TQStringList::compare(std::string_view a, std::string_view b) const {
  if (collator_ == nullptr) throw Error("The list has no collator to order its text with");
  return IsUtf8(encoding_) ? collator_->Compare(a, b, encoding_) : collator_->Compare(a, b);
}

TQStringList::~TQStringList() {
  Clear();
}

TQStringList::Entry* TQStringList::entryAt(std::int32_t index) const {
  return static_cast<Entry*>(list_.Get(index));
}

TQStringList::Entry* TQStringList::makeEntry(std::string_view s, ListObject* object) const {
  s = cut(s);
  void* block = ::operator new(Entry::kHeader + s.size());
  auto* entry = static_cast<Entry*>(block);
  entry->setObject(object);
  entry->header[Entry::kLengthAt] = static_cast<unsigned char>(s.size() & 0xFF);
  entry->header[Entry::kLengthAt + 1] = static_cast<unsigned char>(s.size() >> 8);
  std::memcpy(static_cast<char*>(block) + Entry::kHeader, s.data(), s.size());
  return entry;
}

void TQStringList::destroyEntry(Entry* entry) {
  delete entry->object();
  ::operator delete(static_cast<void*>(entry));
}

std::string TQStringList::Get(std::int32_t index) const {
  return std::string(entryAt(index)->text());
}

std::string_view TQStringList::View(std::int32_t index) const {
  return entryAt(index)->text();
}

std::int32_t TQStringList::GetCount() const {
  return list_.Count();
}

ListObject* TQStringList::GetObject(std::int32_t index) const {
  return entryAt(index)->object();
}

bool TQStringList::Find(std::string_view s, std::int32_t& index) const {
  s = cut(s);
  std::int32_t lo = 0;
  std::int32_t hi = list_.Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const std::int32_t mid = lo + (hi - lo) / 2;
    const int order = compare(entryAt(mid)->text(), s);
    if (order < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (order == 0) {
        found = true;
        if (duplicates_ != Duplicates::Accept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

std::int32_t TQStringList::IndexOf(std::string_view s) const {
  s = cut(s);
  if (sorted_) {
    std::int32_t index;
    return Find(s, index) ? index : -1;
  }
  // The collator's comparison is 0 exactly for identical bytes.
  for (std::int32_t i = 0; i < list_.Count(); ++i) {
    if (entryAt(i)->text() == s) return i;
  }
  return -1;
}

std::int32_t TQStringList::Capacity() const {
  return list_.Capacity();
}

void TQStringList::Put(std::int32_t index, std::string_view s) {
  if (sorted_) throw EQListError(kSortedError);
  Entry* old = entryAt(index);
  list_.Put(index, makeEntry(s, old->object()));
  ::operator delete(static_cast<void*>(old));
}

void TQStringList::PutObject(std::int32_t index, ListObject* object) {
  entryAt(index)->setObject(object);
}

std::int32_t TQStringList::Add(std::string_view s) {
  std::int32_t index = list_.Count();
  if (sorted_ && Find(s, index)) {
    if (duplicates_ == Duplicates::Ignore) return index;
    if (duplicates_ == Duplicates::Error) throw EQListError(kDuplicateError);
  }
  list_.Expand();
  list_.Insert(index, makeEntry(s, nullptr));
  return index;
}

std::int32_t TQStringList::AddObject(std::string_view s, ListObject* object) {
  const std::int32_t countBefore = list_.Count();
  std::int32_t index;
  try {
    index = Add(s);
  } catch (...) {
    delete object;  // the caller handed it over
    throw;
  }
  if (list_.Count() == countBefore) {
    // An ignored duplicate: the new object takes the place of the present one,
    // which nobody else owns.
    ListObject* replaced = entryAt(index)->object();
    if (replaced != object) delete replaced;
  }
  PutObject(index, object);
  return index;
}

void TQStringList::Clear() {
  for (std::int32_t i = 0; i < list_.Count(); ++i) destroyEntry(entryAt(i));
  list_.Clear();
}

void TQStringList::Delete(std::int32_t index) {
  Entry* entry = entryAt(index);
  list_.Delete(index);
  destroyEntry(entry);
}

void TQStringList::Exchange(std::int32_t index1, std::int32_t index2) {
  list_.Exchange(index1, index2);
}

void TQStringList::Insert(std::int32_t index, std::string_view s) {
  if (sorted_) throw EQListError(kSortedError);
  if (index < 0 || index > list_.Count()) throw EQListError(kIndexError);
  list_.Expand();
  list_.Insert(index, makeEntry(s, nullptr));
}

void TQStringList::Sort() {
  if (!sorted_ && list_.Count() > 1) quickSort(0, list_.Count() - 1);
}

// Hoare partitioning around the middle record. Recursing into the smaller
// part and looping on the larger keeps the stack shallow; the parts are
// disjoint, so the result is that of plain recursion.
void TQStringList::quickSort(std::int32_t first, std::int32_t last) {
  while (first < last) {
    const Entry* pivot = entryAt(first + (last - first) / 2);
    const std::string_view pivotText = pivot->text();
    std::int32_t i = first;
    std::int32_t j = last;
    do {
      while (compare(entryAt(i)->text(), pivotText) < 0) ++i;
      while (compare(entryAt(j)->text(), pivotText) > 0) --j;
      if (i <= j) {
        list_.Exchange(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - first < last - i) {
      if (first < j) quickSort(first, j);
      first = i;
    } else {
      if (i < last) quickSort(i, last);
      last = j;
    }
  }
}

void TQStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted && collator_ == nullptr)
    throw Error("The list has no collator to order its text with");
  if (sorted) Sort();
  sorted_ = sorted;
}

void TQStringList::SetCapacity(std::int32_t capacity) {
  list_.SetCapacity(capacity);
}

void TQStringList::Append(std::string_view s, ListObject* object) {
  try {
    list_.Expand();
    list_.Insert(list_.Count(), makeEntry(s, object));
  } catch (...) {
    delete object;
    throw;
  }
}

ListObject* TQStringList::TakeObject(std::int32_t index) {
  Entry* entry = entryAt(index);
  ListObject* object = entry->object();
  entry->setObject(nullptr);
  return object;
}

}  // namespace lexvane::text
