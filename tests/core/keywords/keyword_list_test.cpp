// Keyword lists from word counts worked out by hand: which types are key in
// which direction, the significance and frequency filters at their
// boundaries, the three sorts, the grid, the copied line and the statistics.
#include "keywords/keyword_list.h"

#include <gtest/gtest.h>

#include "corpus/corpus_settings.h"
#include "frequency/word_frequency_list.h"
#include "text/collation.h"
#include "text/text_utils.h"
#include "tools/root_collator.h"

namespace lexvane::keywords {
namespace {

class KeywordListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A harbour town's diary (2 000 words) against a city corpus (10 000).
    for (auto [w, n] :
         {std::pair{"harbour", 40}, {"the", 120}, {"boats", 12}, {"tide", 10}, {"night", 3}})
      study.Add(w, n);
    study.SetTotalWords(2000);
    for (auto [w, n] :
         {std::pair{"harbour", 20}, {"the", 600}, {"city", 60}, {"tide", 50}, {"night", 1}})
      reference.Add(w, n);
    reference.SetTotalWords(10000);
  }
  std::vector<std::string> words(const KeywordList& list) {
    std::vector<std::string> out;
    for (std::int32_t i = 0; i < list.Count(); ++i) out.push_back(list.Row(i).Word);
    return out;
  }
  KeywordList build(const KeywordOptions& options) {
    KeywordList list;
    EXPECT_TRUE(list.Build(study, reference, 10000, options, RootCollator(), progress));
    return list;
  }

  frequency::WordCounts study, reference;
  text::SilentProgressIndicator progress;
};

using Words = std::vector<std::string>;

TEST_F(KeywordListTest, PositiveKeywordsAtTheFivePercentLevelByLogLikelihood) {
  const KeywordList list = build({});
  // LL: harbour 74.2519, boats 43.0022, night 6.6165; the and tide are as
  // frequent in both corpora.
  EXPECT_EQ(words(list), (Words{"harbour", "boats", "night"}));
  EXPECT_EQ(list.Line(0, "|"), "harbour|+|40|20|20000.0000|2000.0000|74.2519|3.3219|900.0000\r\n");
  EXPECT_EQ(list.Line(1, "|"), "boats|+|12|0|6000.0000|0.0000|43.0022|6.9069|inf\r\n");
  EXPECT_EQ(list.Line(2, "\t"),
            "night\t+\t3\t1\t1500.0000\t100.0000\t6.6165\t3.9069\t1400.0000\r\n");
}

TEST_F(KeywordListTest, TheSignificanceLevelAndMinimumFrequencyCutAtTheirBoundaries) {
  KeywordOptions options;
  options.MinLogLikelihood = 6.63;  // p < 0.01: night's 6.6165 falls short
  EXPECT_EQ(words(build(options)), (Words{"harbour", "boats"}));
  options.MinLogLikelihood.reset();
  options.MinFrequency = 12;  // boats has exactly 12
  EXPECT_EQ(words(build(options)), (Words{"harbour", "boats"}));
  options.MinFrequency = 13;
  EXPECT_EQ(words(build(options)), (Words{"harbour"}));
}

TEST_F(KeywordListTest, NegativeKeywordsAndBothDirections) {
  KeywordOptions options;
  options.Positive = false;
  options.Negative = true;
  const KeywordList negative = build(options);
  ASSERT_EQ(words(negative), (Words{"city"}));
  EXPECT_EQ(negative.Line(0, "|"), "city|-|0|60|0.0000|6000.0000|21.8786|-4.5850|-100.0000\r\n");
  options.Positive = true;
  EXPECT_EQ(words(build(options)), (Words{"harbour", "boats", "city", "night"}));
  // The negative minimum frequency is the reference's.
  options.MinFrequency = 61;
  EXPECT_EQ(words(build(options)), (Words{}));
}

TEST_F(KeywordListTest, SortsByLogRatioSizeAndByWord) {
  KeywordOptions options;
  options.Negative = true;
  options.Sort = KeywordSort::LogRatio;
  KeywordList list = build(options);
  // |Log Ratio|: boats 6.9069, city 4.5850, night 3.9069, harbour 3.3219.
  EXPECT_EQ(words(list), (Words{"boats", "city", "night", "harbour"}));
  list.Sort(KeywordSort::Word, progress);
  EXPECT_EQ(words(list), (Words{"boats", "city", "harbour", "night"}));
  EXPECT_EQ(list.SortOrder(), KeywordSort::Word);
}

TEST_F(KeywordListTest, EqualFiguresAreOrderedByTheWord) {
  study.Add("quay", 12);
  study.Add("anchor", 12);
  const KeywordList list = build({});
  EXPECT_EQ(words(list), (Words{"harbour", "anchor", "boats", "quay", "night"}));
}

TEST_F(KeywordListTest, GridTextsAndStatistics) {
  KeywordOptions options;
  options.Negative = true;
  const KeywordList list = build(options);
  EXPECT_EQ(list.CellText(1, 0), "Word");
  EXPECT_EQ(list.CellText(9, 0), "%DIFF");
  EXPECT_EQ(list.CellText(0, 1), "1.");
  EXPECT_EQ(list.CellText(1, 1), "harbour");
  EXPECT_EQ(list.CellText(2, 3), "-");
  EXPECT_EQ(list.CellText(7, 2), "43.0022");
  EXPECT_EQ(list.CellText(1, 99), "");
  EXPECT_EQ(list.TypesCompared(), 6);
  const concordance::Statistics s = list.Statistics();
  EXPECT_EQ(s.Captions[0], "Study corpus words:");
  EXPECT_EQ(s.Values[0], text::FormatThousands(2000));
  EXPECT_EQ(s.Values[1], text::FormatThousands(10000));
  EXPECT_EQ(s.Values[2], "6");
  EXPECT_EQ(s.Values[3], "3");
  EXPECT_EQ(s.Values[4], "1");
  EXPECT_FALSE(s.NotComplete);
}

TEST_F(KeywordListTest, ACancelLeavesTheListAsItWas) {
  const KeywordList before = build({});
  KeywordList list = before;
  // Enough types for the comparison to look at its cancel flag.
  for (int i = 0; i < 250; ++i) study.Add("w" + std::to_string(i), 1);
  struct Cancelling : text::SilentProgressIndicator {
    bool Cancelled() const override { return true; }
  } cancelling;
  KeywordOptions options;
  options.Negative = true;
  EXPECT_FALSE(list.Build(study, reference, 10000, options, RootCollator(), cancelling));
  EXPECT_EQ(words(list), words(before));
  EXPECT_FALSE(list.Options().Negative);
}

}  // namespace
}  // namespace lexvane::keywords

namespace lexvane::keywords {
namespace {

class QuietUi : public text::UserInterface {
 public:
  text::Answer Ask(std::string_view, std::string_view, text::Buttons, text::Icon) override {
    return text::Answer::Ok;
  }
};

// The counts of one sample file as a word list makes them (in alphabetical
// order), and the same counts added in another order.
struct SampleCounts {
  frequency::WordCounts ordered, shuffled;
};

SampleCounts countsOf(const std::string& file) {
  QuietUi ui;
  text::SilentSearchIndicator search;
  text::SilentProgressIndicator progress;
  text::OperationHost host{ui, search, progress};
  corpus::CorpusSettings settings;
  settings.Files.Add(std::string(LEXVANE_SAMPLES_DIR) + "/" + file, RootCollator());
  frequency::WordFrequencyList list{RootCollator()};
  list.Build(settings, host);
  SampleCounts counts{frequency::WordCounts::FromList(list),
                      frequency::WordCounts(list.TextEncoding())};
  for (std::int32_t i = list.Count() - 1; i >= 0; --i)
    counts.shuffled.Add(list.Info(i).Word, list.Info(i).Frequency);
  counts.shuffled.SetTotalWords(list.TotalWords());
  return counts;
}

TEST(KeywordOrderTest, WordListsInAlphabeticalOrderMergeToTheOrderCollationKeysGive) {
  const SampleCounts house = countsOf("the_old_house.txt");
  const SampleCounts walks = countsOf("morning_walks.txt");
  ASSERT_TRUE(house.ordered.InCollationOrder());
  ASSERT_FALSE(house.shuffled.InCollationOrder());
  KeywordOptions options;
  options.Negative = true;
  options.MinLogLikelihood.reset();
  for (KeywordSort sort : {KeywordSort::Word, KeywordSort::LogLikelihood, KeywordSort::LogRatio}) {
    options.Sort = sort;
    text::SilentProgressIndicator progress;
    KeywordList merged, keyed;
    ASSERT_TRUE(merged.Build(house.ordered, walks.ordered, walks.ordered.TotalWords(), options,
                             RootCollator(), progress));
    ASSERT_TRUE(keyed.Build(house.shuffled, walks.shuffled, walks.shuffled.TotalWords(), options,
                            RootCollator(), progress));
    ASSERT_EQ(merged.Count(), keyed.Count());
    ASSERT_GT(merged.Count(), 100);
    for (std::int32_t i = 0; i < merged.Count(); ++i)
      ASSERT_EQ(merged.Row(i).Word, keyed.Row(i).Word) << i;
    if (sort == KeywordSort::Word) {
      for (std::int32_t i = 1; i < merged.Count(); ++i)
        EXPECT_LT(RootCollator().Compare(merged.Row(i - 1).Word, merged.Row(i).Word), 0);
    }
  }
}

}  // namespace
}  // namespace lexvane::keywords
