// The word list's sorts order by numbers where they can (frequencies and the
// words' ranks, which move with the rows) instead of comparing words through
// the collator. These tests hold every sort to the list comparison itself:
// the rows inserted one by one, in their order before the sort, into a
// sorted quick list that accepts duplicates.
#include <algorithm>
#include <map>
#include <random>

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "core/frequency/fakes.h"
#include "core/text/twin_prose.h"
#include "frequency/word_frequency_list.h"
#include "text/collation.h"
#include "text/key_order.h"
#include "tools/root_collator.h"

namespace lexvane::frequency {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using testing::Host;

class WordRow : public text::ListObject {
 public:
  explicit WordRow(std::string w) : word(std::move(w)) {}
  std::string word;
};

std::vector<std::string> wordsOf(const WordFrequencyList& list) {
  std::vector<std::string> words;
  for (std::int32_t i = 0; i < list.Count(); ++i) words.push_back(list.Info(i).Word);
  return words;
}

// The order the comparator gives: each row's entry text after the sort,
// inserted in the row order `before`.
std::vector<std::string> comparatorOrder(const WordFrequencyList& sorted,
                                         const std::vector<std::string>& before) {
  std::map<std::string, std::string> entryOf;
  for (std::int32_t i = 0; i < sorted.Count(); ++i)
    entryOf[sorted.Info(i).Word] = sorted.WordList().Get(i);
  text::TQStringList reference(RootCollator(), sorted.TextEncoding());
  reference.SetDuplicates(text::Duplicates::Accept);
  reference.SetSorted(true);
  for (const std::string& word : before) reference.AddObject(entryOf.at(word), new WordRow(word));
  std::vector<std::string> words;
  for (std::int32_t i = 0; i < reference.GetCount(); ++i)
    words.push_back(static_cast<WordRow*>(reference.GetObject(i))->word);
  return words;
}

// Case variants, accents and ligatures, each spelling several times so that
// frequencies tie, written in UTF-8 (the Windows-1252 corpus gets its twin).
std::string variantWords() {
  const char* const words[] = {"élève",   "Élève",  "eleve",  "Eleve", "ÉLÈVE", "Straße", "strasse",
                               "STRASSE", "Ärger",  "arger",  "Arger", "año",   "ano",    "Año",
                               "œuvre",   "Œuvre",  "oeuvre", "naïve", "naive", "Naïve",  "résumé",
                               "resume",  "Resume", "RÉSUMÉ", "côte",  "coté",  "côté",   "cote"};
  std::string text;
  int round = 0;
  for (const char* word : words) {
    for (int k = 0; k <= round % 3; ++k) text += std::string(word) + " ";
    ++round;
  }
  return text;
}

class WordSortOrderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.IgnoreCapital = false;  // case variants stay types of their own
  }

  void build(const std::string& text, text::Encoding encoding) {
    writeBytes(folder / "a.txt", text);
    settings.Files.Clear();
    settings.Files.Add(folder / "a.txt", RootCollator());
    settings.TotalBytes = static_cast<std::int64_t>(text.size());
    settings.TextEncoding = encoding;
    auto operation = host.operation();
    list.Build(settings, operation);
  }

  // Sorts and checks the result against the comparator.
  void sortAndCompare(int mode) {
    const std::vector<std::string> before = wordsOf(list);
    list.SortWordList(mode, SortCaption(mode), host.progress);
    ASSERT_EQ(list.Count(), static_cast<std::int32_t>(before.size()));
    EXPECT_EQ(wordsOf(list), comparatorOrder(list, before)) << "mode " << mode;
  }

  // Every change of mode, and every mode twice (ties reverse).
  void everySequence() {
    for (int mode :
         {kSortByFrequency, kSortAlphabetical, kSortRetrograde, kSortByFrequency, kSortByFrequency,
          kSortByWordClass, kSortByFrequency, kSortAlphabetical, kSortAlphabetical, kSortRetrograde,
          kSortAlphabetical, kSortByWordClass, kSortAlphabetical})
      ASSERT_NO_FATAL_FAILURE(sortAndCompare(mode));
  }

  TempFolder folder;
  corpus::CorpusSettings settings;
  Host host;
  WordFrequencyList list{RootCollator()};
};

TEST_F(WordSortOrderTest, ProseAndVariantsSortAsTheComparatorInWindows1252AndUtf8) {
  std::string utf8;
  for (const std::string& prose : lexvane::testing::TwinProseUtf8()) utf8 += prose + "\r\n";
  utf8 += variantWords();
  build(lexvane::testing::Windows1252Of(utf8), text::Encoding::Windows1252);
  ASSERT_GT(list.Count(), 300);
  everySequence();

  // UTF-8 adds letters Windows-1252 lacks.
  utf8 += " Ελλάδα ελλάδα Ελλαδα αλφάβητο Αλφάβητο łódź Łódź lodz Çağrı çağrı cagri ";
  build(utf8, text::Encoding::Utf8);
  everySequence();
}

TEST_F(WordSortOrderTest, RanksFollowTheRowsThroughClearsAndKeyedSorts) {
  build(lexvane::testing::Windows1252Of(variantWords()) + testing::distinctWords(400),
        text::Encoding::Windows1252);
  // From a keyed order, then from the ranks it left, with rows removed.
  ASSERT_NO_FATAL_FAILURE(sortAndCompare(kSortRetrograde));
  ASSERT_NO_FATAL_FAILURE(sortAndCompare(kSortByFrequency));
  list.ClearRows(5, 120);
  ASSERT_NO_FATAL_FAILURE(sortAndCompare(kSortAlphabetical));
  list.ClearRows(1, 3);
  ASSERT_NO_FATAL_FAILURE(sortAndCompare(kSortByFrequency));
  ASSERT_NO_FATAL_FAILURE(sortAndCompare(kSortByWordClass));
  ASSERT_NO_FATAL_FAILURE(sortAndCompare(kSortByFrequency));
}

TEST_F(WordSortOrderTest, WordsBeyondTheFrequencyKeysCutSortAsTheComparator) {
  // Equal in their first 243 characters: the cut entry texts tie.
  const std::string stem(250, 'w');
  build(stem + "B " + stem + "a " + stem + "A x x " + stem + "b y", text::Encoding::Windows1252);
  everySequence();
}

TEST_F(WordSortOrderTest, ACancelledSortFromRanksKeepsTheRows) {
  build(testing::distinctWords(300) + testing::distinctWords(120), text::Encoding::Windows1252);
  const std::vector<std::string> before = wordsOf(list);
  host.progress.cancelAtGauge = 2;
  list.SortWordList(kSortByFrequency, SortCaption(kSortByFrequency), host.progress);
  EXPECT_EQ(wordsOf(list), before);
  host.progress.cancelAtGauge = -1;
  ASSERT_NO_FATAL_FAILURE(sortAndCompare(kSortByFrequency));
}

TEST(OrderByNumbersTest, ManyRowsWithTiesOrderAsOneSortWithLaterRowsFirst) {
  std::mt19937 random(19);
  std::vector<text::NumberKey> keys(250000);
  for (std::uint32_t i = 0; i < keys.size(); ++i)
    keys[i] = {random() % 50, static_cast<std::uint32_t>(random() % 1000), i};
  std::vector<text::NumberKey> expected = keys;
  std::stable_sort(expected.begin(), expected.end(),
                   [](const text::NumberKey& a, const text::NumberKey& b) {
                     return a.first != b.first ? a.first < b.first : a.second < b.second;
                   });
  // Within a run of equal numbers, the later rows first.
  for (std::size_t k = 0; k < expected.size();) {
    std::size_t end = k;
    while (end < expected.size() && expected[end].first == expected[k].first &&
           expected[end].second == expected[k].second)
      ++end;
    std::reverse(expected.begin() + static_cast<std::ptrdiff_t>(k),
                 expected.begin() + static_cast<std::ptrdiff_t>(end));
    k = end;
  }
  const std::vector<std::uint32_t> order = text::OrderByNumbers(keys);
  ASSERT_EQ(order.size(), expected.size());
  for (std::size_t k = 0; k < order.size(); ++k) ASSERT_EQ(order[k], expected[k].index) << k;
}

TEST(RanksOfTest, EqualKeysShareTheirRank) {
  text::KeyArena keys;
  for (const char* key : {"b", "a", "c", "a", "b"}) keys.Add(key);
  EXPECT_EQ(text::RanksOf(keys), (std::vector<std::uint32_t>{2, 0, 4, 0, 2}));
}

}  // namespace
}  // namespace lexvane::frequency
