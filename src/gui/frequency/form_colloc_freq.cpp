#include "gui/frequency/form_colloc_freq.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QThreadPool>

#include "frequency/colloc_association.h"
#include "frequency/colloc_table.h"
#include "frequency/frequency_copy.h"
#include "frequency/frequency_export.h"
#include "gui/base/thread_handover.h"
#include "gui/common/export_command.h"
#include "gui/common/frequency_copy_command.h"
#include "gui/common/frequency_grid.h"
#include "gui/common/window_host.h"
#include "gui/frequency/colloc_freq_model.h"
#include "gui/frequency/form_association.h"
#include "gui/frequency/form_sort_collocates.h"
#include "gui/help/help.h"
#include "gui/runner/operation_runner.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 20;
constexpr int kEditMenuHelpContext = 11;
constexpr int kExportHelpContext = 130;
constexpr int kAssociationHelpContext = 100;

}  // namespace

TFormCollocFreq::TFormCollocFreq(QWidget* parent) : ChildWindow(parent) {
  setWindowTitle(QStringLiteral("Collocate frequency"));
}

TFormCollocFreq::TFormCollocFreq(WindowHost& workspace,
                                 std::shared_ptr<frequency::CollocTable> table,
                                 const QString& caption, QWidget* parent)
    : ChildWindow(parent),
      workspace_(&workspace),
      codec_(table ? CodecFor(table->TextEncoding()) : CorpusCodec(workspace.Corpus())),
      table_(std::move(table)) {
  setObjectName(QStringLiteral("FormCollocFreq"));
  setWindowTitle(caption);
  SetHelpContext(this, kHelpContext);
  buildControls();
  buildMenus();
  connect(&workspace.Runner(), &OperationRunner::busyChanged, this, [this] { updateActions(); });
  showTable();
}

TFormCollocFreq::~TFormCollocFreq() {
  if (table_ == nullptr) return;
  model_->Detach();
  // Releasing millions of rows takes seconds: a pool thread does it, so the
  // program goes on at once.
  QThreadPool::globalInstance()->start(
      Hand([rows = std::move(table_)]() mutable { rows.reset(); }));
}

void TFormCollocFreq::buildControls() {
  model_ = new CollocFreqModel(codec_, this);
  DrawGrid1 = new QTableView(this);
  DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
  DrawGrid1->setAccessibleName(QStringLiteral("Collocate frequency"));
  DrawGrid1->setModel(model_);
  SetUpFrequencyGrid(DrawGrid1, table_->ColumnWidth(0));
  for (int c = 1; c < frequency::kCollocColumns; ++c)
    DrawGrid1->setColumnWidth(c - 1, table_->ColumnWidth(c));
  FillWithGrid(this, DrawGrid1, &PopupMenu1);
  resize(640, 320);
}

void TFormCollocFreq::buildMenus() {
  MenuEdit = new QMenu(QStringLiteral("&Edit"), this);
  MenuEdit->setObjectName(QStringLiteral("MenuEdit"));
  MenuEdit->menuAction()->setProperty(kMenuGroupProperty, 1);
  SetHelpContext(MenuEdit, kEditMenuHelpContext);
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  actions_ << AddEditCommands(
      this, MenuEdit, PopupMenu1,
      {
          {"MenuCopy", "&Copy...", "&Copy...", QKeySequence(Qt::CTRL | Qt::Key_Insert),
           &ChildWindow::MenuCopyClick},
          {"MenuClear", "Clear", "Clear", QKeySequence(Qt::Key_Delete),
           &ChildWindow::MenuClearClick},
          {"MenuSort", "&Sort...", "&Sort", {}, &ChildWindow::MenuSortClick},
      },
      kEditMenuHelpContext);
  // After the window's own entries; Export... stays the last entry of every
  // table window.
  actions_ << AddEditCommands(
      this, MenuEdit, PopupMenu1,
      {{"MenuAssociation",
        "Association measures...",
        "Association measures...",
        {},
        static_cast<void (ChildWindow::*)()>(&TFormCollocFreq::MenuAssociationClick)}},
      kAssociationHelpContext);
  MenuEdit->addSeparator();
  PopupMenu1->addSeparator();
  actions_ << AddEditCommands(
      this, MenuEdit, PopupMenu1,
      {{"MenuExport", "Export...", "Export...", {}, &ChildWindow::MenuExportClick}},
      kExportHelpContext);
}

QList<QMenu*> TFormCollocFreq::MergedMenus() const {
  if (MenuEdit == nullptr) return {};
  return {MenuEdit};
}

void TFormCollocFreq::updateActions() {
  const bool enabled = table_ != nullptr && !workspace_->Runner().busy();
  for (QAction* action : actions_) action->setEnabled(enabled);
}

void TFormCollocFreq::showTable() {
  model_->SetTable(table_.get());
  sizeAssociationColumns();
  updateActions();
}

void TFormCollocFreq::sizeAssociationColumns() {
  if (table_ == nullptr) return;
  for (int c = frequency::kCollocColumns; c < table_->ColumnCount(); ++c)
    DrawGrid1->setColumnWidth(c - 1, table_->ColumnWidth(c));
}

void TFormCollocFreq::MenuAssociationClick() {
  if (table_ == nullptr || workspace_->Runner().busy()) return;
  TFormAssociation& dialog = *workspace_->FormAssociation();
  if (dialog.exec() != QDialog::Accepted) return;
  const frequency::AssociationOptions options = dialog.Options();
  // The table changes on the worker thread: the grid leaves it alone meanwhile.
  model_->Detach();
  const bool started = workspace_->Runner().start(
      [table = table_, cache = workspace_->WordCounts(), options,
       &collator = workspace_->Collator()](text::OperationHost& host) {
        // C1: the corpus's word list, counted once for every table of it.
        const auto counts = cache->Obtain(table->SourceCorpus(), collator, host);
        if (counts != nullptr) table->ApplyAssociation(options, *counts, host.progress);
      },
      [this](bool) { showTable(); }, this);
  if (!started) showTable();
}

void TFormCollocFreq::MenuSortClick() {
  if (table_ == nullptr || workspace_->Runner().busy()) return;
  TFormSortCollocates& dialog = *workspace_->FormSortCollocates();
  if (dialog.exec() != QDialog::Accepted) return;
  const int column = dialog.Column();
  // The table changes on the worker thread: the grid leaves it alone meanwhile.
  model_->Detach();
  const bool started = workspace_->Runner().start(
      [table = table_, column](text::OperationHost& host) { table->Sort(column, host.progress); },
      [this](bool) { showTable(); }, this);
  if (!started) showTable();
}

void TFormCollocFreq::MenuClearClick() {
  if (table_ == nullptr || table_->Count() == 0 || workspace_->Runner().busy()) return;
  const auto [top, bottom] = SelectedRowBlock(DrawGrid1);
  if (top < 0 || top >= table_->Count()) return;
  const int last = std::min(bottom, table_->Count() - 1);
  const int left = SelectionLeftColumn(DrawGrid1);
  model_->RemoveRows(top, last, [&] { table_->ClearRows(top + 1, last + 1); });
  SelectSingleCell(DrawGrid1, top, left);
}

void TFormCollocFreq::MenuCopyClick() {
  if (table_ == nullptr || workspace_->Runner().busy()) return;
  RunFrequencyCopy(
      *workspace_, this, TFormCopyFreq::Table::Colloc, table_->Count(), SelectedRowBlock(DrawGrid1),
      codec_,
      [table = table_](std::int32_t first, std::int32_t last, const frequency::CopyOptions& options,
                       frequency::CopyDestination destination, frequency::CopySink& sink,
                       text::OperationHost& host) {
        frequency::CopyCollocates(*table, first, last, options, destination, sink, host);
      });
}

void TFormCollocFreq::MenuExportClick() {
  if (table_ == nullptr || workspace_->Runner().busy()) return;
  RunTableExport(*workspace_, this, QStringLiteral("collocates"), [table = table_] {
    return std::make_unique<table_export::FunctionTable>(frequency::CollocateExportTable(*table));
  });
}

}  // namespace lexvane::gui
