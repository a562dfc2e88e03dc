// ConcordancePlot: where in each corpus file the hits of a concordance fall.
// One bar per corpus file, in corpus order, with the file's name, the words
// the build read in it, its hits and hits per 1000 words, and one tick per
// hit at the hit's byte offset over the file's size; with the dispersion
// figures of the hits. Made from a table as it stands (make it anew after a
// sort, clear or deletion of duplicates); it copies what it needs, so it
// stays valid while the table changes on another thread.
//
// PlotGeometry lays the bars out in pixels (the painter measures the texts
// and says where the bars go) and maps a point back to the row of the
// nearest tick, which is how a click or a hover finds its row. Engine only:
// the Qt painter lives in the desktop program and the command line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "concordance/concordance_table.h"
#include "concordance/dispersion.h"

namespace lexvane::concordance {

// One hit on its bar: its position within the file (offset / size, 0 to 1)
// and its row (0-based table index).
struct PlotTick {
  double Position = 0;
  std::int32_t Row = 0;
};

struct PlotBar {
  std::string Name;             // the file name without its folder
  std::int64_t Words = 0;       // words the build read in the file
  std::int64_t Bytes = 0;       // the file's size when the build started
  std::vector<PlotTick> Ticks;  // by position, then by row
  std::int64_t Hits() const { return static_cast<std::int64_t>(Ticks.size()); }
};

class ConcordancePlot {
 public:
  ConcordancePlot() = default;
  explicit ConcordancePlot(const ConcordanceTable& table);

 public:  // queries
  const std::vector<PlotBar>& Bars() const { return bars_; }
  std::int32_t RowCount() const { return static_cast<std::int32_t>(rowBar_.size()); }
  // The largest file, the length of the longest bar when bars follow sizes.
  std::int64_t LargestBytes() const { return largestBytes_; }
  const DispersionFigures& Dispersion() const { return dispersion_; }
  // Cancel or a full table stopped the build: the figures cover the text
  // searched, not the whole corpus.
  bool Partial() const { return partial_; }
  // The bar of a row and its position on it; {-1, 0} for no such row.
  std::pair<std::int32_t, double> Locate(std::int32_t row) const;
  // "12.50": the bar's hits per 1000 of its words.
  std::string PerThousand(std::int32_t bar) const;

 private:
  std::vector<PlotBar> bars_;
  std::vector<std::int32_t> rowBar_;
  std::vector<double> rowPosition_;
  std::int64_t largestBytes_ = 0;
  DispersionFigures dispersion_;
  bool partial_ = false;
};

// The dispersion figures as lines of caption, tab, value, each ended by CR
// LF ("Files:", "Files with words:", "Words:", "Hits:", "Range:", "Range
// share:", "Juilland's D:", "DP:", "DPnorm:"), then kPartialNote when the
// build stopped early. With `perFile`, a blank line and a table of the
// files follow: "File", "Words", "Hits", "Per 1000 words", tab-separated.
// What the plot window copies and the command line prints.
inline constexpr std::string_view kPartialNote =
    "The search stopped early: the figures cover the text searched.";
std::string PlotFiguresText(const ConcordancePlot& plot, bool perFile);

// How long the bars are: all as long as the longest (the default), or each
// as long as its file is large next to the largest.
enum class BarScale { Equal, FileSize };

// Where the bars lie, in any unit (the painter's logical pixels). Row i of
// the plot (bar i) spans Top + i x RowPitch to the next row; its bar is
// BarHeight high, centred in the row, starting at Left.
struct PlotGeometry {
  double Left = 0;
  double FullWidth = 0;  // the longest bar's length
  double Top = 0;
  double RowPitch = 18;
  double BarHeight = 12;
  BarScale Scale = BarScale::Equal;

  double BarLength(const ConcordancePlot& plot, std::int32_t bar) const;
  // The bar's top edge.
  double BarTop(std::int32_t bar) const;
  double TickX(const ConcordancePlot& plot, std::int32_t bar, double position) const {
    return Left + position * BarLength(plot, bar);
  }
  // The bar whose row holds y; -1 above the first or below the last.
  std::int32_t BarAt(const ConcordancePlot& plot, double y) const;
  // The bars whose rows meet [y0, y1), as first and one past the last.
  std::pair<std::int32_t, std::int32_t> BarsBetween(const ConcordancePlot& plot, double y0,
                                                    double y1) const;
  // The row of the tick nearest to x on the bar whose row holds y, if it
  // lies within `tolerance` of x; else -1. Of ticks at one position (hits
  // closer together than the picture can tell apart) the first row wins, and
  // so does the left tick of two equally near.
  std::int32_t RowAt(const ConcordancePlot& plot, double x, double y, double tolerance) const;
};

}  // namespace lexvane::concordance
