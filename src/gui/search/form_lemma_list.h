// TFormLemmaList: the "Lexeme List" dialog: the lexemes of a lemma list file
// sorted, the first lemma at or after the text typed in the search dialog
// selected, and the picked line's forms handed back to the search dialog.
// One instance lives for the whole run; it reads its file anew each time it
// is shown.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

#include "gui/base/text_codec.h"
#include "text/collation.h"

class QListWidget;
class QPushButton;

namespace lexvane::gui {

class GuiUserInterface;

class TFormLemmaList : public QDialog {
  Q_OBJECT

 public:
  // Lemma lists are ordered with `collator`, which must outlive the dialog.
  TFormLemmaList(GuiUserInterface& ui, const text::Collator& collator, QWidget* parent = nullptr);

 public:  // set by the search dialog before showing; read after OK
  std::string LemmaFileName;
  std::string StartText;
  std::vector<std::string> ChosenForms;
  // The lemma file holds text of the corpus's encoding: shown with its codec.
  TextCodec Codec;

 public:  // controls
  QListWidget* ListBox1 = nullptr;
  QPushButton* ButtonAdd = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonHelp = nullptr;

 public Q_SLOTS:
  // "&Copy to list" (also a double click on a line): the selected line's
  // forms become ChosenForms and the dialog ends with OK; with no line
  // selected nothing happens.
  void ButtonAddClick();
  void ButtonHelpClick();

 protected:
  // FormShow: empties ChosenForms and reads LemmaFileName.
  void showEvent(QShowEvent* event) override;

 private:
  GuiUserInterface& ui_;
  const text::Collator& collator_;
  std::vector<std::string> lines_;
};

}  // namespace lexvane::gui
