// TFormSearchAdv: the "Advanced word search" dialog over the engine's
// AdvancedSearchModel: five mask columns, the order and distance limits of
// neighbouring columns, the column whose word becomes the keyword, and
// "Max. list size". One instance lives for the whole run; the concordance
// window runs it with exec() and reads Query() after OK.
#pragma once

#include <array>

#include <QDialog>

#include "gui/search/search_file_dialogs.h"
#include "search/search_dialogs.h"
#include "text/encoding.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace lexvane::corpus {
struct CorpusSettings;
}

namespace lexvane::gui {

class GuiUserInterface;
class TFormLemmaList;

class TFormSearchAdv : public QDialog {
  Q_OBJECT

 public:
  TFormSearchAdv(const corpus::CorpusSettings& corpus, GuiUserInterface& ui, TFormLemmaList& lemmas,
                 QWidget* parent = nullptr);

 public:  // queries
  search::AdvancedSearchModel& Model() { return model_; }
  search::SearchQuery Query() const { return model_.Query(); }

 public:  // commands
  // A word search file opened from outside the dialog (the command line, a
  // drop): read as "Load..." reads the file it is given.
  void LoadSearchFileFrom(const QString& path);
  // Puts a sequence of up to five words of a table in `encoding` into the
  // columns, one word each as a typed mask, the first column the keyword's,
  // each next to the one before and after it: the next advanced search
  // finds the sequence. What the columns held before goes.
  void SetPhrase(const std::vector<std::string>& words, text::Encoding encoding);

 public:  // configuration
  void setChoosers(SearchFileChoosers choosers) { choosers_ = std::move(choosers); }

 public:  // controls (index 0 is column or pair 1)
  std::array<QLineEdit*, 5> Edits{};
  std::array<QListWidget*, 5> ListBoxes{};
  std::array<QCheckBox*, 4> CheckBoxRanks{};
  std::array<QToolButton*, 4> SpinUps{};
  std::array<QToolButton*, 4> SpinDowns{};
  std::array<QLabel*, 4> LabelSpins{};
  std::array<QRadioButton*, 5> RadioButtons{};
  QLineEdit* EditMaxListSize = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonClearAll = nullptr;
  QPushButton* ButtonLoad = nullptr;
  QPushButton* ButtonSave = nullptr;
  QPushButton* ButtonLemmas = nullptr;
  QPushButton* ButtonHelp = nullptr;

 public Q_SLOTS:
  // Moves every typed mask (the dialog stays when one was typed); else
  // validates and ends with OK, or as cancelled (nothing to search, a gap).
  void ButtonOKClick();
  void ButtonCancelClick();
  void ButtonClearAllClick();
  void ButtonLoadClick();
  void ButtonSaveClick();
  void ButtonLemmasClick();
  void ButtonHelpClick();
  // SpinButton k (pair 0..3).
  void SpinButtonDownClick(int pair);
  void SpinButtonUpClick(int pair);

 protected:
  void showEvent(QShowEvent* event) override;
  // OnEnter1..5 and Del in the lists.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void takeControls();
  void showModel();
  // The model's texts into the corpus's current encoding, when it changed
  // since they were taken.
  void followEncoding();

  const corpus::CorpusSettings& corpus_;
  GuiUserInterface& ui_;
  TFormLemmaList& lemmas_;
  search::AdvancedSearchModel model_;
  text::Encoding modelEncoding_;  // of the model's texts
  SearchFileChoosers choosers_;
  QString lastLemmaFile_;
};

}  // namespace lexvane::gui
