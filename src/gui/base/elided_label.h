// ElidedLabel: a one-line label that keeps its whole text (text()) but, when
// narrower than the text, draws it shortened in the middle, so that the tool
// bar's corpus summary keeps both the list file's name and the counts in
// view. The whole text is its tool tip.
#pragma once

#include <QLabel>

namespace lexvane::gui {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace lexvane::gui
