#include "gui/corpus/list_file_commands.h"

#include <QFileDialog>

#include "corpus/list_files.h"
#include "gui/app/form_main.h"
#include "gui/app/gui_user_interface.h"
#include "gui/app/help.h"
#include "gui/app/text_codec.h"
#include "gui/app/workspace.h"
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

std::optional<QString> runDialog(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setDefaultSuffix(QStringLiteral("CFL"));
  SetHelpContext(&dialog, kHelpContext);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

}  // namespace

ListFileCommands::ListFileCommands(Workspace& workspace, TFormMain* frame)
    : QObject(frame), workspace_(workspace), frame_(frame) {
  dialogs_.open = [this] { return RunOpenDialog(frame_); };
  dialogs_.save = [this] { return RunSaveDialog(frame_); };
}

std::optional<QString> ListFileCommands::RunOpenDialog(QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Open List File"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({kTextOrFileList, kTextList, kFileList, kAllFiles});
  return runDialog(dialog);
}

std::optional<QString> ListFileCommands::RunSaveDialog(QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Save List File As"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({kTextList, kFileList, kAllFiles});
  return runDialog(dialog);
}

void ListFileCommands::showListInfo() {
  if (frame_ != nullptr) frame_->ShowListInfo();
}

bool ListFileCommands::QuerySaveList() {
  corpus::CorpusSettings& corpus = workspace_.Corpus();
  if (!corpus.Modified) return true;
  const text::Answer answer = workspace_.Ui().Ask("Confirm", "Current list is not saved. Save it?",
                                                  text::Buttons::YesNoCancel, text::Icon::None);
  if (answer == text::Answer::Cancel) return false;
  if (answer == text::Answer::No) return true;
  return SaveList();
}

bool ListFileCommands::SaveList() {
  corpus::CorpusSettings& corpus = workspace_.Corpus();
  if (corpus.ListPath.empty()) {
    if (std::optional<QString> path = dialogs_.save()) corpus.ListPath = ToPath(*path);
  }
  if (corpus.ListPath.empty()) return false;
  try {
    // TODO(corpus): corpus::SaveList with these dialogs once it lands.
    throw text::Error("Saving list files is not available yet.");
  } catch (const text::Error& e) {
    workspace_.Ui().ShowError(e.what());
    showListInfo();
    return false;
  }
  corpus.Modified = false;
  showListInfo();
  return true;
}

void ListFileCommands::SaveListAs() {
  corpus::CorpusSettings& corpus = workspace_.Corpus();
  const std::string remembered = corpus.ListPath;
  corpus.ListPath.clear();
  if (!SaveList()) corpus.ListPath = remembered;
  showListInfo();
}

bool ListFileCommands::NewList() {
  if (!QuerySaveList()) return false;
  workspace_.Corpus().ResetToNewList();
  showListInfo();
  return true;
}

void ListFileCommands::OpenList() {
  if (!QuerySaveList()) return;
  std::optional<QString> path = dialogs_.open();
  if (!path) return;
  OpenListFile(*path);
}

void ListFileCommands::OpenListFile(const QString& path) {
  workspace_.Ui().setHelpContext(kHelpContext);
  try {
    corpus::OpenListFile(ToPath(path), workspace_.Corpus(), workspace_.Ui());
  } catch (const text::Error& e) {
    workspace_.Ui().ShowError(e.what());
  }
  showListInfo();
}

}  // namespace lexvane::gui
