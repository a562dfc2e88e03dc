// TFormMain: files that come from outside the program (the command line, the
// file manager, a drop onto the window) and the "Recent lists" submenu.
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>

#include "gui/app/form_main.h"
#include "gui/app/list_file_commands.h"
#include "gui/app/recent_lists_menu.h"
#include "gui/app/workspace.h"
#include "gui/base/file_kinds.h"
#include "gui/base/text_codec.h"
#include "gui/corpus/form_file_list.h"
#include "gui/runner/command_boundary.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/search/form_search.h"
#include "gui/search/form_search_adv.h"
#include "search/search_dialogs.h"

namespace lexvane::gui {

void TFormMain::OpenFiles(const QStringList& paths, bool askSave) {
  const FilesToOpen files = SortFilesToOpen(paths);
  if (!files.list.isEmpty()) {
    if (askSave && !listFiles_->QuerySaveList()) return;
    // A full path, as the open dialog gives, so that the label and a later
    // save name the same file whatever the working folder.
    listFiles_->OpenListFile(QFileInfo(files.list).absoluteFilePath());
  }
  if (!files.corpusFiles.isEmpty()) {
    workspace_.FormFileList()->ExecAdding(files.corpusFiles);
    ShowListInfo();
  }
  UpdateButtons();
  if (!files.searchFile.isEmpty())
    startSearchFromFile(files.searchFile);
  else if (!files.lemmaList.isEmpty())
    startSearchFromLemmas(files.lemmaList);
  UpdateButtons();
}

void TFormMain::OpenRecentList(const QString& path) {
  if (!listFiles_->QuerySaveList()) return;
  listFiles_->OpenListFile(path);
  UpdateButtons();
}

bool TFormMain::readable(const QString& path) {
  QFile file(path);
  if (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly)) return true;
  workspace_.Ui().setHelpContext(0);
  workspace_.Ui().ShowError("Cannot open file " + ToPath(path));
  return false;
}

bool TFormMain::ensureCorpusFiles() {
  if (workspace_.Corpus().Files.Count() == 0) MenuEditFileListClick();
  return workspace_.Corpus().Files.Count() > 0;
}

void TFormMain::startSearchFromFile(const QString& path) {
  if (!readable(path) || !ensureCorpusFiles()) return;
  // After the corpus: the file holds text of the corpus's encoding.
  const bool advanced = search::HoldsAdvancedQuery(ToPath(path));
  if (advanced)
    workspace_.FormSearchAdv()->LoadSearchFileFrom(path);
  else
    workspace_.FormSearch()->LoadSearchFileFrom(path);
  // Not while another search or count runs.
  UpdateButtons();
  QAction* command = action(QLatin1String(advanced ? "MenuAdvancedSearch" : "MenuSearch"));
  if (!command->isEnabled()) return;
  if (advanced)
    MenuAdvancedSearchClick();
  else
    MenuSearchClick();
}

void TFormMain::startSearchFromLemmas(const QString& path) {
  if (!readable(path) || !ensureCorpusFiles()) return;
  if (!workspace_.FormSearch()->ChooseLemmasFrom(path)) return;
  UpdateButtons();
  if (action(QStringLiteral("MenuSearch"))->isEnabled()) MenuSearchClick();
}

// ---- Drops ----

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData(), FileKindSet::Any).isEmpty()) event->acceptProposedAction();
}

void TFormMain::dragMoveEvent(QDragMoveEvent* event) {
  event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event) {
  const QStringList files = DroppedFiles(event->mimeData(), FileKindSet::Any);
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  // The file manager waits until the drop returns: the prompts and dialogs
  // come after it.
  QTimer::singleShot(0, this, [this, files] { RunCommand(this, [&] { OpenFiles(files, true); }); });
}

}  // namespace lexvane::gui
