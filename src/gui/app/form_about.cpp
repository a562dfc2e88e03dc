#include "gui/app/form_about.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/base/app_icons.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/runner/command_boundary.h"

namespace lexvane::gui {

TFormAbout::TFormAbout(HelpDesk& help, QWidget* parent) : QDialog(parent), help_(help) {
  setObjectName(QStringLiteral("FormAbout"));
  setWindowTitle(QStringLiteral("About"));
  SetHelpContext(this, 15);
  SetModalBesideHelp(this);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);

  auto* picture = new QLabel(panel);
  picture->setObjectName(QStringLiteral("ProgramIcon"));
  picture->setPixmap(AppIcon().pixmap(64, 64));
  picture->setAlignment(Qt::AlignTop);

  auto* product = new QLabel(QStringLiteral("Lexvane"), panel);
  product->setObjectName(QStringLiteral("ProductName"));
  QFont big = product->font();
  big.setPointSizeF(big.pointSizeF() * 1.8);
  big.setBold(true);
  product->setFont(big);
  auto* version =
      new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(LEXVANE_VERSION)), panel);
  version->setObjectName(QStringLiteral("Version"));
  auto* credits =
      new QLabel(QStringLiteral("A tool for corpus linguistics: concordances, word frequency\n"
                                "lists and collocate tables over plain-text corpora.\n\n"
                                "Written by the Lexvane developers.\n"
                                "Built with Qt %1 and ICU.")
                     .arg(QStringLiteral(QT_VERSION_STR)),
                 panel);
  credits->setObjectName(QStringLiteral("Comments"));

  auto* texts = new QVBoxLayout;
  texts->addWidget(product);
  texts->addWidget(version);
  texts->addSpacing(8);
  texts->addWidget(credits);
  texts->addStretch();
  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->addWidget(picture);
  panelLayout->addSpacing(12);
  panelLayout->addLayout(texts);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setDefault(true);
  HelpBtn = new QPushButton(QStringLiteral("Help"), this);
  HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
  HelpBtn->setAutoDefault(false);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(HelpBtn, &QPushButton::clicked, this, CommandSlot(this, &TFormAbout::HelpBtnClick));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKButton);
  buttons->addWidget(HelpBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
}

void TFormAbout::HelpBtnClick() {
  help_.Show(15);
}

}  // namespace lexvane::gui
