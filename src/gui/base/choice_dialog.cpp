#include "gui/base/choice_dialog.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lexvane::gui {

ChoiceDialogParts BuildChoiceDialog(QDialog* dialog, const QString& title,
                                    std::initializer_list<const char*> captions,
                                    QRadioButton** items, std::function<void()> showHelp) {
  ChoiceDialogParts parts;
  parts.group = new QGroupBox(title, dialog);
  parts.group->setObjectName(QStringLiteral("RadioGroup1"));
  parts.group->setAccessibleName(title);
  parts.choice = new QButtonGroup(dialog);
  auto* column = new QVBoxLayout(parts.group);
  int i = 0;
  for (const char* caption : captions) {
    QRadioButton* item = new QRadioButton(QString::fromLatin1(caption), parts.group);
    item->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
    item->setAccessibleName(item->text());
    parts.choice->addButton(item, i);
    column->addWidget(item);
    items[i++] = item;
  }
  items[0]->setChecked(true);

  parts.ok = new QPushButton(QStringLiteral("OK"), dialog);
  parts.ok->setObjectName(QStringLiteral("Button1"));
  parts.ok->setDefault(true);
  parts.cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
  parts.cancel->setObjectName(QStringLiteral("Button2"));
  parts.help = new QPushButton(QStringLiteral("Help"), dialog);
  parts.help->setObjectName(QStringLiteral("ButtonHelp"));
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {parts.ok, parts.cancel, parts.help}) {
    b->setAccessibleName(b->text());
    buttons->addWidget(b);
  }
  buttons->addStretch();
  QObject::connect(parts.ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(parts.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  QObject::connect(parts.help, &QPushButton::clicked, dialog, std::move(showHelp));

  auto* layout = new QHBoxLayout(dialog);
  layout->addWidget(parts.group);
  layout->addLayout(buttons);
  return parts;
}

}  // namespace lexvane::gui
