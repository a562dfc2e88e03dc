// TFormKeywordQuery: the dialog of the "Keyword list..." command ("Keyword
// list"): the reference corpus's file (typed, or chosen with Browse...),
// which keywords to list, the significance level, the minimum frequency and
// the order. Created once at start-up and reused, so the last choices stay.
// GUI thread only.
#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "keywords/keyword_list.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace lexvane::gui {

class HelpDesk;
struct FileChoosers;

class TFormKeywordQuery : public QDialog {
  Q_OBJECT

 public:
  // Browse... asks `choosers.Reference` when set, else the open dialog;
  // both outlive the dialog.
  TFormKeywordQuery(HelpDesk& help, const FileChoosers& choosers, QWidget* parent = nullptr);

 public:  // queries
  keywords::KeywordOptions Options() const;
  // The reference file as typed or chosen (a file system path).
  std::string ReferencePath() const;

 public Q_SLOTS:
  void ButtonBrowseClick();

 public:  // controls, for tests
  QLineEdit* EditReference = nullptr;
  QPushButton* ButtonBrowse = nullptr;
  QRadioButton* RadioPositive = nullptr;
  QRadioButton* RadioNegative = nullptr;
  QRadioButton* RadioBoth = nullptr;
  QComboBox* ComboSignificance = nullptr;
  QSpinBox* SpinMinFrequency = nullptr;
  QComboBox* ComboSort = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonHelp = nullptr;

 private:
  const FileChoosers& choosers_;
};

}  // namespace lexvane::gui
