#include "gui/common/form_stat.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/base/text_codec.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/runner/form_search_ind.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 16;

QPushButton* makeButton(const QString& caption, const char* name, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QLatin1String(name));
  b->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TFormStat::TFormStat(HelpDesk& help, QWidget* parent) : QDialog(parent), help_(help) {
  setObjectName(QStringLiteral("FormStat"));
  setWindowTitle(QStringLiteral("Statistics"));
  SetHelpContext(this, kHelpContext);
  SetModalBesideHelp(this);

  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Bevel1"));
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setFrameShadow(QFrame::Sunken);
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(24);
  for (int i = 0; i < 5; ++i) {
    auto* caption = new QLabel(frame);
    caption->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    auto* value = new QLabel(frame);
    value->setObjectName(QStringLiteral("Label%1").arg((i + 1) * 10));
    // All values end at one column.
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(90);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(caption, i, 0);
    grid->addWidget(value, i, 1);
    CaptionLabels[i] = caption;
    ValueLabels[i] = value;
  }

  LabelNotComplete = new QLabel(QString::fromLatin1(concordance::kSearchNotCompleted), this);
  LabelNotComplete->setObjectName(QStringLiteral("LabelNotComplete"));
  LabelNotComplete->setAccessibleName(LabelNotComplete->text());
  LabelNotComplete->setAlignment(Qt::AlignCenter);
  // Kept in the layout while hidden, so the dialog does not change its size.
  QSizePolicy keep = LabelNotComplete->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  LabelNotComplete->setSizePolicy(keep);
  LabelNotComplete->hide();
  applyNoteColour();

  ButtonCopy = makeButton(QStringLiteral("&Copy"), "ButtonCopy", this);
  ButtonOK = makeButton(QStringLiteral("Cancel"), "ButtonOK", this);
  ButtonOK->setDefault(true);
  ButtonHelp = makeButton(QStringLiteral("Help"), "ButtonHelp", this);
  connect(ButtonCopy, &QPushButton::clicked, this, &TFormStat::ButtonCopyClick);
  connect(ButtonOK, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonHelp, &QPushButton::clicked, this, &TFormStat::ButtonHelpClick);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonCopy);
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonHelp);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addWidget(LabelNotComplete);
  layout->addLayout(buttons);
  Fill(statistics_);
}

void TFormStat::Fill(const concordance::Statistics& statistics) {
  statistics_ = statistics;
  for (std::size_t i = 0; i < 5; ++i) {
    CaptionLabels[i]->setText(FromAnsi(statistics.Captions[i]));
    ValueLabels[i]->setText(FromAnsi(statistics.Values[i]));
    // A screen reader reads each value with its row's caption.
    ValueLabels[i]->setAccessibleName(CaptionLabels[i]->text());
    CaptionLabels[i]->setBuddy(ValueLabels[i]);
  }
  LabelNotComplete->setVisible(statistics.NotComplete);
}

void TFormStat::ShowStatistics(const concordance::Statistics& statistics) {
  Fill(statistics);
  adjustSize();
  CentreOnScreen(this);
  ButtonOK->setFocus();
  exec();
}

QString TFormStat::CopyText() const {
  return FromAnsi(statistics_.CopyText());
}

void TFormStat::ButtonCopyClick() {
  QApplication::clipboard()->setText(CopyText());
}

void TFormStat::ButtonHelpClick() {
  help_.Show(kHelpContext);
}

void TFormStat::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) applyNoteColour();
  QDialog::changeEvent(event);
}

void TFormStat::applyNoteColour() {
  // Purple in the light theme; the theme's visited-link colour is the purple
  // that stays readable on a dark background too.
  QPalette p = LabelNotComplete->palette();
  p.setColor(QPalette::WindowText, palette().color(QPalette::LinkVisited));
  LabelNotComplete->setPalette(p);
}

}  // namespace lexvane::gui
