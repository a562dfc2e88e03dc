#include "gui/search/form_search.h"

#include <set>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "corpus/corpus_settings.h"
#include "gui/base/named_control.h"
#include "gui/base/text_codec.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/search/form_lemma_list.h"
#include "gui/search/search_file_buttons.h"
#include "text/error.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 4;

}  // namespace

TFormSearch::TFormSearch(const corpus::CorpusSettings& corpus, GuiUserInterface& ui,
                         TFormLemmaList& lemmas, QWidget* parent)
    : QDialog(parent),
      corpus_(corpus),
      ui_(ui),
      lemmas_(lemmas),
      modelEncoding_(corpus.TextEncoding) {
  Named(this, "FormSearch", QStringLiteral("Word search"));
  setWindowTitle(QStringLiteral("Word search"));
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);
  choosers_ = QtSearchFileChoosers(this);

  auto* maskLabel = new QLabel(QStringLiteral("Mask:"), this);
  Edit1 = Named(new QLineEdit(this), "Edit1", QStringLiteral("Mask"));
  maskLabel->setBuddy(Edit1);
  ListBox1 = Named(new QListWidget(this), "ListBox1", QStringLiteral("Masks"));
  ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListBox1->installEventFilter(this);
  auto* sizeLabel = new QLabel(QStringLiteral("Max. list size:"), this);
  EditMaxListSize = Named(new QLineEdit(this), "EditMaxListSize", QStringLiteral("Max. list size"));
  sizeLabel->setBuddy(EditMaxListSize);
  auto* rowsLabel = new QLabel(QStringLiteral("rows"), this);

  auto button = [this](const char* name, const QString& caption) {
    auto* b = Named(new QPushButton(caption, this), name, caption);
    b->setAutoDefault(false);
    return b;
  };
  ButtonOK = button("ButtonOK", QStringLiteral("OK"));
  ButtonOK->setDefault(true);
  ButtonCancel = button("ButtonCancel", QStringLiteral("Cancel"));
  ButtonClearAll = button("ButtonClearAll", QStringLiteral("&Clear All"));
  ButtonLoad = button("ButtonLoad", QStringLiteral("Load..."));
  ButtonSave = button("ButtonSave", QStringLiteral("Save..."));
  ButtonLemmas = button("ButtonLemmas", QStringLiteral("Lemmas..."));
  ButtonHelp = button("ButtonHelp", QStringLiteral("Help"));

  connect(ButtonOK, &QPushButton::clicked, this, &TFormSearch::ButtonOKClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &TFormSearch::ButtonCancelClick);
  connect(ButtonClearAll, &QPushButton::clicked, this, &TFormSearch::ButtonClearAllClick);
  connect(ButtonLoad, &QPushButton::clicked, this, &TFormSearch::ButtonLoadClick);
  connect(ButtonSave, &QPushButton::clicked, this, &TFormSearch::ButtonSaveClick);
  connect(ButtonLemmas, &QPushButton::clicked, this, &TFormSearch::ButtonLemmasClick);
  connect(ButtonHelp, &QPushButton::clicked, this, &TFormSearch::ButtonHelpClick);

  auto* fields = new QGridLayout;
  fields->addWidget(maskLabel, 0, 0);
  fields->addWidget(Edit1, 0, 1, 1, 2);
  fields->addWidget(ListBox1, 1, 1, 1, 2);
  fields->addWidget(sizeLabel, 2, 0);
  fields->addWidget(EditMaxListSize, 2, 1);
  fields->addWidget(rowsLabel, 2, 2);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b :
       {ButtonOK, ButtonCancel, ButtonClearAll, ButtonLoad, ButtonSave, ButtonLemmas, ButtonHelp})
    buttons->addWidget(b);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields, 1);
  layout->addLayout(buttons);
  showModel();
}

void TFormSearch::takeControls() {
  const TextCodec codec = CorpusCodec(corpus_);
  model_.Edit = codec.Encode(Edit1->text());
  model_.MaxListSize = codec.Encode(EditMaxListSize->text());
}

void TFormSearch::showModel() {
  const TextCodec codec = CorpusCodec(corpus_);
  Edit1->setText(codec.Decode(model_.Edit));
  ListBox1->clear();
  for (const std::string& mask : model_.Masks) ListBox1->addItem(codec.Decode(mask));
  EditMaxListSize->setText(codec.Decode(model_.MaxListSize));
}

void TFormSearch::followEncoding() {
  const text::Encoding now = corpus_.TextEncoding;
  if (text::IsUtf8(now) != text::IsUtf8(modelEncoding_)) {
    auto recode = [&](std::string& s) { s = Recode(s, modelEncoding_, now); };
    recode(model_.Edit);
    for (std::string& mask : model_.Masks) recode(mask);
    showModel();
  }
  modelEncoding_ = now;
}

void TFormSearch::AppendMask(const std::string& mask, text::Encoding encoding) {
  followEncoding();
  model_.Masks.push_back(Recode(mask, encoding, modelEncoding_));
  ListBox1->addItem(CorpusCodec(corpus_).Decode(model_.Masks.back()));
}

void TFormSearch::showEvent(QShowEvent* event) {
  followEncoding();
  model_.Show();
  Edit1->setFocus();
  QDialog::showEvent(event);
}

void TFormSearch::ButtonOKClick() {
  takeControls();
  const search::DialogOutcome outcome = model_.Ok();
  showModel();
  Edit1->setFocus();
  if (outcome == search::DialogOutcome::Search)
    accept();
  else if (outcome == search::DialogOutcome::Cancel)
    reject();
}

void TFormSearch::ButtonCancelClick() {
  Edit1->setFocus();
  reject();
}

void TFormSearch::ButtonClearAllClick() {
  takeControls();
  model_.ClearAll();
  showModel();
  Edit1->setFocus();
}

void TFormSearch::ButtonRemoveClick() {
  takeControls();
  std::set<int> selected;
  for (const QModelIndex& index : ListBox1->selectionModel()->selectedRows())
    selected.insert(index.row());
  model_.DeleteSelected(selected);
  showModel();
  Edit1->setFocus();
}

void TFormSearch::ButtonLoadClick() {
  takeControls();
  LoadSearchFile(model_, choosers_, ui_, [this] { showModel(); });
}

void TFormSearch::LoadSearchFileFrom(const QString& path) {
  followEncoding();  // the file holds text of the corpus's current encoding
  takeControls();
  gui::LoadSearchFileFrom(model_, path, ui_, [this] { showModel(); });
}

bool TFormSearch::ChooseLemmasFrom(const QString& path) {
  followEncoding();
  takeControls();
  lemmas_.Codec = CorpusCodec(corpus_);
  return ShowLemmaList(model_, path, lemmas_, lastLemmaFile_, [this] { showModel(); });
}

void TFormSearch::ButtonSaveClick() {
  takeControls();
  SaveSearchFile(model_, choosers_, ui_, [this] { showModel(); });
}

void TFormSearch::ButtonLemmasClick() {
  takeControls();
  lemmas_.Codec = CorpusCodec(corpus_);
  ChooseLemmas(model_, choosers_, lemmas_, lastLemmaFile_, [this] { showModel(); });
}

void TFormSearch::ButtonHelpClick() {
  ui_.Help().Show(kHelpContext);
}

bool TFormSearch::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListBox1 && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    ButtonRemoveClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace lexvane::gui
