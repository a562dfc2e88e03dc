// The body of a dialog that offers one choice of a few, as the sort dialogs
// of the list windows do: a group of radio buttons (the first checked) and
// a column of OK, Cancel and Help beside it.
#pragma once

#include <functional>
#include <initializer_list>

#include <QString>

class QButtonGroup;
class QDialog;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace lexvane::gui {

struct ChoiceDialogParts {
  QGroupBox* group = nullptr;
  QButtonGroup* choice = nullptr;  // button ids are the captions' indexes
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
  QPushButton* help = nullptr;
};

// Builds the controls into `dialog` ("RadioGroup1", "RadioGroup1Item<i>",
// "Button1", "Button2", "ButtonHelp") and writes the radio buttons to
// `items`, which holds one place per caption.
ChoiceDialogParts BuildChoiceDialog(QDialog* dialog, const QString& title,
                                    std::initializer_list<const char*> captions,
                                    QRadioButton** items, std::function<void()> showHelp);

}  // namespace lexvane::gui
