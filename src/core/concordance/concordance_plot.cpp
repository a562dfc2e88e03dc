#include "concordance/concordance_plot.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace lexvane::concordance {

ConcordancePlot::ConcordancePlot(const ConcordanceTable& table) {
  const std::size_t files = table.CorpusFiles.size();
  bars_.resize(files);
  for (std::size_t f = 0; f < files; ++f) {
    PlotBar& bar = bars_[f];
    bar.Name = std::filesystem::path(table.CorpusFiles[f]).filename().string();
    if (f < table.FileWords.size()) bar.Words = table.FileWords[f];
    if (f < table.FileBytes.size()) bar.Bytes = table.FileBytes[f];
    largestBytes_ = std::max(largestBytes_, bar.Bytes);
  }
  const std::int32_t rows = table.RowCount();
  rowBar_.assign(static_cast<std::size_t>(rows), -1);
  rowPosition_.assign(static_cast<std::size_t>(rows), 0.0);
  for (std::int32_t r = 0; r < rows; ++r) {
    const TOneWordInfo& info = table.Info(r);
    if (info.FileIndex < 0 || static_cast<std::size_t>(info.FileIndex) >= files) continue;
    PlotBar& bar = bars_[static_cast<std::size_t>(info.FileIndex)];
    // A file that grew since the build, or was not read, still keeps its
    // ticks on the bar.
    const double position =
        bar.Bytes > 0
            ? std::clamp(static_cast<double>(info.Offset) / static_cast<double>(bar.Bytes), 0.0,
                         1.0)
            : 0.0;
    bar.Ticks.push_back({position, r});
    rowBar_[static_cast<std::size_t>(r)] = info.FileIndex;
    rowPosition_[static_cast<std::size_t>(r)] = position;
  }
  std::vector<PartCount> parts;
  parts.reserve(files);
  for (PlotBar& bar : bars_) {
    // Rows after a sort come in any order.
    std::sort(bar.Ticks.begin(), bar.Ticks.end(), [](const PlotTick& a, const PlotTick& b) {
      return a.Position != b.Position ? a.Position < b.Position : a.Row < b.Row;
    });
    parts.push_back({bar.Words, bar.Hits()});
  }
  dispersion_ = ComputeDispersion(parts);
  partial_ = !table.ScanReachedEnd || !table.SearchComplete;
}

std::pair<std::int32_t, double> ConcordancePlot::Locate(std::int32_t row) const {
  if (row < 0 || row >= RowCount()) return {-1, 0.0};
  return {rowBar_[static_cast<std::size_t>(row)], rowPosition_[static_cast<std::size_t>(row)]};
}

std::string ConcordancePlot::PerThousand(std::int32_t bar) const {
  const PlotBar& b = bars_.at(static_cast<std::size_t>(bar));
  return FormatPerThousand(b.Hits(), b.Words);
}

std::string PlotFiguresText(const ConcordancePlot& plot, bool perFile) {
  const DispersionFigures& f = plot.Dispersion();
  std::string text;
  auto line = [&text](std::string_view caption, const std::string& value) {
    text.append(caption).append("\t").append(value).append("\r\n");
  };
  line("Files:", std::to_string(f.Files));
  line("Files with words:", std::to_string(f.Parts));
  line("Words:", std::to_string(f.Words));
  line("Hits:", std::to_string(f.Hits));
  line("Range:", std::to_string(f.Range));
  line("Range share:", FormatMeasure(f.RangeShare));
  line("Juilland's D:", FormatMeasure(f.JuillandD));
  line("DP:", FormatMeasure(f.DP));
  line("DPnorm:", FormatMeasure(f.DPnorm));
  if (plot.Partial()) text.append(kPartialNote).append("\r\n");
  if (!perFile) return text;
  text += "\r\nFile\tWords\tHits\tPer 1000 words\r\n";
  for (std::size_t b = 0; b < plot.Bars().size(); ++b) {
    const PlotBar& bar = plot.Bars()[b];
    text.append(bar.Name).append("\t").append(std::to_string(bar.Words)).append("\t");
    text.append(std::to_string(bar.Hits())).append("\t");
    text.append(plot.PerThousand(static_cast<std::int32_t>(b))).append("\r\n");
  }
  return text;
}

double PlotGeometry::BarLength(const ConcordancePlot& plot, std::int32_t bar) const {
  if (Scale == BarScale::Equal || plot.LargestBytes() <= 0) return FullWidth;
  const std::int64_t bytes = plot.Bars()[static_cast<std::size_t>(bar)].Bytes;
  return FullWidth * static_cast<double>(bytes) / static_cast<double>(plot.LargestBytes());
}

double PlotGeometry::BarTop(std::int32_t bar) const {
  return Top + bar * RowPitch + (RowPitch - BarHeight) / 2;
}

std::int32_t PlotGeometry::BarAt(const ConcordancePlot& plot, double y) const {
  if (RowPitch <= 0 || y < Top) return -1;
  const double row = std::floor((y - Top) / RowPitch);
  if (row >= static_cast<double>(plot.Bars().size())) return -1;
  return static_cast<std::int32_t>(row);
}

std::pair<std::int32_t, std::int32_t> PlotGeometry::BarsBetween(const ConcordancePlot& plot,
                                                                double y0, double y1) const {
  const auto count = static_cast<std::int32_t>(plot.Bars().size());
  if (RowPitch <= 0 || count == 0) return {0, 0};
  auto rowOf = [&](double y) {
    return static_cast<std::int32_t>(
        std::clamp(std::floor((y - Top) / RowPitch), 0.0, static_cast<double>(count)));
  };
  const std::int32_t first = rowOf(y0);
  const std::int32_t last = std::min(count, rowOf(y1) + 1);
  return {first, std::max(first, last)};
}

std::int32_t PlotGeometry::RowAt(const ConcordancePlot& plot, double x, double y,
                                 double tolerance) const {
  const std::int32_t bar = BarAt(plot, y);
  if (bar < 0) return -1;
  const std::vector<PlotTick>& ticks = plot.Bars()[static_cast<std::size_t>(bar)].Ticks;
  if (ticks.empty()) return -1;
  const double length = BarLength(plot, bar);
  const double position = length > 0 ? (x - Left) / length : 0.0;
  auto at = std::lower_bound(ticks.begin(), ticks.end(), position,
                             [](const PlotTick& t, double p) { return t.Position < p; });
  // The candidates: the first tick at or right of x, and the first tick of
  // the run of equal positions left of x.
  auto best = ticks.end();
  double bestDistance = 0;
  if (at != ticks.begin()) {
    auto left = std::prev(at);
    const double p = left->Position;
    while (left != ticks.begin() && std::prev(left)->Position == p) --left;
    best = left;
    bestDistance = std::abs(x - TickX(plot, bar, p));
  }
  if (at != ticks.end()) {
    const double distance = std::abs(TickX(plot, bar, at->Position) - x);
    if (best == ticks.end() || distance < bestDistance) {
      best = at;
      bestDistance = distance;
    }
  }
  return bestDistance <= tolerance ? best->Row : -1;
}

}  // namespace lexvane::concordance
