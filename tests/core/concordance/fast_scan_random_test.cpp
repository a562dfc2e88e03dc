// The fast scan against the reference scan over random corpus settings:
// word and sentence separator sets of any make (blank left out, sentence
// marks that are no word separators, letters and control characters as
// separators), words of exactly 255 and 256 characters, empty and missing
// files, random simple and advanced queries (up to five columns, any order,
// distance and middle column), small table sizes reached in mid-file, and
// units and read blocks cut at odd places.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "core/concordance/scripted_host.h"
#include "core/corpus/temp_folder.h"
#include "text/character_sets.h"
#include "tools/root_collator.h"

namespace lexvane::concordance {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;

// Records every figure the indicator is given, not only the words.
class CountingSearch : public testing::ScriptedSearch {
 public:
  void SetCounts(std::int64_t words, std::int64_t sentences, std::int64_t found) override {
    testing::ScriptedSearch::SetCounts(words, sentences, found);
    counts << ' ' << words << '/' << sentences << '/' << found;
  }
  std::ostringstream counts;
};

std::string describe(const search::SearchQuery& query, const corpus::CorpusSettings& settings,
                     ScanMode mode, std::int64_t cancelAt, std::int64_t unit, std::int64_t block,
                     bool bulk) {
  testing::RecordingUi ui;
  CountingSearch search;
  testing::ScriptedProgress progress;
  text::OperationHost host{ui, search, progress};
  search.cancelAtWords = cancelAt;
  BuildOptions options;
  options.Mode = mode;
  options.Threads = 3;
  options.UnitBytes = unit;
  options.BlockBytes = block;
  options.NoBulkSkip = !bulk;
  const auto table = BuildConcordance(query, settings, host, options);
  std::ostringstream out;
  out << "words " << table->TotalWords << " sentences " << table->TotalSentences << " complete "
      << table->SearchComplete << " rows " << table->RowCount() << '\n';
  for (std::int32_t i = 0; i < table->RowCount(); ++i) {
    const TOneWordInfo& info = table->Info(i);
    out << info.FileIndex << ' ' << info.SentenceNo << ' ' << info.Offset << " ["
        << table->Keywords().Get(i) << "]\n";
  }
  out << "files";
  for (const auto& f : search.files) out << " '" << f << "'";
  out << "\ncounts" << search.counts.str() << "\nmessages";
  for (const auto& m : ui.messages) out << " {" << m << '}';
  return out.str();
}

std::string pick(std::mt19937& random, const std::string& pool, std::size_t most) {
  std::string out;
  const std::size_t n = random() % (most + 1);
  for (std::size_t i = 0; i < n; ++i) out += pool[random() % pool.size()];
  return out;
}

std::string generate(std::mt19937& random, std::size_t words) {
  static const std::vector<std::string> vocabulary = {
      "walk", "Walked",  "walks",     "the",   "The", "house", "home", "e.g",
      "x",    "caf\xE9", "\xC9t\xE9", "a",     "it",  "said",  "sea",  "eel",
      "ho",   "use",     "q-e",       "don't", "3rd", "WALKS", "SAID", "hOUSE"};
  static const std::string gapPool = " .,!?;:\"'()-\r\n\t\x01\x1F\x85\xA0 e3";
  std::string text;
  if (random() % 3 == 0) text += pick(random, gapPool, 3);
  for (std::size_t i = 0; i < words; ++i) {
    const unsigned r = random() % 400;
    if (r == 0)
      text += std::string(255, 'w');
    else if (r == 1)
      text += std::string(256, 'h');
    else if (r == 2)
      text += std::string(254 + random() % 4, 'e');
    else
      text += vocabulary[random() % vocabulary.size()];
    std::string gap = pick(random, gapPool, 4);
    if (gap.empty()) gap = " ";
    if (i + 1 < words || random() % 2) text += gap;
  }
  return text;
}

search::SearchQuery randomQuery(std::mt19937& random) {
  static const std::vector<std::string> masks = {
      "walk*", "*",  "?e*", "h?use", "*s", "e*",   "\xE9*", "the", "*e*l", "a",    "it",
      "q",     "w*", "h*",  "*.*",   "?",  "ho*e", "said",  "x",   "don",  "*\xE9"};
  static const std::vector<std::string> sizes = {"100", "100", "137", "10000"};
  search::SearchQuery query;
  query.MaxListSize = sizes[random() % sizes.size()];
  if (random() % 2 == 0) {
    query.Kind = search::QueryKind::Simple;
    const int n = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < n; ++i) query.Masks[0].push_back(masks[random() % masks.size()]);
    return query;
  }
  query.Kind = search::QueryKind::Advanced;
  query.ColumnCount = 1 + static_cast<int>(random() % (random() % 2 ? 2 : 5));
  for (int c = 0; c < query.ColumnCount; ++c) {
    const int n = 1 + static_cast<int>(random() % 2);
    for (int i = 0; i < n; ++i) query.Masks[c].push_back(masks[random() % masks.size()]);
  }
  query.MiddleColumn = 1 + static_cast<int>(random() % query.ColumnCount);
  static const int gaps[] = {-1, -5, 0, 1, 2, 5, 2147483647};
  for (int k = 0; k < search::kColumnPairs; ++k) {
    query.InOrder[k] = random() % 2 == 0;
    query.MaxGap[k] = gaps[random() % 7];
  }
  return query;
}

TEST(FastScanRandom, MatchesTheReferenceForAnySettings) {
  TempFolder folder;
  std::mt19937 random(8121954);
  static const std::string separatorPool = " .,!?;:\"'()-\t0123e\xE9\x85\xA0q";
  static const std::string sentencePool = ".!?e-\xE9\" ;q\n";
  int withRows = 0, full = 0;
  for (int round = 0; round < 150; ++round) {
    corpus::CorpusSettings settings;
    settings.WordSeparators = pick(random, separatorPool, 12);
    settings.SentenceSeparators = pick(random, sentencePool, 4);
    settings.EnhSentDetect = random() % 2 == 0;
    settings.CRLFAsSeparator = random() % 2 == 0;
    settings.TextEncoding =
        random() % 4 == 0 ? text::Encoding::Dos850 : text::Encoding::Windows1252;
    const int files = 2 + static_cast<int>(random() % 4);
    for (int f = 0; f < files; ++f) {
      const std::string path = folder / ("r" + std::to_string(round) + "_" + std::to_string(f));
      const unsigned kind = random() % 8;
      if (kind == 0) {
        settings.Files.Add(path + ".missing", RootCollator());
        continue;
      }
      writeBytes(path, kind == 1   ? std::string()
                       : kind == 2 ? std::string(" .\r\n ")
                                   : generate(random, 200 + random() % 1500));
      settings.Files.Add(path, RootCollator());
    }
    const search::SearchQuery query = randomQuery(random);
    const std::int64_t cancelAt = random() % 4 == 0 ? 1000 : 0;
    const std::string expected =
        describe(query, settings, ScanMode::Reference, cancelAt, 0, 0, true);
    const auto rows = std::stoll(expected.substr(expected.find(" rows ") + 6));
    withRows += rows > 0;
    full += rows >= std::stoll(query.MaxListSize);
    static const std::int64_t units[] = {0, 7, 63, 64, 65, 333, 1024};
    static const std::int64_t blocks[] = {0, 1, 2, 63, 64, 65, 100, 129};
    for (int variant = 0; variant < 3; ++variant) {
      const std::int64_t unit = units[random() % 7];
      const std::int64_t block = blocks[random() % 8];
      const bool bulk = variant != 2;
      ASSERT_EQ(describe(query, settings, ScanMode::Fast, cancelAt, unit, block, bulk), expected)
          << "round " << round << " separators '" << settings.WordSeparators << "' sentence '"
          << settings.SentenceSeparators << "' enhanced " << settings.EnhSentDetect << " crlf "
          << settings.CRLFAsSeparator << " oem " << static_cast<int>(settings.TextEncoding)
          << " unit " << unit << " block " << block << " bulk " << bulk;
    }
  }
  // The rounds are not idle: most find rows, some fill the table.
  EXPECT_GT(withRows, 75);
  EXPECT_GT(full, 5);
}

// Draws up to `most` of the characters of `pool`.
std::string pickCharacters(std::mt19937& random, const std::vector<std::string>& pool,
                           std::size_t most) {
  std::string out;
  const std::size_t n = random() % (most + 1);
  for (std::size_t i = 0; i < n; ++i) out += pool[random() % pool.size()];
  return out;
}

// UTF-8 text: letters of two to four bytes, capitals whose lower case is
// ASCII or of another length, invalid and cut sequences, a byte-order mark,
// separators beyond ASCII, and words of 255 and 256 two-byte characters.
std::string generateUtf8(std::mt19937& random, std::size_t words) {
  static const std::vector<std::string> vocabulary = {"walk",
                                                      "Walked",
                                                      "caf\xC3\xA9",
                                                      "\xC3\x89t\xC3\xA9",
                                                      "\xCE\xA3\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1",
                                                      "\xCF\x83\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1",
                                                      "\xD0\x96\xD0\xB8\xD0\xB7\xD0\xBD\xD1\x8C",
                                                      "\xE2\x84\xAAilo",
                                                      "\xC4\xB0stanbul",
                                                      "\xF0\x9F\x98\x80",
                                                      "a\x80"
                                                      "b",
                                                      "\xE2\x80",
                                                      "\xC0\xAF",
                                                      "x",
                                                      "the",
                                                      "\xEF\xBB\xBF"};
  static const std::vector<std::string> gapPool = {" ",
                                                   " ",
                                                   ".",
                                                   ",",
                                                   "!",
                                                   "\"",
                                                   "'",
                                                   "\r",
                                                   "\n",
                                                   "\t",
                                                   "\x01",
                                                   "\xE2\x80\xA6",
                                                   "\xC2\xA0",
                                                   "\xC2\xAB",
                                                   "\xC2\xBB",
                                                   "\xE2\x80\x94",
                                                   "\xE2\x80\x9C",
                                                   "e"};
  std::string text = random() % 4 == 0 ? "\xEF\xBB\xBF" : "";
  for (std::size_t i = 0; i < words; ++i) {
    const unsigned r = random() % 300;
    if (r < 2) {
      for (int k = 0; k < 255 + static_cast<int>(r); ++k) text += "\xC3\xA9";
    } else {
      text += vocabulary[random() % vocabulary.size()];
    }
    std::string gap = pickCharacters(random, gapPool, 3);
    if (gap.empty()) gap = " ";
    text += gap;
  }
  return text;
}

TEST(FastScanRandom, MatchesTheReferenceOnUtf8Text) {
  TempFolder folder;
  std::mt19937 random(20261208);
  static const std::vector<std::string> separatorPool = {" ",
                                                         ".",
                                                         ",",
                                                         "!",
                                                         "\"",
                                                         "'",
                                                         "\t",
                                                         "e",
                                                         "\xE2\x80\xA6",
                                                         "\xC2\xA0",
                                                         "\xC2\xAB",
                                                         "\xC2\xBB",
                                                         "\xE2\x80\x94",
                                                         "\xE2\x80\x9C",
                                                         "\xC3\xA9",
                                                         "\xCF\x83",
                                                         "\x80"};
  static const std::vector<std::string> sentencePool = {
      ".", "!", "\xE2\x80\xA6", "\xC2\xBB", "\xCF\x83", "\n", "e"};
  static const std::vector<std::string> masks = {
      "walk*",     "*",   "caf?", "?t?",        "\xCF\x83*", "*\xCE\xB1",
      "\xD0\xB6*", "k*",  "i*",   "*\xC3\xA9*", "?",         "\xF0\x9F\x98\x80",
      "a?b",       "the", "x"};
  int withRows = 0;
  for (int round = 0; round < 80; ++round) {
    corpus::CorpusSettings settings;
    settings.TextEncoding = text::Encoding::Utf8;
    settings.WordSeparators = random() % 4 == 0 ? text::kDefaultUtf8WordSeparators
                                                : pickCharacters(random, separatorPool, 10);
    settings.SentenceSeparators = pickCharacters(random, sentencePool, 4);
    settings.EnhSentDetect = random() % 2 == 0;
    settings.CRLFAsSeparator = random() % 2 == 0;
    const int files = 1 + static_cast<int>(random() % 3);
    for (int f = 0; f < files; ++f) {
      const std::string path = folder / ("u" + std::to_string(round) + "_" + std::to_string(f));
      writeBytes(path, generateUtf8(random, 100 + random() % 900));
      settings.Files.Add(path, RootCollator());
    }
    search::SearchQuery query = randomQuery(random);
    for (auto& column : query.Masks)
      for (auto& mask : column) mask = masks[random() % masks.size()];
    const std::string expected = describe(query, settings, ScanMode::Reference, 0, 0, 0, true);
    withRows += std::stoll(expected.substr(expected.find(" rows ") + 6)) > 0;
    static const std::int64_t units[] = {0, 7, 63, 64, 65, 333};
    static const std::int64_t blocks[] = {0, 1, 5, 63, 64, 65, 129};
    for (int variant = 0; variant < 3; ++variant) {
      const std::int64_t unit = units[random() % 6];
      const std::int64_t block = blocks[random() % 7];
      const bool bulk = variant != 2;
      ASSERT_EQ(describe(query, settings, ScanMode::Fast, 0, unit, block, bulk), expected)
          << "round " << round << " unit " << unit << " block " << block << " bulk " << bulk;
    }
  }
  EXPECT_GT(withRows, 40);
}

}  // namespace
}  // namespace lexvane::concordance
