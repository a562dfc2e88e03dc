// The text scanner and sentence retrieval on UTF-8 text: characters, not
// bytes. A Latin text and its Windows-1252 twin give the same words, sentence
// ends and contexts; bad input (invalid and overlong sequences, a character
// cut by the end of the file or split by a block boundary, a lone byte-order
// mark, a long word of two-byte characters) loses and shifts nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "text/character_sets.h"
#include "text/encoding.h"
#include "text/sentence_retrieval.h"
#include "text/text_scanner.h"

namespace lexvane::text {
namespace {

struct Word {
  std::string text;
  std::int64_t offset;
  bool simpleEnd;
  bool enhancedEnd;
  bool cut;
  bool operator==(const Word&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Word& w) {
  return os << '{' << w.text << ',' << w.offset << ',' << w.simpleEnd << ',' << w.enhancedEnd << ','
            << w.cut << '}';
}

class SilentUi : public UserInterface {
 public:
  Answer Ask(std::string_view, std::string_view, Buttons, Icon) override { return Answer::Ok; }
};

class Utf8ScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        std::filesystem::temp_directory_path() / ("lexvane_u8scan_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string write(const std::string& content, const std::string& name = "t.txt") {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  std::vector<Word> scan(const std::string& content, const CharacterSets& sets, bool crlf = false) {
    TextScanner scanner(sets);
    SilentUi ui;
    std::vector<Word> words;
    EXPECT_TRUE(scanner.OpenFile(write(content), ui));
    ScannedWord w;
    while (scanner.ReadWord(w, crlf))
      words.push_back({std::string(w.word), w.offset, w.simpleEnd, w.enhancedEnd, w.cut});
    scanner.CloseFile();
    return words;
  }
  static CharacterSets utf8Sets(const std::string& words = kDefaultUtf8WordSeparators,
                                std::string_view sentences = kDefaultSentenceSeparators) {
    return CharacterSets::Derive(words, sentences, Encoding::Utf8);
  }
  static CharacterSets ansiSets() {
    return CharacterSets::Derive(kDefaultWordSeparators, kDefaultSentenceSeparators,
                                 Encoding::Windows1252);
  }

  std::filesystem::path dir_;
};

// Latin text in Windows-1252 (accents, 0x80-0xFF only as letters).
std::string latinText(std::mt19937& random, int words) {
  static const std::vector<std::string> vocabulary = {"caf\xE9",
                                                      "\xC9t\xE9",
                                                      "na\xEFve",
                                                      "Stra\xDF"
                                                      "e",
                                                      "\xFC"
                                                      "ber",
                                                      "The",
                                                      "walk",
                                                      "x",
                                                      "a",
                                                      "\xC0",
                                                      "\xE9l\xE8ve",
                                                      "e.g",
                                                      "r\xE9sum\xE9",
                                                      "\xD8re",
                                                      "sa\xEF"};
  static const std::vector<std::string> gaps = {" ",  " ",    ", ",   ". ",  "! ",   "? ",
                                                "\n", "\r\n", ". \"", "\" ", " 3. ", ".' ",
                                                "\t", ".",    "  ",   " - "};
  std::string text;
  for (int i = 0; i < words; ++i) {
    text += vocabulary[random() % vocabulary.size()];
    if (i + 1 < words || random() % 2) text += gaps[random() % gaps.size()];
  }
  return text;
}

// The byte offset in the UTF-8 text of each byte offset of its Windows-1252 twin.
std::vector<std::int64_t> offsetMap(const std::string& ansi) {
  std::vector<std::int64_t> map;
  std::int64_t at = 0;
  for (const char c : ansi) {
    map.push_back(at);
    at += static_cast<unsigned char>(c) < 0x80 ? 1 : 2;
  }
  map.push_back(at);
  return map;
}

TEST_F(Utf8ScanTest, ALatinTextAndItsWindows1252TwinGiveTheSameWordsAndSentenceEnds) {
  std::mt19937 random(1208);
  for (int round = 0; round < 20; ++round) {
    const std::string ansi = latinText(random, 200 + round * 97);
    const std::string utf8 = decodeToUtf8(ansi, Encoding::Windows1252);
    // The 43 defaults in both: the twin has no separator beyond ASCII.
    const auto sets8 =
        CharacterSets::Derive(kDefaultWordSeparators, kDefaultSentenceSeparators, Encoding::Utf8);
    for (const bool crlf : {false, true}) {
      const auto a = scan(ansi, ansiSets(), crlf);
      const auto u = scan(utf8, sets8, crlf);
      ASSERT_EQ(a.size(), u.size());
      const auto map = offsetMap(ansi);
      for (std::size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(decodeToUtf8(a[i].text, Encoding::Windows1252), u[i].text) << i;
        ASSERT_EQ(map[static_cast<std::size_t>(a[i].offset)], u[i].offset) << i;
        ASSERT_EQ(a[i].simpleEnd, u[i].simpleEnd) << i;
        ASSERT_EQ(a[i].enhancedEnd, u[i].enhancedEnd) << i;
      }
    }
  }
}

TEST_F(Utf8ScanTest, NonAsciiSeparatorsCutWordsAndEndSentences) {
  // Guillemets and the em dash separate; the ellipsis is a sentence separator.
  const auto sets = utf8Sets(" \xC2\xAB\xC2\xBB\xE2\x80\x94\xE2\x80\xA6", ".\xE2\x80\xA6");
  const auto words = scan(
      "\xC2\xAB"
      "D\xC3\xA9j\xC3\xA0\xE2\x80\x94vu\xE2\x80\xA6 \xC2\xBB"
      "Oui",
      sets);
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[0], (Word{"D\xC3\xA9j\xC3\xA0", 2, false, false, false}));
  EXPECT_EQ(words[1], (Word{"vu", 11, true, true, false}));
  EXPECT_EQ(words[2], (Word{"Oui", 19, true, true, false}));
}

TEST_F(Utf8ScanTest, GreekAndCyrillicLettersAreWordCharacters) {
  const auto words = scan(
      "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1. "
      "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82!",
      utf8Sets());
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[0], (Word{"\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1", 0,
                            true, true, false}));
  EXPECT_EQ(words[1].offset, 18);
  EXPECT_EQ(characterCount(words[1].text, Encoding::Utf8), 6u);
}

TEST_F(Utf8ScanTest, InvalidAndOverlongBytesAreWordCharactersOneByteEach) {
  // A stray continuation byte, an overlong blank (C0 A0), an overlong full
  // stop (E0 80 AE), a surrogate (ED A0 80) and a byte that never leads.
  const std::string text = "a\x80z \xC0\xA0q \xE0\x80\xAE. \xED\xA0\x80 \xFF.";
  const auto words = scan(text, utf8Sets());
  ASSERT_EQ(words.size(), 5u);
  EXPECT_EQ(words[0], (Word{"a\x80z", 0, false, false, false}));
  EXPECT_EQ(words[1], (Word{"\xC0\xA0q", 4, false, false, false}));
  EXPECT_EQ(words[2], (Word{"\xE0\x80\xAE", 8, true, true, false}));
  EXPECT_EQ(words[3], (Word{"\xED\xA0\x80", 13, false, false, false}));
  EXPECT_EQ(words[4], (Word{"\xFF", 17, true, true, false}));
}

TEST_F(Utf8ScanTest, ASequenceCutByTheEndOfTheFileIsInvalidBytes) {
  const auto words = scan("ab \xE2\x80", utf8Sets());
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[1], (Word{"\xE2\x80", 3, true, true, false}));
}

TEST_F(Utf8ScanTest, ACharacterSplitByTheBlockBoundaryIsOneCharacter) {
  // An em dash (a separator) and a non-breaking space standing across the
  // 16 kB boundary at each possible split.
  for (const std::string& ch :
       {std::string("\xE2\x80\x94"), std::string("\xC2\xA0"), std::string("\xF0\x9F\x98\x80")}) {
    for (std::size_t split = 1; split < ch.size(); ++split) {
      std::string text(TextScanner::kBlockSize - split - 4, 'x');
      text += " abc" + ch + "def";
      const auto words = scan(text, utf8Sets());
      const bool separates = ch.size() != 4;
      ASSERT_EQ(words.size(), separates ? 3u : 2u) << ch.size() << ' ' << split;
      EXPECT_EQ(words[1].offset, static_cast<std::int64_t>(TextScanner::kBlockSize - split - 3));
      if (separates) {
        EXPECT_EQ(words[1].text, "abc");
        EXPECT_EQ(words[2].offset,
                  static_cast<std::int64_t>(TextScanner::kBlockSize - split + ch.size()));
      } else {
        EXPECT_EQ(words[1].text, "abc" + ch + "def");
      }
    }
  }
}

TEST_F(Utf8ScanTest, TheByteOrderMarkIsSkippedAndOffsetsStayByteOffsets) {
  auto words = scan("\xEF\xBB\xBFHello world", utf8Sets());
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[0], (Word{"Hello", 3, false, false, false}));
  EXPECT_EQ(words[1].offset, 9);
  EXPECT_TRUE(scan("\xEF\xBB\xBF", utf8Sets()).empty());
  // Not at the start it is a character of a word.
  words = scan("a\xEF\xBB\xBF", utf8Sets());
  ASSERT_EQ(words.size(), 1u);
  EXPECT_EQ(words[0].text, "a\xEF\xBB\xBF");
}

TEST_F(Utf8ScanTest, ALongWordOfTwoByteCharactersIsCutAt255Characters) {
  std::string word;
  for (int i = 0; i < 300; ++i) word += "\xC3\xA9";
  const auto words = scan(word + ". next", utf8Sets());
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[0].text.size(), 510u);
  EXPECT_TRUE(words[0].cut);
  EXPECT_TRUE(words[0].enhancedEnd);
  EXPECT_EQ(words[1], (Word{"next", 602, true, true, false}));
  const auto exact = scan(word.substr(0, 510) + " x", utf8Sets());
  EXPECT_FALSE(exact[0].cut);
}

TEST_F(Utf8ScanTest, RetrievalGivesTheContextsOfTheWindows1252Twin) {
  std::mt19937 random(99);
  const std::string ansi = latinText(random, 900);
  const std::string utf8 = decodeToUtf8(ansi, Encoding::Windows1252);
  const std::string ansiPath = write(ansi, "a.txt");
  const std::string utf8Path = write(utf8, "u.txt");
  const auto sets8 =
      CharacterSets::Derive(kDefaultWordSeparators, kDefaultSentenceSeparators, Encoding::Utf8);
  const auto map = offsetMap(ansi);
  int checked = 0;
  for (std::size_t at = 0; at < ansi.size(); at += 1 + random() % 40) {
    for (const bool enhanced : {false, true}) {
      Sentence a, u;
      RetrieveSentence(ansiPath, static_cast<std::int64_t>(at), false, enhanced, ansiSets(), a);
      RetrieveSentence(utf8Path, map[at], false, enhanced, sets8, u);
      ASSERT_EQ(decodeToUtf8(a.left, Encoding::Windows1252), u.left) << at;
      ASSERT_EQ(decodeToUtf8(a.keyword, Encoding::Windows1252), u.keyword) << at;
      ASSERT_EQ(decodeToUtf8(a.right, Encoding::Windows1252), u.right) << at;
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST_F(Utf8ScanTest, RetrievalCutsContextsByCharactersAndSkipsTheByteOrderMark) {
  std::string word;
  for (int i = 0; i < 300; ++i) word += "\xD0\xB6";  // 300 Cyrillic letters
  const std::string path = write(
      "\xEF\xBB\xBF"
      "A " +
          word + " B",
      "c.txt");
  Sentence s;
  RetrieveSentence(path, 3, false, false, utf8Sets(), s);
  EXPECT_EQ(s.keyword, "A");
  // 255 characters from the blank behind the keyword, the blank trimmed.
  EXPECT_EQ(s.right.size(), 508u);
  RetrieveSentence(path, 5 + 600 + 1, false, false, utf8Sets(), s);
  EXPECT_EQ(s.keyword, "B");
  EXPECT_EQ(characterCount(s.left, Encoding::Utf8), 254u);
  EXPECT_EQ(s.left.substr(0, 2), "\xD0\xB6");
}

}  // namespace
}  // namespace lexvane::text
