// The concordance plot's engine: what the build records per file (words,
// sizes, whether it reached the end) in both scan modes, the bars and ticks
// of a table as it stands, and the mapping of a point to the nearest tick's
// row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "concordance/concordance_edit.h"
#include "concordance/concordance_plot.h"
#include "concordance/plot_export.h"
#include "core/concordance/scripted_host.h"
#include "core/concordance/table_fixture.h"
#include "core/corpus/temp_folder.h"
#include "tools/root_collator.h"

namespace lexvane::concordance {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using testing::addRow;
using testing::ScriptedHost;

const std::string kHarbour =
    "The ferry leaves the harbour at six, when the fishermen walk down to the quay "
    "and the cafe opens its shutters. Nobody hurries here. ";
const std::string kHill =
    "Up on the hill the old house waits for the spring; its windows look over the walls of "
    "the orchard, where somebody once planted pears. ";

class PlotBuildTest : public ::testing::TestWithParam<ScanMode> {
 protected:
  void file(const std::string& name, const std::string& text) {
    const std::string path = folder_ / name;
    writeBytes(path, text);
    settings_.Files.Add(path, RootCollator());
    settings_.TotalBytes += static_cast<std::int64_t>(text.size());
  }
  std::unique_ptr<ConcordanceTable> build(std::vector<std::string> masks,
                                          std::string max = "10000") {
    search::SearchQuery query;
    query.Masks[0] = std::move(masks);
    query.MaxListSize = std::move(max);
    BuildOptions options;
    options.Mode = GetParam();
    options.Threads = 2;
    options.UnitBytes = 64;  // files cut into many units in the fast mode
    options.BlockBytes = 32;
    return BuildConcordance(query, settings_, host_.host, options);
  }

  TempFolder folder_;
  corpus::CorpusSettings settings_;
  ScriptedHost host_;
};

TEST_P(PlotBuildTest, TheBuildRecordsWordsAndSizesPerFile) {
  std::string long_;
  for (int i = 0; i < 6; ++i) long_ += kHarbour;
  file("a_harbour.txt", long_);
  file("b_empty.txt", "");
  file("c_hill.txt", kHill + kHill);
  const auto table = build({"the"});
  ASSERT_EQ(table->FileWords.size(), 3u);
  EXPECT_EQ(table->FileWords[0], 6 * 24);
  EXPECT_EQ(table->FileWords[1], 0);
  EXPECT_EQ(table->FileWords[2], 2 * 25);
  EXPECT_EQ(table->FileWords[0] + table->FileWords[2], table->TotalWords);
  EXPECT_EQ(table->FileBytes,
            (std::vector<std::int64_t>{static_cast<std::int64_t>(long_.size()), 0,
                                       static_cast<std::int64_t>(2 * kHill.size())}));
  EXPECT_TRUE(table->ScanReachedEnd);

  const ConcordancePlot plot(*table);
  ASSERT_EQ(plot.Bars().size(), 3u);
  EXPECT_EQ(plot.Bars()[0].Name, "a_harbour.txt");
  EXPECT_EQ(plot.Bars()[0].Hits(), 6 * 5);
  EXPECT_EQ(plot.Bars()[1].Hits(), 0);
  EXPECT_EQ(plot.Bars()[2].Hits(), 2 * 5);
  // The first "The" stands at byte 0; the hill's last "the" of its first
  // copy at the offset of "the orchard".
  EXPECT_DOUBLE_EQ(plot.Bars()[0].Ticks.front().Position, 0.0);
  const double orchard = static_cast<double>(kHill.find("the orchard")) / (2.0 * kHill.size());
  EXPECT_DOUBLE_EQ(plot.Bars()[2].Ticks[4].Position, orchard);
  EXPECT_EQ(plot.PerThousand(0), "208.33");  // 30 hits in 144 words
  EXPECT_EQ(plot.PerThousand(1), "0.00");
  // Words 144, 0, 50; hits 30, 0, 10: the empty file is no part.
  const DispersionFigures& f = plot.Dispersion();
  EXPECT_EQ(f.Files, 3);
  EXPECT_EQ(f.Parts, 2);
  EXPECT_EQ(f.Range, 2);
  EXPECT_FALSE(plot.Partial());
}

TEST_P(PlotBuildTest, AFullTableStopsShort) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += kHarbour;
  file("a.txt", text);
  file("b.txt", kHill);
  const auto table = build({"the"}, "100");
  ASSERT_EQ(table->RowCount(), 100);
  EXPECT_FALSE(table->ScanReachedEnd);
  EXPECT_EQ(table->FileWords[0], table->TotalWords);
  EXPECT_EQ(table->FileWords[1], 0);  // never reached
  const ConcordancePlot plot(*table);
  EXPECT_TRUE(plot.Partial());
  EXPECT_EQ(plot.Dispersion().Parts, 1);
}

TEST_P(PlotBuildTest, ATableThatFillsOnTheCorpusLastWordReadItAll) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "walk ";
  file("a.txt", text);
  const auto table = build({"walk"}, "100");
  EXPECT_EQ(table->RowCount(), 100);
  EXPECT_TRUE(table->ScanReachedEnd);
  // One more and it stops inside the file.
  writeBytes(settings_.Files[0], text + "walk");
  EXPECT_FALSE(build({"walk"}, "100")->ScanReachedEnd);
}

TEST_P(PlotBuildTest, CancelIsAStop) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += kHarbour;
  file("a.txt", text);
  host_.search.cancelAtWords = 1000;
  const auto table = build({"the"});
  EXPECT_FALSE(table->SearchComplete);
  EXPECT_FALSE(table->ScanReachedEnd);
  EXPECT_EQ(table->FileWords[0], 1000);
}

INSTANTIATE_TEST_SUITE_P(BothModes, PlotBuildTest,
                         ::testing::Values(ScanMode::Reference, ScanMode::Fast));

// A table of three files of 1000, 4000 and 2000 bytes: rows 0-2 in the
// first, none in the second, rows 3-4 in the third.
ConcordanceTable threeFiles() {
  ConcordanceTable table;
  table.CorpusFiles = {"/corpus/one.txt", "/corpus/two.txt", "/corpus/three.txt"};
  table.FileCount = 3;
  table.FileWords = {200, 700, 400};
  table.FileBytes = {1000, 4000, 2000};
  auto hit = [&](std::int32_t file, std::int64_t offset) {
    addRow(table, "left", "walk", "right", "f", 0, file);
    // addRow names a row by its offset; here the offset is the hit's.
    static_cast<TOneWordInfo*>(table.Keywords().GetObject(table.RowCount() - 1))->Offset = offset;
  };
  hit(0, 500);
  hit(0, 0);
  hit(0, 500);
  hit(2, 1500);
  hit(2, 2500);  // the file grew since the build: at the bar's end
  return table;
}

TEST(ConcordancePlot, TicksFollowOffsetsInFileOrderWhateverTheRowOrder) {
  const ConcordanceTable table = threeFiles();
  const ConcordancePlot plot(table);
  ASSERT_EQ(plot.Bars().size(), 3u);
  const auto& one = plot.Bars()[0].Ticks;
  ASSERT_EQ(one.size(), 3u);
  // By position, equal positions by row.
  EXPECT_EQ(one[0].Row, 1);
  EXPECT_DOUBLE_EQ(one[0].Position, 0.0);
  EXPECT_EQ(one[1].Row, 0);
  EXPECT_EQ(one[2].Row, 2);
  EXPECT_DOUBLE_EQ(one[2].Position, 0.5);
  EXPECT_EQ(plot.Bars()[1].Hits(), 0);
  EXPECT_DOUBLE_EQ(plot.Bars()[2].Ticks[0].Position, 0.75);
  EXPECT_DOUBLE_EQ(plot.Bars()[2].Ticks[1].Position, 1.0);
  EXPECT_EQ(plot.Locate(3), (std::pair<std::int32_t, double>{2, 0.75}));
  EXPECT_EQ(plot.Locate(5).first, -1);
  EXPECT_EQ(plot.LargestBytes(), 4000);
  EXPECT_EQ(plot.PerThousand(0), "15.00");
  // Hits 3, 0, 2 over words 200, 700, 400.
  EXPECT_EQ(plot.Dispersion().Range, 2);
  EXPECT_EQ(FormatMeasure(plot.Dispersion().RangeShare), "0.6667");
}

TEST(ConcordancePlot, AClearOrSortIsSeenByTheNextPlot) {
  ConcordanceTable table = threeFiles();
  ClearRows(table, 1, 3);  // rows 0-2: the first file's hits
  const ConcordancePlot plot(table);
  EXPECT_EQ(plot.Bars()[0].Hits(), 0);
  EXPECT_EQ(plot.Bars()[2].Ticks[0].Row, 0);
  EXPECT_EQ(plot.Dispersion().Range, 1);
  table.Reorder({1, 0});
  EXPECT_EQ(ConcordancePlot(table).Bars()[2].Ticks[0].Row, 1);
}

TEST(ConcordancePlot, ItsFilesExportAsATable) {
  const auto plot = std::make_shared<const ConcordancePlot>(threeFiles());
  const table_export::FunctionTable table = PlotFilesTable(plot);
  EXPECT_EQ(table.Name(), "Dispersion");
  ASSERT_EQ(table.Columns().size(), 4u);
  EXPECT_EQ(table.Columns()[3].Heading, "Per 1000 words");
  ASSERT_EQ(table.RowCount(), 3);
  table_export::RowCells cells;
  table.Row(0, cells);
  ASSERT_EQ(cells.Size(), 4u);
  EXPECT_EQ(cells[0].Kind, table_export::CellKind::Utf8);
  EXPECT_EQ(cells[0].Chars, "one.txt");
  EXPECT_EQ(cells[1].Integer, 200);
  EXPECT_EQ(cells[2].Integer, 3);
  EXPECT_DOUBLE_EQ(cells[3].Value, 15.0);
  EXPECT_EQ(cells[3].Decimals, 2);
  cells.Clear();
  table.Row(1, cells);
  EXPECT_EQ(cells[2].Integer, 0);
}

TEST(PlotGeometry, EqualBarsAndBarsScaledToFileSize) {
  const ConcordanceTable table = threeFiles();
  const ConcordancePlot plot(table);
  PlotGeometry g;
  g.Left = 100;
  g.FullWidth = 400;
  g.Top = 30;
  g.RowPitch = 20;
  g.BarHeight = 12;
  EXPECT_DOUBLE_EQ(g.BarLength(plot, 0), 400);
  EXPECT_DOUBLE_EQ(g.TickX(plot, 0, 0.5), 300);
  EXPECT_DOUBLE_EQ(g.BarTop(1), 54);
  g.Scale = BarScale::FileSize;
  EXPECT_DOUBLE_EQ(g.BarLength(plot, 0), 100);  // 1000 of 4000 bytes
  EXPECT_DOUBLE_EQ(g.BarLength(plot, 1), 400);
  EXPECT_DOUBLE_EQ(g.TickX(plot, 2, 0.75), 250);
  EXPECT_EQ(g.BarAt(plot, 29.9), -1);
  EXPECT_EQ(g.BarAt(plot, 30), 0);
  EXPECT_EQ(g.BarAt(plot, 89.9), 2);
  EXPECT_EQ(g.BarAt(plot, 90), -1);
  EXPECT_EQ(g.BarsBetween(plot, 0, 45), (std::pair<std::int32_t, std::int32_t>{0, 1}));
  EXPECT_EQ(g.BarsBetween(plot, 55, 1000), (std::pair<std::int32_t, std::int32_t>{1, 3}));
}

TEST(PlotGeometry, AClickFindsTheRowOfTheNearestTick) {
  const ConcordanceTable table = threeFiles();
  const ConcordancePlot plot(table);
  PlotGeometry g;
  g.Left = 100;
  g.FullWidth = 400;
  g.Top = 30;
  g.RowPitch = 20;
  // Bar 0 has ticks at x 100 (row 1) and 300 (rows 0 and 2).
  EXPECT_EQ(g.RowAt(plot, 102, 40, 3), 1);
  EXPECT_EQ(g.RowAt(plot, 298, 31, 3), 0);  // two hits at one place: the first row
  EXPECT_EQ(g.RowAt(plot, 303, 49, 3), 0);
  EXPECT_EQ(g.RowAt(plot, 304, 40, 3), -1);   // too far from any tick
  EXPECT_EQ(g.RowAt(plot, 200, 40, 100), 1);  // equally near: the left tick
  EXPECT_EQ(g.RowAt(plot, 300, 60, 3), -1);   // bar 1 has no ticks
  EXPECT_EQ(g.RowAt(plot, 300, 20, 3), -1);   // above the bars
  // Bar 2 at x 400 (row 3) and 500 (row 4); scaled to size at 250 and 300.
  EXPECT_EQ(g.RowAt(plot, 497, 75, 4), 4);
  g.Scale = BarScale::FileSize;
  EXPECT_EQ(g.RowAt(plot, 251, 75, 4), 3);
  EXPECT_EQ(g.RowAt(plot, 497, 75, 4), -1);
}

}  // namespace
}  // namespace lexvane::concordance
