#include "gui/search/search_file_dialogs.h"

#include <QFileDialog>

#include "gui/help/help.h"

namespace lexvane::gui {

namespace {

constexpr int kSearchFileHelp = 17;
constexpr int kLemmaFileHelp = 18;

// Qt takes the patterns from the last parentheses and, with the details
// hidden, shows the description before them as it stands. Linux names are
// case-sensitive, so the patterns take both cases.
const QString kWordSearchFiles = QStringLiteral("Word Search files (*.cws) (*.cws *.CWS)");
const QString kLemmaListFiles = QStringLiteral("Lemma List files (*.cll) (*.cll *.CLL)");
const QString kAllFiles = QStringLiteral("All files (*.*) (*)");

std::unique_ptr<QFileDialog> makeDialog(QWidget* parent, const QString& title,
                                        const QString& filter, const QString& start,
                                        int helpContext) {
  auto dialog = std::make_unique<QFileDialog>(parent, title);
  SetModalBesideHelp(dialog.get());
  dialog->setNameFilters({filter, kAllFiles});
  dialog->setOption(QFileDialog::HideNameFilterDetails);
  if (!start.isEmpty()) dialog->selectFile(start);
  SetHelpContext(dialog.get(), helpContext);
  return dialog;
}

std::optional<QString> run(std::unique_ptr<QFileDialog> dialog) {
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return dialog->selectedFiles().front();
}

}  // namespace

std::unique_ptr<QFileDialog> MakeSearchSaveDialog(QWidget* parent, const QString& start) {
  auto dialog = makeDialog(parent, QStringLiteral("Save list of words"), kWordSearchFiles, start,
                           kSearchFileHelp);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);  // asks before overwriting
  return dialog;
}

std::unique_ptr<QFileDialog> MakeSearchLoadDialog(QWidget* parent, const QString& start) {
  auto dialog = makeDialog(parent, QStringLiteral("Load list of words"), kWordSearchFiles, start,
                           kSearchFileHelp);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setDefaultSuffix(QStringLiteral("txt"));
  return dialog;
}

std::unique_ptr<QFileDialog> MakeLemmaOpenDialog(QWidget* parent, const QString& start) {
  auto dialog = makeDialog(parent, QStringLiteral("Load list of lemmas and word forms"),
                           kLemmaListFiles, start, kLemmaFileHelp);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setDefaultSuffix(QStringLiteral("txt"));
  return dialog;
}

SearchFileChoosers QtSearchFileChoosers(QWidget* parent) {
  return {[parent](const QString& start) { return run(MakeSearchSaveDialog(parent, start)); },
          [parent](const QString& start) { return run(MakeSearchLoadDialog(parent, start)); },
          [parent](const QString& start) { return run(MakeLemmaOpenDialog(parent, start)); }};
}

}  // namespace lexvane::gui
