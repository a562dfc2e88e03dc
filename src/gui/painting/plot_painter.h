// PlotPainter: draws a concordance::ConcordancePlot with QPainter on any
// paint device: the plot window's view (only the part exposed), a PNG image
// at any pixel ratio, an SVG file. One row per corpus file: its name, words,
// hits and hits per 1000 words, then its bar with a tick per hit; a heading
// row above, the dispersion figures below. Hits closer together than a
// pixel share one tick: a dense stretch shows as a solid band.
//
// QtGui only, never widgets, so that the command line's `plot` draws with it
// too (after making a QGuiApplication on the offscreen platform). The plot
// must outlive the painter; a painter is cheap to make anew for another
// width, scale or selection.
#pragma once

#include <cstdint>
#include <vector>

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include "concordance/concordance_plot.h"

class QPainter;

namespace lexvane::gui {

struct PlotStyle {
  concordance::BarScale Scale = concordance::BarScale::Equal;
  // The width of the whole picture in logical pixels; the height follows
  // from the number of files.
  int Width = 900;
  // A line above the heading row (a saved picture names its query); none
  // when empty.
  QString Title;
  // The dispersion figures under the bars.
  bool Figures = true;
  // Ticks drawn out: the selected row's (red, longer) and the hovered one's.
  std::int32_t SelectedRow = -1;
  std::int32_t HoveredRow = -1;
};

class PlotPainter {
 public:
  PlotPainter(const concordance::ConcordancePlot& plot, const QFont& font, const PlotStyle& style);

 public:  // queries
  QSize Size() const { return size_; }
  const concordance::PlotGeometry& Geometry() const { return geometry_; }
  const PlotStyle& Style() const { return style_; }
  // The rectangle of bar `bar`'s row (what to repaint when its marks change).
  QRectF RowRect(std::int32_t bar) const;
  // The ticks of a bar lie within this distance of where a click must be to
  // hit them.
  static constexpr double kClickTolerance = 4;

 public:  // commands
  // Marks the selected and the hovered row (-1: none) from now on.
  void SetMarked(std::int32_t selected, std::int32_t hovered) {
    style_.SelectedRow = selected;
    style_.HoveredRow = hovered;
  }

 public:  // drawing
  // Paints the rows that meet `exposed` (logical coordinates; the whole
  // picture when empty).
  void Paint(QPainter& painter, const QRectF& exposed = {}) const;
  // The whole picture on white at `devicePixelRatio` (2 draws every logical
  // pixel as four, sharp on a high-density screen).
  QImage Image(qreal devicePixelRatio = 1) const;
  // The whole picture as an SVG document; `title` names it.
  QByteArray Svg(const QString& title) const;

 private:
  struct Row {
    QString name;  // elided to the name column
    QString words, hits, perThousand;
    // The widths of the three figures, for their right alignment.
    float wordsWidth = 0, hitsWidth = 0, perWidth = 0;
  };
  void paintRow(QPainter& painter, std::int32_t bar) const;
  void paintHeading(QPainter& painter) const;
  void paintFigures(QPainter& painter) const;

  const concordance::ConcordancePlot& plot_;
  PlotStyle style_;
  QFont font_;
  QFont bold_;
  std::vector<Row> rows_;
  concordance::PlotGeometry geometry_;
  QSize size_;
  int lineHeight_ = 0;
  double ascent_ = 0;
  int margin_ = 12;
  double nameRight_ = 0;  // right edges of the text columns
  double wordsRight_ = 0;
  double hitsRight_ = 0;
  double perRight_ = 0;
  double headingTop_ = 0;
  double figuresTop_ = 0;
  QStringList figureLines_;
};

}  // namespace lexvane::gui
