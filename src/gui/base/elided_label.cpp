#include "gui/base/elided_label.h"

#include <QPainter>

namespace lexvane::gui {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

QSize ElidedLabel::minimumSizeHint() const {
  return QSize(fontMetrics().averageCharWidth() * 8, QLabel::minimumSizeHint().height());
}

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = contentsRect();
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft, shown);
}

}  // namespace lexvane::gui
