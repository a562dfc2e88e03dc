#include "gui/keywords/form_sort_keywords.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/help/help.h"
#include "gui/help/help_desk.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 101;

}  // namespace

TFormSortKeywords::TFormSortKeywords(HelpDesk& help, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormSortKeywords"));
  setWindowTitle(QStringLiteral("Sort"));
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);

  RadioGroup1 = new QGroupBox(QStringLiteral("Sort"), this);
  RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
  RadioGroup1->setAccessibleName(QStringLiteral("Sort"));
  group_ = new QButtonGroup(this);
  auto* items = new QVBoxLayout(RadioGroup1);
  // In the order of keywords::KeywordSort.
  const char* const captions[] = {"by log-likelihood", "by the size of the Log Ratio",
                                  "alphabetically"};
  for (int i = 0; i < 3; ++i) {
    Items[i] = new QRadioButton(QString::fromLatin1(captions[i]), RadioGroup1);
    Items[i]->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
    Items[i]->setAccessibleName(Items[i]->text());
    group_->addButton(Items[i], i);
    items->addWidget(Items[i]);
  }
  Items[0]->setChecked(true);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Cancel"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  ButtonHelp = new QPushButton(QStringLiteral("Help"), this);
  ButtonHelp->setObjectName(QStringLiteral("ButtonHelp"));
  for (QPushButton* b : {Button1, Button2, ButtonHelp}) b->setAccessibleName(b->text());
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonHelp, &QPushButton::clicked, this, [&help] { help.Show(kHelpContext); });

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(ButtonHelp);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(RadioGroup1);
  layout->addLayout(buttons);
}

keywords::KeywordSort TFormSortKeywords::Sort() const {
  return static_cast<keywords::KeywordSort>(group_->checkedId());
}

void TFormSortKeywords::SetSort(keywords::KeywordSort sort) {
  Items[static_cast<int>(sort)]->setChecked(true);
}

}  // namespace lexvane::gui
