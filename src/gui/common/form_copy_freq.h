// TFormCopyFreq: the copy options dialog ("Copy Options") shared by word
// frequency and collocate frequency windows. Created once at start-up and
// reused, so the last settings stay; each window shows it with the check box
// of its own table (the other one hidden). GUI thread only.
#pragma once

#include <QDialog>

#include "frequency/frequency_copy.h"
#include "gui/base/text_codec.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lexvane::gui {

class HelpDesk;

class TFormCopyFreq : public QDialog {
  Q_OBJECT

 public:
  // Keywords: the keyword window's copy, with neither table's check box.
  enum class Table { WordFreq, Colloc, Keywords };

  // `help` shows the dialog's help topic; it outlives the dialog.
  explicit TFormCopyFreq(HelpDesk& help, QWidget* parent = nullptr);

 public:  // commands
  // Shows the options of `table` and runs the dialog modally; true on OK.
  bool Execute(Table table);
  // Shows the options of `table` without running the dialog.
  void ShowOptionsOf(Table table);

 public:  // queries
  // The dialog's settings (the delimiter as typed, at most one character,
  // encoded with `codec`: the table's).
  frequency::CopyOptions Options(const TextCodec& codec = {}) const;

 public:  // controls, for tests
  QCheckBox* CheckBoxToFile = nullptr;
  QCheckBox* CheckBoxSelectedOnly = nullptr;
  QCheckBox* CheckBoxZeroToSpace = nullptr;
  QCheckBox* SaveWordListOnly = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* EditDelimiter = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* ButtonHelp = nullptr;
};

}  // namespace lexvane::gui
