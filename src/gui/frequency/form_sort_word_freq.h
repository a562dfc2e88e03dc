// TFormSortWordFreq: the sort dialog of word frequency windows ("Sort"): the
// four orders of a word frequency list. Created once at start-up and reused,
// so the last choice stays selected. GUI thread only.
#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace lexvane::gui {

class HelpDesk;

class TFormSortWordFreq : public QDialog {
  Q_OBJECT

 public:
  // `help` shows the dialog's help topic; it outlives the dialog.
  explicit TFormSortWordFreq(HelpDesk& help, QWidget* parent = nullptr);

 public:  // queries
  // The selected item: 0 alphabetically, 1 by frequency, 2 in retrograde
  // order, 3 by word classes (the list's sort mode).
  int ItemIndex() const;
  void SetItemIndex(int index);

 public:  // controls, for tests
  QGroupBox* RadioGroup1 = nullptr;
  QRadioButton* Items[4] = {};
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* ButtonHelp = nullptr;

 private:
  QButtonGroup* group_ = nullptr;
};

}  // namespace lexvane::gui
