#include "gui/search/form_search_adv.h"

#include <set>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
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

constexpr int kHelpContext = 14;
const char* const kEditNames[] = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"};
const char* const kListNames[] = {"ListBox1", "ListBox2", "ListBox3", "ListBox4", "ListBox5"};
const char* const kRankNames[] = {"CheckBoxRank1", "CheckBoxRank2", "CheckBoxRank3",
                                  "CheckBoxRank4"};
const char* const kUpNames[] = {"SpinButton1Up", "SpinButton2Up", "SpinButton3Up", "SpinButton4Up"};
const char* const kDownNames[] = {"SpinButton1Down", "SpinButton2Down", "SpinButton3Down",
                                  "SpinButton4Down"};
const char* const kSpinLabelNames[] = {"LabelSpin1", "LabelSpin2", "LabelSpin3", "LabelSpin4"};
const char* const kRadioNames[] = {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4",
                                   "RadioButton5"};

}  // namespace

TFormSearchAdv::TFormSearchAdv(const corpus::CorpusSettings& corpus, GuiUserInterface& ui,
                               TFormLemmaList& lemmas, QWidget* parent)
    : QDialog(parent),
      corpus_(corpus),
      ui_(ui),
      lemmas_(lemmas),
      modelEncoding_(corpus.TextEncoding) {
  Named(this, "FormSearchAdv", QStringLiteral("Advanced word search"));
  setWindowTitle(QStringLiteral("Advanced word search"));
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);
  choosers_ = QtSearchFileChoosers(this);
  buildControls();
  // FormCreate runs Clear All once.
  model_.ClearAll();
  showModel();
}

void TFormSearchAdv::buildControls() {
  const QString editHint =
      QStringLiteral("Mask(s) for the searched word. Press Enter to move it to the list below.");
  const QString listHint = QStringLiteral("List of words (masks). Press Del to delete a line.");
  const QString rankHint =
      QStringLiteral("If checked, words must be in this (not reversed) order in the sentence.");
  const QString spinHint = QStringLiteral(
      "Max. number of words between: x - arbitrary, 0 - words must be adjacent, 1 - max. one "
      "word between, etc.");
  const QString radioHint = QStringLiteral(
      "If checked, words matching the mask(s) above will be placed in the middle column.");

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Mask:"), this), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Must be in this order:"), this), 2, 0);
  grid->addWidget(new QLabel(QStringLiteral("Words between:"), this), 3, 0);
  grid->addWidget(new QLabel(QStringLiteral("In middle:"), this), 4, 0);
  auto* radios = new QButtonGroup(this);
  for (int c = 0; c < 5; ++c) {
    const QString n = QString::number(c + 1);
    Edits[c] = Named(new QLineEdit(this), kEditNames[c], QStringLiteral("Mask ") + n);
    Edits[c]->setToolTip(editHint);
    Edits[c]->installEventFilter(this);
    ListBoxes[c] = Named(new QListWidget(this), kListNames[c], QStringLiteral("Masks ") + n);
    ListBoxes[c]->setToolTip(listHint);
    ListBoxes[c]->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBoxes[c]->installEventFilter(this);
    RadioButtons[c] =
        Named(new QRadioButton(n, this), kRadioNames[c], QStringLiteral("In middle ") + n);
    RadioButtons[c]->setToolTip(radioHint);
    radios->addButton(RadioButtons[c], c + 1);
    grid->addWidget(Edits[c], 0, 1 + 2 * c, 1, 2);
    grid->addWidget(ListBoxes[c], 1, 1 + 2 * c, 1, 2);
    grid->addWidget(RadioButtons[c], 4, 1 + 2 * c, 1, 2, Qt::AlignHCenter);
  }
  for (int k = 0; k < 4; ++k) {
    const QString pair = QStringLiteral("%1-%2").arg(k + 1).arg(k + 2);
    CheckBoxRanks[k] = Named(new QCheckBox(pair, this), kRankNames[k],
                             QStringLiteral("Must be in this order ") + pair);
    CheckBoxRanks[k]->setToolTip(rankHint);
    LabelSpins[k] = Named(new QLabel(QStringLiteral("0"), this), kSpinLabelNames[k],
                          QStringLiteral("Words between ") + pair);
    LabelSpins[k]->setToolTip(spinHint);
    LabelSpins[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SpinUps[k] =
        Named(new QToolButton(this), kUpNames[k], QStringLiteral("More words between ") + pair);
    SpinUps[k]->setArrowType(Qt::UpArrow);
    SpinDowns[k] =
        Named(new QToolButton(this), kDownNames[k], QStringLiteral("Fewer words between ") + pair);
    SpinDowns[k]->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {SpinUps[k], SpinDowns[k]}) {
      b->setToolTip(spinHint);
      b->setAutoRaise(true);
    }
    connect(SpinUps[k], &QToolButton::clicked, this, [this, k] { SpinButtonUpClick(k); });
    connect(SpinDowns[k], &QToolButton::clicked, this, [this, k] { SpinButtonDownClick(k); });
    auto* spin = new QHBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(LabelSpins[k]);
    spin->addWidget(SpinDowns[k]);
    spin->addWidget(SpinUps[k]);
    // Between the two columns of the pair.
    grid->addWidget(CheckBoxRanks[k], 2, 2 + 2 * k, 1, 2, Qt::AlignHCenter);
    grid->addLayout(spin, 3, 2 + 2 * k, 1, 2, Qt::AlignHCenter);
  }

  auto* sizeLabel = new QLabel(QStringLiteral("Max. list size:"), this);
  EditMaxListSize = Named(new QLineEdit(this), "EditMaxListSize", QStringLiteral("Max. list size"));
  EditMaxListSize->setToolTip(
      QStringLiteral("Search will be stopped after finding this number of sentences."));
  sizeLabel->setBuddy(EditMaxListSize);
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(sizeLabel);
  sizeRow->addWidget(EditMaxListSize);
  sizeRow->addWidget(new QLabel(QStringLiteral("rows"), this));
  sizeRow->addStretch();

  auto button = [this](const char* name, const QString& caption, const QString& hint) {
    auto* b = Named(new QPushButton(caption, this), name, caption);
    b->setAutoDefault(false);
    if (!hint.isEmpty()) b->setToolTip(hint);
    return b;
  };
  ButtonOK = button("ButtonOK", QStringLiteral("OK"),
                    QStringLiteral("Moves entered words (masks) to lists below. When pressed "
                                   "again, starts the searching."));
  ButtonOK->setDefault(true);
  ButtonCancel = button("ButtonCancel", QStringLiteral("Cancel"), {});
  ButtonClearAll =
      button("ButtonClearAll", QStringLiteral("Clear All"), QStringLiteral("Clears all controls."));
  ButtonLoad = button("ButtonLoad", QStringLiteral("Load..."),
                      QStringLiteral("Loads settings from a file."));
  ButtonSave =
      button("ButtonSave", QStringLiteral("Save..."), QStringLiteral("Saves settings to a file."));
  ButtonLemmas = button("ButtonLemmas", QStringLiteral("Lemmas..."),
                        QStringLiteral("Opens a file with a list of lexemes."));
  ButtonHelp = button("ButtonHelp", QStringLiteral("Help"), {});

  connect(ButtonOK, &QPushButton::clicked, this, &TFormSearchAdv::ButtonOKClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &TFormSearchAdv::ButtonCancelClick);
  connect(ButtonClearAll, &QPushButton::clicked, this, &TFormSearchAdv::ButtonClearAllClick);
  connect(ButtonLoad, &QPushButton::clicked, this, &TFormSearchAdv::ButtonLoadClick);
  connect(ButtonSave, &QPushButton::clicked, this, &TFormSearchAdv::ButtonSaveClick);
  connect(ButtonLemmas, &QPushButton::clicked, this, &TFormSearchAdv::ButtonLemmasClick);
  connect(ButtonHelp, &QPushButton::clicked, this, &TFormSearchAdv::ButtonHelpClick);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b :
       {ButtonOK, ButtonCancel, ButtonClearAll, ButtonLoad, ButtonSave, ButtonLemmas, ButtonHelp})
    buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addLayout(sizeRow);
  layout->addLayout(buttons);
}

void TFormSearchAdv::takeControls() {
  const TextCodec codec = CorpusCodec(corpus_);
  for (int c = 0; c < 5; ++c) {
    model_.Edits[c] = codec.Encode(Edits[c]->text());
    if (RadioButtons[c]->isChecked()) model_.MiddleRadio = c + 1;
  }
  for (int k = 0; k < 4; ++k) model_.InOrder[k] = CheckBoxRanks[k]->isChecked();
  model_.MaxListSize = codec.Encode(EditMaxListSize->text());
}

void TFormSearchAdv::showModel() {
  const TextCodec codec = CorpusCodec(corpus_);
  for (int c = 0; c < 5; ++c) {
    Edits[c]->setText(codec.Decode(model_.Edits[c]));
    ListBoxes[c]->clear();
    for (const std::string& mask : model_.Masks[c]) ListBoxes[c]->addItem(codec.Decode(mask));
    RadioButtons[c]->setChecked(model_.MiddleRadio == c + 1);
  }
  for (int k = 0; k < 4; ++k) {
    CheckBoxRanks[k]->setChecked(model_.InOrder[k]);
    LabelSpins[k]->setText(QString::fromStdString(model_.DistanceText(k)));
  }
  EditMaxListSize->setText(codec.Decode(model_.MaxListSize));
}

void TFormSearchAdv::followEncoding() {
  const text::Encoding now = corpus_.TextEncoding;
  if (text::IsUtf8(now) != text::IsUtf8(modelEncoding_)) {
    auto recode = [&](std::string& s) { s = Recode(s, modelEncoding_, now); };
    for (std::string& edit : model_.Edits) recode(edit);
    for (std::vector<std::string>& masks : model_.Masks)
      for (std::string& mask : masks) recode(mask);
    showModel();
  }
  modelEncoding_ = now;
}

void TFormSearchAdv::SetPhrase(const std::vector<std::string>& words, text::Encoding encoding) {
  followEncoding();
  model_.ClearAll();
  for (std::size_t c = 0; c < words.size() && c < model_.Masks.size(); ++c)
    model_.Masks[c].push_back(
        search::TypedMask(Recode(words[c], encoding, modelEncoding_), modelEncoding_));
  showModel();
}

void TFormSearchAdv::showEvent(QShowEvent* event) {
  followEncoding();
  model_.Show();
  Edits[model_.CurrentColumn]->setFocus();
  QDialog::showEvent(event);
}

void TFormSearchAdv::ButtonOKClick() {
  takeControls();
  const search::DialogOutcome outcome = model_.Ok(ui_);
  showModel();
  Edits[model_.CurrentColumn]->setFocus();
  if (outcome == search::DialogOutcome::Search)
    accept();
  else if (outcome == search::DialogOutcome::Cancel)
    reject();
}

void TFormSearchAdv::ButtonCancelClick() {
  Edits[0]->setFocus();
  reject();
}

void TFormSearchAdv::ButtonClearAllClick() {
  takeControls();
  model_.ClearAll();
  showModel();
}

void TFormSearchAdv::SpinButtonDownClick(int pair) {
  takeControls();
  model_.SpinDown(pair);
  showModel();
}

void TFormSearchAdv::SpinButtonUpClick(int pair) {
  takeControls();
  model_.SpinUp(pair);
  showModel();
}

void TFormSearchAdv::ButtonLoadClick() {
  takeControls();
  LoadSearchFile(model_, choosers_, ui_, [this] { showModel(); });
}

void TFormSearchAdv::ButtonSaveClick() {
  takeControls();
  SaveSearchFile(model_, choosers_, ui_, [this] { showModel(); });
}

void TFormSearchAdv::LoadSearchFileFrom(const QString& path) {
  followEncoding();  // the file holds text of the corpus's current encoding
  takeControls();
  gui::LoadSearchFileFrom(model_, path, ui_, [this] { showModel(); });
}

void TFormSearchAdv::ButtonLemmasClick() {
  takeControls();
  lemmas_.Codec = CorpusCodec(corpus_);
  ChooseLemmas(model_, choosers_, lemmas_, lastLemmaFile_, [this] { showModel(); });
}

void TFormSearchAdv::ButtonHelpClick() {
  ui_.Help().Show(kHelpContext);
}

bool TFormSearchAdv::eventFilter(QObject* watched, QEvent* event) {
  for (int c = 0; c < 5; ++c) {
    if (watched == Edits[c] && event->type() == QEvent::FocusIn) model_.Enter(c);
    if (watched == ListBoxes[c] && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
      takeControls();
      std::set<int> selected;
      for (const QModelIndex& index : ListBoxes[c]->selectionModel()->selectedRows())
        selected.insert(index.row());
      model_.DeleteSelected(c, selected);
      showModel();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace lexvane::gui
