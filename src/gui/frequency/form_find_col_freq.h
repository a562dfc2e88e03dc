// TFormFindColFreq: the collocate query dialog ("Find frequency of collogate
// words"): the masks of the collocates to count and the eighteen positions
// left and right of the node. It shows and edits the one frequency::CollocQuery
// of the run (created once at start-up and reused, so masks, boxes and the
// confirmed positions carry over). OK adds a typed mask and stays open;
// with the mask field empty it confirms (or cancels without masks).
// GUI thread only.
#pragma once

#include <array>

#include <QDialog>

#include "frequency/colloc_query.h"
#include "gui/base/text_codec.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace lexvane::gui {

class HelpDesk;

class MaskListModel;

class TFormFindColFreq : public QDialog {
  Q_OBJECT

 public:
  // `help` shows the dialog's help topic; it outlives the dialog.
  explicit TFormFindColFreq(HelpDesk& help, QWidget* parent = nullptr);

 public:  // queries
  frequency::CollocQuery& Query() { return query_; }
  text::Encoding QueryEncoding() const { return encoding_; }

 public:  // commands
  // The query is for a table of `encoding`: its texts are carried over to
  // it when they were in the other, and typed text is encoded in it.
  void UseEncoding(text::Encoding encoding);

 public:  // controls, for tests
  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QListView* ListBox1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  // CheckBox1 .. CheckBox18 at index 0 .. 17.
  std::array<QCheckBox*, 18> CheckBoxes{};
  QPushButton* ButtonClearAll = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonHelp = nullptr;

 public Q_SLOTS:
  void ButtonOKClick();
  void ButtonClearAllClick();
  void ButtonCancelClick();
  int exec() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Query state -> controls, and the controls' state -> query.
  void showQuery();
  void takeControls();

  frequency::CollocQuery query_;
  text::Encoding encoding_ = text::Encoding::Windows1252;  // of the query's texts
  TextCodec codec_;                                        // of encoding_
  MaskListModel* masks_ = nullptr;
};

}  // namespace lexvane::gui
