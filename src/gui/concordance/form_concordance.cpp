#include "gui/concordance/form_concordance.h"

#include <QMenu>

#include "gui/app/workspace.h"

namespace lexvane::gui {

TFormConcordance::TFormConcordance() = default;

TFormConcordance::TFormConcordance(Workspace& workspace, QWidget* parent)
    : ChildWindow(parent), workspace_(&workspace) {}

TFormConcordance::~TFormConcordance() = default;

bool TFormConcordance::Start(SearchKind) {
  return false;
}

int TFormConcordance::CurrentRow() const {
  return -1;
}

std::pair<int, int> TFormConcordance::SelectedRows() const {
  return {-1, -1};
}

void TFormConcordance::TableChanged() {}

void TFormConcordance::SortThen(std::function<void(bool)> next) {
  if (next) next(table_ && table_->TableSorted);
}

QList<QMenu*> TFormConcordance::MergedMenus() const {
  return {};
}

QAction* TFormConcordance::Action(const QString&) const {
  return nullptr;
}

void TFormConcordance::MenuClearClick() {}
void TFormConcordance::MenuSortClick() {
  SortThen({});
}
void TFormConcordance::MenuDeleteDuplicateClick() {}
void TFormConcordance::MenuPasteClick() {}
void TFormConcordance::MenuShowCurrentSentenceClick() {}
void TFormConcordance::MenuSaveSettingsClick() {}

void TFormConcordance::setVisible(bool visible) {
  ChildWindow::setVisible(visible);
}

}  // namespace lexvane::gui
