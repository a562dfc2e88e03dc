#include "text/collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace lexvane::text {
namespace {

int sign(int v) {
  return (v > 0) - (v < 0);
}

int compareKeys(const std::string& a, const std::string& b) {
  return sign(a.compare(b));
}

class CollationTest : public ::testing::Test {
 protected:
  void SetUp() override { setCollationLocale("root"); }
  void TearDown() override { setCollationLocale("root"); }
};

// Each string of the list must compare below every later one, both ways round.
void expectAscending(const std::vector<std::string>& words) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    for (std::size_t j = i + 1; j < words.size(); ++j) {
      EXPECT_LT(compareText(words[i], words[j]), 0) << words[i] << " < " << words[j];
      EXPECT_GT(compareText(words[j], words[i]), 0) << words[j] << " > " << words[i];
    }
  }
}

TEST_F(CollationTest, RootOrderPutsLowerCaseBeforeUpperCaseOfTheSameLetter) {
  expectAscending({"", "a", "A", "ab", "Ab", "b", "B", "ba"});
  EXPECT_EQ(compareText("Walk", "Walk"), 0);
}

TEST_F(CollationTest, AccentsWeighLessThanLetters) {
  // cote, coté, côte, côté
  expectAscending({"cote", "cot\xE9", "c\xF4te", "c\xF4t\xE9", "cotes"});
  // An accent outweighs a difference of case.
  expectAscending({"resume", "Resume", "r\xE9sum\xE9", "R\xE9sum\xE9", "resumes"});
}

TEST_F(CollationTest, LocaleDecidesTheOrder) {
  setCollationLocale("sv");
  EXPECT_LT(compareText("zebra", "\xF6l"), 0);  // ö sorts after z in Swedish
  setCollationLocale("de");
  EXPECT_GT(compareText("zebra", "\xF6l"), 0);
  setCollationLocale("fr_CA");  // accents weigh from the end
  expectAscending({"cote", "c\xF4te", "cot\xE9", "c\xF4t\xE9"});
  setCollationLocale("no_such_locale_xx");  // falls back to the root order
  EXPECT_LT(compareText("a", "B"), 0);
}

TEST_F(CollationTest, BytesBreakTiesSoDifferentStringsNeverCompareEqual) {
  // Control characters and the undefined code-page positions are ignorable.
  EXPECT_LT(compareText("a\x01"
                        "b",
                        "ab"),
            0);
  EXPECT_GT(compareText("ab",
                        "a\x01"
                        "b"),
            0);
  EXPECT_NE(compareText("a\x81", "a"), 0);
  EXPECT_GT(compareText("a\x81", "a"), 0);  // shorter first
  EXPECT_NE(compareText("a\x8D", "a\x9D"), 0);
  EXPECT_EQ(compareText("", ""), 0);
}

TEST_F(CollationTest, IgnoreCaseOrdersByLetterAndBreaksTiesByBytes) {
  EXPECT_LT(compareTextIgnoreCase("apple", "Banana"), 0);
  EXPECT_GT(compareTextIgnoreCase("Zebra", "apple"), 0);
  EXPECT_LT(compareTextIgnoreCase("APPLE", "apple"), 0);  // 'A' < 'a' as bytes
  EXPECT_GT(compareTextIgnoreCase("apple", "APPLE"), 0);
  EXPECT_EQ(compareTextIgnoreCase("apple", "apple"), 0);
  EXPECT_LT(compareTextIgnoreCase("cote", "C\xF4te"), 0);  // accents still count
  EXPECT_LT(compareTextIgnoreCase("/home/x/B.txt", "/home/x/c.txt"), 0);
}

TEST_F(CollationTest, EnvironmentLocaleName) {
  const char* saved[3];
  const char* names[3] = {"LC_ALL", "LC_COLLATE", "LANG"};
  std::string savedValues[3];
  for (int i = 0; i < 3; ++i) {
    saved[i] = std::getenv(names[i]);
    if (saved[i] != nullptr) savedValues[i] = saved[i];
  }
  setenv("LC_ALL", "", 1);
  setenv("LC_COLLATE", "de_DE.UTF-8", 1);
  setenv("LANG", "sv_SE", 1);
  EXPECT_EQ(environmentCollationLocale(), "de_DE");
  setenv("LC_ALL", "fr_FR@euro", 1);
  EXPECT_EQ(environmentCollationLocale(), "fr_FR");
  setenv("LC_ALL", "C.UTF-8", 1);
  EXPECT_EQ(environmentCollationLocale(), "");
  unsetenv("LC_ALL");
  unsetenv("LC_COLLATE");
  setenv("LANG", "POSIX", 1);
  EXPECT_EQ(environmentCollationLocale(), "");
  unsetenv("LANG");
  EXPECT_EQ(environmentCollationLocale(), "");
  for (int i = 0; i < 3; ++i) {
    if (saved[i] != nullptr) setenv(names[i], savedValues[i].c_str(), 1);
  }
}

std::vector<std::string> trickyStrings(std::size_t count, unsigned seed) {
  // Case pairs, accents, ligatures, punctuation, ignorable controls and the
  // undefined positions of the code page.
  static const std::string alphabet =
      "aAbBeEzZ "
      "\t-'.,0\x01\x81\x8D\x8F\x90\x9D\xE9\xC9\xE8\xEA\xF4\xDF\xE6\xC6\x9C\x8C\xFF\x9F\xA0";
  std::mt19937 random(seed);
  std::vector<std::string> strings = {"",     "a",   "A",  "ss",  "\xDF",  "ae",    "\xE6", "oe",
                                      "\x9C", "a-b", "ab", "a b", "a\x01", "a\x81", "\x01", "\x81"};
  while (strings.size() < count) {
    std::string s;
    const std::size_t length = random() % 7;
    for (std::size_t i = 0; i < length; ++i) s += alphabet[random() % alphabet.size()];
    strings.push_back(s);
  }
  return strings;
}

TEST_F(CollationTest, KeyOrderEqualsCompareTextOrder) {
  for (const char* locale : {"root", "de", "sv", "fr_CA"}) {
    setCollationLocale(locale);
    const std::vector<std::string> strings = trickyStrings(600, 7);
    std::vector<std::string> keys;
    for (const std::string& s : strings) keys.push_back(collationKey(s));
    for (std::size_t i = 0; i < strings.size(); ++i) {
      for (std::size_t j = 0; j < strings.size(); ++j) {
        const int byText = sign(compareText(strings[i], strings[j]));
        ASSERT_EQ(byText, compareKeys(keys[i], keys[j]))
            << locale << ": '" << strings[i] << "' vs '" << strings[j] << "'";
        ASSERT_EQ(byText == 0, strings[i] == strings[j]);
        ASSERT_EQ(byText, -sign(compareText(strings[j], strings[i])));
      }
    }
  }
}

TEST_F(CollationTest, LongStringsCompareLikeShortOnes) {
  const std::string stem(1000, 'x');
  EXPECT_LT(compareText(stem + "a", stem + "B"), 0);
  EXPECT_LT(compareText(stem + "a\x01", stem + "a\x02"), 0);
  EXPECT_LT(compareKeys(collationKey(stem + "a"), collationKey(stem + "B")), 0);
  EXPECT_LT(compareKeys(collationKey(stem), collationKey(stem + "\x01")), 0);
}

TEST_F(CollationTest, ConcurrentComparisonsAgreeWithSingleThreaded) {
  const std::vector<std::string> strings = trickyStrings(300, 11);
  std::vector<int> expected;
  for (std::size_t i = 0; i + 1 < strings.size(); ++i) {
    expected.push_back(compareText(strings[i], strings[i + 1]));
  }
  std::vector<int> failures(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 50; ++round) {
        for (std::size_t i = 0; i + 1 < strings.size(); ++i) {
          if (compareText(strings[i], strings[i + 1]) != expected[i]) ++failures[t];
          collationKey(strings[i]);
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace lexvane::text
