#include "gui/common/frequency_grid.h"

#include <algorithm>

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>

#include "gui/base/child_window.h"
#include "gui/help/help.h"

namespace lexvane::gui {

void SetUpFrequencyGrid(QTableView* grid, int numberColumnWidth) {
  grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  grid->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setWordWrap(false);
  grid->setTextElideMode(Qt::ElideNone);
  grid->setCornerButtonEnabled(false);
  // Rows of 16 pixels unless the font needs more.
  const int rowHeight = std::max(16, grid->fontMetrics().height() + 2);
  QHeaderView* rows = grid->verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setMinimumSectionSize(rowHeight);
  rows->setDefaultSectionSize(rowHeight);
  rows->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
  rows->setFixedWidth(numberColumnWidth);
  rows->setHighlightSections(false);
  QHeaderView* columns = grid->horizontalHeader();
  columns->setSectionResizeMode(QHeaderView::Interactive);
  columns->setMinimumSectionSize(1);
  columns->setHighlightSections(false);
  columns->setStretchLastSection(false);
}

void FillWithGrid(QWidget* window, QTableView* grid, QMenu* const* popup) {
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(
      grid, &QWidget::customContextMenuRequested, window,
      [grid, popup](const QPoint& at) { (*popup)->popup(grid->viewport()->mapToGlobal(at)); });
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(grid);
}

std::pair<int, int> SelectedRowBlock(const QTableView* grid) {
  const QItemSelectionModel* selection = grid->selectionModel();
  if (selection == nullptr) return {-1, -1};
  int top = -1, bottom = -1;
  for (const QItemSelectionRange& range : selection->selection()) {
    if (top < 0 || range.top() < top) top = range.top();
    bottom = std::max(bottom, range.bottom());
  }
  if (top >= 0) return {top, bottom};
  const QModelIndex current = selection->currentIndex();
  if (current.isValid()) return {current.row(), current.row()};
  return {-1, -1};
}

int SelectionLeftColumn(const QTableView* grid) {
  const QItemSelectionModel* selection = grid->selectionModel();
  if (selection == nullptr) return 0;
  int left = -1;
  for (const QItemSelectionRange& range : selection->selection())
    if (left < 0 || range.left() < left) left = range.left();
  if (left >= 0) return left;
  return std::max(0, selection->currentIndex().column());
}

void SelectSingleCell(QTableView* grid, int row, int column) {
  QAbstractItemModel* model = grid->model();
  QItemSelectionModel* selection = grid->selectionModel();
  if (model == nullptr || selection == nullptr) return;
  const int rows = model->rowCount();
  if (rows == 0) {
    selection->clear();
    return;
  }
  const QModelIndex cell =
      model->index(std::clamp(row, 0, rows - 1), std::clamp(column, 0, model->columnCount() - 1));
  selection->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
}

QList<QAction*> AddEditCommands(ChildWindow* window, QMenu* edit, QMenu* popup,
                                std::initializer_list<EditCommand> commands, int helpContext) {
  QList<QAction*> made;
  for (const EditCommand& item : commands) {
    auto* action = new QAction(QString::fromLatin1(item.caption), window);
    action->setObjectName(QString::fromLatin1(item.name));
    action->setShortcut(item.shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    SetHelpContext(action, helpContext);
    QObject::connect(action, &QAction::triggered, window, item.handler);
    edit->addAction(action);
    window->addAction(action);  // the shortcut works while the window has the focus
    auto* twin = new QAction(QString::fromLatin1(item.popupCaption), window);
    twin->setObjectName(QString::fromLatin1(item.name) + QStringLiteral("Popup"));
    twin->setShortcut(item.shortcut);
    QObject::connect(twin, &QAction::triggered, window, item.handler);
    popup->addAction(twin);
    made << action << twin;
  }
  return made;
}

}  // namespace lexvane::gui
