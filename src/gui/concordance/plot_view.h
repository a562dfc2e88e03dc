// PlotView: the drawing of a concordance plot in its window: a PlotPainter
// as wide as the view, drawing only what is exposed, so that a plot of
// thousands of files scrolls lightly. It maps the mouse to the row of the
// nearest tick (hover, click, double click) and lets the keyboard walk the
// hits: Left and Right move to the previous and next row, Enter opens it.
// It knows nothing of the concordance window; its owner answers its signals.
// GUI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include <QWidget>

#include "concordance/concordance_plot.h"
#include "gui/painting/plot_painter.h"

namespace lexvane::gui {

class PlotView : public QWidget {
  Q_OBJECT

 public:
  explicit PlotView(QWidget* parent = nullptr);

 public:  // queries
  const concordance::ConcordancePlot& Plot() const { return *plot_; }
  concordance::BarScale Scale() const { return scale_; }
  std::int32_t SelectedRow() const { return selected_; }
  std::int32_t HoveredRow() const { return hovered_; }
  // The painter of the picture as shown now (its geometry places the bars).
  const PlotPainter& Painter() const;
  // The row of the tick at `point` (view coordinates); -1 for none.
  std::int32_t RowAt(const QPointF& point) const;
  // Where row `row`'s tick is drawn, in view coordinates; none when the row
  // is not on the plot.
  std::optional<QPointF> TickPoint(std::int32_t row) const;
  QSize sizeHint() const override;

 public:  // commands
  void SetPlot(std::shared_ptr<const concordance::ConcordancePlot> plot);
  void SetScale(concordance::BarScale scale);
  void SetSelectedRow(std::int32_t row);

 Q_SIGNALS:
  // The mouse rests on the tick of `row` (-1: on none).
  void rowHovered(std::int32_t row, const QPoint& globalPos);
  void rowClicked(std::int32_t row);
  void rowActivated(std::int32_t row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void relayout();
  void setHovered(std::int32_t row, const QPoint& globalPos);
  // Repaints the rows of the ticks of these rows.
  void updateRowsOf(std::int32_t a, std::int32_t b);

  std::shared_ptr<const concordance::ConcordancePlot> plot_;
  concordance::BarScale scale_ = concordance::BarScale::Equal;
  std::int32_t selected_ = -1;
  std::int32_t hovered_ = -1;
  mutable std::unique_ptr<PlotPainter> painter_;
};

}  // namespace lexvane::gui
