#include "gui/ngrams/form_ngrams.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QThreadPool>

#include "gui/base/text_codec.h"
#include "gui/base/thread_handover.h"
#include "gui/common/export_command.h"
#include "gui/common/form_stat.h"
#include "gui/common/frequency_copy_command.h"
#include "gui/common/frequency_grid.h"
#include "gui/common/ngram_help.h"
#include "gui/common/window_host.h"
#include "gui/help/help.h"
#include "gui/ngrams/form_sort_ngrams.h"
#include "gui/ngrams/ngram_model.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search_adv.h"
#include "ngrams/ngram_copy.h"
#include "ngrams/ngram_export.h"
#include "ngrams/ngram_statistics.h"
#include "text/cut_word_report.h"

namespace lexvane::gui {

namespace {

constexpr int kExportHelpContext = 130;
constexpr int kNumberColumnWidth = 64;
constexpr int kColumnWidths[] = {260, 64, 64};

}  // namespace

TFormNGrams::TFormNGrams(WindowHost& workspace, QWidget* parent)
    : ChildWindow(parent), workspace_(&workspace) {
  setObjectName(QStringLiteral("FormNGrams"));
  setWindowTitle(QStringLiteral("N-gram List"));
  SetHelpContext(this, kNGramWindowHelpContext);
  buildControls(ngrams::ListKind::NGrams);
  buildMenus(kNGramWindowHelpContext);
  connect(&workspace.Runner(), &OperationRunner::busyChanged, this, [this] { updateActions(); });
  updateActions();
}

TFormNGrams::TFormNGrams(WindowHost& workspace, std::shared_ptr<ngrams::NGramList> list,
                         const QString& of, QWidget* parent)
    : ChildWindow(parent), workspace_(&workspace) {
  setObjectName(QStringLiteral("FormClusters"));
  setWindowTitle(QStringLiteral("Clusters") + of);
  SetHelpContext(this, kClusterWindowHelpContext);
  buildControls(ngrams::ListKind::Clusters);
  buildMenus(kClusterWindowHelpContext);
  connect(&workspace.Runner(), &OperationRunner::busyChanged, this, [this] { updateActions(); });
  list_ = std::move(list);
  showList();
}

TFormNGrams::~TFormNGrams() {
  if (list_ == nullptr) return;
  model_->Detach();
  // Releasing millions of rows takes a while: a pool thread does it.
  QThreadPool::globalInstance()->start(Hand([rows = std::move(list_)]() mutable { rows.reset(); }));
}

void TFormNGrams::buildControls(ngrams::ListKind kind) {
  model_ = new NGramModel(kind, this);
  DrawGrid1 = new QTableView(this);
  DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
  DrawGrid1->setAccessibleName(kind == ngrams::ListKind::Clusters ? QStringLiteral("Clusters")
                                                                  : QStringLiteral("N-grams"));
  DrawGrid1->setModel(model_);
  SetUpFrequencyGrid(DrawGrid1, kNumberColumnWidth);
  DrawGrid1->horizontalHeader()->setDefaultSectionSize(64);
  for (int c = 0; c < model_->columnCount(); ++c) DrawGrid1->setColumnWidth(c, kColumnWidths[c]);
  connect(DrawGrid1, &QTableView::doubleClicked, this, &TFormNGrams::DrawGrid1DblClick);
  FillWithGrid(this, DrawGrid1, &PopupMenu1);
  resize(520, 320);
}

void TFormNGrams::buildMenus(int helpContext) {
  MenuEdit = new QMenu(QStringLiteral("&Edit"), this);
  MenuEdit->setObjectName(QStringLiteral("MenuEdit"));
  MenuEdit->menuAction()->setProperty(kMenuGroupProperty, 1);
  SetHelpContext(MenuEdit, helpContext);
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
      helpContext);
  MenuEdit->addSeparator();
  PopupMenu1->addSeparator();
  actions_ << AddEditCommands(
      this, MenuEdit, PopupMenu1,
      {{"MenuExport", "Export...", "Export...", {}, &ChildWindow::MenuExportClick}},
      kExportHelpContext);
}

QList<QMenu*> TFormNGrams::MergedMenus() const {
  return {MenuEdit};
}

void TFormNGrams::updateActions() {
  const bool enabled = list_ != nullptr && !workspace_->Runner().busy();
  for (QAction* action : actions_) action->setEnabled(enabled);
}

bool TFormNGrams::Build(const ngrams::NGramOptions& options) {
  if (workspace_->Runner().busy()) return false;
  auto built = std::make_shared<ngrams::NGramList>();
  // The sets of the latest concordance or word list build stay those the
  // concordance sort and copy use: an n-gram list is neither.
  const corpus::CorpusSettings corpus = workspace_->Corpus();
  return workspace_->Runner().start(
      [built, corpus, options, &collator = workspace_->Collator()](text::OperationHost& host) {
        built->Build(corpus, options, collator, host);
      },
      [this, built](bool) {
        list_ = built;
        showList();
        if (!list_->CutWordFiles().empty())
          workspace_->Ui().ShowWarning(text::CutWordsReport(list_->CutWordFiles()));
      },
      this);
}

void TFormNGrams::showList() {
  model_->SetList(list_.get());
  updateActions();
}

void TFormNGrams::MenuSortClick() {
  if (list_ == nullptr || workspace_->Runner().busy()) return;
  TFormSortNGrams& dialog = *workspace_->FormSortNGrams();
  dialog.SetOrder(list_->SortMode());
  if (dialog.exec() != QDialog::Accepted) return;
  const ngrams::NGramSort order = dialog.Order();
  // The list changes on the worker thread: the grid leaves it alone meanwhile.
  model_->Detach();
  const bool started = workspace_->Runner().start(
      [list = list_, order](text::OperationHost& host) { list->Sort(order, host.progress); },
      [this](bool) { showList(); }, this);
  if (!started) showList();
}

void TFormNGrams::MenuClearClick() {
  if (list_ == nullptr || list_->Count() == 0 || workspace_->Runner().busy()) return;
  const auto [top, bottom] = SelectedRowBlock(DrawGrid1);
  if (top < 0 || top >= list_->Count()) return;
  const int last = std::min(bottom, list_->Count() - 1);
  const int left = SelectionLeftColumn(DrawGrid1);
  model_->RemoveRows(top, last, [&] { list_->ClearRows(top + 1, last + 1); });
  SelectSingleCell(DrawGrid1, top, left);
}

void TFormNGrams::MenuCopyClick() {
  if (list_ == nullptr || workspace_->Runner().busy()) return;
  // The copy options of a word list: "Save the Word List only" writes the
  // sequences without their figures.
  RunFrequencyCopy(
      *workspace_, this, TFormCopyFreq::Table::WordFreq, list_->Count(),
      SelectedRowBlock(DrawGrid1), CodecFor(list_->TextEncoding()),
      [list = list_](std::int32_t first, std::int32_t last, const frequency::CopyOptions& options,
                     frequency::CopyDestination destination, frequency::CopySink& sink,
                     text::OperationHost& host) {
        ngrams::CopyNGrams(*list, first, last, options, destination, sink, host);
      });
}

void TFormNGrams::MenuExportClick() {
  if (list_ == nullptr || workspace_->Runner().busy()) return;
  const bool clusters = list_->Kind() == ngrams::ListKind::Clusters;
  RunTableExport(
      *workspace_, this, clusters ? QStringLiteral("clusters") : QStringLiteral("ngrams"),
      [list = list_] {
        return std::make_unique<table_export::FunctionTable>(ngrams::NGramExportTable(*list));
      });
}

void TFormNGrams::MenuStatisticsClick() {
  if (list_ == nullptr || workspace_->Runner().busy()) return;
  workspace_->FormStat()->ShowStatistics(ngrams::NGramStatistics(*list_));
}

void TFormNGrams::DrawGrid1DblClick(const QModelIndex& index) {
  if (list_ == nullptr || !index.isValid() || index.row() >= list_->Count()) return;
  // The words of the row, one mask each: the list joined them by blanks,
  // which always separate words.
  std::vector<std::string> words;
  const std::string_view text = list_->Text(index.row());
  for (std::size_t begin = 0; begin <= text.size();) {
    std::size_t end = text.find(' ', begin);
    if (end == std::string_view::npos) end = text.size();
    words.emplace_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  workspace_->FormSearchAdv()->SetPhrase(words, list_->TextEncoding());
}

}  // namespace lexvane::gui
