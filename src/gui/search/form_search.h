// TFormSearch: the "Word search" dialog over the engine's SimpleSearchModel:
// the mask being typed, the list of masks, "Max. list size", and the buttons
// that clear, load, save and take lemma forms. One instance lives for the
// whole run (created at start-up), so its contents stay from one search to
// the next. The concordance window runs it with exec() and reads Query()
// after OK.
#pragma once

#include <QDialog>

#include "gui/search/search_file_dialogs.h"
#include "search/search_dialogs.h"
#include "text/encoding.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace lexvane::corpus {
struct CorpusSettings;
}

namespace lexvane::gui {

class GuiUserInterface;
class TFormLemmaList;

class TFormSearch : public QDialog {
  Q_OBJECT

 public:
  TFormSearch(const corpus::CorpusSettings& corpus, GuiUserInterface& ui, TFormLemmaList& lemmas,
              QWidget* parent = nullptr);

 public:  // queries
  search::SimpleSearchModel& Model() { return model_; }

 public:  // commands
  // Appends `mask` (text of `encoding`) to the list of masks, in the
  // corpus's encoding, unchecked; the dialog is not opened.
  void AppendMask(const std::string& mask, text::Encoding encoding);
  search::SearchQuery Query() const { return model_.Query(); }
  // A word search file opened from outside the dialog (the command line, a
  // drop): read as "Load..." reads the file it is given.
  void LoadSearchFileFrom(const QString& path);
  // A lemma list opened from outside the dialog: shown as "Lemmas..." shows
  // the file it is given; the forms chosen join the list of masks. True when
  // forms were chosen.
  bool ChooseLemmasFrom(const QString& path);

 public:  // configuration
  // Replaces the file dialogs (tests).
  void setChoosers(SearchFileChoosers choosers) { choosers_ = std::move(choosers); }

 public:  // controls
  QLineEdit* Edit1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QLineEdit* EditMaxListSize = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonClearAll = nullptr;
  QPushButton* ButtonLoad = nullptr;
  QPushButton* ButtonSave = nullptr;
  QPushButton* ButtonLemmas = nullptr;
  QPushButton* ButtonHelp = nullptr;

 public Q_SLOTS:
  // A typed mask is moved to the list (the dialog stays); an empty field
  // ends the dialog with OK when the list has masks, else as cancelled.
  void ButtonOKClick();
  void ButtonCancelClick();
  void ButtonClearAllClick();
  // Del in the list: the selected lines go.
  void ButtonRemoveClick();
  void ButtonLoadClick();
  void ButtonSaveClick();
  void ButtonLemmasClick();
  void ButtonHelpClick();

 protected:
  // FormShow: forgets the last search file.
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The controls into the model, and back.
  void takeControls();
  void showModel();
  // The model's texts into the corpus's current encoding, when it changed
  // since they were taken.
  void followEncoding();

  const corpus::CorpusSettings& corpus_;
  GuiUserInterface& ui_;
  TFormLemmaList& lemmas_;
  search::SimpleSearchModel model_;
  text::Encoding modelEncoding_;  // of the model's texts
  SearchFileChoosers choosers_;
  QString lastLemmaFile_;
};

}  // namespace lexvane::gui
