#include "text/quick_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::text {
namespace {

// Counts live instances, so tests can see which objects a list destroyed.
class Counted : public ListObject {
 public:
  explicit Counted(int id = 0) : id(id) { ++alive; }
  ~Counted() override { --alive; }
  int id;
  static inline int alive = 0;
};

int idOf(const TQStringList& list, std::int32_t index) {
  return static_cast<Counted*>(list.GetObject(index))->id;
}

std::vector<std::string> contents(const TQStringList& list) {
  std::vector<std::string> result;
  for (std::int32_t i = 0; i < list.GetCount(); ++i) result.push_back(list.Get(i));
  return result;
}

template <typename F>
std::string errorOf(F f) {
  try {
    f();
  } catch (const EQListError& e) {
    return e.what();
  }
  return "no error";
}

class QuickListTest : public ::testing::Test {
 protected:
  void SetUp() override { Counted::alive = 0; }
  void TearDown() override { EXPECT_EQ(Counted::alive, 0) << "objects leaked or destroyed twice"; }
};

using TQListTest = QuickListTest;

TEST_F(TQListTest, CapacityRunsThroughTheGrowthSequence) {
  TQList list;
  std::vector<std::int32_t> capacities;
  for (int i = 0; i < 60; ++i) {
    list.Insert(list.Count(), nullptr);
    if (capacities.empty() || capacities.back() != list.Capacity()) {
      capacities.push_back(list.Capacity());
    }
  }
  EXPECT_EQ(capacities, (std::vector<std::int32_t>{4, 8, 16, 32, 42, 56, 74}));
  EXPECT_EQ(&list.Expand(), &list);
}

TEST_F(TQListTest, IndexAndCapacityLimits) {
  TQList list;
  int a = 1, b = 2, c = 3;
  list.Insert(0, &a);
  list.Insert(1, &c);
  list.Insert(1, &b);
  EXPECT_EQ(list.Get(0), &a);
  EXPECT_EQ(list.Get(1), &b);
  EXPECT_EQ(list.Get(2), &c);
  list.Exchange(0, 2);
  EXPECT_EQ(list.Get(0), &c);
  list.Delete(0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(0), &b);

  const std::string outOfBounds = "List index out of bounds";
  EXPECT_EQ(errorOf([&] { list.Get(2); }), outOfBounds);
  EXPECT_EQ(errorOf([&] { list.Get(-1); }), outOfBounds);
  EXPECT_EQ(errorOf([&] { list.Put(2, nullptr); }), outOfBounds);
  EXPECT_EQ(errorOf([&] { list.Insert(3, nullptr); }), outOfBounds);
  EXPECT_EQ(errorOf([&] { list.Delete(2); }), outOfBounds);
  EXPECT_EQ(errorOf([&] { list.Exchange(0, 2); }), outOfBounds);
  EXPECT_EQ(errorOf([&] { list.SetCapacity(1); }), outOfBounds);
  EXPECT_EQ(errorOf([&] { list.SetCapacity(kMaxListCapacity + 1); }), outOfBounds);
  EXPECT_EQ(errorOf([&] { list.SetCount(-1); }), outOfBounds);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(1), &a);

  list.SetCapacity(100);
  EXPECT_EQ(list.Capacity(), 100);
  EXPECT_EQ(list.Get(1), &a);
  list.SetCount(5);
  EXPECT_EQ(list.Get(4), nullptr);
  list.SetCount(1);
  EXPECT_EQ(list.Count(), 1);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 0);
}

TEST_F(QuickListTest, AcceptedDuplicatesStandInReverseOrderOfAdding) {
  TQStringList list(RootCollator());
  list.SetSorted(true);
  list.SetDuplicates(Duplicates::Accept);
  EXPECT_EQ(list.AddObject("b", new Counted(1)), 0);
  EXPECT_EQ(list.AddObject("a", new Counted(2)), 0);
  EXPECT_EQ(list.AddObject("b", new Counted(3)), 1);
  EXPECT_EQ(contents(list), (std::vector<std::string>{"a", "b", "b"}));
  EXPECT_EQ(idOf(list, 1), 3);
  EXPECT_EQ(idOf(list, 2), 1);
  EXPECT_EQ(list.AddObject("b", new Counted(4)), 1);
  EXPECT_EQ(idOf(list, 1), 4);
  std::int32_t index;
  EXPECT_TRUE(list.Find("b", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("ab", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("c", index));
  EXPECT_EQ(index, 4);
}

TEST_F(QuickListTest, IgnoredDuplicateReturnsPresentIndexAndReplacesTheObject) {
  TQStringList list(RootCollator());
  list.SetSorted(true);
  list.AddObject("walk", new Counted(1));
  list.AddObject("house", new Counted(2));
  EXPECT_EQ(list.Add("walk"), 1);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(idOf(list, 1), 1);
  // The replaced object is destroyed (the fixture checks that nothing leaks).
  EXPECT_EQ(list.AddObject("walk", new Counted(3)), 1);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(idOf(list, 1), 3);
  EXPECT_EQ(Counted::alive, 2);
  // Handing in the object already attached keeps it.
  ListObject* same = list.GetObject(1);
  EXPECT_EQ(list.AddObject("walk", same), 1);
  EXPECT_EQ(list.GetObject(1), same);
  EXPECT_EQ(Counted::alive, 2);
}

TEST_F(QuickListTest, RefusedDuplicateRaisesAndLeavesTheListUnchanged) {
  TQStringList list(RootCollator());
  list.SetSorted(true);
  list.SetDuplicates(Duplicates::Error);
  list.AddObject("x", new Counted(1));
  EXPECT_EQ(errorOf([&] { list.Add("x"); }), "String list does not allow duplicates");
  EXPECT_EQ(errorOf([&] { list.AddObject("x", new Counted(2)); }),
            "String list does not allow duplicates");
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(idOf(list, 0), 1);
  EXPECT_EQ(list.Add("X"), 1);  // another case is another string
}

TEST_F(QuickListTest, SortedListRefusesPutAndInsertButAllowsExchange) {
  TQStringList list(RootCollator());
  list.Add("b");
  list.Add("a");
  list.SetSorted(true);
  const std::string sortedError = "Operation not allowed on sorted string list";
  EXPECT_EQ(errorOf([&] { list.Put(0, "z"); }), sortedError);
  EXPECT_EQ(errorOf([&] { list.Insert(0, "z"); }), sortedError);
  list.Exchange(0, 1);
  EXPECT_EQ(contents(list), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(errorOf([&] { list.Get(2); }), "List index out of bounds");
  EXPECT_EQ(errorOf([&] { list.View(-1); }), "List index out of bounds");
  EXPECT_EQ(errorOf([&] { list.Exchange(0, 2); }), "List index out of bounds");
}

TEST_F(QuickListTest, UnsortedEditingKeepsObjects) {
  TQStringList list(RootCollator());
  list.Add("one");
  list.Insert(0, "zero");
  list.Insert(2, "two");
  EXPECT_EQ(errorOf([&] { list.Insert(4, "four"); }), "List index out of bounds");
  list.PutObject(1, new Counted(7));
  list.Put(1, "uno");
  EXPECT_EQ(contents(list), (std::vector<std::string>{"zero", "uno", "two"}));
  EXPECT_EQ(idOf(list, 1), 7);
  EXPECT_EQ(list.IndexOf("two"), 2);
  EXPECT_EQ(list.IndexOf("Two"), -1);
  EXPECT_EQ(list.View(0), "zero");
  ListObject* taken = list.TakeObject(1);
  EXPECT_EQ(list.GetObject(1), nullptr);
  delete taken;
  // PutObject does not destroy the object it replaces.
  Counted kept(9);
  list.PutObject(0, &kept);
  list.PutObject(0, nullptr);
  EXPECT_EQ(Counted::alive, 1);
}

TEST_F(QuickListTest, ReorderMovesEntriesWithTheirObjectsAndRefusesAnythingButAPermutation) {
  {
    TQStringList list(RootCollator());
    for (int i = 0; i < 4; ++i) list.AddObject("w" + std::to_string(i), new Counted(i));
    list.Reorder({2, 0, 3, 1});
    EXPECT_EQ(contents(list), (std::vector<std::string>{"w2", "w0", "w3", "w1"}));
    EXPECT_EQ(idOf(list, 0), 2);
    EXPECT_EQ(idOf(list, 3), 1);
    // A repeated or missing row would leave an entry owned twice or lost.
    EXPECT_EQ(errorOf([&] { list.Reorder({0, 0, 1, 2}); }), "List index out of bounds");
    EXPECT_EQ(errorOf([&] { list.Reorder({0, 1, 2}); }), "List index out of bounds");
    EXPECT_EQ(errorOf([&] { list.Reorder({0, 1, 2, 4}); }), "List index out of bounds");
    EXPECT_EQ(contents(list), (std::vector<std::string>{"w2", "w0", "w3", "w1"}));
    EXPECT_EQ(Counted::alive, 4);
  }
  EXPECT_EQ(Counted::alive, 0);
}

TEST_F(QuickListTest, DeleteClearAndDestructionDestroyObjects) {
  {
    TQStringList list(RootCollator());
    for (int i = 0; i < 5; ++i) list.AddObject("w" + std::to_string(i), new Counted(i));
    list.Add("no object");
    list.Delete(1);
    EXPECT_EQ(Counted::alive, 4);
    EXPECT_EQ(list.Get(1), "w2");
    list.Clear();
    EXPECT_EQ(Counted::alive, 0);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    list.AddObject("again", new Counted());
    list.Append("appended", new Counted());
  }
  EXPECT_EQ(Counted::alive, 0);
}

TEST_F(QuickListTest, LongStringsAreCutTo255) {
  TQStringList list(RootCollator());
  list.SetSorted(true);
  const std::string longText = std::string(255, 'a') + "tail";
  list.Add(longText);
  EXPECT_EQ(list.Get(0), std::string(255, 'a'));
  EXPECT_EQ(list.IndexOf(longText), 0);
  EXPECT_EQ(list.Add(std::string(255, 'a') + "other"), 0);  // same once cut: ignored
  EXPECT_EQ(list.GetCount(), 1);
  list.Add("");
  EXPECT_EQ(list.Get(0), "");
  EXPECT_EQ(list.IndexOf(""), 0);
}

TEST_F(QuickListTest, CapacityGrowsFromZeroWhileAdding) {
  TQStringList list(RootCollator());
  list.SetSorted(true);
  std::vector<std::int32_t> capacities;
  for (int i = 0; i < 50; ++i) {
    list.Add("w" + std::to_string(i));
    if (capacities.empty() || capacities.back() != list.Capacity()) {
      capacities.push_back(list.Capacity());
    }
  }
  EXPECT_EQ(capacities, (std::vector<std::int32_t>{4, 8, 16, 32, 42, 56}));
  list.SetCapacity(1000);
  EXPECT_EQ(list.Capacity(), 1000);
  EXPECT_EQ(errorOf([&] { list.SetCapacity(10); }), "List index out of bounds");
}

TEST_F(QuickListTest, SetSortedSortsAThousandEntriesAndUnsettingKeepsTheOrder) {
  std::mt19937 random(3);
  const std::string letters = "aAbBcC\xE9\xC9-' ";
  std::vector<std::string> words;
  TQStringList list(RootCollator());
  for (int i = 0; i < 1000; ++i) {
    std::string w;
    for (int k = 0, n = 1 + random() % 5; k < n; ++k) w += letters[random() % letters.size()];
    words.push_back(w);
    list.AddObject(w, new Counted(i));
  }
  list.SetSorted(true);
  EXPECT_TRUE(list.Sorted());
  std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
    return RootCollator().Compare(a, b) < 0;
  });
  EXPECT_EQ(contents(list), words);
  for (std::int32_t i = 0; i < list.GetCount(); ++i) {
    const std::int32_t found = list.IndexOf(list.View(i));  // one of the equal entries
    ASSERT_GE(found, 0);
    ASSERT_EQ(list.View(found), list.View(i));
  }
  list.Exchange(0, 999);
  list.SetSorted(false);
  EXPECT_EQ(list.Get(0), words[999]);
  list.Sort();  // sorts again because the flag is off
  EXPECT_EQ(contents(list), words);
  std::int32_t index;
  for (const std::string& w : words) {
    ASSERT_TRUE(list.Find(w, index));
    ASSERT_EQ(list.Get(index), w);
  }
}

TEST_F(QuickListTest, SortUsesTheMiddleRecordAsPivotAndIsNotStable) {
  // Equal strings cannot exist with the byte tie-break, so instability shows
  // only through objects: a list of one repeated string with ids 0..4.
  TQStringList list(RootCollator());
  for (int i = 0; i < 5; ++i) list.AddObject("same", new Counted(i));
  list.Sort();
  // Pivot is entry 2; every entry equals it, so the partition swaps 0<->4 and
  // 1<->3 and leaves 2 alone; the two-element ranges 0..1 and 3..4 then swap.
  std::vector<int> ids;
  for (int i = 0; i < 5; ++i) ids.push_back(idOf(list, i));
  EXPECT_EQ(ids, (std::vector<int>{3, 4, 2, 0, 1}));
}

TEST_F(QuickListTest, AppendAddsAtTheEndWithoutSearching) {
  TQStringList list(RootCollator());
  list.SetSorted(true);
  list.SetCapacity(3);
  list.Append("c", new Counted(1));
  list.Append("a", new Counted(2));
  EXPECT_EQ(contents(list), (std::vector<std::string>{"c", "a"}));
  EXPECT_EQ(idOf(list, 1), 2);
}

TEST_F(QuickListTest, Utf8ListsKeep255CharactersAndSortDecodedText) {
  TQStringList list(Encoding::Utf8);
  std::string greek;
  for (int i = 0; i < 300; ++i) greek += "\u03C9";  // 2 bytes each
  list.Add(greek + "\u20AC");
  EXPECT_EQ(list.View(0), greek.substr(0, 510));
  EXPECT_EQ(list.IndexOf(greek), 0);
  // Decoded, "é" sorts between "e" and "f"; as bytes it would come last.
  TQStringList sorted(RootCollator(), Encoding::Utf8);
  sorted.SetSorted(true);
  for (const char* word : {"f", "\u00E9", "e"}) sorted.Add(word);
  EXPECT_EQ(contents(sorted), (std::vector<std::string>{"e", "\u00E9", "f"}));
}

// A list made without a collator is never sorted: asking it to sort is a
// fault of the caller, reported before any entry moves.
TEST_F(QuickListTest, AListWithoutACollatorRefusesToSort) {
  TQStringList list;
  list.Add("b");
  list.Add("a");
  EXPECT_THROW(list.SetSorted(true), Error);
  EXPECT_THROW(list.Sort(), Error);
  EXPECT_FALSE(list.Sorted());
  EXPECT_EQ(contents(list), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(list.IndexOf("a"), 1);  // the unsorted search needs no collator
}

// Two lists of one process, each ordered by its own locale's collator.
TEST_F(QuickListTest, EachListSortsWithTheCollatorItWasGiven) {
  const Collator swedish("sv");
  TQStringList rootList(RootCollator()), swedishList(swedish);
  for (TQStringList* list : {&rootList, &swedishList}) {
    list->SetSorted(true);
    for (const char* word : {"\xF6l", "zebra", "ost"}) list->Add(word);
  }
  EXPECT_EQ(contents(rootList), (std::vector<std::string>{"\xF6l", "ost", "zebra"}));
  EXPECT_EQ(contents(swedishList), (std::vector<std::string>{"ost", "zebra", "\xF6l"}));
}

}  // namespace
}  // namespace lexvane::text
