#include "gui/concordance/concordance_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QPoint>

#include "gui/concordance/concordance_model.h"

namespace lexvane::gui {

void ConcordanceDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  QStyleOptionViewItem opt(option);
  initStyleOption(&opt, index);
  const QString text = opt.text;
  opt.text.clear();
  const bool selected = opt.state & QStyle::State_Selected;
  if (index.column() == ConcordanceModel::NumberColumn && !selected)
    painter->fillRect(opt.rect, opt.palette.button());
  const QWidget* widget = opt.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
  if (text.isEmpty()) return;

  const QFontMetrics metrics(opt.font);
  const int width = metrics.horizontalAdvance(text);
  const QRect& r = opt.rect;
  int x = r.left() + 2;
  if (opt.displayAlignment & Qt::AlignRight)
    x = r.right() + 1 - width - 2;
  else if (opt.displayAlignment & Qt::AlignHCenter)
    x = (r.left() + r.right() + 1 - width) / 2;
  const int baseline = r.top() + (r.height() - metrics.height()) / 2 + metrics.ascent();

  const QPalette::ColorGroup group =
      opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
  QColor colour = opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
  if (index.column() == ConcordanceModel::NumberColumn && !selected)
    colour = opt.palette.color(group, QPalette::ButtonText);
  const QVariant span = index.data(ConcordanceModel::kTintedSpanRole);

  painter->save();
  painter->setClipRect(r);
  painter->setFont(opt.font);
  painter->setPen(colour);
  if (!span.isValid()) {
    painter->drawText(x, baseline, text);
  } else {
    const QPoint s = span.toPoint();
    const QString before = text.left(s.x());
    const QString word = text.mid(s.x(), s.y());
    const QString after = text.mid(s.x() + s.y());
    painter->drawText(x, baseline, before);
    x += metrics.horizontalAdvance(before);
    QFont tintFont = opt.font;
    tintFont.setUnderline(true);
    painter->setFont(tintFont);
    painter->setPen(selected ? colour : opt.palette.color(group, QPalette::Link));
    painter->drawText(x, baseline, word);
    x += metrics.horizontalAdvance(word);
    painter->setFont(opt.font);
    painter->setPen(colour);
    painter->drawText(x, baseline, after);
  }
  painter->restore();
}

}  // namespace lexvane::gui
