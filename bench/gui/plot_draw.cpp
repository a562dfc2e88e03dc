// The concordance plot at scale, offscreen: a concordance of ROWS hits over
// FILES files (default 10 000 over 1 000, sizes and offsets drawn at random)
// made into a plot and drawn, medians of RUNS runs: the plot made from the
// table (ticks sorted, dispersion), the painter laid out, one window's worth
// drawn (900 x 700), the whole picture drawn into an image, and the SVG
// document, wall time (processor time of the whole picture beside it). The
// goal: a window's worth from the table in well under 100 ms; the whole
// picture is what a save writes.
//   plot_draw [ROWS [FILES [RUNS]]]
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "concordance/concordance_plot.h"
#include "gui/painting/plot_painter.h"

using namespace lexvane;

namespace {

double cpuMs() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

concordance::ConcordanceTable makeTable(int rows, int files) {
  std::mt19937 random(2024);
  concordance::ConcordanceTable table;
  table.FileCount = files;
  for (int f = 0; f < files; ++f) {
    table.CorpusFiles.push_back("/corpus/novel_" + std::to_string(f) + ".txt");
    const std::int64_t bytes = 20000 + static_cast<std::int64_t>(random() % 400000);
    table.FileBytes.push_back(bytes);
    table.FileWords.push_back(bytes / 6);
  }
  table.ResetLists(rows);
  std::vector<int> fileOf(static_cast<std::size_t>(rows));
  for (int& f : fileOf) f = static_cast<int>(random() % static_cast<unsigned>(files));
  std::sort(fileOf.begin(), fileOf.end());
  for (int r = 0; r < rows; ++r) {
    const int f = fileOf[static_cast<std::size_t>(r)];
    const std::int64_t offset =
        static_cast<std::int64_t>(random() % static_cast<unsigned>(table.FileBytes[f]));
    table.LeftContexts().Add("left");
    table.Keywords().AddObject("walk", new concordance::TOneWordInfo(f, r, offset));
    table.RightContexts().Add("right");
    table.FileNames().Add("novel.txt");
  }
  return table;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int files = argc > 2 ? std::atoi(argv[2]) : 1000;
  const int runs = argc > 3 ? std::atoi(argv[3]) : 7;
  const concordance::ConcordanceTable table = makeTable(rows, files);
  QFont font = QGuiApplication::font();
  font.setPixelSize(13);
  std::vector<double> make, layout, window, whole, wholeCpu, svg;
  QSize size;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer clock;
    clock.start();
    const concordance::ConcordancePlot plot(table);
    make.push_back(clock.nsecsElapsed() / 1e6);
    clock.restart();
    gui::PlotStyle style;
    style.Width = 900;
    style.SelectedRow = rows / 2;
    const gui::PlotPainter painter(plot, font, style);
    layout.push_back(clock.nsecsElapsed() / 1e6);
    size = painter.Size();
    QImage screen(900, 700, QImage::Format_RGB32);
    screen.fill(Qt::white);
    clock.restart();
    {
      QPainter p(&screen);
      p.translate(0, -2000);
      painter.Paint(p, QRectF(0, 2000, 900, 700));
    }
    window.push_back(clock.nsecsElapsed() / 1e6);
    clock.restart();
    const double cpu = cpuMs();
    const QImage image = painter.Image(1);
    whole.push_back(clock.nsecsElapsed() / 1e6);
    wholeCpu.push_back(cpuMs() - cpu);
    clock.restart();
    const QByteArray document = painter.Svg(QStringLiteral("plot"));
    svg.push_back(clock.nsecsElapsed() / 1e6);
    if (image.isNull() || document.isEmpty()) return 1;
  }
  const double drawn = median(make) + median(layout) + median(whole);
  std::printf("plot of %d hits over %d files, picture %d x %d px, medians of %d runs:\n", rows,
              files, size.width(), size.height(), runs);
  std::printf("  plot from table %.1f ms, layout %.1f ms, one window %.1f ms,\n", median(make),
              median(layout), median(window));
  std::printf("  whole picture %.1f ms (%.1f ms processor), SVG %.1f ms\n", median(whole),
              median(wholeCpu), median(svg));
  const double shown = median(make) + median(layout) + median(window);
  std::printf(
      "  table to one window: %.1f ms, ratio to the 100 ms goal %.2f;"
      " table to the whole picture: %.1f ms, ratio %.2f\n",
      shown, shown / 100.0, drawn, drawn / 100.0);
  return 0;
}
