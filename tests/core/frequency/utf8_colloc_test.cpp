// Collocates of UTF-8 concordance rows: Latin rows count as their
// Windows-1252 twins do, separators outside ASCII cut words, nodes lower-case
// per character, and copied lines cut at 255 characters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "concordance/concordance_sort.h"
#include "core/corpus/prose_twins.h"
#include "core/frequency/fakes.h"
#include "frequency/colloc_table.h"
#include "frequency/frequency_copy.h"
#include "text/character_sets.h"
#include "text/collation.h"
#include "text/encoding.h"
#include "tools/root_collator.h"

namespace lexvane::frequency {
namespace {

using testing::Host;

struct Rows {
  text::TQStringList left, keywords, right;
  void add(std::string_view l, std::string_view k, std::string_view r) {
    left.Add(l);
    keywords.Add(k);
    right.Add(r);
  }
};

const PositionFlags kAll = {true, true, true, true, true, true, true, true, true};

class StringSink : public CopySink {
 public:
  void Write(std::string_view bytes) override { text.append(bytes); }
  std::string text;
};

std::string copied(const CollocTable& table, const std::string& delimiter) {
  Host host;
  auto operation = host.operation();
  CopyOptions options;
  options.ToFile = true;
  options.Delimiter = delimiter;
  StringSink sink;
  CopyCollocates(table, 0, table.Count() - 1, options, CopyDestination::File, sink, operation);
  return sink.text;
}

class Utf8CollocTest : public ::testing::Test {
 protected:
  void build(CollocTable& table, const Rows& rows, std::string_view separators,
             const std::vector<std::string>& masks, text::Encoding encoding) {
    Host host;
    auto operation = host.operation();
    table.SetTextEncoding(encoding);
    table.BuildCollocTable(separators, rows.left, rows.keywords, rows.right, masks, RootCollator(),
                           operation);
  }
};

TEST_F(Utf8CollocTest, LatinRowsCountAndSortAsTheirWindows1252Twins) {
  const std::vector<std::vector<std::string>> ansiRows = {
      {"Der Hund lief \xFC"
       "ber die",
       "Br\xFC"
       "cke",
       "und bellte \xFC"
       "ber alles."},
      {"Die alte",
       "Br\xFC"
       "cke",
       "\xFC"
       "ber dem Flu\xDF, \xC9t\xE9 und Winter."},
      {"\xC9t\xE9 \xFC"
       "ber",
       "\xDC"
       "BER",
       "die Br\xFC"
       "cke \xE0 la fin."},
      {"Im",
       "\xFC"
       "ber",
       "Br\xFC"
       "cke \xFC"
       "ber Br\xFC"
       "cke."},
  };
  Rows ansi, utf8;
  for (const auto& r : ansiRows) {
    ansi.add(r[0], r[1], r[2]);
    utf8.add(text::ansiToUtf8(r[0]), text::ansiToUtf8(r[1]), text::ansiToUtf8(r[2]));
  }
  for (const std::vector<std::string>& masks :
       std::vector<std::vector<std::string>>{{"*"}, {"\xFC*", "*\xE9"}}) {
    std::vector<std::string> utf8Masks;
    for (const std::string& m : masks) utf8Masks.push_back(text::ansiToUtf8(m));
    CollocTable ansiTable(kAll, kAll), utf8Table(kAll, kAll);
    build(ansiTable, ansi, text::kDefaultWordSeparators, masks, text::Encoding::Windows1252);
    build(utf8Table, utf8, text::kDefaultWordSeparators, utf8Masks, text::Encoding::Utf8);
    EXPECT_EQ(copied(utf8Table, "|"), text::ansiToUtf8(copied(ansiTable, "|")));
    for (int column = 1; column < kCollocColumns; ++column) {
      Host host;
      ansiTable.Sort(column, host.progress);
      utf8Table.Sort(column, host.progress);
      EXPECT_EQ(copied(utf8Table, "\xC2\xA7"), text::ansiToUtf8(copied(ansiTable, "\xA7")))
          << column;
    }
  }
}

TEST_F(Utf8CollocTest, SeparatorsOutsideAsciiCutAndNodesLowerPerCharacter) {
  Rows rows;
  // Guillemets and an em dash separate; an invalid byte is a word character.
  rows.add("\xC2\xAB\xCE\xB1\xCE\xB2\xC2\xBB\xE2\x80\x94\xCE\xB3", "\xCE\xA9",
           "\xD0\xB4\xD0\xB0\xE2\x80\x94x\xFFy");
  CollocTable table(kAll, kAll);
  build(table, rows, " \xC2\xAB\xC2\xBB\xE2\x80\x94", {"*"}, text::Encoding::Utf8);
  std::vector<std::string> collocates;
  for (std::int32_t i = 0; i < table.Count(); ++i) {
    collocates.push_back(table.Info(i).Collocate);
    EXPECT_EQ(table.Info(i).Node, "\xCF\x89");  // omega lower-cased
  }
  // In order of the decoded text: x\xFFy, alpha-beta, gamma, de-a.
  EXPECT_EQ(collocates, (std::vector<std::string>{"x\xFFy", "\xCE\xB1\xCE\xB2", "\xCE\xB3",
                                                  "\xD0\xB4\xD0\xB0"}));
  const TCollocFreqInfo* gamma = &table.Info(2);
  EXPECT_EQ(gamma->Left(1), 1);
  EXPECT_EQ(table.Info(1).Left(2), 1);
  EXPECT_EQ(table.Info(3).Right(1), 1);
  EXPECT_EQ(table.Info(0).Right(2), 1);
}

TEST_F(Utf8CollocTest, CopiedLinesKeep255CharactersNeverHalfOfOne) {
  Rows rows;
  std::string longWord;
  for (int i = 0; i < 120; ++i) longWord += "\xD0\xB6";  // 120 two-byte letters
  rows.add(longWord, longWord, longWord);                // a line of more than 253 characters
  CollocTable table(kAll, kAll);
  build(table, rows, " ", {"*"}, text::Encoding::Utf8);
  const std::string lines = copied(table, "|");
  ASSERT_FALSE(lines.empty());
  const std::string first = lines.substr(0, lines.find("\r\n"));
  EXPECT_EQ(text::characterCount(first, text::Encoding::Utf8), text::kMaxTextLength - 2);
  EXPECT_EQ(text::decodeToUtf8(first, text::Encoding::Utf8), first);
}

// Collocates of prose concordances whose left contexts run to 255
// characters: every word next to the keyword counts at its position in
// UTF-8 as in Windows-1252, whichever scan built the concordance, on one
// thread or two.
TEST_F(Utf8CollocTest, ProseWithLongSentencesCountsAsItsWindows1252Twin) {
  corpus::testing::ProseTwins twins;
  twins.ansi.EnhSentDetect = twins.utf8.EnhSentDetect = true;
  const std::vector<std::string> queryMasks = {"d*",
                                               "\xFC"
                                               "ber*",
                                               "que", "*\xE9*"};
  for (const concordance::ScanMode mode :
       {concordance::ScanMode::Reference, concordance::ScanMode::Fast})
    for (const int threads : {1, 2}) {
      Host host;
      auto operation = host.operation();
      concordance::BuildOptions options;
      options.Mode = mode;
      options.Threads = threads;
      search::SearchQuery ansiQuery, utf8Query;
      ansiQuery.MaxListSize = utf8Query.MaxListSize = "10000";
      ansiQuery.Masks[0] = queryMasks;
      for (const std::string& mask : queryMasks)
        utf8Query.Masks[0].push_back(text::ansiToUtf8(mask));
      const auto ansi = concordance::BuildConcordance(ansiQuery, twins.ansi, operation, options);
      const auto utf8 = concordance::BuildConcordance(utf8Query, twins.utf8, operation, options);
      ASSERT_GT(ansi->RowCount(), 50);
      concordance::SortConcordance(*ansi, {}, ansi->ScanSets, RootCollator(), host.progress);
      concordance::SortConcordance(*utf8, {}, utf8->ScanSets, RootCollator(), host.progress);
      for (const std::vector<std::string>& masks :
           std::vector<std::vector<std::string>>{{"*"}, {"d*", "*\xE4*", "*\xF1*"}}) {
        std::vector<std::string> utf8Masks;
        for (const std::string& m : masks) utf8Masks.push_back(text::ansiToUtf8(m));
        CollocTable ansiTable(kAll, kAll), utf8Table(kAll, kAll);
        ansiTable.SetTextEncoding(text::Encoding::Windows1252);
        utf8Table.SetTextEncoding(text::Encoding::Utf8);
        ansiTable.BuildCollocTable(ansi->WordSeparators, ansi->LeftContexts(), ansi->Keywords(),
                                   ansi->RightContexts(), masks, RootCollator(), operation);
        utf8Table.BuildCollocTable(utf8->WordSeparators, utf8->LeftContexts(), utf8->Keywords(),
                                   utf8->RightContexts(), utf8Masks, RootCollator(), operation);
        ASSERT_GT(ansiTable.Count(), 10);
        EXPECT_EQ(copied(utf8Table, "|"), text::ansiToUtf8(copied(ansiTable, "|")))
            << static_cast<int>(mode) << threads << masks[0];
        for (const int column : {kTotalColumn, LeftColumn(1), RightColumn(2), kCollocateColumn}) {
          ansiTable.Sort(column, host.progress);
          utf8Table.Sort(column, host.progress);
          EXPECT_EQ(copied(utf8Table, "|"), text::ansiToUtf8(copied(ansiTable, "|")))
              << static_cast<int>(mode) << threads << masks[0] << column;
        }
      }
    }
}

}  // namespace
}  // namespace lexvane::frequency
