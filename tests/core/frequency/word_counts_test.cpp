// Word counts looked up by word, and the cache that spares a second scan of
// the same corpus.
#include "frequency/word_counts.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "core/frequency/fakes.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::frequency {
namespace {

using testing::Host;

TEST(WordCountsTest, WordsAddUpAndUnknownWordsCountZero) {
  WordCounts counts(text::Encoding::Utf8);
  counts.Add("волна", 3);
  counts.Add("κύμα", 2);
  counts.Add("волна", 4);
  EXPECT_EQ(counts.Frequency("волна"), 7);
  EXPECT_EQ(counts.Frequency("κύμα"), 2);
  EXPECT_EQ(counts.Frequency("волн"), 0);
  EXPECT_EQ(counts.Frequency(""), 0);
  EXPECT_EQ(counts.Types(), 2u);
  EXPECT_EQ(counts.Word(1), "κύμα");
  EXPECT_EQ(WordCounts().Frequency("x"), 0);
}

TEST(WordCountsTest, ManyTypesGrowTheTableWithoutLosingOne) {
  WordCounts counts;
  const int n = 50000;
  for (int i = 0; i < n; ++i) counts.Add("w" + std::to_string(i), i + 1);
  for (int i = 0; i < n; i += 997) EXPECT_EQ(counts.Frequency("w" + std::to_string(i)), i + 1);
  EXPECT_EQ(counts.Types(), static_cast<std::size_t>(n));
}

class WordCountsCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder =
        std::filesystem::temp_directory_path() / ("lexvane_counts_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    write("one.txt", "The tide came in. The boats rose with the tide, and the gulls rose too.\n");
    settings.Files.Add((folder / "one.txt").string(), RootCollator());
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  void write(const char* name, const std::string& text) {
    std::ofstream(folder / name, std::ios::binary) << text;
  }

  std::filesystem::path folder;
  corpus::CorpusSettings settings;
  WordCountsCache cache;
  Host host;
};

TEST_F(WordCountsCacheTest, ASecondTableOfTheSameCorpusCostsNoSecondScan) {
  auto operation = host.operation();
  settings.IgnoreCapital = false;
  auto first = cache.Obtain(settings, RootCollator(), operation);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Frequency("The"), 2);
  EXPECT_EQ(first->Frequency("the"), 2);
  EXPECT_EQ(first->Frequency("tide"), 2);
  EXPECT_EQ(first->TotalWords(), 15);
  EXPECT_EQ(cache.Obtain(settings, RootCollator(), operation), first);
  EXPECT_EQ(cache.Builds(), 1);
  // Another capitals rule is another list.
  settings.IgnoreCapital = true;
  auto folded = cache.Obtain(settings, RootCollator(), operation);
  EXPECT_EQ(folded->Frequency("the"), 4);
  EXPECT_EQ(cache.Builds(), 2);
}

TEST_F(WordCountsCacheTest, AFileChangedOnDiskIsCountedAgain) {
  auto operation = host.operation();
  auto first = cache.Obtain(settings, RootCollator(), operation);
  write("one.txt", "A different, longer text about the harbour at night, with lights.\n");
  auto second = cache.Obtain(settings, RootCollator(), operation);
  EXPECT_NE(first, second);
  EXPECT_EQ(second->Frequency("harbour"), 1);
  EXPECT_EQ(cache.Builds(), 2);
}

TEST_F(WordCountsCacheTest, ACancelledCountIsNotKept) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "waves fall on the stones of the long beach ";
  write("one.txt", text);
  host.search.cancelAfterUpdates = 1;
  auto operation = host.operation();
  EXPECT_EQ(cache.Obtain(settings, RootCollator(), operation), nullptr);
  EXPECT_EQ(cache.Find(settings), nullptr);
  host.search.cancelAfterUpdates = -1;
  EXPECT_NE(cache.Obtain(settings, RootCollator(), operation), nullptr);
}

TEST_F(WordCountsCacheTest, TheLeastRecentlyUsedCorpusGoesFirst) {
  WordCountsCache small(1);
  auto operation = host.operation();
  small.Obtain(settings, RootCollator(), operation);
  corpus::CorpusSettings other = settings;
  other.WordSeparators += "e";
  small.Obtain(other, RootCollator(), operation);
  EXPECT_EQ(small.Find(settings), nullptr);
  EXPECT_NE(small.Find(other), nullptr);
}

}  // namespace
}  // namespace lexvane::frequency
