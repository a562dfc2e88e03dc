// The fast build against the one-token-at-a-time build on many small random
// corpora: random separator and sentence sets (with and without the blank,
// with tag brackets, control characters and bytes 128-255), every option
// combination, words beyond the inline length of the hash slots, runs of 255
// and 256 characters, empty and missing files. Small files put the point
// where the two threads divide the text at every kind of place.
#include <unistd.h>

#include <filesystem>
#include <map>
#include <random>

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "core/frequency/fakes.h"
#include "frequency/word_frequency_list.h"
#include "text/block_scanner.h"
#include "text/collation.h"
#include "text/encoding.h"
#include "text/open_file.h"
#include "tools/root_collator.h"

namespace lexvane::frequency {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using testing::Host;

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

std::vector<std::string> messagesOf(const Host& host) {
  std::vector<std::string> texts;
  for (const auto& m : host.ui.messages) texts.push_back(m.caption + "|" + m.text);
  return texts;
}

class RandomCorpus {
 public:
  explicit RandomCorpus(unsigned seed) : random_(seed) {
    // A vocabulary with short words and words of 17 to 40 characters that
    // share long prefixes, so that long words meet in the same table slots.
    for (int i = 0; i < 300; ++i) vocabulary_.push_back(letters(1 + pick(8)));
    std::string stem = letters(16);
    for (int i = 0; i < 300; ++i) vocabulary_.push_back(stem + letters(1 + pick(24)));
  }

  int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  bool chance(int percent) { return pick(100) < percent; }

  std::string letters(int n) {
    static const std::string kLetters = "abcdeABCDE\xE9\xC9\xFC\x82\x90\xFF\x80xyz";
    std::string w;
    for (int i = 0; i < n; ++i) w += kLetters[pick(static_cast<int>(kLetters.size()))];
    return w;
  }

  // A random set drawn from a pool that mixes the usual punctuation with
  // letters, tag brackets, bytes above 127 and control characters.
  std::string separators() {
    static const std::string kPool = " .,;:!?\"'-()<>0123456789aZ\xE9\x82\t\r\n\x01\x7F\xA0";
    std::string set;
    for (char c : kPool)
      if (chance(c == ' ' ? 70 : 45)) set += c;
    if (chance(20)) set += set.empty() ? std::string(".") : set.substr(0, 1);  // a repeat
    return set;
  }

  std::string sentenceSeparators() {
    static const std::string kPool = ".?!;\t\nZ\xE9";
    std::string set;
    for (char c : kPool)
      if (chance(40)) set += c;
    return set;
  }

  std::string gap() {
    static const char* const kGaps[] = {" ",  "  ", ". ", ", ", "\r\n", ".\r\n", "! ", " 12 ",
                                        "\t", "\n", "?",  "\r", "\0",   " - ",   ";",  "<"};
    std::string g = kGaps[pick(16)];
    if (g.empty()) g.assign(1, '\0');
    if (g == "<" && !longRuns) g = " ";
    return g;
  }

  std::string token() {
    if (longRuns && chance(2)) return std::string(254 + pick(2), 'r');  // 254 or 255
    if (longRuns && pick(1000) < 2) return std::string(256, 's');       // ends its file
    int kind = pick(100);
    std::string w =
        vocabulary_[static_cast<std::size_t>(pick(static_cast<int>(vocabulary_.size())))];
    if (kind < 30) {
      static const char* const kTags[] = {"<NN>", "<vb>", "<>", "<X>", "<NN", "<A>b>", "<"};
      w = kTags[pick(7)] + w;
    }
    if (kind >= 30 && kind < 33) w = "<NN>";
    if (kind >= 33 && kind < 35) w = w.substr(0, 2);
    return w;
  }

  // Now and then runs of 254 to 256 characters and gaps that may glue
  // words into long runs (which end their file).
  bool longRuns = true;

  std::string text(std::size_t bytes) {
    std::string t;
    if (chance(30)) t += gap();
    while (t.size() < bytes) {
      t += token();
      if (t.size() < bytes || chance(50)) t += gap();
    }
    return t;
  }

 private:
  std::mt19937 random_;
  std::vector<std::string> vocabulary_;
};

class FastBuildRandomTest : public ::testing::Test {
 protected:
  // Builds by insertion, then fast on one thread and on two; all must agree.
  void expectSameLists(const corpus::CorpusSettings& settings, const std::string& what) {
    WordFrequencyList reference{RootCollator()};
    Host referenceHost;
    auto referenceOperation = referenceHost.operation();
    reference.BuildByInsertion(settings, referenceOperation);
    for (std::int64_t threshold : {std::int64_t{1} << 40, std::int64_t{0}}) {
      WordFrequencyList fast{RootCollator()};
      fast.SetParallelThreshold(threshold);
      Host host;
      auto operation = host.operation();
      fast.Build(settings, operation);
      SCOPED_TRACE(what + " threshold " + std::to_string(threshold));
      ASSERT_EQ(fast.TotalWords(), reference.TotalWords());
      ASSERT_EQ(fast.TotalSentences(), reference.TotalSentences());
      ASSERT_TRUE(rowsOf(fast) == rowsOf(reference));
      ASSERT_EQ(fast.WordList().Capacity(), reference.WordList().Capacity());
      for (std::int32_t i = 0; i < fast.Count(); ++i)
        ASSERT_EQ(fast.WordList().View(i), reference.WordList().View(i));
      ASSERT_EQ(messagesOf(host), messagesOf(referenceHost));
    }
  }

  TempFolder folder;
};

TEST_F(FastBuildRandomTest, AgreesOnRandomCorporaWithEveryOptionAndSeparatorSet) {
  for (unsigned trial = 0; trial < 150; ++trial) {
    RandomCorpus corpus(trial * 7919 + 1);
    corpus::CorpusSettings settings;
    settings.WordSeparators = corpus.separators();
    settings.SentenceSeparators = corpus.sentenceSeparators();
    settings.IgnoreCapital = corpus.chance(50);
    settings.TaggedText = corpus.chance(50);
    settings.TextEncoding =
        corpus.chance(30) ? text::Encoding::Dos850 : text::Encoding::Windows1252;
    settings.CRLFAsSeparator = corpus.chance(50);
    int files = 1 + corpus.pick(4);
    for (int f = 0; f < files; ++f) {
      std::string name = folder / ("t" + std::to_string(trial) + "-" + std::to_string(f));
      int kind = corpus.pick(10);
      if (kind == 0) {
        settings.Files.Add(name + "-missing", RootCollator());
        continue;
      }
      std::string content = kind == 1 ? std::string() : corpus.text(50 + corpus.pick(6000));
      writeBytes(name, content);
      settings.Files.Add(name, RootCollator());
      settings.TotalBytes += static_cast<std::int64_t>(content.size());
    }
    expectSameLists(settings, "trial " + std::to_string(trial) + " separators '" +
                                  settings.WordSeparators + "'");
    if (HasFatalFailure()) return;
  }
}

// One file whose middle, where the second thread starts, lies at every
// offset of a stretch with a tagged word, a 255-character word, a run of 256
// and a CR LF.
TEST_F(FastBuildRandomTest, AgreesWhereverTheTwoHalvesMeet) {
  const std::string stretch =
      "ab. <NN>House\r\n" + std::string(255, 'w') + " x " + std::string(256, 'v') + " tail. end";
  for (bool crlf : {false, true})
    for (std::size_t at = 0; at <= stretch.size(); ++at) {
      corpus::CorpusSettings settings;
      settings.WordSeparators = " .,";
      settings.TaggedText = true;
      settings.IgnoreCapital = false;
      settings.CRLFAsSeparator = crlf;
      std::string name = folder / "half.txt";
      // The text before the stretch is at least as long as the stretch, and
      // filler after it makes the file twice as long as the text up to
      // stretch[at], so the middle of the file falls on stretch[at].
      const std::string content0 = "one two. " + std::string(stretch.size(), ' ') + stretch;
      const std::size_t middle = content0.size() - stretch.size() + at;
      std::string content = content0;
      while (content.size() < 2 * middle) content += " Fill.";
      content.resize(2 * middle);
      writeBytes(name, content);
      settings.Files.Add(name, RootCollator());
      settings.TotalBytes = static_cast<std::int64_t>(content.size());
      expectSameLists(settings, "at " + std::to_string(at) + " crlf " + std::to_string(crlf));
      if (HasFatalFailure()) return;
    }
}

// Files of more than one read block, with the run of 255 or 256 characters,
// a CR LF and a tagged word across the block boundary.
TEST_F(FastBuildRandomTest, AgreesAcrossReadBlocks) {
  RandomCorpus corpus(99);
  corpus.longRuns = false;
  corpus::CorpusSettings settings;
  settings.WordSeparators = " .,!?\t;-0123456789";
  settings.TaggedText = true;
  settings.CRLFAsSeparator = true;
  settings.TextEncoding = text::Encoding::Dos850;
  const std::size_t block = text::ScanSetup::kDefaultBlockBytes;
  const std::string pieces[] = {std::string(255, 'k'), std::string(256, 'k'), "\r\n",
                                "<JJ>Crossing"};
  int f = 0;
  for (const std::string& piece : pieces)
    for (std::size_t shift : {std::size_t{0}, std::size_t{1}, piece.size() / 2}) {
      std::string content = corpus.text(block);
      content.resize(block - shift);
      content += " " + piece + " " + corpus.text(3000);
      std::string name = folder / ("block" + std::to_string(f++));
      writeBytes(name, content);
      settings.Files.Add(name, RootCollator());
      settings.TotalBytes += static_cast<std::int64_t>(content.size());
    }
  expectSameLists(settings, "blocks");
}

// UTF-8 text: letters of two, three and four bytes, capitals whose lower
// case has another length or is ASCII (the Kelvin sign, the dotted capital
// I), invalid and cut sequences, separators and sentence separators beyond
// ASCII, and the two halves meeting inside characters.
class Utf8Corpus {
 public:
  explicit Utf8Corpus(unsigned seed) : random_(seed) {}
  int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  bool chance(int percent) { return pick(100) < percent; }

  std::string word() {
    static const std::vector<std::string> kLetters = {
        "a",        "B",        "\xC3\xA9", "\xC3\x89",     "\xC3\x9F", "\xCE\xA3",
        "\xCF\x83", "\xD0\xB6", "\xD0\x96", "\xE2\x84\xAA", "\xC4\xB0", "\xF0\x9F\x98\x80",
        "\x80",     "\xE2\x80", "\xC0\xAF", "\xE2\x80\x94", "\xC2\xAB", "\xEF\xBB\xBF",
        "z"};
    if (chance(1)) {
      std::string run;
      for (int i = 0; i < 254 + pick(3); ++i) run += kLetters[static_cast<std::size_t>(pick(3))];
      return run;
    }
    std::string w;
    if (chance(5)) {
      // Beyond the 16 bytes that are folded in registers: ASCII capitals,
      // now and then with a letter beyond ASCII only at the end.
      for (int i = 9 + pick(30); i > 0; --i) w += chance(50) ? "Q" : "q";
      if (chance(50)) w += kLetters[static_cast<std::size_t>(2 + pick(8))];
      return w;
    }
    for (int i = 1 + pick(6); i > 0; --i) w += kLetters[static_cast<std::size_t>(pick(19))];
    return w;
  }
  std::string gap() {
    static const std::vector<std::string> kGaps = {" ",
                                                   " ",
                                                   ". ",
                                                   "\xE2\x80\xA6 ",
                                                   "\xC2\xA0",
                                                   ", ",
                                                   "\r\n",
                                                   "\xC2\xBB ",
                                                   " \xE2\x80\x94 ",
                                                   "! ",
                                                   "\t",
                                                   std::string(1, '\0'),
                                                   "\xE2\x80\x9C"};
    return kGaps[static_cast<std::size_t>(pick(static_cast<int>(kGaps.size())))];
  }
  std::string separators() {
    static const std::vector<std::string> kPool = {" ",
                                                   ".",
                                                   ",",
                                                   "!",
                                                   "\"",
                                                   "'",
                                                   "\xE2\x80\xA6",
                                                   "\xC2\xA0",
                                                   "\xC2\xAB",
                                                   "\xC2\xBB",
                                                   "\xE2\x80\x94",
                                                   "\xE2\x80\x9C",
                                                   "\xC3\xA9",
                                                   "\xCF\x83",
                                                   "\x80",
                                                   "<",
                                                   ">"};
    std::string set;
    for (const auto& c : kPool)
      if (chance(c == " " ? 80 : 50)) set += c;
    return set;
  }
  std::string sentenceSeparators() {
    static const std::vector<std::string> kPool = {".",        "!",        "\xE2\x80\xA6",
                                                   "\xC2\xBB", "\xCF\x83", "\n"};
    std::string set;
    for (const auto& c : kPool)
      if (chance(45)) set += c;
    return set;
  }
  std::string text(std::size_t bytes) {
    std::string t = chance(20) ? "\xEF\xBB\xBF" : "";
    while (t.size() < bytes) {
      if (chance(8)) t += "<NN>";
      t += word();
      t += gap();
    }
    return t;
  }

 private:
  std::mt19937 random_;
};

TEST_F(FastBuildRandomTest, AgreesOnRandomUtf8Corpora) {
  for (unsigned trial = 0; trial < 120; ++trial) {
    Utf8Corpus corpus(trial * 104729 + 3);
    corpus::CorpusSettings settings;
    settings.TextEncoding = text::Encoding::Utf8;
    settings.WordSeparators = corpus.separators();
    settings.SentenceSeparators = corpus.sentenceSeparators();
    settings.IgnoreCapital = corpus.chance(60);
    settings.TaggedText = corpus.chance(30);
    settings.CRLFAsSeparator = corpus.chance(50);
    const int files = 1 + corpus.pick(3);
    for (int f = 0; f < files; ++f) {
      const std::string name = folder / ("u" + std::to_string(trial) + "-" + std::to_string(f));
      const std::string content = corpus.text(30 + static_cast<std::size_t>(corpus.pick(4000)));
      writeBytes(name, content);
      settings.Files.Add(name, RootCollator());
      settings.TotalBytes += static_cast<std::int64_t>(content.size());
    }
    expectSameLists(settings, "utf-8 trial " + std::to_string(trial));
    if (HasFatalFailure()) return;
  }
}

// The middle of the file, where the second thread starts, inside and
// around characters of two to four bytes, a separator beyond ASCII and an
// invalid sequence.
TEST_F(FastBuildRandomTest, AgreesWhereverTheTwoHalvesMeetInUtf8) {
  const std::string stretch =
      "ab \xC3\xA9t\xC3\xA9\xE2\x80\x94\xF0\x9F\x98\x80x \xE2\x80\xA6 \xC0\xAFy\xE2\x80 q.";
  for (const bool lower : {false, true})
    for (std::size_t at = 0; at <= stretch.size(); ++at) {
      corpus::CorpusSettings settings;
      settings.TextEncoding = text::Encoding::Utf8;
      settings.WordSeparators = text::kDefaultUtf8WordSeparators;
      settings.IgnoreCapital = lower;
      const std::string name = folder / "half8.txt";
      const std::string content0 = "one two. " + std::string(stretch.size(), ' ') + stretch;
      const std::size_t middle = content0.size() - stretch.size() + at;
      std::string content = content0;
      while (content.size() < 2 * middle) content += " Fill.";
      content.resize(2 * middle);
      writeBytes(name, content);
      settings.Files.Add(name, RootCollator());
      settings.TotalBytes = static_cast<std::int64_t>(content.size());
      expectSameLists(settings, "utf-8 at " + std::to_string(at));
      if (HasFatalFailure()) return;
    }
}

// A range that starts inside or right behind the byte-order mark: the mark
// is no character, so the first word is the range's own.
TEST_F(FastBuildRandomTest, AgreesWhenTheSecondHalfStartsAtTheByteOrderMark) {
  for (std::size_t n = 0; n < 6; ++n) {
    corpus::CorpusSettings settings;
    settings.TextEncoding = text::Encoding::Utf8;
    const std::string name = folder / "mark.txt";
    const std::string content = "\xEF\xBB\xBF" + std::string(n, 'a') + " b";
    writeBytes(name, content);
    settings.Files.Add(name, RootCollator());
    settings.TotalBytes = static_cast<std::int64_t>(content.size());
    expectSameLists(settings, "mark " + std::to_string(n));
    if (HasFatalFailure()) return;
  }
}

// A range that starts at or inside a character cut by the file's end
// (found by fuzzing): the two ranges give the tokens of the whole file.
TEST_F(FastBuildRandomTest, TwoRangesTokenizeAFileEndingInACutCharacterAsTheWhole) {
  const text::CharacterSets sets = text::CharacterSets::Derive(
      text::kDefaultUtf8WordSeparators, text::kDefaultSentenceSeparators, text::Encoding::Utf8);
  using Tokens = std::vector<std::pair<std::string, bool>>;
  struct Collect {
    Tokens tokens;
    bool Word(const text::ScanWord& word) {
      tokens.emplace_back(std::string(word.text), word.simpleEnd);
      return true;
    }
  };
  text::ScanOptions options;
  options.enhanced = false;
  const text::ScanSetup setup(sets, options);
  auto tokens = [&](const std::string& path, std::int64_t begin, std::int64_t end) {
    int error = 0;
    const int fd = text::OpenCorpusFile(path, text::FileAccess::Seek, error);
    EXPECT_GE(fd, 0) << error;
    text::BlockScanner<Collect> scanner(setup);
    Collect out;
    scanner.ScanFile(out, fd, begin, end);
    ::close(fd);
    return out.tokens;
  };
  for (const std::string content :
       {"c\x9F\x99\x16\xE5", "ab \xE5", "ab \xE2\x80", "ab \xF0\x9F\x98", "ab\xF0\x9F\x98"}) {
    const std::string name = folder / "cut.txt";
    writeBytes(name, content);
    const Tokens whole = tokens(name, 0, -1);
    for (std::size_t cut = 0; cut <= content.size(); ++cut) {
      Tokens parts = tokens(name, 0, static_cast<std::int64_t>(cut));
      const Tokens rest = tokens(name, static_cast<std::int64_t>(cut), -1);
      parts.insert(parts.end(), rest.begin(), rest.end());
      EXPECT_EQ(parts, whole) << ::testing::PrintToString(content) << " cut at " << cut;
    }
  }
}

// A character of two to four bytes across the tokenizer's read block.
TEST_F(FastBuildRandomTest, AgreesWhenACharacterCrossesTheReadBlockInUtf8) {
  corpus::CorpusSettings settings;
  settings.TextEncoding = text::Encoding::Utf8;
  settings.WordSeparators = text::kDefaultUtf8WordSeparators;
  settings.IgnoreCapital = true;
  const std::size_t block = text::ScanSetup::kDefaultBlockBytes;
  int f = 0;
  for (const std::string& ch :
       {std::string("\xC3\x89"), std::string("\xE2\x80\x94"), std::string("\xF0\x9F\x98\x80")})
    for (std::size_t split = 1; split < ch.size(); ++split) {
      std::string content(block - split - 3, 'w');
      content += " Ab" + ch + "Cd tail.";
      const std::string name = folder / ("u8block" + std::to_string(f++));
      writeBytes(name, content);
      settings.Files.Add(name, RootCollator());
      settings.TotalBytes += static_cast<std::int64_t>(content.size());
    }
  expectSameLists(settings, "utf-8 blocks");
}

// A Latin corpus in UTF-8 counts the words of its Windows-1252 twin:
// the same words (decoded), frequencies, totals and sentences, with and
// without capitals folded.
TEST_F(FastBuildRandomTest, ALatinUtf8CorpusCountsTheWordsOfItsWindows1252Twin) {
  RandomCorpus corpus(5);
  corpus.longRuns = false;
  std::string ansi;
  while (ansi.size() < 40'000) ansi += corpus.token() + corpus.gap();
  // No tags, no control characters other than the gaps' ones.
  const std::string name8 = folder / "twin8.txt", name16 = folder / "twinU.txt";
  writeBytes(name8, ansi);
  writeBytes(name16, text::decodeToUtf8(ansi, text::Encoding::Windows1252));
  for (const bool lower : {false, true}) {
    std::map<std::string, std::int64_t> counts[2];
    std::int64_t words[2], sentences[2];
    for (int k = 0; k < 2; ++k) {
      corpus::CorpusSettings settings;
      settings.TextEncoding = k == 0 ? text::Encoding::Windows1252 : text::Encoding::Utf8;
      settings.WordSeparators =
          text::decodeToUtf8(" .,!?\t;-0123456789\xA0", settings.TextEncoding);
      settings.IgnoreCapital = lower;
      settings.CRLFAsSeparator = true;
      settings.Files.Add(k == 0 ? name8 : name16, RootCollator());
      WordFrequencyList list{RootCollator()};
      Host host;
      auto operation = host.operation();
      list.Build(settings, operation);
      for (const Row& row : rowsOf(list))
        counts[k][text::decodeToUtf8(row.word, settings.TextEncoding)] += row.frequency;
      words[k] = list.TotalWords();
      sentences[k] = list.TotalSentences();
    }
    EXPECT_EQ(words[0], words[1]);
    EXPECT_EQ(sentences[0], sentences[1]);
    EXPECT_GT(counts[0].size(), 100u);
    EXPECT_TRUE(counts[0] == counts[1]) << "lower " << lower;
  }
}

}  // namespace
}  // namespace lexvane::frequency
