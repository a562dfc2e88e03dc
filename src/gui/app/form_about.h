// TFormAbout: the About box, shown modally by "&About": product name, version
// line, credits and the program's picture, OK and Help (context 15).
#pragma once

#include <QDialog>

class QPushButton;

namespace lexvane::gui {

class HelpDesk;

class TFormAbout : public QDialog {
  Q_OBJECT

 public:
  // `help` shows the dialog's help topic; it outlives the dialog.
  explicit TFormAbout(HelpDesk& help, QWidget* parent = nullptr);

 public:  // controls, for tests
  QPushButton* OKButton = nullptr;
  QPushButton* HelpBtn = nullptr;

 public Q_SLOTS:
  void HelpBtnClick();

 private:
  HelpDesk& help_;
};

}  // namespace lexvane::gui
