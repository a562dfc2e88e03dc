// TFormSortNGrams: the sort dialog of n-gram and cluster windows ("Sort"):
// by frequency, alphabetically, by range. Created once at start-up and
// reused, so the last choice stays selected. GUI thread only.
#pragma once

#include <QDialog>

#include "ngrams/ngram_options.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace lexvane::gui {

class HelpDesk;

class TFormSortNGrams : public QDialog {
  Q_OBJECT

 public:
  // `help` shows the dialog's help topic; it outlives the dialog.
  explicit TFormSortNGrams(HelpDesk& help, QWidget* parent = nullptr);

 public:  // queries
  ngrams::NGramSort Order() const;
  void SetOrder(ngrams::NGramSort order);

 public:  // controls, for tests (items in the order of ngrams::NGramSort)
  QGroupBox* RadioGroup1 = nullptr;
  QRadioButton* Items[3] = {};
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* ButtonHelp = nullptr;

 private:
  QButtonGroup* group_ = nullptr;
};

}  // namespace lexvane::gui
