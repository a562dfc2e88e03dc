// Concordances of UTF-8 corpora: a Latin text and its Windows-1252 twin give
// the same rows (decoded), sentence numbers and mapped offsets; the fast scan
// gives the reference scan's table on UTF-8 text of every kind, cut into tiny
// units and read blocks so that units and blocks meet characters.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "concordance/concordance_copy.h"
#include "concordance/concordance_sort.h"
#include "concordance/concordance_statistics.h"
#include "concordance/corpus_scan.h"
#include "core/concordance/scripted_host.h"
#include "core/corpus/prose_twins.h"
#include "core/corpus/temp_folder.h"
#include "search/word_mask.h"
#include "text/character_sets.h"
#include "text/collation.h"
#include "text/encoding.h"
#include "tools/root_collator.h"

namespace lexvane::concordance {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;

struct Row {
  std::int32_t file;
  std::int64_t sentence;
  std::int64_t offset;
  std::string left, keyword, right;
  bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
  return os << r.file << ' ' << r.sentence << ' ' << r.offset << " [" << r.left << '|' << r.keyword
            << '|' << r.right << ']';
}

struct Result {
  std::int64_t words = 0, sentences = 0;
  std::vector<Row> rows;
  std::string updates;
};

std::unique_ptr<ConcordanceTable> buildTable(const search::SearchQuery& query,
                                             const corpus::CorpusSettings& settings, ScanMode mode,
                                             std::int64_t unit, std::int64_t block, int threads) {
  testing::ScriptedHost host;
  BuildOptions options;
  options.Mode = mode;
  options.Threads = threads;
  options.UnitBytes = unit;
  options.BlockBytes = block;
  return BuildConcordance(query, settings, host.host, options);
}

Result build(const search::SearchQuery& query, const corpus::CorpusSettings& settings,
             ScanMode mode, std::int64_t unit = 0, std::int64_t block = 0, int threads = 3) {
  testing::ScriptedHost host;
  BuildOptions options;
  options.Mode = mode;
  options.Threads = threads;
  options.UnitBytes = unit;
  options.BlockBytes = block;
  const auto table = BuildConcordance(query, settings, host.host, options);
  Result result;
  result.words = table->TotalWords;
  result.sentences = table->TotalSentences;
  for (std::int32_t i = 0; i < table->RowCount(); ++i) {
    const TOneWordInfo& info = table->Info(i);
    result.rows.push_back({info.FileIndex, info.SentenceNo, info.Offset,
                           table->LeftContexts().Get(i), table->Keywords().Get(i),
                           table->RightContexts().Get(i)});
  }
  std::ostringstream updates;
  for (const auto u : host.search.updates) updates << u << ' ';
  for (const auto& m : host.ui.messages) updates << '{' << m << '}';
  result.updates = updates.str();
  return result;
}

search::SearchQuery simple(std::vector<std::string> masks) {
  search::SearchQuery query;
  query.Masks[0] = std::move(masks);
  query.MaxListSize = "10000";
  return query;
}

search::SearchQuery advanced(std::vector<std::vector<std::string>> columns) {
  search::SearchQuery query;
  query.Kind = search::QueryKind::Advanced;
  for (std::size_t c = 0; c < columns.size(); ++c) query.Masks[c] = columns[c];
  query.ColumnCount = static_cast<int>(columns.size());
  query.MiddleColumn = 1;
  query.MaxGap = {2, 2, 2, 2};
  query.InOrder = {false, false, false, false};
  return query;
}

// Latin text in Windows-1252.
std::string latinText(std::mt19937& random, int words) {
  static const std::vector<std::string> vocabulary = {"caf\xE9",
                                                      "\xC9t\xE9",
                                                      "na\xEFve",
                                                      "\xFC"
                                                      "ber",
                                                      "\xDC"
                                                      "ber",
                                                      "The",
                                                      "walk",
                                                      "x",
                                                      "a",
                                                      "\xE9l\xE8ve",
                                                      "r\xE9sum\xE9",
                                                      "\xC9L\xC8VE",
                                                      "\xE0"};
  static const std::vector<std::string> gaps = {" ",    " ",   ", ",   ". ",  "! ", "\r\n",
                                                ". \"", "\" ", " 3. ", ".' ", "\t", "  "};
  std::string text;
  for (int i = 0; i < words; ++i) {
    text += vocabulary[random() % vocabulary.size()];
    text += gaps[random() % gaps.size()];
  }
  return text;
}

std::int64_t mapOffset(const std::string& ansi, std::int64_t offset) {
  std::int64_t at = 0;
  for (std::int64_t i = 0; i < offset; ++i)
    at += static_cast<unsigned char>(ansi[static_cast<std::size_t>(i)]) < 0x80 ? 1 : 2;
  return at;
}

TEST(Utf8Concordance, ALatinCorpusGivesTheRowsOfItsWindows1252Twin) {
  TempFolder folder;
  std::mt19937 random(4242);
  corpus::CorpusSettings ansi, utf8;
  utf8.TextEncoding = text::Encoding::Utf8;
  std::vector<std::string> texts;
  for (int f = 0; f < 3; ++f) {
    texts.push_back(latinText(random, 400 + f * 300));
    writeBytes(folder / ("a" + std::to_string(f)), texts.back());
    writeBytes(folder / ("u" + std::to_string(f)),
               text::decodeToUtf8(texts.back(), text::Encoding::Windows1252));
    ansi.Files.Add(folder / ("a" + std::to_string(f)), RootCollator());
    utf8.Files.Add(folder / ("u" + std::to_string(f)), RootCollator());
  }
  // Typed masks, lower-cased as the search dialog does.
  const std::vector<std::vector<std::string>> masks = {{"caf?"},
                                                       {"*\xE9*"},
                                                       {"\xFC"
                                                        "ber"},
                                                       {"?t?"},
                                                       {"\xE9l?ve", "walk"}};
  for (const bool enhanced : {false, true}) {
    ansi.EnhSentDetect = utf8.EnhSentDetect = enhanced;
    for (const auto& m : masks) {
      std::vector<std::string> typed;
      for (const auto& mask : m)
        typed.push_back(text::decodeToUtf8(mask, text::Encoding::Windows1252));
      for (const bool isAdvanced : {false, true}) {
        const auto queryA = isAdvanced ? advanced({m, {"the"}}) : simple(m);
        const auto queryU = isAdvanced ? advanced({typed, {"the"}}) : simple(typed);
        const Result a = build(queryA, ansi, ScanMode::Reference);
        for (const ScanMode mode : {ScanMode::Reference, ScanMode::Fast}) {
          const Result u = build(queryU, utf8, mode);
          ASSERT_EQ(a.words, u.words);
          ASSERT_EQ(a.sentences, u.sentences);
          ASSERT_EQ(a.rows.size(), u.rows.size()) << m[0];
          ASSERT_FALSE(a.rows.empty()) << m[0];
          for (std::size_t i = 0; i < a.rows.size(); ++i) {
            Row expected = a.rows[i];
            expected.offset =
                mapOffset(texts[static_cast<std::size_t>(expected.file)], expected.offset);
            for (std::string* s : {&expected.left, &expected.keyword, &expected.right})
              *s = text::decodeToUtf8(*s, text::Encoding::Windows1252);
            ASSERT_EQ(expected, u.rows[i]);
          }
        }
      }
    }
  }
}

// Units that begin inside or right behind the byte-order mark: the mark is
// no character, so the first word is the unit's own.
TEST(Utf8Concordance, UnitsStartingAtTheByteOrderMarkKeepTheFirstWord) {
  TempFolder folder;
  corpus::CorpusSettings settings;
  settings.TextEncoding = text::Encoding::Utf8;
  writeBytes(folder / "m.txt",
             "\xEF\xBB\xBF"
             "as it is. as");
  settings.Files.Add(folder / "m.txt", RootCollator());
  const Result expected = build(simple({"as"}), settings, ScanMode::Reference);
  ASSERT_EQ(expected.rows.size(), 2u);
  for (const std::int64_t unit : {1, 2, 3, 4})
    for (const std::int64_t block : {0, 1, 2})
      EXPECT_EQ(build(simple({"as"}), settings, ScanMode::Fast, unit, block).rows, expected.rows)
          << unit << ' ' << block;
}

TEST(Utf8Concordance, MasksMatchCharacters) {
  using search::MatchMask;
  const auto u8 = text::Encoding::Utf8;
  EXPECT_TRUE(MatchMask("caf\xC3\xA9", "caf?", u8));
  EXPECT_FALSE(MatchMask("caf\xC3\xA9", "caf?"));  // 8-bit: two characters
  EXPECT_TRUE(MatchMask("caf\xC3\xA9", "caf??"));
  EXPECT_TRUE(MatchMask("\xCE\xBB\xF0\x9F\x98\x80x", "?*?x", u8));
  // Each piece at its first occurrence, as in 8-bit text: "*?" is one character.
  EXPECT_TRUE(MatchMask("\xD0\xB6", "*?", u8));
  EXPECT_FALSE(MatchMask("\xD0\xB6\xD0\xB6", "*?", u8));
  EXPECT_FALSE(MatchMask("\xD0\xB6\xD0\xB6", "???", u8));
  // An invalid byte is one character, never part of another.
  EXPECT_TRUE(MatchMask("a\x80z", "a?z", u8));
  EXPECT_FALSE(MatchMask("\xC3\xA9", "*\xA9", u8));
  EXPECT_TRUE(MatchMask("\xC3\xA9", "*\xA9"));
}

// The first-character test must never reject a word that matches: for every
// character below U+0800, a word starting with it that matches a mask once
// lower-cased passes the test. And it tells apart letters sharing a lead
// byte.
TEST(Utf8Concordance, TheFirstCharacterTestKeepsEveryWordThatMatches) {
  const auto u8 = text::Encoding::Utf8;
  const std::vector<std::string> masks = {"\xCF\x83*",  // sigma
                                          "\xD0\xB6?*", "i*", "k", "\xC3\xA9t\xC3\xA9", "a?"};
  for (const std::string& mask : masks) {
    const search::SearchQuery query = simple({mask});
    const QueryMatcher matcher(query, u8);
    // The mask behind its first character, its jokers as letters.
    std::string rest = mask.substr(text::nextUtf8Char(mask, 0).length);
    for (char& c : rest)
      if (c == '*' || c == '?') c = 'x';
    for (char32_t ch = 0; ch < 0x800; ++ch) {
      char bytes[4];
      std::string word(bytes, text::EncodeCodePoint(ch, bytes));
      for (const std::string& tail : {std::string(), std::string("x"), rest}) {
        const std::string lowered = text::lowered(word + tail, u8);
        if (search::MatchMask(lowered, mask, u8)) {
          ASSERT_TRUE(matcher.MayMatchChar(ch)) << mask << " U+" << std::hex << unsigned{ch};
        }
      }
    }
  }
  const search::SearchQuery sigma = simple({"\xCF\x83*"});
  const QueryMatcher matcher(sigma, u8);
  EXPECT_TRUE(matcher.MayMatchChar(0x3A3));   // capital sigma, lead byte 0xCE
  EXPECT_FALSE(matcher.MayMatchChar(0x3BF));  // omicron, the same lead byte
  EXPECT_FALSE(matcher.MayMatchChar(0x3C0));  // pi, sigma's lead byte 0xCF
  const search::SearchQuery any = simple({"?\xCE\xB1", "\xD0\xB6*"});
  EXPECT_TRUE(QueryMatcher(any, u8).MayMatchChar(0x3BF));
}

// Greek and Cyrillic words whose first letters share lead bytes, capitals,
// and words of ASCII and two-byte letters mixed around the 255-character
// cut: the fast scan gives the reference scan's table, also with tiny read
// blocks and units.
TEST(Utf8Concordance, GreekAndCyrillicTextGivesTheReferenceTable) {
  TempFolder folder;
  std::mt19937 random(1208);
  const std::vector<std::string> letters = {"\xCE\xB1", "\xCE\xBF", "\xCF\x83", "\xCF\x89",
                                            "\xCE\xA3", "\xCE\x91", "\xD0\xB6", "\xD0\x96",
                                            "\xD1\x8F", "\xD0\xB0", "a",        "k"};
  const std::vector<std::string> gaps = {" ",    " ",  ". ",       "? ",
                                         "\r\n", ", ", "\xC2\xA0", " \xC2\xAB"};
  std::string text;
  for (int w = 0; w < 3000; ++w) {
    const int length = random() % 200 == 0 ? 250 + static_cast<int>(random() % 10)
                                           : 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < length; ++i) text += letters[random() % letters.size()];
    if (length >= 250) text += "\xD1\x8E";  // seen only while the word is not cut
    text += gaps[random() % gaps.size()];
  }
  writeBytes(folder / "g.txt", text);
  corpus::CorpusSettings settings;
  settings.TextEncoding = text::Encoding::Utf8;
  settings.WordSeparators = text::kDefaultUtf8WordSeparators;
  settings.Files.Add(folder / "g.txt", RootCollator());
  const std::vector<std::vector<std::string>> masks = {{"\xCF\x83*"},       {"\xCE\xB1?"},
                                                       {"\xD1\x8F*", "k*"}, {"*\xCF\x89"},
                                                       {"?\xD0\xB6*"},      {"*\xD1\x8E"}};
  for (const bool enhanced : {false, true}) {
    settings.EnhSentDetect = enhanced;
    for (const auto& m : masks)
      for (const bool isAdvanced : {false, true}) {
        const auto query = isAdvanced ? advanced({m, {"\xCE\xBF*"}}) : simple(m);
        const Result expected = build(query, settings, ScanMode::Reference);
        ASSERT_FALSE(expected.rows.empty()) << m[0];
        for (const auto& [unit, block] :
             std::vector<std::pair<std::int64_t, std::int64_t>>{{0, 0}, {333, 65}, {64, 7}})
          ASSERT_EQ(build(query, settings, ScanMode::Fast, unit, block).rows, expected.rows)
              << m[0] << ' ' << isAdvanced << ' ' << unit << ' ' << block;
      }
  }
}

// Masks as the search dialog stores them, in Windows-1252.
const std::vector<std::vector<std::string>> kProseMasks = {{"\xFC"
                                                            "ber*"},
                                                           {"die", "*ung"},
                                                           {"d*", "*ci\xF3n"},
                                                           {"*\xE9*", "\x80"},
                                                           {"*\xF1*", "que"}};

std::vector<std::string> typedInUtf8(const std::vector<std::string>& masks) {
  std::vector<std::string> typed;
  for (const std::string& mask : masks)
    typed.push_back(text::decodeToUtf8(mask, text::Encoding::Windows1252));
  return typed;
}

// Left contexts of more than 255 characters keep the 255 next to the
// keyword in UTF-8 as in Windows-1252, in both scans, on one thread and on
// two, with units and read blocks that cut characters.
TEST(Utf8Concordance, LongSentencesOfProseGiveTheRowsOfTheirWindows1252Twin) {
  corpus::testing::ProseTwins twins;
  bool longLeftSeen = false;
  for (const bool enhanced : {false, true}) {
    twins.ansi.EnhSentDetect = twins.utf8.EnhSentDetect = enhanced;
    for (const auto& masks : kProseMasks)
      for (const bool isAdvanced : {false, true}) {
        const auto queryA = isAdvanced ? advanced({masks, {"d*"}}) : simple(masks);
        const auto typed = typedInUtf8(masks);
        const auto queryU = isAdvanced ? advanced({typed, {"d*"}}) : simple(typed);
        const Result a = build(queryA, twins.ansi, ScanMode::Reference, 0, 0, 1);
        ASSERT_FALSE(a.rows.empty()) << masks[0];
        std::vector<Row> expected = a.rows;
        for (Row& row : expected) {
          const std::string& text = twins.ansiTexts[static_cast<std::size_t>(row.file)];
          row.offset = static_cast<std::int64_t>(
              text::decodeToUtf8(text.substr(0, static_cast<std::size_t>(row.offset)),
                                 text::Encoding::Windows1252)
                  .size());
          for (std::string* s : {&row.left, &row.keyword, &row.right})
            *s = text::decodeToUtf8(*s, text::Encoding::Windows1252);
          // Cut to 255 characters, and cleaned (a line break made one blank).
          if (text::characterCount(row.left, text::Encoding::Utf8) > 245 &&
              row.left.size() > text::kMaxTextLength)
            longLeftSeen = true;
        }
        for (const ScanMode mode : {ScanMode::Reference, ScanMode::Fast})
          for (const int threads : {1, 2})
            for (const auto& [unit, block] :
                 std::vector<std::pair<std::int64_t, std::int64_t>>{{0, 0}, {701, 61}}) {
              if (mode == ScanMode::Reference && unit > 0) continue;
              const Result u = build(queryU, twins.utf8, mode, unit, block, threads);
              ASSERT_EQ(u.words, a.words);
              ASSERT_EQ(u.sentences, a.sentences);
              ASSERT_EQ(u.rows, expected)
                  << masks[0] << ' ' << enhanced << isAdvanced << ' ' << static_cast<int>(mode)
                  << ' ' << threads << ' ' << unit;
            }
      }
  }
  EXPECT_TRUE(longLeftSeen);
}

std::vector<std::string> decodedRows(const ConcordanceTable& table) {
  std::vector<std::string> rows;
  for (std::int32_t i = 0; i < table.RowCount(); ++i)
    rows.push_back(text::decodeToUtf8(std::string(table.LeftContexts().View(i)) + '|' +
                                          std::string(table.Keywords().View(i)) + '|' +
                                          std::string(table.RightContexts().View(i)),
                                      table.TextEncoding));
  return rows;
}

// Every sort, every copy layout and the statistics of prose tables built by
// either scan on one or two threads: the UTF-8 table gives its twin's text.
TEST(Utf8Concordance, ProseTablesSortCopyAndCountAsTheirWindows1252Twin) {
  corpus::testing::ProseTwins twins;
  twins.ansi.EnhSentDetect = twins.utf8.EnhSentDetect = true;
  testing::ScriptedProgress progress;
  for (const ScanMode mode : {ScanMode::Reference, ScanMode::Fast})
    for (const int threads : {1, 2})
      for (const auto& masks : {kProseMasks[1], kProseMasks[3]}) {
        const auto ansi = buildTable(simple(masks), twins.ansi, mode, 0, 0, threads);
        const auto utf8 = buildTable(simple(typedInUtf8(masks)), twins.utf8, mode, 0, 0, threads);
        ASSERT_GT(ansi->RowCount(), 10);
        for (const bool retrograde : {false, true})
          for (const bool right : {false, true})
            for (int word = 1; word <= 4; ++word) {
              const SortOptions options{retrograde, right, word};
              ASSERT_TRUE(
                  SortConcordance(*ansi, options, ansi->ScanSets, RootCollator(), progress));
              ASSERT_TRUE(
                  SortConcordance(*utf8, options, utf8->ScanSets, RootCollator(), progress));
              ASSERT_EQ(decodedRows(*utf8), decodedRows(*ansi))
                  << retrograde << right << word << ' ' << static_cast<int>(mode) << threads;
            }
        for (const CopyFormat format :
             {CopyFormat::OneParagraph, CopyFormat::EachParagraph, CopyFormat::Justify})
          for (const std::string width : {"30", "120", "254"})
            for (const int around : {0, 3}) {
              if (format != CopyFormat::Justify && width != "30") continue;
              CopyOptions copy;
              copy.Format = format;
              copy.Width = width;
              copy.IncludeSource = around == 0;
              copy.SaveWithDelimiters = around > 0;
              copy.DelimAround = around > 0;
              copy.M = copy.N = around;
              copy.LeftDelimiter = "\xAB";
              copy.RightDelimiter = "\xBB";
              std::string ansiText, utf8Text;
              WriteRows(*ansi, 0, ansi->RowCount() - 1, copy, ansi->ScanSets, false,
                        [&](std::string_view s) { ansiText += s; });
              copy.LeftDelimiter = "\xC2\xAB";
              copy.RightDelimiter = "\xC2\xBB";
              WriteRows(*utf8, 0, utf8->RowCount() - 1, copy, utf8->ScanSets, false,
                        [&](std::string_view s) { utf8Text += s; });
              ASSERT_EQ(utf8Text, text::decodeToUtf8(ansiText, text::Encoding::Windows1252))
                  << static_cast<int>(format) << ' ' << width << ' ' << around;
            }
        // The statistics, but for the size of the files in bytes.
        Statistics ansiStats = ConcordanceStatistics(*ansi);
        Statistics utf8Stats = ConcordanceStatistics(*utf8);
        ansiStats.Values[1] = utf8Stats.Values[1] = "";
        EXPECT_EQ(utf8Stats.CopyText(), ansiStats.CopyText());
      }
}

}  // namespace
}  // namespace lexvane::concordance
