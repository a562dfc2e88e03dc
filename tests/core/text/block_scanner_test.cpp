// The block scanner against the reference text scanner: for random text and
// random separator sets in Windows-1252, DOS and UTF-8, with and without
// line breaks as sentence ends, the same words with the same offsets, flags
// and cuts, whether read from memory, from a file in small blocks or from a
// mapped file in small steps, whole or in ranges, by every classifier level and by the character
// way; words counted in runs (from memory, by ranges, mapped) carry the
// reference's sentence ends.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "core/corpus/temp_folder.h"
#include "core/text/found_word.h"
#include "text/block_scanner.h"
#include "text/character_sets.h"
#include "text/open_file.h"
#include "text/text_scanner.h"

namespace lexvane::text {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using testing::Found;
using testing::FoundOf;

class SilentUi : public UserInterface {
 public:
  Answer Ask(std::string_view, std::string_view, Buttons, Icon) override { return Answer::Ok; }
};

std::vector<Found> reference(const std::string& path, const CharacterSets& sets, bool crlf) {
  TextScanner scanner(sets);
  SilentUi ui;
  std::vector<Found> words;
  EXPECT_TRUE(scanner.OpenFile(path, ui));
  ScannedWord w;
  while (scanner.ReadWord(w, crlf))
    words.push_back({std::string(w.word), w.offset, w.simpleEnd, w.enhancedEnd, w.cut});
  scanner.CloseFile();
  return words;
}

// Every word with its text.
struct AllWords {
  std::vector<Found> words;
  bool Word(const ScanWord& w) {
    words.push_back(FoundOf(w));
    return true;
  }
};

// Candidates with their text, the other words counted in runs.
struct SomeWords {
  struct Item {
    bool whole;
    Found word;  // whole: the word; else only its sentence end in simpleEnd
  };
  std::vector<Item> items;
  bool Word(const ScanWord& w) {
    items.push_back({true, FoundOf(w)});
    return true;
  }
  void Words(unsigned count, std::uint64_t ends) {
    EXPECT_GE(count, 1u);
    EXPECT_LE(count, 64u);
    for (unsigned k = 0; k < count; ++k)
      items.push_back({false, {"", 0, ((ends >> k) & 1) != 0, false, false}});
  }
};

std::string randomText(std::mt19937& random, Encoding encoding, std::size_t words) {
  static const std::vector<std::string> kEightBit = {
      "walk", "Walked", "the", "The",   "house", "e.g",  "x",    "caf\xE9",  "\xC9t\xE9", "a",
      "it",   "said",   "q-e", "don't", "3rd",   "\x85", "\xA0", "\x82\x90", "<NN>dog"};
  static const std::vector<std::string> kUtf8 = {"walk",
                                                 "\xC3\xA9t\xC3\xA9",
                                                 "\xCE\xA3\xCF\x83",
                                                 "\xD0\x96",
                                                 "\xE2\x84\xAA",
                                                 "\xC4\xB0",
                                                 "\xF0\x9F\x98\x80",
                                                 "\x80",
                                                 "\xE2\x80",
                                                 "\xC0\xAF",
                                                 "the",
                                                 "\xE2\x80\x94",
                                                 "\xC2\xAB",
                                                 "\xEF\xBB\xBF",
                                                 "a",
                                                 "e.g",
                                                 "\xC2\xA0",
                                                 "\xE2\x80\xA6",
                                                 "\xE2\x80\x9C"};
  static const std::vector<std::string> kGaps = {
      " ",  " ",    " ",  ". ",   "! ",   "? ",
      ", ", "\r\n", "\r", "\n",   "\t",   std::string(1, '\0'),
      "\"", ".\" ", "'",  "3",    " 3. ", ". . ",
      "  ", "e",    "q",  "\x85", "-"};
  const auto& vocabulary = IsUtf8(encoding) ? kUtf8 : kEightBit;
  std::string text;
  if (random() % 5 == 0) text += "\xEF\xBB\xBF";
  if (random() % 3 == 0) text += kGaps[random() % kGaps.size()];
  for (std::size_t i = 0; i < words; ++i) {
    const unsigned r = random() % 300;
    if (r == 0)
      text += std::string(255, 'w');
    else if (r == 1)
      text += std::string(256 + random() % 200, 'h');
    else if (r == 2 && IsUtf8(encoding))
      for (int k = 0; k < 250 + static_cast<int>(random() % 10); ++k) text += "\xCE\xB1";
    else if (r == 3)
      text += std::string(64 + random() % 200, ' ');
    else
      text += vocabulary[random() % vocabulary.size()];
    text += kGaps[random() % kGaps.size()];
    if (random() % 4 == 0) text += kGaps[random() % kGaps.size()];
  }
  return text;
}

std::string pick(std::mt19937& random, const std::vector<std::string>& pool, std::size_t most) {
  std::string out;
  const std::size_t n = random() % (most + 1);
  for (std::size_t i = 0; i < n; ++i) out += pool[random() % pool.size()];
  return out;
}

CharacterSets randomSets(std::mt19937& random, Encoding encoding) {
  static const std::vector<std::string> kSeparators = {
      " ", ".", ",", "!", "?", "\"", "'", "3", "e", "-", "\t", "\xE9", "\x85", "\xA0", "q"};
  static const std::vector<std::string> kWide = {" ",
                                                 ".",
                                                 ",",
                                                 "!",
                                                 "?",
                                                 "\"",
                                                 "'",
                                                 "3",
                                                 "e",
                                                 "\xE2\x80\xA6",
                                                 "\xC2\xA0",
                                                 "\xC2\xAB",
                                                 "\xC2\xBB",
                                                 "\xCF\x83",
                                                 "\x80",
                                                 "\xE2\x80\x94",
                                                 "\xE2\x80\x9C",
                                                 "\xC3\xA9"};
  static const std::vector<std::string> kSentence = {".", "!", "?", "e", "\"", "\n", " ", "-"};
  static const std::vector<std::string> kWideSentence = {".",        "!", "?", "\xE2\x80\xA6",
                                                         "\xCF\x83", "\n"};
  const bool utf8 = IsUtf8(encoding);
  if (random() % 4 == 0)
    return CharacterSets::Derive(DefaultWordSeparators(encoding), kDefaultSentenceSeparators,
                                 encoding);
  std::string sentences = pick(random, kSentence, 4);
  // Wide sentence separators send UTF-8 text the character way: now and then.
  if (utf8 && random() % 3 == 0) sentences = pick(random, kWideSentence, 3);
  return CharacterSets::Derive(pick(random, utf8 ? kWide : kSeparators, 12), sentences, encoding);
}

class BlockScannerTest : public ::testing::Test {
 protected:
  // Reads `path` in ranges cut at `cuts` (ascending) into one sink.
  template <class Sink>
  Sink byRanges(const ScanSetup& setup, const std::string& path,
                const std::vector<std::int64_t>& cuts) {
    int error = 0;
    const int fd = OpenCorpusFile(path, FileAccess::Seek, error);
    EXPECT_GE(fd, 0);
    BlockScanner<Sink> scanner(setup);
    Sink sink;
    std::int64_t from = 0;
    for (std::size_t i = 0; i <= cuts.size(); ++i) {
      const std::int64_t until = i < cuts.size() ? cuts[i] : -1;
      const ScanEnd end = scanner.ScanFile(sink, fd, from, until);
      EXPECT_FALSE(end.stopped);
      EXPECT_EQ(end.readError, 0);
      from = until;
    }
    ::close(fd);
    return sink;
  }
  template <class Sink>
  Sink fromMemory(const ScanSetup& setup, const std::string& text) {
    BlockScanner<Sink> scanner(setup);
    Sink sink;
    scanner.ScanBytes(sink, text);
    return sink;
  }

  void expectSame(const std::string& text, const CharacterSets& sets, bool crlf,
                  std::mt19937& random, const std::string& what) {
    const std::string path = folder_ / "text.txt";
    writeBytes(path, text);
    const std::vector<Found> expected = reference(path, sets, crlf);
    const ByteClassifier::Level levels[] = {ByteClassifier::Level::Portable,
                                            ByteClassifier::Level::Avx2,
                                            ByteClassifier::Level::Avx512};
    for (int way = 0; way < 4; ++way) {
      ScanOptions options;
      options.crlf = crlf;
      options.byCharacters = way == 3;
      options.level = levels[way % 3];
      options.blockBytes = std::size_t{1} << (6 + random() % 8);
      const ScanSetup setup(sets, options);
      const std::string where = what + " way " + std::to_string(way);

      ASSERT_EQ(fromMemory<AllWords>(setup, text).words, expected) << where << " from memory";

      std::vector<std::int64_t> cuts;
      for (int k = static_cast<int>(random() % 4); k > 0 && !text.empty(); --k)
        cuts.push_back(static_cast<std::int64_t>(random() % (text.size() + 1)));
      std::sort(cuts.begin(), cuts.end());
      ASSERT_EQ(byRanges<AllWords>(setup, path, cuts).words, expected)
          << where << " blocks " << options.blockBytes << " cuts "
          << ::testing::PrintToString(cuts);
      ScanOptions mapped = options;
      mapped.mapping = FileMapping::Always;
      const ScanSetup mappedSetup(sets, mapped);
      ASSERT_EQ(byRanges<AllWords>(mappedSetup, path, cuts).words, expected)
          << where << " mapped, steps " << options.blockBytes << " cuts "
          << ::testing::PrintToString(cuts);

      // Runs: words whose first byte is a candidate come whole, the others
      // are counted with the sentence end of one rule (as a concordance
      // reads them); candidates are now many, now few, now none.
      ScanOptions runs = options;
      runs.detail = WordDetail::Candidates;
      runs.runRule = random() % 2 ? SentenceRule::Simple : SentenceRule::Enhanced;
      runs.simple = runs.runRule == SentenceRule::Simple;
      runs.enhanced = !runs.simple;
      // Sentence ends by bit extraction and ranked one by one, wherever the
      // processor has it.
      runs.bitExtraction = random() % 2 == 0;
      const unsigned density = std::array{4u, 8u, 64u, 0u}[random() % 4];
      for (int c = 0; c < 256; ++c) runs.candidates[c] = density > 0 && random() % density == 0;
      // Now and then only some second bytes make a candidate.
      if (random() % 2 == 0)
        for (int c = 0; c < 256; ++c) runs.candidateSeconds[c] = random() % 4 == 0;
      const ScanSetup runSetup(sets, runs);
      expectSameRuns(runs, fromMemory<SomeWords>(runSetup, text), expected, {},
                     where + " runs from memory");
      expectSameRuns(runs, byRanges<SomeWords>(runSetup, path, cuts), expected, cuts,
                     where + " runs by ranges");
      runs.mapping = FileMapping::Always;
      const ScanSetup mappedRunSetup(sets, runs);
      expectSameRuns(runs, byRanges<SomeWords>(mappedRunSetup, path, cuts), expected, cuts,
                     where + " runs mapped");
      if (HasFatalFailure()) return;
    }
  }

  // The words of a candidates scan with `runs` (of the text, or of its file
  // cut at `cuts`) against the reference's.
  void expectSameRuns(const ScanOptions& runs, const SomeWords& some,
                      const std::vector<Found>& expected, const std::vector<std::int64_t>& cuts,
                      const std::string& where) {
    ASSERT_EQ(some.items.size(), expected.size()) << where;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const Found& e = expected[i];
      const auto& item = some.items[i];
      if (item.whole) {
        // Only the end of the rule asked for is read.
        Found asked = e;
        if (runs.simple)
          asked.enhancedEnd = item.word.enhancedEnd;
        else
          asked.simpleEnd = item.word.simpleEnd;
        ASSERT_EQ(item.word, asked) << where << " word " << i;
        continue;
      }
      ASSERT_FALSE(e.cut) << where << " a cut word comes whole, " << i;
      const bool candidate =
          runs.candidates[static_cast<unsigned char>(e.text[0])] &&
          (e.text.size() == 1 || runs.candidateSeconds[static_cast<unsigned char>(e.text[1])]);
      ASSERT_FALSE(candidate) << where << " a candidate comes whole, " << i;
      ASSERT_EQ(item.word.simpleEnd,
                runs.runRule == SentenceRule::Simple ? e.simpleEnd : e.enhancedEnd)
          << where << " end " << i << " " << e << " blocks " << runs.blockBytes << " cuts "
          << ::testing::PrintToString(cuts);
    }
  }

  TempFolder folder_;
};

TEST_F(BlockScannerTest, GivesTheReferenceWordsForRandomTextAndSets) {
  std::mt19937 random(20260519);
  for (int round = 0; round < 240; ++round) {
    const auto encoding = static_cast<Encoding>(round % 3);
    const CharacterSets sets = randomSets(random, encoding);
    const bool crlf = random() % 2 == 0;
    const std::string text = randomText(random, encoding, 1 + random() % 400);
    expectSame(text, sets, crlf, random, "round " + std::to_string(round));
    if (HasFatalFailure()) return;
  }
}

TEST_F(BlockScannerTest, GivesTheReferenceWordsForDefaultSetsOnProse) {
  std::mt19937 random(7);
  const std::string prose =
      "It was May. \"Stop!\" he said.\r\nNext line... e.g. x. Y\r\n"
      "The walkers walked along the coast road, past the harbour (which was empty), and "
      "on to the old lighthouse; there they stopped. Who had built it? Nobody knew! "
      "\xCE\x97 \xCE\xB8\xCE\xAC\xCE\xBB\xCE\xB1\xCF\x83\xCF\x83\xCE\xB1 "
      "\xCE\xAE\xCF\x84\xCE\xB1\xCE\xBD \xCE\xAE\xCF\x81\xCE\xB5\xCE\xBC\xCE\xB7 "
      "\xE2\x80\x94 \xC2\xAB\xCF\x80\xCE\xBF\xCE\xB9\xCE\xBF\xCF\x82 "
      "\xCE\xBE\xCE\xAD\xCF\x81\xCE\xB5\xCE\xB9;\xC2\xBB \xCE\xB5\xCE\xAF\xCF\x80\xCE\xB5. "
      "Un caf\xC3\xA9 cr\xC3\xA8me \xC3\xA0 c\xC3\xB4t\xC3\xA9\xE2\x80\xA6 Merci.";
  for (const Encoding encoding : {Encoding::Windows1252, Encoding::Dos850, Encoding::Utf8})
    for (const bool crlf : {false, true}) {
      const CharacterSets sets = CharacterSets::Derive(DefaultWordSeparators(encoding),
                                                       kDefaultSentenceSeparators, encoding);
      std::string text;
      while (text.size() < 5000) text += prose + " ";
      expectSame(text, sets, crlf, random, "prose");
      if (HasFatalFailure()) return;
    }
}

TEST_F(BlockScannerTest, HandlesLongRunsOfEveryShape) {
  std::mt19937 random(11);
  const CharacterSets sets = CharacterSets::Derive(kDefaultWordSeparators, ".?!", false);
  const std::string shapes[] = {
      std::string(5000, '\0') + "A long walk.",
      "start " + std::string(5000, 'w') + " end.",
      std::string(3000, '\r') + "cr only\rlines\r",
      "a. " + std::string(4000, ' ') + "b",
      std::string(4000, '.') + "x" + std::string(4000, '!'),
      std::string(1, 'x'),
      "",
  };
  for (const std::string& text : shapes)
    for (const bool crlf : {false, true}) {
      expectSame(text, sets, crlf, random, "shape of " + std::to_string(text.size()));
      if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace lexvane::text
