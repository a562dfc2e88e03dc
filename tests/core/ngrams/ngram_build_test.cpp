// N-gram lists of a small corpus of prose whose counts were made by hand
// (and checked with a separate script): lengths, the sentence rule, folding,
// filters, orders, UTF-8 and tagged text, words cut at 255 characters, and
// the same list from one thread, two threads and two passes.
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "core/frequency/fakes.h"
#include "ngrams/ngram_list.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::ngrams {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using frequency::testing::Host;

const char* const kHarbour =
    "The boats came in at dawn. The boats were heavy with fish, and the men on the quay "
    "were glad of it. At the end of the day the boats went out again!\r\n"
    "Nobody on the quay knew where the old man had gone.";
const char* const kMarket =
    "At the end of the market the fish were sold. The men on the quay counted their coins; "
    "the boats rocked in the harbour. Was the old man at the end of the quay? Nobody knew.";
const char* const kLamp =
    "The lamp was lit at dusk. The lamp was lit again at the end of the night, and the boats "
    "came home.";

using Row = std::tuple<std::string, std::int64_t, std::int64_t>;  // n-gram, frequency, range

std::vector<Row> rowsOf(const NGramList& list) {
  std::vector<Row> rows;
  for (std::int32_t i = 0; i < list.Count(); ++i)
    rows.emplace_back(std::string(list.Text(i)), list.Frequency(i), list.Range(i));
  return rows;
}

std::int64_t occurrences(const NGramList& list) {
  std::int64_t sum = 0;
  for (std::int32_t i = 0; i < list.Count(); ++i) sum += list.Frequency(i);
  return sum;
}

class NGramBuildTest : public ::testing::Test {
 protected:
  void addFile(const std::string& name, const std::string& content) {
    writeBytes(folder / name, content);
    settings.Files.Add(folder / name, RootCollator());
    settings.TotalBytes += static_cast<std::int64_t>(content.size());
  }
  void addProse() {
    addFile("1_harbour.txt", kHarbour);
    addFile("2_market.txt", kMarket);
    addFile("3_lamp.txt", kLamp);
  }
  NGramList build(const NGramOptions& options, std::int64_t threshold = std::int64_t{1} << 40,
                  std::size_t budget = NGramList::kDefaultMemoryBudget) {
    NGramList list;
    list.SetParallelThreshold(threshold);
    list.SetMemoryBudget(budget);
    auto operation = host.operation();
    list.Build(settings, options, RootCollator(), operation);
    return list;
  }
  static NGramOptions lengths(int low, int high, bool cross = false) {
    NGramOptions options;
    options.minLength = low;
    options.maxLength = high;
    options.crossSentences = cross;
    return options;
  }
  static std::int32_t find(const NGramList& list, std::string_view text) {
    for (std::int32_t i = 0; i < list.Count(); ++i)
      if (list.Text(i) == text) return i;
    return -1;
  }

  TempFolder folder;
  corpus::CorpusSettings settings;
  Host host;
};

TEST_F(NGramBuildTest, BigramsStopAtSentenceEndsUnlessAskedToCross) {
  addProse();
  NGramList within = build(lengths(2, 2));
  EXPECT_EQ(within.Count(), 62);
  EXPECT_EQ(occurrences(within), 92);
  EXPECT_EQ(within.Source().totalWords, 102);
  EXPECT_EQ(within.Source().totalSentences, 10);
  EXPECT_EQ(within.FileCount(), 3);
  EXPECT_TRUE(within.ListComplete());
  EXPECT_EQ(host.search.label, "N-grams:");
  EXPECT_EQ(find(within, "dawn the"), -1);
  EXPECT_EQ(find(within, "again nobody"), -1);  // "!" then a line break
  EXPECT_EQ(find(within, "quay nobody"), -1);
  // A comma separates words but ends no sentence.
  ASSERT_NE(find(within, "fish and"), -1);

  NGramList across = build(lengths(2, 2, true));
  EXPECT_EQ(across.Count(), 69);
  EXPECT_EQ(occurrences(across), 99);
  for (const char* bigram : {"dawn the", "again nobody", "quay nobody"}) {
    const std::int32_t i = find(across, bigram);
    ASSERT_NE(i, -1) << bigram;
    EXPECT_EQ(across.Frequency(i), 1);
  }
  // Never across two files: "gone" ends one, "at" begins the next.
  EXPECT_EQ(find(across, "gone at"), -1);
}

TEST_F(NGramBuildTest, FrequencyAndRangeOfEachLengthInARange) {
  addProse();
  NGramList list = build(lengths(2, 4));
  struct Expected {
    const char* text;
    std::int64_t frequency, range;
    int words;
  };
  for (const Expected& e : {Expected{"the boats", 5, 3, 2}, Expected{"the lamp", 2, 1, 2},
                            Expected{"the lamp was", 2, 1, 3}, Expected{"lamp was lit", 2, 1, 3},
                            Expected{"at the end", 4, 3, 3}, Expected{"at the end of", 4, 3, 4},
                            Expected{"the end of the", 4, 3, 4}, Expected{"came in", 1, 1, 2}}) {
    const std::int32_t i = find(list, e.text);
    ASSERT_NE(i, -1) << e.text;
    EXPECT_EQ(list.Frequency(i), e.frequency) << e.text;
    EXPECT_EQ(list.Range(i), e.range) << e.text;
    EXPECT_EQ(list.Words(i), e.words) << e.text;
  }
  // Five-word sequences were not asked for.
  EXPECT_EQ(find(list, "the lamp was lit at"), -1);
  EXPECT_EQ(build(lengths(3, 5)).Count(), 189);
  EXPECT_EQ(occurrences(build(lengths(2, 5))), 311);
  EXPECT_EQ(occurrences(build(lengths(2, 5, true))), 378);
}

TEST_F(NGramBuildTest, FiltersKeepTheFrequentAndWidespreadInFrequencyOrder) {
  addProse();
  NGramOptions options = lengths(2, 4);
  options.minFrequency = 3;
  const std::vector<Row> frequent = {
      {"the boats", 5, 3},  {"at the", 4, 3},         {"at the end", 4, 3}, {"at the end of", 4, 3},
      {"end of", 4, 3},     {"end of the", 4, 3},     {"of the", 4, 3},     {"the end", 4, 3},
      {"the end of", 4, 3}, {"the end of the", 4, 3}, {"the quay", 4, 2},   {"on the", 3, 2},
      {"on the quay", 3, 2}};
  EXPECT_EQ(rowsOf(build(options)), frequent);

  // Range 3: "the quay" (two files) and "on the" go; frequency 2 and range
  // 1: "the lamp ..." of one file only.
  options.minFrequency = 1;
  options.minRange = 3;
  std::vector<Row> widespread(frequent.begin(), frequent.begin() + 10);
  EXPECT_EQ(rowsOf(build(options)), widespread);
  options.minFrequency = 2;
  options.minRange = 1;
  NGramList twice = build(options);
  EXPECT_NE(find(twice, "the lamp was lit"), -1);
  options.minRange = 2;
  EXPECT_EQ(find(build(options), "the lamp was lit"), -1);
}

TEST_F(NGramBuildTest, OrdersAlphabeticallyAndByRange) {
  addProse();
  NGramOptions options = lengths(2, 2);
  options.minFrequency = 4;
  options.sort = NGramSort::Alphabetical;
  const std::vector<Row> alphabetical = {{"at the", 4, 3},  {"end of", 4, 3},
                                         {"of the", 4, 3},  {"the boats", 5, 3},
                                         {"the end", 4, 3}, {"the quay", 4, 2}};
  NGramList list = build(options);
  EXPECT_EQ(rowsOf(list), alphabetical);
  EXPECT_EQ(list.SortMode(), NGramSort::Alphabetical);
  // By range: range first, then frequency, then the words.
  frequency::testing::RecordingProgress progress;
  list.Sort(NGramSort::ByRange, progress);
  EXPECT_EQ(progress.title, "Sorting by range");
  const std::vector<Row> byRange = {{"the boats", 5, 3}, {"at the", 4, 3},  {"end of", 4, 3},
                                    {"of the", 4, 3},    {"the end", 4, 3}, {"the quay", 4, 2}};
  EXPECT_EQ(rowsOf(list), byRange);
}

TEST_F(NGramBuildTest, CapitalsFoldOnlyWhenTheCorpusIgnoresThem) {
  addProse();
  settings.IgnoreCapital = false;
  NGramList list = build(lengths(2, 2));
  for (const auto& [text, frequency, range] : std::vector<Row>{{"The boats", 2, 1},
                                                               {"the boats", 3, 3},
                                                               {"The lamp", 2, 1},
                                                               {"At the", 2, 2},
                                                               {"at the", 2, 2}}) {
    const std::int32_t i = find(list, text);
    ASSERT_NE(i, -1) << text;
    EXPECT_EQ(list.Frequency(i), frequency) << text;
    EXPECT_EQ(list.Range(i), range) << text;
  }
}

TEST_F(NGramBuildTest, OneThreadTwoThreadsAndTwoPassesAgree) {
  addProse();
  for (const NGramOptions& base : {lengths(2, 5), lengths(2, 5, true), lengths(3, 3)}) {
    for (std::int64_t minFrequency : {1, 2, 3}) {
      NGramOptions options = base;
      options.minFrequency = minFrequency;
      const NGramList one = build(options);
      EXPECT_FALSE(one.TookTwoPasses());
      // Two threads: the corpus is cut in two halves inside the market.
      const NGramList two = build(options, 0);
      EXPECT_EQ(rowsOf(two), rowsOf(one)) << minFrequency;
      EXPECT_EQ(two.Source().totalWords, one.Source().totalWords);
      EXPECT_EQ(two.Source().totalSentences, one.Source().totalSentences);
      if (minFrequency == 1) continue;
      // No memory for an exact count: a hashed pass, then the exact one.
      for (std::int64_t threshold : {std::int64_t{1} << 40, std::int64_t{0}}) {
        const NGramList passes = build(options, threshold, 1);
        EXPECT_TRUE(passes.TookTwoPasses());
        EXPECT_EQ(rowsOf(passes), rowsOf(one)) << minFrequency << " " << threshold;
        EXPECT_EQ(passes.Source().totalWords, one.Source().totalWords);
      }
    }
  }
}

TEST_F(NGramBuildTest, APipeIsReadOnceWhateverMemoryItsNGramsTake) {
  const std::string fifo = folder / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  settings.Files.Add(fifo, RootCollator());
  std::thread writer([&fifo] { std::ofstream(fifo, std::ios::binary) << kHarbour << kMarket; });
  NGramOptions options = lengths(2, 2);
  options.minFrequency = 3;
  // No memory for an exact count, but the pipe cannot be read again.
  const NGramList list = build(options, std::int64_t{1} << 40, 1);
  writer.join();
  EXPECT_FALSE(list.TookTwoPasses());
  EXPECT_EQ(rowsOf(list), (std::vector<Row>{{"the boats", 4, 1},
                                            {"the quay", 4, 1},
                                            {"at the", 3, 1},
                                            {"end of", 3, 1},
                                            {"of the", 3, 1},
                                            {"on the", 3, 1},
                                            {"the end", 3, 1}}));
}

TEST_F(NGramBuildTest, Utf8WordsFoldPerCharacter) {
  settings.TextEncoding = text::Encoding::Utf8;
  settings.WordSeparators = text::kDefaultUtf8WordSeparators;
  addFile("cafe.txt",
          "Caf\u00E9 au lait, s'il vous pla\u00EEt. CAF\u00C9 AU LAIT \u2014 toujours "
          "\u00AB caf\u00E9 au lait \u00BB. "
          "\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC \u03B3\u03C1\u03AC\u03BC\u03BC\u03B1"
          "\u03C4\u03B1 \u03BA\u03B1\u03B9 \u03B5\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC "
          "\u03B3\u03C1\u03AC\u03BC\u03BC\u03B1\u03C4\u03B1.");
  NGramOptions options = lengths(2, 3);
  options.minFrequency = 2;
  options.sort = NGramSort::Alphabetical;
  // The Greek "ellinika grammata" twice (the capital folded), "cafe au
  // lait" three times: the dash and the guillemets separate words.
  const std::vector<Row> expected = {
      {"au lait", 3, 1},
      {"caf\u00E9 au", 3, 1},
      {"caf\u00E9 au lait", 3, 1},
      {"\u03B5\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC \u03B3\u03C1\u03AC\u03BC\u03BC\u03B1\u03C4"
       "\u03B1",
       2, 1}};
  EXPECT_EQ(rowsOf(build(options)), expected);
  EXPECT_EQ(rowsOf(build(options, 0)), expected);
}

TEST_F(NGramBuildTest, TaggedWordsLoseTheirTagsBeforeTheyAreFolded) {
  settings.TaggedText = true;
  settings.WordSeparators = " ,.!?";
  addFile("tagged.txt", "<DT>The <NN>Boat <VB>sails. <DT>the <NN>boat <VB>sinks, <>the boat.");
  NGramOptions options = lengths(2, 2);
  options.minFrequency = 2;
  // "<>the" carries an empty tag: it counts as it stands.
  EXPECT_EQ(rowsOf(build(options)), (std::vector<Row>{{"the boat", 2, 1}}));
}

TEST_F(NGramBuildTest, AWordCutAt255CharactersIsReportedAndCountedCut) {
  const std::string longWord(300, 'q');
  addFile("long.txt", "a " + longWord + " b. a " + longWord + " b.");
  NGramOptions options = lengths(3, 3);
  NGramList list = build(options);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Text(0), "a " + std::string(255, 'q') + " b");
  EXPECT_EQ(list.Frequency(0), 2);
  EXPECT_EQ(list.CutWordFiles(), std::vector<std::string>{folder / "long.txt"});
}

TEST_F(NGramBuildTest, AFileThatCannotBeOpenedIsReportedAndSkipped) {
  addFile("1_harbour.txt", kHarbour);
  settings.Files.Add(folder / "missing.txt", RootCollator());
  NGramList list = build(lengths(2, 2));
  ASSERT_EQ(host.ui.messages.size(), 1u);
  EXPECT_NE(host.ui.messages[0].text.find("missing.txt"), std::string::npos);
  EXPECT_TRUE(list.ListComplete());
  EXPECT_EQ(list.FileCount(), 2);
  EXPECT_GT(list.Count(), 0);
}

TEST_F(NGramBuildTest, CancelKeepsWhatWasCountedAndMarksTheListIncomplete) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "one two three. ";
  addFile("long.txt", text);
  host.search.cancelAfterUpdates = 2;
  NGramList list = build(lengths(2, 2));
  EXPECT_FALSE(list.ListComplete());
  ASSERT_EQ(list.Count(), 2);
  EXPECT_LT(list.Frequency(0), 3000);
  EXPECT_GT(list.Frequency(0), 0);
}

}  // namespace
}  // namespace lexvane::ngrams
