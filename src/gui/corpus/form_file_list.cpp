#include "gui/corpus/form_file_list.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/base/file_kinds.h"
#include "gui/base/text_codec.h"
#include "gui/corpus/path_list_model.h"
#include "gui/corpus/rule_preview_view.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/runner/command_boundary.h"
#include "gui/runner/gui_user_interface.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 3;

}  // namespace

TFormFileList::TFormFileList(corpus::CorpusSettings& corpus, const text::Collator& collator,
                             GuiUserInterface& ui, QWidget* parent)
    : QDialog(parent), corpus_(corpus), model_(corpus, collator), ui_(ui) {
  setObjectName(QStringLiteral("FormFileList"));
  setWindowTitle(QStringLiteral("File List Settings"));
  setAcceptDrops(true);
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);
  chooser_ = [this]() -> std::optional<QStringList> {
    std::unique_ptr<QFileDialog> dialog = MakeFileSelectDialog();
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    return dialog->selectedFiles();
  };
  buildControls();
  showOptions();
  wireOptions();
  wirePreview();
}

std::unique_ptr<QFileDialog> TFormFileList::MakeFileSelectDialog() {
  auto dialog = std::make_unique<QFileDialog>(this, QStringLiteral("Add file(s)"));
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFiles);
  SetModalBesideHelp(dialog.get());
  dialog->setNameFilters({QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")});
  SetHelpContext(dialog.get(), kHelpContext);
  return dialog;
}

void TFormFileList::buildControls() {
  ListOfFiles = new QListView(this);
  listModel_ = new PathListModel(model_.Paths(), this);
  ListOfFiles->setModel(listModel_);
  ListOfFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListOfFiles->setObjectName(QStringLiteral("ListOfFiles"));
  ListOfFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListOfFiles->setMinimumSize(420, 160);
  ListOfFiles->installEventFilter(this);

  ButtonAdd = new QPushButton(QStringLiteral("< &Add"), this);
  ButtonAdd->setObjectName(QStringLiteral("ButtonAdd"));
  ButtonDelete = new QPushButton(QStringLiteral("> &Remove"), this);
  ButtonDelete->setObjectName(QStringLiteral("ButtonDelete"));
  ButtonDelete->setEnabled(false);
  for (QPushButton* b : {ButtonAdd, ButtonDelete}) b->setAutoDefault(false);

  Label1 = new QLabel(QStringLiteral("Word separators:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  EditWordSepar = new QLineEdit(this);
  EditWordSepar->setObjectName(QStringLiteral("EditWordSepar"));
  Label1->setBuddy(EditWordSepar);
  Label2 = new QLabel(QStringLiteral("Sentence separators:"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  EditSentSepar = new QLineEdit(this);
  EditSentSepar->setObjectName(QStringLiteral("EditSentSepar"));
  Label2->setBuddy(EditSentSepar);
  // The separators are at most 255 characters where the scanner uses them.
  EditWordSepar->setMaxLength(255);
  EditSentSepar->setMaxLength(255);

  auto box = [this](const char* name, const QString& caption) {
    auto* b = new QCheckBox(caption, this);
    b->setObjectName(QLatin1String(name));
    return b;
  };
  GroupEncoding = new QGroupBox(QStringLiteral("Encoding"), this);
  GroupEncoding->setObjectName(QStringLiteral("GroupEncoding"));
  GroupEncoding->setAccessibleName(QStringLiteral("Encoding of the corpus files"));
  auto radio = [this](const char* name, const QString& caption) {
    auto* b = new QRadioButton(caption, GroupEncoding);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(caption);
    return b;
  };
  RadioButtonAnsi = radio("RadioButtonAnsi", QStringLiteral("Windows (ANSI)"));
  CheckBoxOEMtoANSI = radio("CheckBoxOEMtoANSI",
                            QStringLiteral("Convert from DOS (OEM) to Windows (ANSI) encoding"));
  RadioButtonUtf8 = radio("RadioButtonUtf8", QStringLiteral("UTF-8"));
  // Two rows, the long DOS caption on its own, so that the dialog fits a
  // small screen with the preview below.
  auto* encodings = new QGridLayout(GroupEncoding);
  encodings->addWidget(RadioButtonAnsi, 0, 0);
  encodings->addWidget(RadioButtonUtf8, 0, 1);
  encodings->addWidget(CheckBoxOEMtoANSI, 1, 0, 1, 2);
  CheckBoxEnhSentEnd = box("CheckBoxEnhSentEnd", QStringLiteral("Enhanced sentence end detection"));
  CheckBoxCRLF = box("CheckBoxCRLF", QStringLiteral("Treat CR-LF as sentence separator"));
  IgnoreCapitals =
      box("IgnoreCapitals", QStringLiteral("No difference between large and small letters"));
  TaggedText = box("TaggedText", QStringLiteral("Tagged Texts"));
  Preview = new RulePreviewView(this);

  ButtonOK = new QPushButton(QStringLiteral("OK"), this);
  ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
  ButtonOK->setDefault(true);
  ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
  ButtonHelp = new QPushButton(QStringLiteral("Help"), this);
  ButtonHelp->setObjectName(QStringLiteral("ButtonHelp"));
  for (QPushButton* b : {ButtonCancel, ButtonHelp}) b->setAutoDefault(false);

  connect(ButtonAdd, &QPushButton::clicked, this,
          CommandSlot(this, &TFormFileList::ButtonAddClick));
  connect(ButtonDelete, &QPushButton::clicked, this,
          CommandSlot(this, &TFormFileList::ButtonRemoveClick));
  connect(ListOfFiles->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TFormFileList::ButtonRemoveEnable);
  connect(ButtonOK, &QPushButton::clicked, this, CommandSlot(this, &TFormFileList::ButtonOKClick));
  connect(ButtonCancel, &QPushButton::clicked, this,
          CommandSlot(this, &TFormFileList::ButtonCancelClick));
  connect(ButtonHelp, &QPushButton::clicked, this,
          CommandSlot(this, &TFormFileList::ButtonHelpClick));

  auto* listButtons = new QVBoxLayout;
  listButtons->addWidget(ButtonAdd);
  listButtons->addWidget(ButtonDelete);
  listButtons->addStretch();
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(ListOfFiles, 1);
  listRow->addLayout(listButtons);

  auto* fields = new QGridLayout;
  fields->addWidget(Label1, 0, 0);
  fields->addWidget(EditWordSepar, 0, 1);
  fields->addWidget(Label2, 1, 0);
  fields->addWidget(EditSentSepar, 1, 1);

  auto* options = new QGridLayout;
  options->addWidget(GroupEncoding, 0, 0, 1, 2);
  options->addWidget(CheckBoxEnhSentEnd, 1, 0);
  options->addWidget(CheckBoxCRLF, 1, 1);
  options->addWidget(IgnoreCapitals, 2, 0);
  options->addWidget(TaggedText, 2, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  buttons->addWidget(ButtonHelp);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(listRow, 1);
  layout->addLayout(fields);
  layout->addLayout(options);
  layout->addWidget(Preview);
  layout->addLayout(buttons);
}

void TFormFileList::wireOptions() {
  // Option changes go straight into the corpus settings. The user's typing
  // also sets the field's typed-into mark; the program's own settings of the
  // text (showOptions) do not reach the model at all.
  // The fields show, and take, text of the corpus's encoding.
  auto encode = [this](const QString& text) { return CorpusCodec(corpus_).Encode(text); };
  connect(EditWordSepar, &QLineEdit::textEdited, this,
          [this, encode](const QString& text) { model_.SetWordSeparators(encode(text), true); });
  connect(EditSentSepar, &QLineEdit::textEdited, this, [this, encode](const QString& text) {
    model_.SetSentenceSeparators(encode(text), true);
  });
  connect(EditWordSepar, &QLineEdit::textChanged, this, [this, encode](const QString& text) {
    if (!showingOptions_) model_.SetWordSeparators(encode(text), false);
  });
  connect(EditSentSepar, &QLineEdit::textChanged, this, [this, encode](const QString& text) {
    if (!showingOptions_) model_.SetSentenceSeparators(encode(text), false);
  });

  auto bind = [this](QCheckBox* box, void (corpus::FileListEditorModel::*set)(bool)) {
    connect(box, &QCheckBox::toggled, this, [this, set](bool on) {
      if (showingOptions_) return;
      (model_.*set)(on);
      Q_EMIT optionsChanged();
    });
  };
  const std::pair<QRadioButton*, text::Encoding> choices[] = {
      {RadioButtonAnsi, text::Encoding::Windows1252},
      {CheckBoxOEMtoANSI, text::Encoding::Dos850},
      {RadioButtonUtf8, text::Encoding::Utf8}};
  for (const auto& [button, encoding] : choices) {
    connect(button, &QRadioButton::toggled, this, [this, encoding = encoding](bool on) {
      if (on && !showingOptions_) chooseEncoding(encoding);
    });
  }
  bind(CheckBoxEnhSentEnd, &corpus::FileListEditorModel::SetEnhSentDetect);
  bind(CheckBoxCRLF, &corpus::FileListEditorModel::SetCRLFAsSeparator);
  bind(IgnoreCapitals, &corpus::FileListEditorModel::SetIgnoreCapital);
  bind(TaggedText, &corpus::FileListEditorModel::SetTaggedText);
}

void TFormFileList::wirePreview() {
  // Connected after the options' own handlers, so the settings are current.
  connect(EditWordSepar, &QLineEdit::textChanged, this, &TFormFileList::previewRules);
  connect(EditSentSepar, &QLineEdit::textChanged, this, &TFormFileList::previewRules);
  for (QCheckBox* box : {CheckBoxEnhSentEnd, CheckBoxCRLF})
    connect(box, &QCheckBox::toggled, this, &TFormFileList::previewRules);
  connect(ListOfFiles->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { previewFile(false); });
  previewRules();
}

void TFormFileList::previewFile(bool reload) {
  const std::vector<std::size_t> selected = SelectedRows();
  const std::vector<std::string>& paths = model_.Paths();
  const std::size_t row = selected.empty() ? 0 : selected.front();
  Preview->ShowFile(row < paths.size() ? paths[row] : std::string(), reload);
}

void TFormFileList::previewRules() {
  Preview->SetRules(corpus::ScannerSets(corpus_), corpus_.CRLFAsSeparator, corpus_.EnhSentDetect);
}

void TFormFileList::chooseEncoding(text::Encoding encoding) {
  model_.SetTextEncoding(encoding);
  // The separators may have been carried over to the new encoding.
  showOptions();
  previewRules();
  Q_EMIT optionsChanged();
}

void TFormFileList::showOptions() {
  showingOptions_ = true;
  auto setText = [](QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
  };
  const TextCodec codec = CorpusCodec(corpus_);
  setText(EditWordSepar, codec.Decode(corpus_.WordSeparators));
  setText(EditSentSepar, codec.Decode(corpus_.SentenceSeparators));
  RadioButtonAnsi->setChecked(corpus_.TextEncoding == text::Encoding::Windows1252);
  CheckBoxOEMtoANSI->setChecked(corpus_.TextEncoding == text::Encoding::Dos850);
  RadioButtonUtf8->setChecked(corpus_.TextEncoding == text::Encoding::Utf8);
  CheckBoxEnhSentEnd->setChecked(corpus_.EnhSentDetect);
  CheckBoxCRLF->setChecked(corpus_.CRLFAsSeparator);
  IgnoreCapitals->setChecked(corpus_.IgnoreCapital);
  TaggedText->setChecked(corpus_.TaggedText);
  showingOptions_ = false;
}

void TFormFileList::showEvent(QShowEvent* event) {
  WhenShow();
  QDialog::showEvent(event);
  // Once the dialog is up: adding may ask whether the files are UTF-8.
  if (!filesToAdd_.isEmpty())
    QTimer::singleShot(0, this, [this] {
      if (!filesToAdd_.isEmpty()) AddFiles(std::exchange(filesToAdd_, {}));
    });
}

int TFormFileList::ExecAdding(const QStringList& files) {
  filesToAdd_ = files;
  const int result = exec();
  filesToAdd_.clear();
  return result;
}

void TFormFileList::WhenShow() {
  // New list and Open list replace the options while the dialog is hidden.
  showOptions();
  model_.WhenShow();
  refillListBox();
  setWindowTitle(FromPath(model_.Caption()));
  previewRules();
  previewFile(true);  // the file may have changed since the last show
}

void TFormFileList::refillListBox() {
  listModel_->pathsChanged();
  ButtonRemoveEnable();
  previewFile(false);
}

std::vector<std::size_t> TFormFileList::SelectedRows() const {
  std::vector<std::size_t> rows;
  for (const QModelIndex& index : ListOfFiles->selectionModel()->selectedRows())
    rows.push_back(static_cast<std::size_t>(index.row()));
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TFormFileList::ButtonAddClick() {
  std::optional<QStringList> chosen = chooser_();
  if (!chosen) return;
  AddFiles(*chosen);
}

void TFormFileList::AddFiles(const QStringList& files) {
  std::vector<std::string> paths;
  for (const QString& file : files) paths.push_back(ToPath(QFileInfo(file).absoluteFilePath()));
  model_.AddFiles(paths);
  refillListBox();
  // Once per list: files that look like UTF-8 in a Windows (ANSI) corpus.
  if (model_.OfferUtf8(paths, ui_)) {
    showOptions();
    previewRules();
    Q_EMIT optionsChanged();
  }
}

void TFormFileList::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData(), FileKindSet::CorpusOnly).isEmpty())
    event->acceptProposedAction();
}

void TFormFileList::dragMoveEvent(QDragMoveEvent* event) {
  event->acceptProposedAction();
}

void TFormFileList::dropEvent(QDropEvent* event) {
  const QStringList files = DroppedFiles(event->mimeData(), FileKindSet::CorpusOnly);
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  AddFiles(files);
}

void TFormFileList::ButtonRemoveEnable() {
  ButtonDelete->setEnabled(corpus::FileListEditorModel::RemoveEnabled(SelectedRows().size()));
}

void TFormFileList::ButtonRemoveClick() {
  model_.RemoveSelected(SelectedRows());
  refillListBox();
  ButtonDelete->setEnabled(false);
}

bool TFormFileList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListOfFiles && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    ButtonRemoveClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFormFileList::ButtonOKClick() {
  setResult(QDialog::Accepted);
  ui_.setHelpContext(kHelpContext);  // the missing-file warning's Help
  model_.OK(ui_);
  done(QDialog::Accepted);
}

void TFormFileList::ButtonCancelClick() {
  done(QDialog::Rejected);
}

void TFormFileList::ButtonHelpClick() {
  ui_.Help().Show(kHelpContext);
}

}  // namespace lexvane::gui
