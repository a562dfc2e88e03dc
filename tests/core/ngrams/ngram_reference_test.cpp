// The n-gram build (its own tokenizer, hash tables, one or two threads, one
// or two passes) against a plain reference: every word and sentence end
// read by the TextScanner, every n-gram kept in a map. Generated corpora of
// a few hundred kilobytes, plain, tagged and UTF-8; long multi-byte prose and
// text of every awkward shape in Windows-1252, DOS and UTF-8.
#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "core/frequency/fakes.h"
#include "core/text/twin_prose.h"
#include "ngrams/ngram_list.h"
#include "text/collation.h"
#include "text/key_order.h"
#include "text/tags.h"
#include "text/text_scanner.h"
#include "tools/root_collator.h"

namespace lexvane::ngrams {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using frequency::testing::Host;
using Row = std::tuple<std::string, std::int64_t, std::int64_t>;

// The n-grams of the corpus counted the slow, obvious way, in the list's
// order.
std::vector<Row> referenceRows(const corpus::CorpusSettings& settings,
                               const NGramOptions& options) {
  std::map<std::string, std::pair<std::int64_t, std::set<std::size_t>>> counts;
  text::TextScanner scanner(corpus::ScannerSets(settings));
  frequency::testing::RecordingUi ui;
  const std::vector<std::string>& files = settings.Files.Paths();
  for (std::size_t f = 0; f < files.size(); ++f) {
    if (!scanner.OpenFile(files[f], ui)) continue;
    std::vector<std::string> run;
    text::ScannedWord scanned;
    while (scanner.ReadWord(scanned, settings.CRLFAsSeparator)) {
      std::string word(scanned.word);
      if (settings.TaggedText && !text::ExtractTag(word).empty()) word = text::StripTag(word);
      if (settings.IgnoreCapital) text::lowerInPlace(word, settings.TextEncoding);
      if (!word.empty()) {
        run.push_back(word);
        for (int n = options.minLength; n <= options.maxLength; ++n) {
          if (run.size() < static_cast<std::size_t>(n)) break;
          std::string gram;
          for (std::size_t k = run.size() - n; k < run.size(); ++k)
            gram += (gram.empty() ? "" : " ") + run[k];
          auto& [count, inFiles] = counts[gram];
          ++count;
          inFiles.insert(f);
        }
      }
      if (scanned.simpleEnd && !options.crossSentences) run.clear();
    }
    scanner.CloseFile();
  }
  std::vector<std::pair<std::string, Row>> keyed;
  for (const auto& [gram, value] : counts) {
    const auto range = static_cast<std::int64_t>(value.second.size());
    if (!options.Keeps(value.first, range)) continue;
    keyed.emplace_back(
        text::DescendingPrefix(value.first) + RootCollator().Key(gram, settings.TextEncoding),
        Row{gram, value.first, range});
  }
  std::sort(keyed.begin(), keyed.end());
  std::vector<Row> rows;
  for (auto& [key, row] : keyed) rows.push_back(row);
  return rows;
}

std::vector<Row> rowsOf(const NGramList& list) {
  std::vector<Row> rows;
  for (std::int32_t i = 0; i < list.Count(); ++i)
    rows.emplace_back(std::string(list.Text(i)), list.Frequency(i), list.Range(i));
  return rows;
}

struct Generator {
  std::mt19937 random{4242};
  std::vector<std::string> vocabulary;
  bool tagged = false;
  bool utf8 = false;

  void makeVocabulary() {
    const std::vector<std::string> letters =
        utf8
            ? std::vector<std::string>{"a",      "e",      "o",      "t",      "n",      "s",
                                       "\u00E9", "\u00C9", "\u03B1", "\u0391", "\u0436", "\u0416"}
            : std::vector<std::string>{"a", "e", "o", "t", "n", "s", "r", "T", "N", "\xE9", "\xC9"};
    for (int i = 0; i < 300; ++i) {
      std::string w;
      const int length = 1 + static_cast<int>(random() % 6);
      for (int k = 0; k < length; ++k) w += letters[random() % letters.size()];
      vocabulary.push_back(w);
    }
  }
  std::string word() {
    const double u = std::uniform_real_distribution<double>(0, 1)(random);
    std::string w = vocabulary[static_cast<std::size_t>(u * u * vocabulary.size())];
    if (tagged) {
      static const char* const kTags[] = {"<NN>", "<VB>", "", "", "<>"};
      w = kTags[random() % 5] + w;
    }
    return w;
  }
  std::string gap() {
    static const char* const kGaps[] = {" ",     " ",  " ",    "  ", ". ", ", ",   "\r\n",
                                        ".\r\n", "! ", " 12 ", "\t", "\n", "? \"", " - "};
    return kGaps[random() % 14];
  }
  std::string text(std::size_t bytes) {
    std::string t;
    while (t.size() < bytes) t += word() + gap();
    return t;
  }
};

class NGramReferenceTest : public ::testing::Test {
 protected:
  void addFile(const std::string& name, const std::string& content) {
    writeBytes(folder / name, content);
    settings.Files.Add(folder / name, RootCollator());
    settings.TotalBytes += static_cast<std::int64_t>(content.size());
  }
  void addCorpus() {
    generator.makeVocabulary();
    addFile("a.txt", generator.text(60000));
    addFile("b.txt", generator.text(250000));
    addFile("c.txt", "");
    addFile("d.txt", generator.text(40000));
  }

  // Every way of building gives the reference's rows.
  void expectReference(const NGramOptions& options) {
    const std::vector<Row> reference = referenceRows(settings, options);
    ASSERT_GT(reference.size(), 20u);
    for (std::int64_t threshold : {std::int64_t{1} << 40, std::int64_t{0}}) {
      for (std::size_t budget : {NGramList::kDefaultMemoryBudget, std::size_t{1}}) {
        NGramList list;
        list.SetParallelThreshold(threshold);
        list.SetMemoryBudget(budget);
        Host host;
        auto operation = host.operation();
        list.Build(settings, options, RootCollator(), operation);
        EXPECT_TRUE(list.ListComplete());
        EXPECT_EQ(list.TookTwoPasses(), budget == 1 && options.FrequencyFloor() > 1);
        EXPECT_TRUE(rowsOf(list) == reference)
            << "threads from " << threshold << " bytes, budget " << budget;
      }
    }
  }

  TempFolder folder;
  corpus::CorpusSettings settings;
  Generator generator;
};

NGramOptions optionsOf(int low, int high, bool cross, std::int64_t minFrequency,
                       std::int64_t minRange = 1) {
  NGramOptions options;
  options.minLength = low;
  options.maxLength = high;
  options.crossSentences = cross;
  options.minFrequency = minFrequency;
  options.minRange = minRange;
  return options;
}

TEST_F(NGramReferenceTest, PlainTextEveryLengthWithinSentences) {
  addCorpus();
  expectReference(optionsOf(2, 5, false, 1));
  expectReference(optionsOf(2, 5, false, 2));
}

TEST_F(NGramReferenceTest, PlainTextAcrossSentencesWithFilters) {
  settings.IgnoreCapital = false;
  addCorpus();
  expectReference(optionsOf(2, 3, true, 3, 2));
  expectReference(optionsOf(4, 5, true, 2));
}

TEST_F(NGramReferenceTest, LineBreaksEndSentencesWhenAsked) {
  settings.CRLFAsSeparator = true;
  settings.SentenceSeparators = ".?";
  addCorpus();
  expectReference(optionsOf(2, 4, false, 2));
}

TEST_F(NGramReferenceTest, TaggedText) {
  settings.TaggedText = true;
  settings.WordSeparators = " ,.!?\"-0123456789";
  generator.tagged = true;
  addCorpus();
  expectReference(optionsOf(2, 3, false, 2));
}

TEST_F(NGramReferenceTest, Utf8Text) {
  settings.TextEncoding = text::Encoding::Utf8;
  settings.WordSeparators = text::kDefaultUtf8WordSeparators;
  generator.utf8 = true;
  addCorpus();
  expectReference(optionsOf(2, 3, false, 2));
  expectReference(optionsOf(3, 5, true, 1));
}

using lexvane::testing::InEncoding;

TEST_F(NGramReferenceTest, LongProseInEveryEncoding) {
  for (const auto encoding :
       {text::Encoding::Windows1252, text::Encoding::Dos850, text::Encoding::Utf8}) {
    TempFolder here;
    corpus::CorpusSettings prose;
    prose.TextEncoding = encoding;
    prose.WordSeparators = text::DefaultWordSeparators(encoding);
    int n = 0;
    for (const std::string& utf8 : lexvane::testing::TwinProseUtf8()) {
      // Each text several times over, so that the halves meet inside one.
      std::string text;
      for (int k = 0; k < 40; ++k) text += utf8;
      const std::string path = here / ("prose" + std::to_string(n++) + ".txt");
      writeBytes(path, InEncoding(text, encoding));
      prose.Files.Add(path, RootCollator());
      prose.TotalBytes += static_cast<std::int64_t>(text.size());
    }
    settings = prose;
    SCOPED_TRACE(static_cast<int>(encoding));
    expectReference(optionsOf(2, 4, false, 2));
    expectReference(optionsOf(3, 5, true, 1));
  }
}

TEST_F(NGramReferenceTest, EveryShapeOfTextInEveryEncoding) {
  // Runs of separators longer than a read block, one word far beyond 255
  // characters, NUL bytes, lines ended by CR alone, two-byte characters
  // wherever a block or a half may end.
  const std::string words = lexvane::testing::TwinProseUtf8()[0];
  const std::string shapes[] = {
      words + std::string(200000, ' ') + words,
      words + std::string(150000, '.') + words,
      words + std::string(300000, 'w') + " caf\u00E9 la. " + words,
      words + std::string(100000, '\0') + "la caf\u00E9" + std::string(1, '\0') + words,
      std::string(30000, '\r') + "la caf\u00E9\rla \u00E9t\u00E9.\rEnde\r" + words,
  };
  for (const auto encoding :
       {text::Encoding::Windows1252, text::Encoding::Dos850, text::Encoding::Utf8}) {
    TempFolder here;
    corpus::CorpusSettings odd;
    odd.TextEncoding = encoding;
    odd.WordSeparators = text::DefaultWordSeparators(encoding);
    odd.CRLFAsSeparator = encoding != text::Encoding::Dos850;
    for (std::size_t i = 0; i < std::size(shapes); ++i) {
      const std::string path = here / ("shape" + std::to_string(i) + ".txt");
      const std::string bytes = InEncoding(shapes[i], encoding);
      writeBytes(path, bytes);
      odd.Files.Add(path, RootCollator());
      odd.TotalBytes += static_cast<std::int64_t>(bytes.size());
    }
    settings = odd;
    SCOPED_TRACE(static_cast<int>(encoding));
    expectReference(optionsOf(2, 3, false, 2));
    expectReference(optionsOf(2, 2, true, 1));
  }
}

}  // namespace
}  // namespace lexvane::ngrams
