// The containers of every large table: TQList, a growable array of pointers,
// and TQStringList, short strings (at most 255 characters) each carrying one
// attached object, optionally kept sorted. Any caller may use them; they are
// not thread-safe.
//
// Ownership: a TQStringList owns the objects attached to its entries and
// destroys them with the entry (Delete, Clear, destruction). PutObject does
// not destroy the object it replaces. Text longer than 255 characters given
// to a list is cut to its first 255 (also for Find and IndexOf). A list holds
// text of one encoding, Windows-1252 unless told otherwise: it cuts and
// compares the characters of that encoding. A list that sorts or searches in
// order is given the collator it compares with, which must outlive it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/encoding.h"
#include "text/error.h"

namespace lexvane::text {

class Collator;

// Raised for an index out of range, a bad capacity, a Put or Insert on a
// sorted list and a duplicate refused by Duplicates::Error.
class EQListError : public Error {
 public:
  explicit EQListError(const std::string& message) : Error(message) {}
};

// Base of every object a TQStringList can own.
class ListObject {
 public:
  virtual ~ListObject() = default;
};

inline constexpr std::int32_t kMaxListCapacity = 536870911;  // 0x1FFFFFFF

class TQList {
 public:
  TQList() = default;
  TQList(const TQList&) = delete;
  TQList& operator=(const TQList&) = delete;
  virtual ~TQList();

 public:  // queries
  void* Get(std::int32_t index) const;
  std::int32_t Count() const { return count_; }
  std::int32_t Capacity() const { return capacity_; }

 public:  // commands
  void Put(std::int32_t index, void* item);
  // Grows first when the list is full; later entries move up by one.
  void Insert(std::int32_t index, void* item);
  void Delete(std::int32_t index);
  void Exchange(std::int32_t index1, std::int32_t index2);
  // Puts the item at index order[k] in place k: `order` must be a
  // permutation of 0 .. Count() - 1 (else EQListError, the list unchanged).
  void Reorder(const std::vector<std::int32_t>& order);
  // Grows when count = capacity; returns the list itself.
  TQList& Expand();
  void SetCapacity(std::int32_t capacity);
  void SetCount(std::int32_t count);
  void Clear();

 protected:
  // Raises EQListError "List index out of bounds".
  [[noreturn]] virtual void Error();
  // Capacities run 4, 8, 16, 32, 42, 56, 74, ...
  virtual void Grow();

 private:
  void** items_ = nullptr;
  std::int32_t count_ = 0;
  std::int32_t capacity_ = 0;
};

enum class Duplicates { Ignore = 0, Accept = 1, Error = 2 };

class TQStringList {
 public:
  // A list that is never sorted: SetSorted(true) and Sort() raise Error.
  explicit TQStringList(Encoding encoding = Encoding::Windows1252);
  // A list that orders its text with `collator`.
  explicit TQStringList(const Collator& collator, Encoding encoding = Encoding::Windows1252);
  TQStringList(const TQStringList&) = delete;
  TQStringList& operator=(const TQStringList&) = delete;
  virtual ~TQStringList();

 public:  // queries
  virtual std::string Get(std::int32_t index) const;
  // The entry's text without a copy; valid until the entry changes.
  std::string_view View(std::int32_t index) const;
  virtual std::int32_t GetCount() const;
  virtual ListObject* GetObject(std::int32_t index) const;
  // Binary search; meaningful only when Sorted. With Duplicates::Accept the
  // index is the first of the equal entries, so a string added again goes in
  // front of its equals: equal strings stand in the reverse order of adding.
  virtual bool Find(std::string_view s, std::int32_t& index) const;
  virtual std::int32_t IndexOf(std::string_view s) const;
  bool Sorted() const { return sorted_; }
  enum Duplicates Duplicates() const { return duplicates_; }
  std::int32_t Capacity() const;
  Encoding TextEncoding() const { return encoding_; }

 public:  // commands
  virtual void Put(std::int32_t index, std::string_view s);
  virtual void PutObject(std::int32_t index, ListObject* object);
  virtual std::int32_t Add(std::string_view s);
  // Takes ownership of object. When an Ignore'd duplicate makes it replace the
  // found entry's object, the replaced object is destroyed (the list owned it
  // and nobody else can). When the string is refused (Duplicates::Error) the
  // object is destroyed before the error propagates.
  virtual std::int32_t AddObject(std::string_view s, ListObject* object);
  virtual void Clear();
  virtual void Delete(std::int32_t index);
  virtual void Exchange(std::int32_t index1, std::int32_t index2);
  // Moves entry order[k] (text and object) to place k without copying it;
  // `order` must be a permutation of 0 .. GetCount() - 1. The caller keeps
  // a sorted list's order.
  void Reorder(const std::vector<std::int32_t>& order) { list_.Reorder(order); }
  virtual void Insert(std::int32_t index, std::string_view s);
  virtual void Sort();
  void SetSorted(bool sorted);
  void SetDuplicates(enum Duplicates duplicates) { duplicates_ = duplicates; }
  void SetCapacity(std::int32_t capacity);

  // Appends an entry at the end without searching, also in a sorted list: for
  // callers that computed the order themselves (bulk building). Takes
  // ownership of object (null allowed), also when it fails.
  void Append(std::string_view s, ListObject* object);
  // Hands the entry's object to the caller and leaves null in its place.
  ListObject* TakeObject(std::int32_t index);
  // A hint that entry `index` (0 <= index < count) is read soon: fetches it
  // into the cache, for passes over the entries in an order of their own.
  void Prefetch(std::int32_t index) const { __builtin_prefetch(list_.Get(index)); }

 private:
  struct Entry;
  Entry* entryAt(std::int32_t index) const;
  Entry* makeEntry(std::string_view s, ListObject* object) const;
  // s cut to its first 255 characters.
  std::string_view cut(std::string_view s) const;
  int compare(std::string_view a, std::string_view b) const;
  static void destroyEntry(Entry* entry);
  void quickSort(std::int32_t first, std::int32_t last);

  TQList list_;
  bool sorted_ = false;
  enum Duplicates duplicates_ = Duplicates::Ignore;
  Encoding encoding_;
  const Collator* collator_ = nullptr;
};

}  // namespace lexvane::text
