// TFormCopyConcord: the copy options dialog ("Copy Options") of concordance
// windows: the layout, the target (clipboard or a file), the source file
// name, the rows, and the delimiters around the keyword and the words near
// it. One instance for the whole run (WindowHost::FormCopyConcord), so its
// settings stay as the user left them for the next copy from any window.
// GUI thread only.
#pragma once

#include <QDialog>

#include "concordance/concordance_copy.h"
#include "gui/base/text_codec.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace lexvane::gui {

class HelpDesk;

class TFormCopyConcord : public QDialog {
  Q_OBJECT

 public:
  // `help` shows the dialog's help topic; it outlives the dialog.
  explicit TFormCopyConcord(HelpDesk& help, QWidget* parent = nullptr);

 public:  // queries
  // The options as the controls hold them, the typed texts encoded by
  // `codec` (the corpus's).
  concordance::CopyOptions Options(const TextCodec& codec = {}) const;

 public:  // controls, for tests
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* RadioButtonToOnePara = nullptr;
  QRadioButton* RadioButtonEachToPara = nullptr;
  QRadioButton* RadioButtonJustify = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLabel* Label1 = nullptr;
  QCheckBox* CheckBoxToFile = nullptr;
  QCheckBox* CheckBoxIncludeSource = nullptr;
  QCheckBox* CheckBoxSelectedOnly = nullptr;
  QCheckBox* CheckBoxSaveWithDelimiters = nullptr;
  QLineEdit* EditLeftDelimiter = nullptr;
  QLineEdit* EditRightDelimiter = nullptr;
  QCheckBox* CheckBoxDelimAround = nullptr;
  QLabel* LabelM = nullptr;
  QSpinBox* SpinEditM = nullptr;
  QLabel* LabelN = nullptr;
  QSpinBox* SpinEditN = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* ButtonHelp = nullptr;

 public Q_SLOTS:
  // "Save with delimiters:" on enables "Delimiters also to M words left and
  // N words right", and M and N as that box says; off disables all five.
  void CheckBoxSaveWithDelimitersClick();
  // M and N (with their labels) enabled exactly when the box is checked.
  void CheckBoxDelimAroundClick();
  void ButtonHelpClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  HelpDesk& help_;
  void buildControls();
};

}  // namespace lexvane::gui
