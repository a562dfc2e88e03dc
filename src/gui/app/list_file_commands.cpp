#include "gui/app/list_file_commands.h"

#include <exception>

#include <QFileDialog>

#include "corpus/encoding_choice.h"
#include "corpus/list_files.h"
#include "gui/app/form_main.h"
#include "gui/app/workspace.h"
#include "gui/base/text_codec.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"
#include "text/error.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 10;

// Qt takes the patterns from the last parentheses and, with the details
// hidden, shows the description before them as it stands. Linux names are
// case-sensitive, so the patterns take both cases.
const QString kTextOrFileList =
    QStringLiteral("Text or File List (*.CTL;*.CFL) (*.CTL *.CFL *.ctl *.cfl)");
const QString kTextList = QStringLiteral("Text List (*.CTL) (*.CTL *.ctl)");
const QString kFileList = QStringLiteral("File List (*.CFL) - older type (*.CFL *.cfl)");
const QString kAllFiles = QStringLiteral("All files (*.*) (*)");

}  // namespace

ListFileCommands::ListFileCommands(Workspace& workspace, TFormMain* frame)
    : QObject(frame),
      workspace_(workspace),
      frame_(frame),
      commands_(workspace.Corpus(), workspace.Collator(), workspace.Ui(), *this) {
  dialogs_.open = [this] { return RunDialog(*MakeOpenDialog(frame_)); };
  dialogs_.save = [this] { return RunDialog(*MakeSaveDialog(frame_)); };
}

std::unique_ptr<QFileDialog> ListFileCommands::MakeOpenDialog(QWidget* parent) {
  auto dialog = std::make_unique<QFileDialog>(parent, QStringLiteral("Open List File"));
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  SetModalBesideHelp(dialog.get());
  dialog->setNameFilters({kTextOrFileList, kTextList, kFileList, kAllFiles});
  dialog->setOption(QFileDialog::HideNameFilterDetails);
  dialog->setDefaultSuffix(QStringLiteral("CFL"));
  SetHelpContext(dialog.get(), kHelpContext);
  return dialog;
}

std::unique_ptr<QFileDialog> ListFileCommands::MakeSaveDialog(QWidget* parent) {
  auto dialog = std::make_unique<QFileDialog>(parent, QStringLiteral("Save List File As"));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);  // asks before overwriting
  SetModalBesideHelp(dialog.get());
  dialog->setNameFilters({kTextList, kFileList, kAllFiles});
  dialog->setOption(QFileDialog::HideNameFilterDetails);
  // A name typed without extension becomes an older File List, whatever
  // filter is chosen.
  dialog->setDefaultSuffix(QStringLiteral("CFL"));
  SetHelpContext(dialog.get(), kHelpContext);
  return dialog;
}

std::optional<QString> ListFileCommands::RunDialog(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<std::string> ListFileCommands::AskOpenPath() {
  std::optional<QString> path = dialogs_.open();
  if (!path) return std::nullopt;
  return ToPath(*path);
}

std::optional<std::string> ListFileCommands::AskSavePath() {
  std::optional<QString> path = dialogs_.save();
  if (!path) return std::nullopt;
  return ToPath(*path);
}

void ListFileCommands::showListInfo() {
  if (frame_ != nullptr) frame_->ShowListInfo();
}

bool ListFileCommands::run(bool (corpus::ListFileCommands::*command)()) {
  // The warnings about missing corpus files come from here.
  workspace_.Ui().setHelpContext(kHelpContext);
  bool done = false;
  try {
    done = (commands_.*command)();
  } catch (const std::exception& e) {  // text::Error, or a failure of the file system
    workspace_.Ui().ShowError(e.what());
  }
  showListInfo();
  return done;
}

bool ListFileCommands::QuerySaveList() {
  return run(&corpus::ListFileCommands::QuerySaveList);
}

bool ListFileCommands::runAndAnnounce(bool (corpus::ListFileCommands::*command)()) {
  const bool done = run(command);
  const std::string& path = workspace_.Corpus().ListPath;
  if (done && !path.empty()) Q_EMIT listFileUsed(FromPath(path));
  return done;
}

bool ListFileCommands::SaveList() {
  return runAndAnnounce(&corpus::ListFileCommands::SaveList);
}

bool ListFileCommands::SaveListAs() {
  return runAndAnnounce(&corpus::ListFileCommands::SaveListAs);
}

bool ListFileCommands::NewList() {
  return run(&corpus::ListFileCommands::NewList);
}

bool ListFileCommands::OpenList() {
  return runAndAnnounce(&corpus::ListFileCommands::OpenList);
}

bool ListFileCommands::OpenListFile(const QString& path) {
  workspace_.Ui().setHelpContext(kHelpContext);
  bool opened = false;
  try {
    corpus::CorpusSettings& settings = workspace_.Corpus();
    corpus::OpenListFile(ToPath(path), settings, workspace_.Collator(), workspace_.Ui());
    opened = true;
    // Switching to UTF-8 changes the corpus from what the list file holds.
    if (corpus::OfferUtf8(settings, settings.Files.Paths(), workspace_.Ui()))
      settings.Modified = true;
  } catch (const std::exception& e) {  // text::Error, or a failure of the file system
    workspace_.Ui().ShowError(e.what());
  }
  showListInfo();
  if (opened) Q_EMIT listFileUsed(FromPath(workspace_.Corpus().ListPath));
  return opened;
}

}  // namespace lexvane::gui
