// TFormFileList: the file-list editor ("File List Settings"), created once at
// start-up and shown modally by "Edit file list...". The separator fields,
// the encoding choice and the four check boxes are the corpus options
// themselves: a change takes
// effect at once and survives Cancel. Only the file list is edited on a
// working copy, which OK writes back to CorpusSettings. The behaviour is the
// engine's corpus::FileListEditorModel; the dialog forwards its events to it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QStringList>

#include "corpus/corpus_settings.h"
#include "corpus/file_list_editor_model.h"

class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;

namespace lexvane::gui {

class GuiUserInterface;
class PathListModel;
class RulePreviewView;

class TFormFileList : public QDialog {
  Q_OBJECT

 public:
  TFormFileList(corpus::CorpusSettings& corpus, const text::Collator& collator,
                GuiUserInterface& ui, QWidget* parent = nullptr);

 public:  // queries
  bool EditedInDialog() const { return model_.EditedInDialog(); }
  const corpus::FileListEditorModel& model() const { return model_; }
  // The selected rows of the list box, in ascending order.
  std::vector<std::size_t> SelectedRows() const;

 public:  // commands
  // Shows the dialog modally with `files` added to the list as "Add file(s)"
  // adds them; OK keeps them, Cancel drops them with the other edits.
  int ExecAdding(const QStringList& files);
  // "Add file(s)" with `files` chosen (also files dropped onto the dialog):
  // each goes into the list by its full path.
  void AddFiles(const QStringList& files);

 public:  // configuration, for tests
  // Replaces the "Add file(s)" dialog: returns the chosen files, or nothing
  // when the user cancels.
  using FileChooser = std::function<std::optional<QStringList>()>;
  void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
  // FileSelectDialog: the "Add file(s)" dialog as the editor runs it.
  std::unique_ptr<QFileDialog> MakeFileSelectDialog();

 public:  // controls
  QListView* ListOfFiles = nullptr;
  QPushButton* ButtonAdd = nullptr;
  QPushButton* ButtonDelete = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* EditWordSepar = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* EditSentSepar = nullptr;
  // The encoding of the corpus files, one of three: Windows (ANSI), DOS
  // (OEM) converted to Windows (ANSI), UTF-8.
  QGroupBox* GroupEncoding = nullptr;
  QRadioButton* RadioButtonAnsi = nullptr;
  QRadioButton* CheckBoxOEMtoANSI = nullptr;
  QRadioButton* RadioButtonUtf8 = nullptr;
  QCheckBox* CheckBoxEnhSentEnd = nullptr;
  QCheckBox* CheckBoxCRLF = nullptr;
  QCheckBox* IgnoreCapitals = nullptr;
  QCheckBox* TaggedText = nullptr;
  RulePreviewView* Preview = nullptr;  // the words and sentence ends of one file
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonHelp = nullptr;

 public Q_SLOTS:  // events
  void WhenShow();
  void ButtonAddClick();
  void ButtonRemoveEnable();
  void ButtonRemoveClick();
  void MarkModified() { model_.MarkModified(); }
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
  // Files dragged from a file manager join the list; list, search and lemma
  // files are no corpus text and are left out.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildControls();
  void wireOptions();
  // The preview follows the selected file (else the first) and the options.
  void wirePreview();
  void previewFile(bool reload);
  void previewRules();
  // Shows the current options in the fields without marking anything.
  void showOptions();
  // The user chose `encoding`.
  void chooseEncoding(text::Encoding encoding);
  void refillListBox();

  corpus::CorpusSettings& corpus_;
  corpus::FileListEditorModel model_;
  PathListModel* listModel_ = nullptr;
  GuiUserInterface& ui_;
  FileChooser chooser_;
  QStringList filesToAdd_;  // by ExecAdding, once the dialog shows
  bool showingOptions_ = false;
};

}  // namespace lexvane::gui
