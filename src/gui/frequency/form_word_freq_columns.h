// TFormWordFreqColumns: the "Word Frequency Columns" dialog of word frequency
// windows ("Columns..." in their Edit menu): the columns added to the word
// list, Range (files in which the word occurs) and DP (Gries's deviation of
// proportions over the files). Created once at start-up and reused: the
// choice holds for every word frequency list built afterwards, whose build
// then counts each file apart. GUI thread only.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace lexvane::gui {

class HelpDesk;

class TFormWordFreqColumns : public QDialog {
  Q_OBJECT

 public:
  // `help` shows the dialog's help topic; it outlives the dialog.
  explicit TFormWordFreqColumns(HelpDesk& help, QWidget* parent = nullptr);

 public:  // queries
  bool Range() const;
  bool DP() const;
  // A build must count each type's spread over the files.
  bool CountSpread() const { return Range() || DP(); }

 public:  // controls, for tests
  QCheckBox* CheckBoxRange = nullptr;
  QCheckBox* CheckBoxDP = nullptr;
  QLabel* LabelNote = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonHelp = nullptr;

 public:  // commands
  // Shows the dialog with the choice as it stands; false (and the choice as
  // it was) when cancelled.
  bool Choose();
};

}  // namespace lexvane::gui
