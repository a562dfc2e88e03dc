// ConcordanceDelegate: draws one cell of the concordance grid: never elided,
// aligned as the model says and clipped to the cell (a long left context
// shows its end next to the keyword, a long keyword loses characters on both
// sides), the row-number column in the colours of a heading, and the word a
// sort ordered by tinted with the palette's accent colour.
#pragma once

#include <QStyledItemDelegate>

namespace lexvane::gui {

class ConcordanceDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace lexvane::gui
