// The fast build (hash counting, one or two threads, own tokenizer) against
// the straightforward build (one TextScanner, binary insertion per new
// type) on generated corpora: the lists must be identical.
#include <cstdio>
#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "core/frequency/fakes.h"
#include "frequency/word_frequency_list.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::frequency {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using testing::Host;

struct Generator {
  std::mt19937 random{12345};
  std::vector<std::string> vocabulary;
  bool tagged = false;

  Generator() {
    const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJ\xE9\xC9\xFC\xDC\xE6";
    for (int i = 0; i < 4000; ++i) {
      std::string w;
      int length = 1 + static_cast<int>(random() % 9);
      for (int k = 0; k < length; ++k) w += letters[random() % letters.size()];
      vocabulary.push_back(w);
    }
  }
  std::string word() {
    double u = std::uniform_real_distribution<double>(0, 1)(random);
    std::string w = vocabulary[static_cast<std::size_t>(u * u * u * vocabulary.size())];
    if (tagged) {
      static const char* const kTags[] = {"<NN>", "<VB>", "<Jj>", "", "", "<>", "<X>"};
      w = kTags[random() % 7] + w;
      if (random() % 50 == 0) w = "<NN>";
    }
    return w;
  }
  std::string gap() {
    static const char* const kGaps[] = {" ",     " ",  " ",    "  ", ". ", ", ",   "\r\n",
                                        ".\r\n", "! ", " 12 ", "\t", "\n", "? \"", " - "};
    return kGaps[random() % 14];
  }
  // About `bytes` of text; an overlong run at the given share of it (if >= 0).
  std::string text(std::size_t bytes, double overlongAt = -1) {
    std::string t;
    bool placed = overlongAt < 0;
    while (t.size() < bytes) {
      if (!placed && t.size() >= overlongAt * bytes) {
        t += std::string(300, 'q') + " ";
        placed = true;
      }
      t += word() + gap();
    }
    return t;
  }
};

struct Row {
  std::string word, wordClass;
  std::int64_t frequency;
  bool operator==(const Row&) const = default;
};

std::vector<Row> rowsOf(const WordFrequencyList& list) {
  std::vector<Row> rows;
  for (std::int32_t i = 0; i < list.Count(); ++i)
    rows.push_back({list.Info(i).Word, list.Info(i).WordClass, list.Info(i).Frequency});
  return rows;
}

class FastBuildTest : public ::testing::Test {
 protected:
  void addFile(const std::string& name, const std::string& content) {
    writeBytes(folder / name, content);
    settings.Files.Add(folder / name, RootCollator());
    settings.TotalBytes += static_cast<std::int64_t>(content.size());
  }

  // Builds both ways, once on one thread and once on two, and compares.
  void expectSameLists() {
    WordFrequencyList reference{RootCollator()};
    Host referenceHost;
    auto referenceOperation = referenceHost.operation();
    reference.BuildByInsertion(settings, referenceOperation);
    ASSERT_GT(reference.Count(), 100);
    for (std::int64_t threshold : {std::int64_t{1} << 40, std::int64_t{0}}) {
      WordFrequencyList fast{RootCollator()};
      fast.SetParallelThreshold(threshold);
      Host host;
      auto operation = host.operation();
      fast.Build(settings, operation);
      EXPECT_EQ(fast.TotalWords(), reference.TotalWords()) << threshold;
      EXPECT_EQ(fast.TotalSentences(), reference.TotalSentences()) << threshold;
      EXPECT_TRUE(fast.ListComplete());
      EXPECT_TRUE(rowsOf(fast) == rowsOf(reference)) << threshold;
      EXPECT_EQ(fast.WordList().Capacity(), reference.WordList().Capacity());
      for (std::int32_t i = 0; i < fast.Count(); i += 97)
        ASSERT_EQ(fast.WordList().Get(i), reference.WordList().Get(i));
      EXPECT_EQ(host.ui.messages.size(), referenceHost.ui.messages.size());
      EXPECT_EQ(fast.CutWordFiles(), reference.CutWordFiles()) << threshold;
    }
  }

  TempFolder folder;
  corpus::CorpusSettings settings;
  Generator generator;
};

TEST_F(FastBuildTest, PlainTextFoldedWithOneFileSplitAcrossThreadsAndBlocks) {
  addFile("a.txt", generator.text(100000));
  addFile("b.txt", generator.text(1300000));
  addFile("c.txt", generator.text(100000));
  expectSameLists();
}

TEST_F(FastBuildTest, CaseKeptAndLineBreaksEndingSentences) {
  settings.IgnoreCapital = false;
  settings.CRLFAsSeparator = true;
  settings.SentenceSeparators = ".?";
  addFile("a.txt", generator.text(300000));
  addFile("b.txt", generator.text(250000));
  addFile("c.txt", "");
  expectSameLists();
}

TEST_F(FastBuildTest, TaggedTextKeepsTheClassOfTheFirstOccurrenceInCorpusOrder) {
  settings.TaggedText = true;
  settings.WordSeparators = " ,.!?\"-0123456789";
  generator.tagged = true;
  addFile("a.txt", generator.text(200000));
  addFile("b.txt", generator.text(200000));
  addFile("c.txt", generator.text(200000));
  expectSameLists();
}

TEST_F(FastBuildTest, OverlongRunsAreCutAlsoWhenTheFileIsSplit) {
  addFile("a.txt", generator.text(100000));
  addFile("b.txt", generator.text(1200000, 0.3));  // the run lies before the split
  addFile("c.txt", generator.text(100000, 0.5));
  addFile("d.txt", "x y z");
  expectSameLists();
  // The words behind each run are counted, and each file is reported once.
  WordFrequencyList list{RootCollator()};
  Host host;
  auto operation = host.operation();
  list.SetParallelThreshold(0);
  list.Build(settings, operation);
  EXPECT_EQ(list.CutWordFiles(), (std::vector<std::string>{folder / "b.txt", folder / "c.txt"}));
  std::int32_t z = -1;
  EXPECT_TRUE(list.WordList().Find("z", z));
}

TEST_F(FastBuildTest, RunsOf255And256CharactersAcrossABlockBoundary) {
  for (std::size_t run : {std::size_t{255}, std::size_t{256}}) {
    std::string text = generator.text(1 << 20);
    text.resize((1 << 20) - 100);
    text += " " + std::string(run, 'x') + " " + generator.text(5000);
    addFile("run" + std::to_string(run) + ".txt", text);
  }
  addFile("z.txt", generator.text(1000));
  expectSameLists();
}

TEST_F(FastBuildTest, CancelOnTwoThreadsKeepsConsistentCounts) {
  addFile("a.txt", generator.text(2000000));
  addFile("b.txt", generator.text(2000000));
  WordFrequencyList full{RootCollator()}, cancelled{RootCollator()};
  Host fullHost, host;
  auto fullOperation = fullHost.operation();
  full.SetParallelThreshold(0);
  full.Build(settings, fullOperation);
  host.search.cancelAfterUpdates = 1;
  auto operation = host.operation();
  cancelled.SetParallelThreshold(0);
  cancelled.Build(settings, operation);
  EXPECT_FALSE(cancelled.ListComplete());
  EXPECT_LE(cancelled.TotalWords(), full.TotalWords());
  EXPECT_LE(cancelled.TotalSentences(), full.TotalSentences());
  std::int64_t sum = 0;
  for (const Row& row : rowsOf(cancelled)) sum += row.frequency;
  EXPECT_EQ(sum, cancelled.TotalWords());
  EXPECT_TRUE(host.search.finished);
}

// A word carried by a reference list entry.
struct WordObject : text::ListObject {
  explicit WordObject(std::string w) : word(std::move(w)) {}
  std::string word;
};

TEST_F(FastBuildTest, SortsEqualOneByOneInsertionOfTheirKeys) {
  settings.TaggedText = true;
  settings.IgnoreCapital = false;
  settings.WordSeparators = " ,.!?\"-0123456789";
  generator.tagged = true;
  addFile("a.txt", generator.text(150000));
  WordFrequencyList list{RootCollator()};
  Host host;
  auto operation = host.operation();
  list.Build(settings, operation);
  ASSERT_GT(list.Count(), 1000);
  for (int mode : {1, 3, 2, 3, 0, 3, 1}) {
    // The reference: every row's key inserted in the current order into a
    // sorted list that accepts duplicates.
    text::TQStringList reference(RootCollator());
    reference.SetDuplicates(text::Duplicates::Accept);
    reference.SetSorted(true);
    for (std::int32_t i = 0; i < list.Count(); ++i) {
      const TOneWordInfo& info = list.Info(i);
      char prefix[32];
      std::snprintf(prefix, sizeof prefix, "%012lld",
                    static_cast<long long>(2147483647 - info.Frequency));
      std::string key = mode == 0   ? info.Word
                        : mode == 1 ? prefix + info.Word
                        : mode == 2 ? std::string(info.Word.rbegin(), info.Word.rend())
                                    : info.WordClass;
      reference.AddObject(key, new WordObject(info.Word));
    }
    list.SortWordList(mode, SortCaption(mode), host.progress);
    ASSERT_EQ(list.Count(), reference.GetCount());
    for (std::int32_t i = 0; i < list.Count(); ++i) {
      ASSERT_EQ(list.Info(i).Word, static_cast<WordObject*>(reference.GetObject(i))->word)
          << "mode " << mode << " row " << i;
      ASSERT_EQ(list.WordList().Get(i), reference.Get(i));
    }
  }
}

TEST_F(FastBuildTest, MissingFilesAreReportedOnceInBothBuilds) {
  addFile("a.txt", generator.text(200000));
  settings.Files.Add(folder / "b-missing.txt", RootCollator());
  std::filesystem::create_directory(folder / "b-folder");
  settings.Files.Add(folder / "b-folder", RootCollator());
  addFile("c.txt", generator.text(200000));
  expectSameLists();
}

}  // namespace
}  // namespace lexvane::frequency
