#include "gui/frequency/form_word_freq.h"

#include <iterator>

#include <QAction>
#include <QHeaderView>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTableView>
#include <QThreadPool>
#include <QTimer>

#include "frequency/frequency_copy.h"
#include "frequency/frequency_export.h"
#include "frequency/word_frequency_list.h"
#include "frequency/word_frequency_statistics.h"
#include "gui/base/thread_handover.h"
#include "gui/common/export_command.h"
#include "gui/common/form_stat.h"
#include "gui/common/frequency_copy_command.h"
#include "gui/common/frequency_grid.h"
#include "gui/common/window_host.h"
#include "gui/frequency/form_sort_word_freq.h"
#include "gui/frequency/form_word_freq_columns.h"
#include "gui/frequency/word_freq_model.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search.h"
#include "text/cut_word_report.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 21;
constexpr int kEditMenuHelpContext = 11;
constexpr int kExportHelpContext = 130;
constexpr int kColumnsHelpContext = 112;
// Widths of the row-number column and of the word, class and figure columns.
constexpr int kNumberColumnWidth = 64;
constexpr int kColumnWidths[] = {148, 64, 64, 64, 64, 64};

}  // namespace

TFormWordFreq::TFormWordFreq(QWidget* parent) : ChildWindow(parent) {
  setWindowTitle(QStringLiteral("Word Frequency"));
}

TFormWordFreq::TFormWordFreq(WindowHost& workspace, QWidget* parent)
    : ChildWindow(parent), workspace_(&workspace), codec_(CorpusCodec(workspace.Corpus())) {
  setObjectName(QStringLiteral("FormWordFreq"));
  setWindowTitle(QStringLiteral("Word Frequency"));
  SetHelpContext(this, kHelpContext);
  buildControls();
  buildMenus();
  connect(&workspace.Runner(), &OperationRunner::busyChanged, this, [this] { updateActions(); });
  updateActions();
}

TFormWordFreq::~TFormWordFreq() {
  if (list_ == nullptr) return;
  model_->Detach();
  // Releasing millions of rows takes seconds: a pool thread does it, so the
  // program goes on at once.
  QThreadPool::globalInstance()->start(Hand([rows = std::move(list_)]() mutable { rows.reset(); }));
}

void TFormWordFreq::buildControls() {
  model_ = new WordFreqModel(codec_, this);
  DrawGrid1 = new QTableView(this);
  DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
  DrawGrid1->setAccessibleName(QStringLiteral("Word Frequency"));
  DrawGrid1->setModel(model_);
  SetUpFrequencyGrid(DrawGrid1, kNumberColumnWidth);
  DrawGrid1->horizontalHeader()->setDefaultSectionSize(64);
  for (int c = 0; c < model_->columnCount(); ++c) DrawGrid1->setColumnWidth(c, kColumnWidths[c]);
  connect(DrawGrid1, &QTableView::doubleClicked, this, &TFormWordFreq::DrawGrid1DblClick);
  FillWithGrid(this, DrawGrid1, &PopupMenu1);
  resize(480, 320);
}

void TFormWordFreq::buildMenus() {
  MenuEdit = new QMenu(QStringLiteral("&Edit"), this);
  MenuEdit->setObjectName(QStringLiteral("MenuEdit"));
  MenuEdit->menuAction()->setProperty(kMenuGroupProperty, 1);
  SetHelpContext(MenuEdit, kEditMenuHelpContext);
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  actions_ << AddEditCommands(
      this, MenuEdit, PopupMenu1,
      {
          {"MenuCopy", "Copy...", "Copy...", QKeySequence(Qt::CTRL | Qt::Key_Insert),
           &ChildWindow::MenuCopyClick},
          {"MenuClear", "Clear", "Clear", QKeySequence(Qt::Key_Delete),
           &ChildWindow::MenuClearClick},
          {"MenuSort", "&Sort...", "Sort...", {}, &ChildWindow::MenuSortClick},
          {"MenuStatistics",
           "S&tatistics...",
           "S&tatistics...",
           {},
           &ChildWindow::MenuStatisticsClick},
      },
      kEditMenuHelpContext);
  MenuEdit->addSeparator();
  PopupMenu1->addSeparator();
  actions_ << AddEditCommands(
      this, MenuEdit, PopupMenu1,
      {{"MenuExport", "Export...", "Export...", {}, &ChildWindow::MenuExportClick}},
      kExportHelpContext);
  // Added after the window's own commands.
  MenuEdit->addSeparator()->setObjectName(QStringLiteral("N1"));
  PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N2"));
  for (auto [menu, name] :
       {std::pair{MenuEdit, "MenuColumns"}, std::pair{PopupMenu1, "MenuPopupColumns"}}) {
    QAction* action = menu->addAction(QStringLiteral("Co&lumns..."));
    action->setObjectName(QLatin1String(name));
    SetHelpContext(action, kColumnsHelpContext);
    connect(action, &QAction::triggered, this, &TFormWordFreq::MenuColumnsClick);
    actions_ << action;
  }
}

QList<QMenu*> TFormWordFreq::MergedMenus() const {
  if (MenuEdit == nullptr) return {};
  return {MenuEdit};
}

void TFormWordFreq::updateActions() {
  const bool enabled = list_ != nullptr && !workspace_->Runner().busy();
  for (QAction* action : actions_) action->setEnabled(enabled);
}

void TFormWordFreq::showEvent(QShowEvent* event) {
  ChildWindow::showEvent(event);
  if (shownOnce_ || workspace_ == nullptr) return;
  shownOnce_ = true;
  // Word frequency windows follow the maximized setting of concordance windows.
  if (workspace_->WindowSettings().Maximized) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
      QTimer::singleShot(0, sub, [sub] { sub->showMaximized(); });
  }
}

bool TFormWordFreq::Build() {
  if (workspace_->Runner().busy()) return false;
  return count(std::make_shared<const corpus::CorpusSettings>(workspace_->Corpus()),
               frequency::kSortAlphabetical);
}

bool TFormWordFreq::count(std::shared_ptr<const corpus::CorpusSettings> corpus, int sortMode) {
  auto built = std::make_shared<frequency::WordFrequencyList>(workspace_->Collator());
  built->SetCountSpread(rangeChosen() || dpChosen());
  // Later concordance sorts and copies cut words as this build does.
  workspace_->LatestScanSets().Record(corpus::ScannerSets(*corpus));
  if (list_ != nullptr) model_->Detach();
  return workspace_->Runner().start(
      [built, corpus, sortMode](text::OperationHost& host) {
        built->Build(*corpus, host);
        if (sortMode != frequency::kSortAlphabetical)
          built->SortWordList(sortMode, frequency::SortCaption(sortMode), host.progress);
      },
      [this, built, corpus](bool) {
        list_ = built;
        countedFrom_ = corpus;
        codec_ = CodecFor(list_->TextEncoding());
        showList();
        if (!list_->CutWordFiles().empty())
          workspace_->Ui().ShowWarning(text::CutWordsReport(list_->CutWordFiles()));
      },
      this);
}

bool TFormWordFreq::rangeChosen() const {
  return workspace_->FormWordFreqColumns() != nullptr && workspace_->FormWordFreqColumns()->Range();
}

bool TFormWordFreq::dpChosen() const {
  return workspace_->FormWordFreqColumns() != nullptr && workspace_->FormWordFreqColumns()->DP();
}

void TFormWordFreq::MenuColumnsClick() {
  if (list_ == nullptr || workspace_->Runner().busy() ||
      workspace_->FormWordFreqColumns() == nullptr)
    return;
  if (!workspace_->FormWordFreqColumns()->Choose()) return;
  if ((rangeChosen() || dpChosen()) && !list_->HasSpread() && countedFrom_ != nullptr) {
    count(countedFrom_, list_->SortMode());
    return;
  }
  showList();
}

void TFormWordFreq::showList() {
  QHeaderView* header = DrawGrid1->horizontalHeader();
  QList<int> widths;
  for (int c = 0; c < header->count(); ++c) widths << header->sectionSize(c);
  model_->SetList(list_.get());
  model_->SetSpreadColumns(rangeChosen(), dpChosen());
  // A sort may add or drop the two cumulative columns; the others keep the
  // widths the user gave them.
  constexpr int kKnownWidths = static_cast<int>(std::size(kColumnWidths));
  for (int c = 0; c < model_->columnCount(); ++c)
    DrawGrid1->setColumnWidth(
        c, c < widths.size() ? widths[c] : kColumnWidths[std::min(c, kKnownWidths - 1)]);
  updateActions();
}

void TFormWordFreq::MenuSortClick() {
  if (list_ == nullptr || workspace_->Runner().busy()) return;
  TFormSortWordFreq& dialog = *workspace_->FormSortWordFreq();
  if (dialog.exec() != QDialog::Accepted) return;
  const int mode = dialog.ItemIndex();
  // The list changes on the worker thread: the grid leaves it alone meanwhile.
  model_->Detach();
  const bool started = workspace_->Runner().start(
      [list = list_, mode](text::OperationHost& host) {
        list->SortWordList(mode, frequency::SortCaption(mode), host.progress);
      },
      [this](bool) { showList(); }, this);
  if (!started) showList();
}

void TFormWordFreq::MenuClearClick() {
  if (list_ == nullptr || list_->Count() == 0 || workspace_->Runner().busy()) return;
  const auto [top, bottom] = SelectedRowBlock(DrawGrid1);
  if (top < 0 || top >= list_->Count()) return;
  const int last = std::min(bottom, list_->Count() - 1);
  const int left = SelectionLeftColumn(DrawGrid1);
  model_->RemoveRows(top, last, [&] { list_->ClearRows(top + 1, last + 1); });
  SelectSingleCell(DrawGrid1, top, left);
}

void TFormWordFreq::MenuCopyClick() {
  if (list_ == nullptr || workspace_->Runner().busy()) return;
  RunFrequencyCopy(*workspace_, this, TFormCopyFreq::Table::WordFreq, list_->Count(),
                   SelectedRowBlock(DrawGrid1), codec_,
                   [list = list_, range = rangeChosen(), dp = dpChosen()](
                       std::int32_t first, std::int32_t last, const frequency::CopyOptions& options,
                       frequency::CopyDestination destination, frequency::CopySink& sink,
                       text::OperationHost& host) {
                     // The added columns shown are copied too.
                     frequency::CopyOptions shown = options;
                     shown.WithRange = range;
                     shown.WithDP = dp;
                     frequency::CopyWordFrequencies(*list, first, last, shown, destination, sink,
                                                    host);
                   });
}

void TFormWordFreq::MenuExportClick() {
  if (list_ == nullptr || workspace_->Runner().busy()) return;
  // The added columns shown are exported too.
  RunTableExport(*workspace_, this, QStringLiteral("word frequency"),
                 [list = list_, range = rangeChosen(), dp = dpChosen()] {
                   return std::make_unique<table_export::FunctionTable>(
                       frequency::WordFrequencyExportTable(*list, range, dp));
                 });
}

void TFormWordFreq::MenuStatisticsClick() {
  if (list_ == nullptr || workspace_->Runner().busy()) return;
  workspace_->FormStat()->ShowStatistics(frequency::WordFrequencyStatistics(*list_));
}

void TFormWordFreq::DrawGrid1DblClick(const QModelIndex& index) {
  if (list_ == nullptr || !index.isValid() || index.row() >= list_->Count()) return;
  appendToWordSearch(list_->Info(index.row()).Word);
}

void TFormWordFreq::appendToWordSearch(const std::string& word) {
  // Appended as it stands, unchecked; the dialog is not opened.
  workspace_->FormSearch()->AppendMask(word, list_->TextEncoding());
}

}  // namespace lexvane::gui
