#include "text/collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
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
  const Collator root{"root"};
};

// Each string of the list must compare below every later one, both ways round.
void expectAscending(const Collator& collator, const std::vector<std::string>& words) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    for (std::size_t j = i + 1; j < words.size(); ++j) {
      EXPECT_LT(collator.Compare(words[i], words[j]), 0) << words[i] << " < " << words[j];
      EXPECT_GT(collator.Compare(words[j], words[i]), 0) << words[j] << " > " << words[i];
    }
  }
}

TEST_F(CollationTest, RootOrderPutsLowerCaseBeforeUpperCaseOfTheSameLetter) {
  expectAscending(root, {"", "a", "A", "ab", "Ab", "b", "B", "ba"});
  EXPECT_EQ(root.Compare("Walk", "Walk"), 0);
}

TEST_F(CollationTest, AccentsWeighLessThanLetters) {
  // cote, coté, côte, côté
  expectAscending(root, {"cote", "cot\xE9", "c\xF4te", "c\xF4t\xE9", "cotes"});
  // An accent outweighs a difference of case.
  expectAscending(root, {"resume", "Resume", "r\xE9sum\xE9", "R\xE9sum\xE9", "resumes"});
}

TEST_F(CollationTest, LocaleDecidesTheOrder) {
  EXPECT_LT(Collator("sv").Compare("zebra", "\xF6l"), 0);  // ö sorts after z in Swedish
  EXPECT_GT(Collator("de").Compare("zebra", "\xF6l"), 0);
  // Accents weigh from the end.
  expectAscending(Collator("fr_CA"), {"cote", "c\xF4te", "cot\xE9", "c\xF4t\xE9"});
  const Collator unknown("no_such_locale_xx");  // falls back to the root order
  EXPECT_LT(unknown.Compare("a", "B"), 0);
}

TEST_F(CollationTest, BytesBreakTiesSoDifferentStringsNeverCompareEqual) {
  // Control characters and the undefined code-page positions are ignorable.
  EXPECT_LT(root.Compare("a\x01"
                         "b",
                         "ab"),
            0);
  EXPECT_GT(root.Compare("ab",
                         "a\x01"
                         "b"),
            0);
  EXPECT_NE(root.Compare("a\x81", "a"), 0);
  EXPECT_GT(root.Compare("a\x81", "a"), 0);  // shorter first
  EXPECT_NE(root.Compare("a\x8D", "a\x9D"), 0);
  EXPECT_EQ(root.Compare("", ""), 0);
}

TEST_F(CollationTest, IgnoreCaseOrdersByLetterAndBreaksTiesByBytes) {
  EXPECT_LT(root.CompareIgnoreCase("apple", "Banana"), 0);
  EXPECT_GT(root.CompareIgnoreCase("Zebra", "apple"), 0);
  EXPECT_LT(root.CompareIgnoreCase("APPLE", "apple"), 0);  // 'A' < 'a' as bytes
  EXPECT_GT(root.CompareIgnoreCase("apple", "APPLE"), 0);
  EXPECT_EQ(root.CompareIgnoreCase("apple", "apple"), 0);
  EXPECT_LT(root.CompareIgnoreCase("cote", "C\xF4te"), 0);  // accents still count
  EXPECT_LT(root.CompareIgnoreCase("/home/x/B.txt", "/home/x/c.txt"), 0);
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
  EXPECT_EQ(EnvironmentCollationLocale(), "de_DE");
  setenv("LC_ALL", "fr_FR@euro", 1);
  EXPECT_EQ(EnvironmentCollationLocale(), "fr_FR");
  setenv("LC_ALL", "C.UTF-8", 1);
  EXPECT_EQ(EnvironmentCollationLocale(), "");
  unsetenv("LC_ALL");
  unsetenv("LC_COLLATE");
  setenv("LANG", "POSIX", 1);
  EXPECT_EQ(EnvironmentCollationLocale(), "");
  unsetenv("LANG");
  EXPECT_EQ(EnvironmentCollationLocale(), "");
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
    const Collator collator(locale);
    const std::vector<std::string> strings = trickyStrings(600, 7);
    std::vector<std::string> keys;
    for (const std::string& s : strings) keys.push_back(collator.Key(s));
    for (std::size_t i = 0; i < strings.size(); ++i) {
      for (std::size_t j = 0; j < strings.size(); ++j) {
        const int byText = sign(collator.Compare(strings[i], strings[j]));
        ASSERT_EQ(byText, compareKeys(keys[i], keys[j]))
            << locale << ": '" << strings[i] << "' vs '" << strings[j] << "'";
        ASSERT_EQ(byText == 0, strings[i] == strings[j]);
        ASSERT_EQ(byText, -sign(collator.Compare(strings[j], strings[i])));
      }
    }
  }
}

TEST_F(CollationTest, LongStringsCompareLikeShortOnes) {
  const std::string stem(1000, 'x');
  EXPECT_LT(root.Compare(stem + "a", stem + "B"), 0);
  EXPECT_LT(root.Compare(stem + "a\x01", stem + "a\x02"), 0);
  EXPECT_LT(compareKeys(root.Key(stem + "a"), root.Key(stem + "B")), 0);
  EXPECT_LT(compareKeys(root.Key(stem), root.Key(stem + "\x01")), 0);
}

TEST_F(CollationTest, ConcurrentComparisonsAgreeWithSingleThreaded) {
  const std::vector<std::string> strings = trickyStrings(300, 11);
  std::vector<int> expected;
  for (std::size_t i = 0; i + 1 < strings.size(); ++i) {
    expected.push_back(root.Compare(strings[i], strings[i + 1]));
  }
  std::vector<int> failures(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 50; ++round) {
        for (std::size_t i = 0; i + 1 < strings.size(); ++i) {
          if (root.Compare(strings[i], strings[i + 1]) != expected[i]) ++failures[t];
          root.Key(strings[i]);
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(4, 0));
}

// Two collators of different locales in one process at the same time: each
// thread sorts the same Swedish and German words with its own collator, over
// and over, and each always gets its own locale's order.
TEST_F(CollationTest, CollatorsOfTwoLocalesWorkSideBySideOnTwoThreads) {
  const Collator swedish("sv");
  // "\xF6" is o with diaeresis, "\xE4" a with diaeresis, "\xE5" a with ring.
  const std::vector<std::string> words = {"\xF6verallt", "zebra",     "\xE4ngel", "\xE5ker",
                                          "orm",         "Z\xFCrich", "ost",      "\xC4pple",
                                          "ara",         "\xD6land",  "zon",      "ana"};
  // The root order weighs letters first: "\xE5ker" stands as "aker".
  const std::vector<std::string> rootOrder = {"\xE5ker",     "ana",      "\xE4ngel", "\xC4pple",
                                              "ara",         "\xD6land", "orm",      "ost",
                                              "\xF6verallt", "zebra",    "zon",      "Z\xFCrich"};
  const std::vector<std::string> swedishOrder = {
      "ana",       "ara",     "orm",      "ost",      "zebra",    "zon",
      "Z\xFCrich", "\xE5ker", "\xE4ngel", "\xC4pple", "\xD6land", "\xF6verallt"};
  auto sortedBy = [&words](const Collator& collator, bool byKeys) {
    std::vector<std::string> sorted = words;
    if (byKeys) {
      std::sort(sorted.begin(), sorted.end(),
                [&collator](const std::string& a, const std::string& b) {
                  return collator.Key(a) < collator.Key(b);
                });
    } else {
      std::sort(sorted.begin(), sorted.end(),
                [&collator](const std::string& a, const std::string& b) {
                  return collator.Compare(a, b) < 0;
                });
    }
    return sorted;
  };
  ASSERT_EQ(sortedBy(root, false), rootOrder);
  ASSERT_EQ(sortedBy(swedish, false), swedishOrder);
  int rootFailures = 0, swedishFailures = 0;
  std::thread rootThread([&] {
    for (int round = 0; round < 200; ++round) {
      if (sortedBy(root, round % 2 == 0) != rootOrder) ++rootFailures;
      if (root.Compare("zebra", "\xF6l") <= 0) ++rootFailures;
    }
  });
  std::thread swedishThread([&] {
    for (int round = 0; round < 200; ++round) {
      if (sortedBy(swedish, round % 2 == 0) != swedishOrder) ++swedishFailures;
      if (swedish.Compare("zebra", "\xF6l") >= 0) ++swedishFailures;
    }
  });
  rootThread.join();
  swedishThread.join();
  EXPECT_EQ(rootFailures, 0);
  EXPECT_EQ(swedishFailures, 0);
}

TEST_F(CollationTest, TheEnvironmentsCollatorFollowsLcCollate) {
  const char* names[3] = {"LC_ALL", "LC_COLLATE", "LANG"};
  std::optional<std::string> saved[3];
  for (int i = 0; i < 3; ++i)
    if (const char* value = std::getenv(names[i])) saved[i] = value;
  setenv("LC_ALL", "", 1);
  setenv("LC_COLLATE", "sv_SE.UTF-8", 1);
  setenv("LANG", "de_DE.UTF-8", 1);
  const Collator swedish = Collator::FromEnvironment();
  setenv("LC_COLLATE", "C", 1);
  const Collator plain = Collator::FromEnvironment();
  for (int i = 0; i < 3; ++i) {
    if (saved[i])
      setenv(names[i], saved[i]->c_str(), 1);
    else
      unsetenv(names[i]);
  }
  EXPECT_EQ(swedish.Locale(), "sv_SE");
  EXPECT_LT(swedish.Compare("zebra", "\xF6l"), 0);
  EXPECT_EQ(plain.Locale(), "");
  EXPECT_GT(plain.Compare("zebra", "\xF6l"), 0);
  // A collator made later from another environment leaves the first as it was.
  EXPECT_LT(swedish.Compare("zebra", "\xF6l"), 0);
}

TEST_F(CollationTest, AMovedCollatorKeepsItsLocale) {
  Collator first("sv");
  const std::string key = first.Key("\xF6l");
  const Collator moved(std::move(first));
  EXPECT_LT(moved.Compare("zebra", "\xF6l"), 0);
  EXPECT_EQ(moved.Key("\xF6l"), key);
  EXPECT_EQ(moved.Locale(), "sv");
  EXPECT_EQ(Collator("root").Locale(), "");
}

}  // namespace
}  // namespace lexvane::text
