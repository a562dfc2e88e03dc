// The fast scan against the reference scan: the same table, counters,
// indicator updates and messages, on the sample corpus and on generated
// text cut into tiny units and read blocks so that every boundary case meets
// a cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "concordance/hit_sink.h"
#include "core/concordance/scripted_host.h"
#include "core/corpus/temp_folder.h"
#include "tools/root_collator.h"

namespace lexvane::concordance {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;

// Everything a build leaves behind, as one text to compare.
std::string describe(const ConcordanceTable& table, const testing::ScriptedHost& host) {
  std::ostringstream out;
  out << "words " << table.TotalWords << " sentences " << table.TotalSentences << " complete "
      << table.SearchComplete << " rows " << table.RowCount() << '\n';
  for (std::int32_t i = 0; i < table.RowCount(); ++i) {
    const TOneWordInfo& info = table.Info(i);
    out << info.FileIndex << ' ' << info.SentenceNo << ' ' << info.Offset << " ["
        << table.LeftContexts().Get(i) << "][" << table.Keywords().Get(i) << "]["
        << table.RightContexts().Get(i) << "]\n";
  }
  out << "files";
  for (const auto& f : host.search.files) out << " '" << f << "'";
  out << "\nupdates";
  for (const auto u : host.search.updates) out << ' ' << u;
  out << "\nmessages";
  for (const auto& m : host.ui.messages) out << " {" << m << '}';
  return out.str();
}

std::string run(const search::SearchQuery& query, const corpus::CorpusSettings& settings,
                ScanMode mode, std::int64_t cancelAt, std::int64_t unit, std::int64_t block) {
  testing::ScriptedHost host;
  host.search.cancelAtWords = cancelAt;
  BuildOptions options;
  options.Mode = mode;
  options.Threads = 3;
  options.UnitBytes = unit;
  options.BlockBytes = block;
  const auto table = BuildConcordance(query, settings, host.host, options);
  return describe(*table, host);
}

// Random text over a small vocabulary with the punctuation, quotes, digits,
// line breaks, accented letters and overlong words that the sentence rules
// care about.
std::string generate(std::mt19937& random, std::size_t words) {
  static const std::vector<std::string> vocabulary = {
      "walk", "Walked",  "walks",    "the",       "The",          "house", "home",
      "e.g",  "x",       "caf\xE9",  "\xC9t\xE9", "r\x82sum\x82", "a",     "it",
      "said", "WALKING", "sidewalk", "ho",        "use"};
  static const std::vector<std::string> gaps = {
      " ",    " ",    " ",   ", ", ". ", ".\r\n", "! ", "? ", "\n",  "\r\n", " 3. ",
      ".\" ", "!\" ", " - ", ".",  "\t", " (",    ") ", "'",  "...", " \"",  ".'  "};
  std::string text;
  if (random() % 3 == 0) text += gaps[random() % gaps.size()];
  for (std::size_t i = 0; i < words; ++i) {
    if (random() % 997 == 0)
      text += std::string(250 + random() % 10, 'w');  // sometimes longer than 255
    else
      text += vocabulary[random() % vocabulary.size()];
    if (i + 1 < words || random() % 2) text += gaps[random() % gaps.size()];
  }
  return text;
}

search::SearchQuery simple(std::vector<std::string> masks, std::string max = "10000") {
  search::SearchQuery query;
  query.Masks[0] = std::move(masks);
  query.MaxListSize = std::move(max);
  return query;
}

search::SearchQuery advanced(std::vector<std::vector<std::string>> columns, int middle,
                             std::array<int, 4> gaps, std::array<bool, 4> order) {
  search::SearchQuery query;
  query.Kind = search::QueryKind::Advanced;
  for (std::size_t c = 0; c < columns.size(); ++c) query.Masks[c] = columns[c];
  query.ColumnCount = static_cast<int>(columns.size());
  query.MiddleColumn = middle;
  query.MaxGap = gaps;
  query.InOrder = order;
  return query;
}

TEST(FastScan, MatchesTheReferenceOnGeneratedText) {
  TempFolder folder;
  std::mt19937 random(20261207);
  corpus::CorpusSettings settings;
  for (int f = 0; f < 6; ++f) {
    const std::string path = folder / ("f" + std::to_string(f) + ".txt");
    writeBytes(path, f == 3 ? std::string() : generate(random, 300 + random() % 1500));
    settings.Files.Add(path, RootCollator());
  }
  settings.Files.Add(folder / "missing.txt", RootCollator());
  const std::vector<search::SearchQuery> queries = {
      simple({"walk*"}),
      simple({"*"}, "150"),
      simple({"the", "h?use", "*\xE9*"}),
      simple({"x"}, "100"),
      advanced({{"the"}, {"house", "home"}}, 2, {0, 0, 0, 0}, {true, true, true, true}),
      advanced({{"walk*"}, {"*"}, {"h*"}}, 3, {-1, 2, 0, 0}, {false, true, true, true}),
      advanced({{"a", "it"}}, 1, {0, 0, 0, 0}, {true, true, true, true}),
  };
  int cases = 0;
  for (const bool enhanced : {false, true})
    for (const bool crlf : {false, true})
      for (const bool oem : {false, true}) {
        settings.EnhSentDetect = enhanced;
        settings.CRLFAsSeparator = crlf;
        settings.TextEncoding = oem ? text::Encoding::Dos850 : text::Encoding::Windows1252;
        for (const auto& query : queries)
          for (const std::int64_t cancelAt : {0, 1000, 3000}) {
            const std::string expected = run(query, settings, ScanMode::Reference, cancelAt, 0, 0);
            for (const auto& [unit, block] : std::vector<std::pair<int, int>>{
                     {0, 0}, {97, 13}, {11, 5}, {4096, 7}, {300, 100}, {4096, 64}}) {
              ASSERT_EQ(run(query, settings, ScanMode::Fast, cancelAt, unit, block), expected)
                  << "enhanced " << enhanced << " crlf " << crlf << " oem " << oem << " unit "
                  << unit << " block " << block << " cancel " << cancelAt;
              ++cases;
            }
          }
      }
  EXPECT_EQ(cases, 8 * 7 * 3 * 6);
}

TEST(FastScan, MatchesTheReferenceOnTheSamples) {
  corpus::CorpusSettings settings;
  for (const char* name :
       {"cafe_dos.txt", "letters_from_the_coast.txt", "morning_walks.txt", "the_old_house.txt"})
    settings.Files.Add(std::string(LEXVANE_SAMPLES_DIR) + "/" + name, RootCollator());
  settings.EnhSentDetect = true;
  for (const auto& query : {simple({"walk*", "house"}), simple({"*"}, "100"),
                            advanced({{"the"}, {"*"}}, 2, {1, 0, 0, 0}, {true, true, true, true})})
    EXPECT_EQ(run(query, settings, ScanMode::Fast, 0, 300, 64),
              run(query, settings, ScanMode::Reference, 0, 0, 0));
}

// The enhanced rule's window starts as three zero characters: when the zero
// character is a sentence separator, a word of one closing mark followed by
// a blank ends a sentence. The bulk skip must not pass over such a word.
TEST(FastScan, SkipsNoWordOfOneClosingMarkWhenTheZeroCharacterEndsSentences) {
  TempFolder folder;
  std::string body;
  for (int i = 0; i < 14; ++i) body += "abcd ";
  corpus::CorpusSettings settings;
  const std::string path = folder / "marks.txt";
  writeBytes(path,
             "\" " + body + "end" + std::string(1, '\0') + " more words here ' " + body + "k x");
  settings.Files.Add(path, RootCollator());
  settings.EnhSentDetect = true;
  // With 'k' a sentence separator too, the word "k" ends one as well.
  for (const auto& [sentences, ends] : std::vector<std::pair<std::string, std::string>>{
           {std::string(1, '\0'), "sentences 4 "}, {std::string("k\x01") + '\0', "sentences 5 "}}) {
    settings.WordSeparators = std::string(" ,\x0E") + '\0' + ".";
    settings.SentenceSeparators = sentences;
    const std::string expected = run(simple({"m*"}), settings, ScanMode::Reference, 0, 0, 0);
    EXPECT_NE(expected.find(ends), std::string::npos) << expected;
    for (const auto& [unit, block] : std::vector<std::pair<int, int>>{{0, 0}, {4096, 64}})
      EXPECT_EQ(run(simple({"m*"}), settings, ScanMode::Fast, 0, unit, block), expected);
  }
}

// A unit's sentence ends, added in runs of 1 to 64 words at any bit
// position, counted over every span of words as one by one.
TEST(FastScan, CountsAUnitsSentenceEndsOverAnySpan) {
  std::mt19937 random(42);
  UnitResult unit;
  std::vector<bool> one;
  while (one.size() < 700) {
    const unsigned count = 1 + random() % 64;
    const std::uint64_t bits = (std::uint64_t{random()} << 32 | random()) &
                               (count == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1);
    unit.AddWords(count, bits);
    for (unsigned k = 0; k < count; ++k) one.push_back(((bits >> k) & 1) != 0);
  }
  ASSERT_EQ(unit.words, one.size());
  for (std::uint64_t from = 0; from <= one.size(); from += 1 + random() % 7)
    for (std::uint64_t to = from; to <= one.size() + 3; ++to) {
      std::int64_t expected = 0;
      for (std::uint64_t w = from; w < std::min<std::uint64_t>(to, one.size()); ++w)
        expected += one[w];
      ASSERT_EQ(unit.CountEnds(from, to), expected) << from << ".." << to;
    }
}

}  // namespace
}  // namespace lexvane::concordance
