#include "frequency/word_counter.h"

#include <gtest/gtest.h>

namespace lexvane::frequency {
namespace {

TEST(WordCounterTest, PaddedHashEqualsTheHashOfTheWord) {
  for (std::size_t length = 0; length <= 16; ++length) {
    char padded[16] = {};
    std::string word;
    for (std::size_t i = 0; i < length; ++i) word += static_cast<char>('a' + (i * 7) % 26);
    std::copy(word.begin(), word.end(), padded);
    EXPECT_EQ(WordCounter::HashPadded(padded, length), WordCounter::Hash(word)) << length;
  }
}

TEST(WordCounterTest, CountsGrowAndMergeKeepingTheEarlierClass) {
  WordCounter earlier, later;
  for (int i = 0; i < 10000; ++i) earlier.Add("w" + std::to_string(i % 5000), 1, "A");
  char padded[16] = {'w', '1'};
  earlier.AddPadded(padded, 2, WordCounter::HashPadded(padded, 2));
  later.Add("w1", 3, "B");
  later.Add("a-very-long-word-beyond-sixteen", 2, "B");
  earlier.Merge(later);
  EXPECT_EQ(earlier.Types(), 5001u);
  std::int64_t total = 0;
  for (std::uint32_t handle : earlier.Handles()) {
    total += earlier.Frequency(handle);
    if (earlier.Word(handle) == "w1") {
      EXPECT_EQ(earlier.Frequency(handle), 6);
      EXPECT_EQ(earlier.WordClass(handle), "A");
    }
    if (earlier.Word(handle) == "a-very-long-word-beyond-sixteen") {
      EXPECT_EQ(earlier.WordClass(handle), "B");
    }
  }
  EXPECT_EQ(total, 10000 + 1 + 3 + 2);
}

}  // namespace
}  // namespace lexvane::frequency
