// The n-gram counter as a consumer of a word stream: runs cut by sentence
// ends and files, the end of a stretch, the join of two stretches that share
// a file, the switch to a hashed count, and n-grams that wait while many
// words that make none pass by.
#include "ngrams/ngram_counter.h"

#include <map>
#include <sstream>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

namespace lexvane::ngrams {
namespace {

using Counts = std::map<std::string, std::pair<std::int64_t, std::int64_t>>;

Counts countsOf(NGramCounter& counter) {
  counter.Flush();
  Counts counts;
  counter.ForEachKept([&](std::string_view text, int, std::int64_t frequency, std::int64_t range) {
    counts[std::string(text)] = {frequency, range};
  });
  return counts;
}

// Feeds the words of `text`; a word ending in "." ends its sentence.
void feed(NGramCounter& counter, const std::string& text) {
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    const bool end = word.back() == '.';
    if (end) word.pop_back();
    if (word.empty())
      counter.SentenceEnd();
    else
      counter.Word(word, end);
  }
}

NGramOptions lengths(int low, int high) {
  NGramOptions options;
  options.minLength = low;
  options.maxLength = high;
  return options;
}

TEST(NGramCounterTest, RunsEndAtSentenceEndsAndFiles) {
  NGramCounter counter(lengths(2, 3), NGramCounter::Mode::Exact);
  counter.BeginFile(0, false);
  feed(counter, "a b c. a b");
  counter.BeginFile(1, false);
  feed(counter, "c a b . c");  // a lone "." ends "a b" without a word
  EXPECT_EQ(countsOf(counter), (Counts{{"a b", {3, 2}},
                                       {"b c", {1, 1}},
                                       {"a b c", {1, 1}},
                                       {"c a", {1, 1}},
                                       {"c a b", {1, 1}}}));
}

TEST(NGramCounterTest, WaitingNGramsSurviveManyWordsThatMakeNone) {
  std::string text = "one two three four five.";
  // Single-word sentences: no n-gram, but each takes a place of the stream.
  for (int i = 0; i < 100; ++i) text += " w" + std::to_string(i) + ".";
  text += " one two.";
  const NGramOptions options = lengths(2, 5);
  NGramSketch sketch(1);
  NGramCounter hashing(options, NGramCounter::Mode::Sketch, &sketch);
  hashing.BeginFile(0, false);
  feed(hashing, text);
  hashing.Flush();
  for (auto mode : {NGramCounter::Mode::Exact, NGramCounter::Mode::Filtered}) {
    NGramCounter counter(options, mode, &sketch);
    counter.BeginFile(0, false);
    feed(counter, text);
    const Counts counts = countsOf(counter);
    EXPECT_EQ(counts.at("one two"), std::make_pair(std::int64_t{2}, std::int64_t{1}));
    EXPECT_EQ(counts.at("one two three four five"),
              std::make_pair(std::int64_t{1}, std::int64_t{1}));
    EXPECT_EQ(counts.size(), 10u);
  }
}

TEST(NGramCounterTest, AStretchCountsOnlyTheNGramsThatBeganInIt) {
  NGramCounter counter(lengths(2, 4), NGramCounter::Mode::Exact);
  counter.BeginFile(0, false);
  feed(counter, "a b c");
  counter.EndStretch();
  EXPECT_FALSE(counter.StretchDone());
  feed(counter, "d");  // "c d", "b c d", "a b c d" began inside
  EXPECT_FALSE(counter.StretchDone());
  feed(counter, "e");  // "b c d e" began inside
  EXPECT_FALSE(counter.StretchDone());
  feed(counter, "f");  // "c d e f" began inside
  EXPECT_TRUE(counter.StretchDone());
  const Counts counts = countsOf(counter);
  for (const char* gram : {"c d", "b c d", "a b c d", "b c d e", "c d e f"})
    EXPECT_EQ(counts.count(gram), 1u) << gram;
  for (const char* gram : {"d e", "e f", "d e f"}) EXPECT_EQ(counts.count(gram), 0u) << gram;

  // A sentence end behind the stretch's last word: nothing more to complete.
  NGramCounter ended(lengths(2, 4), NGramCounter::Mode::Exact);
  ended.BeginFile(0, false);
  feed(ended, "a b.");
  ended.EndStretch();
  EXPECT_TRUE(ended.StretchDone());
}

TEST(NGramCounterTest, TwoStretchesSharingAFileCountItsRangeOnce) {
  // File 0, file 1 (cut in two), file 2.
  NGramCounter first(lengths(2, 2), NGramCounter::Mode::Exact);
  first.BeginFile(0, false);
  feed(first, "x y. p q.");
  first.BeginFile(1, false);
  feed(first, "x y.");
  NGramCounter second(lengths(2, 2), NGramCounter::Mode::Exact);
  second.BeginFile(1, true);
  feed(second, "x y. p q.");
  second.BeginFile(2, false);
  feed(second, "x y.");
  first.AbsorbLater(second, 1);
  // "x y": files 0, 1 (both halves) and 2; "p q": files 0 and 1.
  EXPECT_EQ(countsOf(first), (Counts{{"x y", {4, 3}}, {"p q", {2, 2}}}));
  EXPECT_EQ(second.NGrams(), 0u);
}

TEST(NGramCounterTest, HashedCountBoundsTheBucketsFromBelow) {
  NGramOptions options = lengths(2, 2);
  options.minFrequency = 3;
  NGramSketch sketch(1);
  NGramCounter counter(options, NGramCounter::Mode::Exact);
  counter.BeginFile(0, false);
  feed(counter, "a b. a b. c d.");
  counter.SwitchToSketch(sketch);
  EXPECT_EQ(counter.CurrentMode(), NGramCounter::Mode::Sketch);
  EXPECT_EQ(counter.NGrams(), 0u);
  feed(counter, "a b. e f.");
  counter.Flush();
  const std::uint64_t a = WordHash("a"), b = WordHash("b"), c = WordHash("c"), d = WordHash("d");
  const std::uint64_t ab[] = {a, b}, cd[] = {c, d};
  EXPECT_GE(sketch.Count(NGramHash(ab, 2)), 3u);
  EXPECT_GE(sketch.Count(NGramHash(cd, 2)), 1u);
  EXPECT_TRUE(sketch.Reaches(NGramHash(ab, 2), 3));
}

}  // namespace
}  // namespace lexvane::ngrams
