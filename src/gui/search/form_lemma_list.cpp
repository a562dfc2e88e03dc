#include "gui/search/form_lemma_list.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/base/named_control.h"
#include "gui/base/text_codec.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/runner/gui_user_interface.h"
#include "search/lemma_list.h"
#include "text/error.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 18;

}  // namespace

TFormLemmaList::TFormLemmaList(GuiUserInterface& ui, const text::Collator& collator,
                               QWidget* parent)
    : QDialog(parent), ui_(ui), collator_(collator) {
  Named(this, "FormLemmaList", QStringLiteral("Lexeme List"));
  setWindowTitle(QStringLiteral("Lexeme List"));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  setSizeGripEnabled(true);
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);
  resize(360, 320);

  ListBox1 = Named(new QListWidget(this), "ListBox1", QStringLiteral("Lexemes"));
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ButtonAdd = Named(new QPushButton(QStringLiteral("&Copy to list"), this), "ButtonAdd",
                    QStringLiteral("Copy to list"));
  ButtonAdd->setDefault(true);
  ButtonCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "ButtonCancel",
                       QStringLiteral("Cancel"));
  ButtonHelp =
      Named(new QPushButton(QStringLiteral("Help"), this), "ButtonHelp", QStringLiteral("Help"));
  for (QPushButton* b : {ButtonCancel, ButtonHelp}) b->setAutoDefault(false);

  connect(ButtonAdd, &QPushButton::clicked, this, &TFormLemmaList::ButtonAddClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonHelp, &QPushButton::clicked, this, &TFormLemmaList::ButtonHelpClick);
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TFormLemmaList::ButtonAddClick);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonAdd);
  buttons->addWidget(ButtonCancel);
  buttons->addWidget(ButtonHelp);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ListBox1, 1);
  layout->addLayout(buttons);
}

void TFormLemmaList::showEvent(QShowEvent* event) {
  ChosenForms.clear();
  lines_.clear();
  ListBox1->clear();
  search::LemmaList list;
  try {
    list = search::LoadLemmaList(LemmaFileName, StartText, collator_);
  } catch (const text::Error& e) {
    ui_.ShowError(e.what());
  }
  lines_ = std::move(list.Lines);
  for (const std::string& line : lines_) ListBox1->addItem(Codec.Decode(line));
  if (list.Selected >= 0) {
    ListBox1->setCurrentRow(list.Selected);
    ListBox1->scrollToItem(ListBox1->currentItem(), QAbstractItemView::PositionAtTop);
  }
  ButtonAdd->setFocus();
  QDialog::showEvent(event);
}

void TFormLemmaList::ButtonAddClick() {
  const int row = ListBox1->currentRow();
  if (row < 0 || ListBox1->selectedItems().isEmpty() || row >= static_cast<int>(lines_.size()))
    return;
  ChosenForms = search::LemmaForms(lines_[row]);
  accept();
}

void TFormLemmaList::ButtonHelpClick() {
  ui_.Help().Show(kHelpContext);
}

}  // namespace lexvane::gui
