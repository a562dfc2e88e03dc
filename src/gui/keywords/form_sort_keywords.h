// TFormSortKeywords: the sort dialog of keyword windows ("Sort"): by
// log-likelihood, by the size of the Log Ratio, or alphabetically. Created
// once at start-up and reused, so the last choice stays. GUI thread only.
#pragma once

#include <QDialog>

#include "keywords/keyword_list.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace lexvane::gui {

class HelpDesk;

class TFormSortKeywords : public QDialog {
  Q_OBJECT

 public:
  // `help` shows the dialog's help topic; it outlives the dialog.
  explicit TFormSortKeywords(HelpDesk& help, QWidget* parent = nullptr);

 public:  // queries
  keywords::KeywordSort Sort() const;
  void SetSort(keywords::KeywordSort sort);

 public:  // controls, for tests
  QGroupBox* RadioGroup1 = nullptr;
  QRadioButton* Items[3] = {};
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* ButtonHelp = nullptr;

 private:
  QButtonGroup* group_ = nullptr;
};

}  // namespace lexvane::gui
