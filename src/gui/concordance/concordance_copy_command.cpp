#include "gui/concordance/concordance_copy_command.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>

#include "concordance/concordance_copy.h"
#include "concordance/concordance_table.h"
#include "gui/base/text_codec.h"
#include "gui/common/window_host.h"
#include "gui/concordance/form_copy_concord.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "text/character_sets.h"
#include "text/error.h"

namespace lexvane::gui {

namespace {

std::optional<QString> chooseFile(const FileChoosers& choosers, QWidget* parent) {
  if (choosers.SaveSentences) return choosers.SaveSentences(parent);
  std::unique_ptr<QFileDialog> dialog = MakeSaveSentencesDialog(parent);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return dialog->selectedFiles().front();
}

}  // namespace

std::unique_ptr<QFileDialog> MakeSaveSentencesDialog(QWidget* parent) {
  auto dialog =
      std::make_unique<QFileDialog>(parent, QStringLiteral("Save sentences to a text file"));
  dialog->setObjectName(QStringLiteral("SaveDialog1"));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setNameFilters({QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")});
  dialog->setDefaultSuffix(QStringLiteral("txt"));
  dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
  SetModalBesideHelp(dialog.get());
  return dialog;
}

void CopyConcordance(WindowHost& workspace,
                     std::shared_ptr<const concordance::ConcordanceTable> table,
                     std::pair<int, int> selectedRows, QWidget* owner) {
  // One operation at a time: the command stays disabled while one runs.
  if (!table || table->RowCount() == 0 || workspace.Runner().busy()) return;
  if (workspace.FormCopyConcord()->exec() != QDialog::Accepted) return;
  // The table's text, and what is typed to go with it, is in its encoding.
  const TextCodec codec = CodecFor(table->TextEncoding);
  const concordance::CopyOptions options = workspace.FormCopyConcord()->Options(codec);
  // Words are cut with the separators of the latest build, as they are now
  // (or the table's own, when that build read the other encoding's text).
  const text::CharacterSets sets =
      workspace.LatestScanSets().SetsFor(table->TextEncoding, table->ScanSets);
  try {
    concordance::CopyWidth(options);
  } catch (const text::Error& e) {
    workspace.Ui().ShowError(e.what());
    return;
  }
  int first = 0;
  int last = table->RowCount() - 1;
  if (options.SelectedOnly) {
    if (selectedRows.first < 0) return;
    first = std::max(selectedRows.first, 0);
    last = std::min(selectedRows.second, last);
    if (first > last) return;
  }

  if (!options.ToFile) {
    auto text = std::make_shared<std::string>();
    auto copied = std::make_shared<bool>(false);
    workspace.Runner().start(
        [=](text::OperationHost& host) {
          *copied = concordance::CopyRowsToText(*table, first, last, options, sets, host.ui, *text,
                                                &host.progress);
        },
        [=](bool completed) {
          if (completed && *copied) QApplication::clipboard()->setText(codec.Decode(*text));
        },
        owner);
    return;
  }
  const std::optional<QString> file = chooseFile(workspace.Choosers(), owner);
  if (!file) return;
  const std::string path = ToPath(*file);
  workspace.Runner().start(
      [=](text::OperationHost& host) {
        concordance::CopyRowsToFile(*table, first, last, options, sets, path, host.ui,
                                    &host.progress);
      },
      {}, owner);
}

}  // namespace lexvane::gui
