// TFormSortConcord: the "Sort criteria" dialog of concordance sorts: the
// keyword as written or retrograde, the side that breaks ties and the word
// of that side the comparison starts from. One instance lives for the whole
// run, so its choices stay for the next sort of any window.
#pragma once

#include <QDialog>

#include "concordance/concordance_sort.h"

class QCheckBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace lexvane::gui {

class HelpDesk;

class TFormSortConcord : public QDialog {
  Q_OBJECT

 public:
  // `help` shows the dialog's help topic; it outlives the dialog.
  explicit TFormSortConcord(HelpDesk& help, QWidget* parent = nullptr);

 public:  // queries
  concordance::SortOptions Options() const;

 public:  // controls
  QCheckBox* CheckBoxReverseSort = nullptr;
  QRadioButton* RadioButtonLeftPart = nullptr;
  QRadioButton* RadioButtonRightPart = nullptr;
  QSpinBox* SpinEditWord = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* ButtonHelp = nullptr;

 public Q_SLOTS:
  void ButtonHelpClick();

 private:
  HelpDesk& help_;
};

}  // namespace lexvane::gui
