// TFormFileList: the file-list editor ("File List Settings"), created once at
// start-up and shown modally by "Edit file list...". The separator fields and
// the five check boxes are the corpus options themselves: a change takes
// effect at once and survives Cancel. Only the file list is edited on a
// working copy, which OK writes back to CorpusSettings.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>
#include <QStringList>

#include "corpus/corpus_settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace lexvane::gui {

class GuiUserInterface;

class TFormFileList : public QDialog {
  Q_OBJECT

 public:
  TFormFileList(corpus::CorpusSettings& corpus, GuiUserInterface& ui, QWidget* parent = nullptr);

 public:  // queries
  bool EditedInDialog() const { return editedInDialog_; }
  // The working copy of the file list, in the list box's order.
  const std::vector<std::string>& WorkingFiles() const { return working_; }

 public:  // configuration, for tests
  // Replaces the "Add file(s)" dialog: returns the chosen files, or nothing
  // when the user cancels.
  using FileChooser = std::function<std::optional<QStringList>()>;
  void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

 public:  // controls
  QListWidget* ListOfFiles = nullptr;
  QPushButton* ButtonAdd = nullptr;
  QPushButton* ButtonDelete = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* EditWordSepar = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* EditSentSepar = nullptr;
  QCheckBox* CheckBoxOEMtoANSI = nullptr;
  QCheckBox* CheckBoxEnhSentEnd = nullptr;
  QCheckBox* CheckBoxCRLF = nullptr;
  QCheckBox* IgnoreCapitals = nullptr;
  QCheckBox* TaggedText = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonHelp = nullptr;

 public Q_SLOTS:  // events
  void WhenShow();
  void ButtonAddClick();
  void ButtonRemoveEnable();
  void ButtonRemoveClick();
  void MarkModified() { editedInDialog_ = true; }
  void ButtonOKClick();
  void ButtonCancelClick();
  void ButtonHelpClick();
  void reject() override { ButtonCancelClick(); }

 Q_SIGNALS:
  // An option changed while the dialog shows (TaggedText enables a button).
  void optionsChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void wireOptions();
  // Shows the current options in the fields without marking anything.
  void showOptions();
  void addToList(const std::string& path);
  void refillListBox();

  corpus::CorpusSettings& corpus_;
  GuiUserInterface& ui_;
  FileChooser chooser_;
  std::vector<std::string> working_;
  bool editedInDialog_ = false;
  // The typed-into marks of the two separator fields: set by the user's
  // typing only, cleared by OK, kept by Cancel.
  bool wordSeparatorsTyped_ = false;
  bool sentenceSeparatorsTyped_ = false;
  bool showingOptions_ = false;
};

}  // namespace lexvane::gui
