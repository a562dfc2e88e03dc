// TFormSortCollocates: the sort dialog of collocate frequency windows
// ("Sort"): the column to sort by. Created once at start-up and reused, so
// the last choice stays. A change of either number field selects its radio
// button. GUI thread only.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace lexvane::gui {

class HelpDesk;

class TFormSortCollocates : public QDialog {
  Q_OBJECT

 public:
  // `help` shows the dialog's help topic; it outlives the dialog.
  explicit TFormSortCollocates(HelpDesk& help, QWidget* parent = nullptr);

 public:  // queries
  // The grid column the selection sorts by: 1 collocates, 11 - n left
  // position n, 11 nodes, 11 + n right position n, 21 totals.
  int Column() const;

 public:  // controls, for tests
  QLabel* Label1 = nullptr;
  QRadioButton* RadioButtonLeftWord = nullptr;
  QRadioButton* RadioButtonLeftCol = nullptr;
  QSpinBox* SpinEdit1 = nullptr;
  QRadioButton* RadioButtonMiddleCol = nullptr;
  QRadioButton* RadioButtonRightCol = nullptr;
  QSpinBox* SpinEdit2 = nullptr;
  QRadioButton* RadioButtonTotals = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonHelp = nullptr;
};

}  // namespace lexvane::gui
