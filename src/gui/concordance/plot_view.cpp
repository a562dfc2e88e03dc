#include "gui/concordance/plot_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace lexvane::gui {

PlotView::PlotView(QWidget* parent)
    : QWidget(parent), plot_(std::make_shared<concordance::ConcordancePlot>()) {
  setObjectName(QStringLiteral("PlotView"));
  setAccessibleName(QStringLiteral("Concordance plot"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setBackgroundRole(QPalette::Base);
  relayout();
}

const PlotPainter& PlotView::Painter() const {
  if (!painter_) {
    PlotStyle style;
    style.Scale = scale_;
    style.Width = std::max(width(), 320);
    style.Figures = false;
    style.SelectedRow = selected_;
    style.HoveredRow = hovered_;
    painter_ = std::make_unique<PlotPainter>(*plot_, font(), style);
  }
  return *painter_;
}

void PlotView::relayout() {
  painter_.reset();
  // As high as the picture; the scroll area around shows a part of it.
  setMinimumHeight(Painter().Size().height());
  updateGeometry();
  update();
}

QSize PlotView::sizeHint() const {
  return Painter().Size();
}

void PlotView::SetPlot(std::shared_ptr<const concordance::ConcordancePlot> plot) {
  plot_ = plot ? std::move(plot) : std::make_shared<concordance::ConcordancePlot>();
  if (selected_ >= plot_->RowCount()) selected_ = -1;
  hovered_ = -1;
  const concordance::DispersionFigures& f = plot_->Dispersion();
  setAccessibleDescription(
      QStringLiteral("%1 hits in %2 of %3 files").arg(f.Hits).arg(f.Range).arg(f.Files));
  relayout();
}

void PlotView::SetScale(concordance::BarScale scale) {
  if (scale == scale_) return;
  scale_ = scale;
  relayout();
}

void PlotView::SetSelectedRow(std::int32_t row) {
  if (row == selected_) return;
  const std::int32_t old = selected_;
  selected_ = row;
  updateRowsOf(old, row);
}

void PlotView::updateRowsOf(std::int32_t a, std::int32_t b) {
  if (painter_) painter_->SetMarked(selected_, hovered_);
  for (std::int32_t row : {a, b}) {
    const std::int32_t bar = plot_->Locate(row).first;
    if (bar >= 0) update(Painter().RowRect(bar).toAlignedRect());
  }
}

std::int32_t PlotView::RowAt(const QPointF& point) const {
  return Painter().Geometry().RowAt(*plot_, point.x(), point.y(), PlotPainter::kClickTolerance);
}

std::optional<QPointF> PlotView::TickPoint(std::int32_t row) const {
  const auto [bar, position] = plot_->Locate(row);
  if (bar < 0) return std::nullopt;
  const concordance::PlotGeometry& g = Painter().Geometry();
  return QPointF(g.TickX(*plot_, bar, position), g.BarTop(bar) + g.BarHeight / 2);
}

void PlotView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().base());
  Painter().Paint(painter, event->rect());
}

void PlotView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int width = std::max(this->width(), 320);
  if (painter_ && painter_->Size().width() == width) return;
  relayout();
}

void PlotView::setHovered(std::int32_t row, const QPoint& globalPos) {
  if (row == hovered_) return;
  const std::int32_t old = hovered_;
  hovered_ = row;
  updateRowsOf(old, row);
  Q_EMIT rowHovered(row, globalPos);
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
  setHovered(RowAt(event->position()), event->globalPosition().toPoint());
}

void PlotView::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  setHovered(-1, {});
}

void PlotView::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  const std::int32_t row = RowAt(event->position());
  if (row >= 0) Q_EMIT rowClicked(row);
}

void PlotView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const std::int32_t row = RowAt(event->position());
  if (row >= 0) Q_EMIT rowActivated(row);
}

void PlotView::keyPressEvent(QKeyEvent* event) {
  const std::int32_t rows = plot_->RowCount();
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
      if (rows == 0) break;
      const std::int32_t step = event->key() == Qt::Key_Left ? -1 : 1;
      const std::int32_t row = selected_ < 0 ? 0 : std::clamp(selected_ + step, 0, rows - 1);
      Q_EMIT rowClicked(row);
      return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (selected_ >= 0) Q_EMIT rowActivated(selected_);
      return;
    default:
      break;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace lexvane::gui
