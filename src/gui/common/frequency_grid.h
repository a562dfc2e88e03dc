// What the grids of the frequency, keyword and n-gram windows share: their look (fixed
// heading row and row-number column, rows 16 pixels high or the font's
// height, a contiguous block of cells selectable, palette colours) and the
// selection block the commands act on. GUI thread only.
#pragma once

#include <initializer_list>
#include <utility>

#include <QKeySequence>
#include <QList>

class QAction;
class QMenu;
class QTableView;
class QWidget;

namespace lexvane::gui {

class ChildWindow;

// Sets up a grid for a frequency table model; `numberColumnWidth` is the
// width of the row-number column (the vertical header).
void SetUpFrequencyGrid(QTableView* grid, int numberColumnWidth);

// Makes the grid the whole of `window`, without margins, opening the menu
// `*popup` points to (read at each request, so it may be made later) where
// the user asks for the context menu.
void FillWithGrid(QWidget* window, QTableView* grid, QMenu* const* popup);

// The first and last rows (0-based) of the grid's selection block, or of the
// current cell when nothing is selected; {-1, -1} when there is neither.
std::pair<int, int> SelectedRowBlock(const QTableView* grid);

// The left column of the selection block (of the current cell when nothing
// is selected; 0 when there is neither).
int SelectionLeftColumn(const QTableView* grid);

// Makes the single cell at (row, column) the current cell and the selection,
// with the row cut to the last one; no selection when the grid has no rows.
void SelectSingleCell(QTableView* grid, int row, int column);

// One command of a frequency window: its Edit menu entry and its pop-up twin.
struct EditCommand {
  const char* name;
  const char* caption;
  const char* popupCaption;
  QKeySequence shortcut;
  void (ChildWindow::*handler)();
};

// Adds each command to `edit` (with help context `helpContext`, its shortcut
// working while `window` has the focus) and to `popup`; returns the actions
// made, each menu entry followed by its pop-up twin.
QList<QAction*> AddEditCommands(ChildWindow* window, QMenu* edit, QMenu* popup,
                                std::initializer_list<EditCommand> commands, int helpContext);

}  // namespace lexvane::gui
