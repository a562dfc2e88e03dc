// The word list's Range and DP columns: a build that counts the spread gives
// the very list the usual build gives, plus for every type its range and DP,
// which must equal the dispersion of its per-file counts (taken from lists of
// each file alone); the pairs kept are only those that occur. In every
// encoding, on long prose and text of awkward shapes, the list, its totals
// and the per-file counts are those of the reference scanner.
#include <map>

#include <gtest/gtest.h>

#include "concordance/dispersion.h"
#include "core/corpus/temp_folder.h"
#include "core/frequency/fakes.h"
#include "core/text/twin_prose.h"
#include "frequency/frequency_copy.h"
#include "frequency/frequency_export.h"
#include "frequency/word_frequency_list.h"
#include "frequency/word_spread.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::frequency {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using testing::Host;

const char* const kTexts[] = {
    "The harbour was quiet that morning. Fishermen walked down to the quay, and the old "
    "ferry waited for the six o'clock bell. The caf\xE9 on the corner opened its shutters.\r\n",
    "",
    "Up on the hill the house stood empty. Its windows looked over the orchard, where the "
    "pears had fallen in the grass; nobody walked there any more, not even the cat.\n",
    "Dear Anna, the walk along the cliffs took us three hours. The wind never stopped. "
    "The house by the harbour is for sale, they say, and the caf\xE9 is closed.\n",
};

std::string line(const WordFrequencyList& list, std::int32_t i, bool range, bool dp) {
  CopyOptions options;
  options.WithRange = range;
  options.WithDP = dp;
  return WordFrequencyLine(list, i, options);
}

class WordSpreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::size_t i = 0; i < std::size(kTexts); ++i) {
      const std::string path = folder_ / ("f" + std::to_string(i) + ".txt");
      writeBytes(path, kTexts[i]);
      settings_.Files.Add(path, RootCollator());
      settings_.TotalBytes += static_cast<std::int64_t>(std::string(kTexts[i]).size());
    }
  }
  void build(WordFrequencyList& list, bool spread) {
    Host host;
    text::OperationHost operation = host.operation();
    list.SetCountSpread(spread);
    list.Build(settings_, operation);
  }

  TempFolder folder_;
  corpus::CorpusSettings settings_;
};

TEST_F(WordSpreadTest, TheSameListWithItsSpread) {
  WordFrequencyList plain{RootCollator()}, spread{RootCollator()};
  build(plain, false);
  build(spread, true);
  EXPECT_FALSE(plain.HasSpread());
  ASSERT_TRUE(spread.HasSpread());
  ASSERT_EQ(plain.Count(), spread.Count());
  EXPECT_EQ(plain.TotalWords(), spread.TotalWords());
  EXPECT_EQ(plain.TotalSentences(), spread.TotalSentences());
  for (std::int32_t i = 0; i < plain.Count(); ++i) {
    EXPECT_EQ(plain.WordList().Get(i), spread.WordList().Get(i));
    EXPECT_EQ(line(plain, i, false, false), line(spread, i, false, false));
    // A list without the spread copies no added fields, even when asked.
    EXPECT_EQ(line(plain, i, true, true), line(plain, i, false, false));
  }

  // Each file counted alone gives the per-file counts of every type.
  std::vector<std::map<std::string, std::int64_t>> perFile;
  std::vector<std::int64_t> words;
  for (const std::string& path : settings_.Files.Paths()) {
    corpus::CorpusSettings one = settings_;
    one.Files.Clear();
    one.Files.Add(path, RootCollator());
    WordFrequencyList alone{RootCollator()};
    build(alone, false);
    Host host;
    text::OperationHost operation = host.operation();
    alone.Build(one, operation);
    std::map<std::string, std::int64_t> counts;
    for (std::int32_t i = 0; i < alone.Count(); ++i)
      counts[alone.Info(i).Word] = alone.Info(i).Frequency;
    perFile.push_back(counts);
    words.push_back(alone.TotalWords());
  }
  for (std::int32_t i = 0; i < spread.Count(); ++i) {
    const std::string& word = spread.Info(i).Word;
    std::vector<concordance::PartCount> parts;
    for (std::size_t f = 0; f < perFile.size(); ++f) {
      const auto found = perFile[f].find(word);
      parts.push_back({words[f], found == perFile[f].end() ? 0 : found->second});
    }
    const concordance::DispersionFigures expected = concordance::ComputeDispersion(parts);
    using Column = WordFrequencyList::SpreadColumn;
    EXPECT_EQ(spread.SpreadCellText(Column::Range, i + 1), std::to_string(expected.Range)) << word;
    EXPECT_EQ(spread.SpreadCellText(Column::DP, i + 1), concordance::FormatMeasure(expected.DP))
        << word;
  }
}

TEST_F(WordSpreadTest, HandWorkedFigures) {
  // 31 + 0 + 31 + 30 words (92). "the" occurs 6, 0, 6 and 6 times: v = 1/3
  // in each file with words against s = 31/92, 31/92, 30/92: DP = (.0036 +
  // .0036 + .0072) / 2 = .0072. "cat" only in the third file: DP = (1 -
  // 31/92 + 31/92 + 30/92) / 2 = .6630. "café" once in the first and once in
  // the last: DP = (|.5 - .3370| + .3370 + |.5 - .3261|) / 2 = .3370.
  WordFrequencyList list{RootCollator()};
  build(list, true);
  ASSERT_EQ(list.TotalWords(), 92);
  auto find = [&](const std::string& word) {
    for (std::int32_t i = 0; i < list.Count(); ++i)
      if (list.Info(i).Word == word) return i;
    return -1;
  };
  const std::int32_t the = find("the"), cat = find("cat"), cafe = find("caf\xE9");
  ASSERT_GE(the, 0);
  EXPECT_EQ(line(list, the, true, true), "the|18|19.565|3|0.0072\r\n");
  EXPECT_EQ(line(list, cat, true, true), "cat|1|1.087|1|0.6630\r\n");
  // Only the DP asked for.
  EXPECT_EQ(line(list, cafe, false, true), "caf\xE9|2|2.174|0.3370\r\n");
  // The headings; sorting keeps each type's figures.
  EXPECT_EQ(list.SpreadCellText(WordFrequencyList::SpreadColumn::Range, 0), "Range");
  EXPECT_EQ(list.SpreadCellText(WordFrequencyList::SpreadColumn::DP, 0), "DP");
  text::SilentProgressIndicator progress;
  list.SortWordList(kSortByFrequency, SortCaption(kSortByFrequency), progress);
  EXPECT_EQ(line(list, 0, true, true), "the|18|19.565|18|19.57|3|0.0072\r\n");
}

TEST_F(WordSpreadTest, ExportCarriesTheColumnsAskedForOfAListThatHasThem) {
  WordFrequencyList plain{RootCollator()}, spread{RootCollator()};
  build(plain, false);
  build(spread, true);
  EXPECT_EQ(WordFrequencyExportTable(plain, true, true).Columns().size(), 4u);
  const table_export::FunctionTable table = WordFrequencyExportTable(spread, false, true);
  ASSERT_EQ(table.Columns().size(), 5u);
  EXPECT_EQ(table.Columns()[4].Heading, "DP");
  std::int32_t the = 0;
  while (spread.Info(the).Word != "the") ++the;
  table_export::RowCells cells;
  table.Row(the, cells);
  ASSERT_EQ(cells.Size(), 5u);
  EXPECT_EQ(cells[4].Kind, table_export::CellKind::Decimal);
  EXPECT_EQ(cells[4].Decimals, 4);
  EXPECT_NEAR(cells[4].Value, 0.0072, 0.00005);
}

TEST(FileSpread, KeepsOnlyThePairsThatOccur) {
  // Three files: 2 types, 3 types, 1 type; 3 types in all.
  WordCounter a, b, c;
  a.Add("sea", 3);
  a.Add("wind");
  b.Add("sea");
  b.Add("wind", 2);
  b.Add("gull");
  c.Add("gull", 4);
  FileSpread spread;
  spread.AddFile(0, a, 4);
  spread.AddFile(1, b, 4);
  // A file counted in two parts counts once in the range.
  WordCounter c1, c2;
  c1.Add("gull", 1);
  c2.Add("gull", 3);
  spread.AddFile(2, c1, 1);
  spread.AddFile(2, c2, 3);
  EXPECT_EQ(spread.Pairs(), 2u + 3u + 1u + 1u);
  spread.Finish();
  EXPECT_EQ(spread.Pairs(), 0u);
  // gull: 1 and 4 of 5 in files of s = 1/3 each: DP = (|.2 - 1/3| + 1/3 +
  // |.8 - 1/3|) / 2 = .4667.
  EXPECT_EQ(spread.Of("gull").Range, 2);
  EXPECT_EQ(concordance::FormatMeasure(spread.Of("gull").DP), "0.4667");
  EXPECT_EQ(spread.Of("sea").Range, 2);
  EXPECT_EQ(spread.Of("heron").Range, 0);
}

TEST(TypeIndex, NumbersStayAsTheTableGrows) {
  TypeIndex index;
  const std::string text = testing::distinctWords(20000);
  std::vector<std::string> words;
  for (std::size_t at = 0; at < text.size(); at += 5) words.push_back(text.substr(at, 4));
  for (std::size_t i = 0; i < words.size(); ++i) EXPECT_EQ(index.IdOf(words[i]), i);
  for (std::size_t i = 0; i < words.size(); i += 997) {
    EXPECT_EQ(index.IdOf(words[i]), i);
    EXPECT_EQ(index.Find(words[i]), std::optional<std::uint32_t>(i));
  }
  EXPECT_EQ(index.Size(), words.size());
  EXPECT_FALSE(index.Find("zzzzz").has_value());
  EXPECT_EQ(index.IdOf(""), words.size());  // even the empty word
}

TEST_F(WordSpreadTest, CancelKeepsTheFilesCounted) {
  Host host;
  host.search.cancelAfterUpdates = 1;  // at the first file's end
  text::OperationHost operation = host.operation();
  WordFrequencyList list{RootCollator()};
  list.SetCountSpread(true);
  list.Build(settings_, operation);
  EXPECT_FALSE(list.ListComplete());
  ASSERT_TRUE(list.HasSpread());
  EXPECT_EQ(list.TotalWords(), 31);
  for (std::int32_t i = 0; i < list.Count(); ++i)
    EXPECT_EQ(list.SpreadCellText(WordFrequencyList::SpreadColumn::Range, i + 1), "1");
}

// The counts of every type, word by word, of a list built by insertion
// (the reference scanner).
std::map<std::string, std::int64_t> referenceCounts(const corpus::CorpusSettings& settings,
                                                    std::int64_t& words, std::int64_t& sentences) {
  WordFrequencyList list{RootCollator()};
  Host host;
  text::OperationHost operation = host.operation();
  list.BuildByInsertion(settings, operation);
  std::map<std::string, std::int64_t> counts;
  for (std::int32_t i = 0; i < list.Count(); ++i)
    counts[list.Info(i).Word] = list.Info(i).Frequency;
  words = list.TotalWords();
  sentences = list.TotalSentences();
  return counts;
}

TEST(WordSpreadReference, EveryEncodingOnProseAndAwkwardShapes) {
  const std::vector<std::string> prose = lexvane::testing::TwinProseUtf8();
  const std::string shapes[] = {
      prose[0] + std::string(200000, ' ') + prose[1],
      prose[1] + std::string(300000, 'w') + " caf\u00E9 la. " + prose[2],
      std::string(100000, '\0') + "la caf\u00E9" + std::string(1, '\0') + prose[2],
      std::string(30000, '\r') + "la caf\u00E9\rla \u00E9t\u00E9.\rEnde\r",
      "",
  };
  for (const auto encoding :
       {text::Encoding::Windows1252, text::Encoding::Dos850, text::Encoding::Utf8}) {
    SCOPED_TRACE(static_cast<int>(encoding));
    TempFolder folder;
    corpus::CorpusSettings settings;
    settings.TextEncoding = encoding;
    settings.WordSeparators = text::DefaultWordSeparators(encoding);
    settings.CRLFAsSeparator = encoding == text::Encoding::Utf8;
    std::vector<std::string> texts(prose.begin(), prose.end());
    texts.insert(texts.end(), std::begin(shapes), std::end(shapes));
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const std::string path = folder / ("f" + std::to_string(i) + ".txt");
      const std::string bytes = lexvane::testing::InEncoding(texts[i], encoding);
      writeBytes(path, bytes);
      settings.Files.Add(path, RootCollator());
      settings.TotalBytes += static_cast<std::int64_t>(bytes.size());
    }
    WordFrequencyList spread{RootCollator()};
    spread.SetCountSpread(true);
    Host host;
    text::OperationHost operation = host.operation();
    spread.Build(settings, operation);
    ASSERT_TRUE(spread.HasSpread());

    std::int64_t words = 0, sentences = 0;
    const std::map<std::string, std::int64_t> whole = referenceCounts(settings, words, sentences);
    EXPECT_EQ(spread.TotalWords(), words);
    EXPECT_EQ(spread.TotalSentences(), sentences);
    ASSERT_EQ(static_cast<std::size_t>(spread.Count()), whole.size());

    std::vector<std::map<std::string, std::int64_t>> perFile;
    std::vector<std::int64_t> fileWords;
    for (const std::string& path : settings.Files.Paths()) {
      corpus::CorpusSettings one = settings;
      one.Files.Clear();
      one.Files.Add(path, RootCollator());
      std::int64_t n = 0, s = 0;
      perFile.push_back(referenceCounts(one, n, s));
      fileWords.push_back(n);
    }
    for (std::int32_t i = 0; i < spread.Count(); ++i) {
      const std::string& word = spread.Info(i).Word;
      const auto found = whole.find(word);
      ASSERT_TRUE(found != whole.end()) << word;
      EXPECT_EQ(spread.Info(i).Frequency, found->second) << word;
      std::vector<concordance::PartCount> parts;
      for (std::size_t f = 0; f < perFile.size(); ++f) {
        const auto in = perFile[f].find(word);
        parts.push_back({fileWords[f], in == perFile[f].end() ? 0 : in->second});
      }
      const concordance::DispersionFigures expected = concordance::ComputeDispersion(parts);
      using Column = WordFrequencyList::SpreadColumn;
      EXPECT_EQ(spread.SpreadCellText(Column::Range, i + 1), std::to_string(expected.Range))
          << word;
      EXPECT_EQ(spread.SpreadCellText(Column::DP, i + 1), concordance::FormatMeasure(expected.DP))
          << word;
    }
  }
}

}  // namespace
}  // namespace lexvane::frequency
