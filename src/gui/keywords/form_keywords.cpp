#include "gui/keywords/form_keywords.h"

#include <QAction>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTableView>
#include <QTimer>

#include "gui/common/export_command.h"
#include "gui/common/form_stat.h"
#include "gui/common/frequency_copy_command.h"
#include "gui/common/frequency_grid.h"
#include "gui/common/window_host.h"
#include "gui/help/help.h"
#include "gui/keywords/form_keyword_query.h"
#include "gui/keywords/form_sort_keywords.h"
#include "gui/keywords/keyword_model.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search.h"
#include "keywords/keyword_export.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 101;
constexpr int kExportHelpContext = 130;
constexpr int kNumberColumnWidth = 52;
// Word, key, the two frequencies, the two relative ones, LL, Log Ratio, %DIFF.
constexpr int kColumnWidths[] = {148, 32, 56, 56, 96, 110, 80, 72, 80};

}  // namespace

TFormKeywords::TFormKeywords(WindowHost& workspace, keywords::KeywordRequest request,
                             QWidget* parent)
    : ChildWindow(parent),
      workspace_(&workspace),
      request_(std::move(request)),
      codec_(CodecFor(request_.Study.TextEncoding)) {
  setObjectName(QStringLiteral("FormKeywords"));
  setWindowTitle(FromPath(keywords::KeywordCaption(request_.ReferencePath)));
  SetHelpContext(this, kHelpContext);
  buildControls();
  buildMenus();
  connect(&workspace.Runner(), &OperationRunner::busyChanged, this, [this] { updateActions(); });
  updateActions();
}

TFormKeywords::~TFormKeywords() {
  if (model_ != nullptr) model_->Detach();
}

void TFormKeywords::buildControls() {
  model_ = new KeywordModel(codec_, this);
  DrawGrid1 = new QTableView(this);
  DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
  DrawGrid1->setAccessibleName(QStringLiteral("Keyword list"));
  DrawGrid1->setModel(model_);
  SetUpFrequencyGrid(DrawGrid1, kNumberColumnWidth);
  for (int c = 0; c < model_->columnCount(); ++c) DrawGrid1->setColumnWidth(c, kColumnWidths[c]);
  connect(DrawGrid1, &QTableView::doubleClicked, this, &TFormKeywords::DrawGrid1DblClick);
  FillWithGrid(this, DrawGrid1, &PopupMenu1);
  resize(640, 320);
}

void TFormKeywords::buildMenus() {
  MenuEdit = new QMenu(QStringLiteral("&Edit"), this);
  MenuEdit->setObjectName(QStringLiteral("MenuEdit"));
  MenuEdit->menuAction()->setProperty(kMenuGroupProperty, 1);
  SetHelpContext(MenuEdit, kHelpContext);
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  actions_ << AddEditCommands(
      this, MenuEdit, PopupMenu1,
      {
          {"MenuCopy", "Copy...", "Copy...", QKeySequence(Qt::CTRL | Qt::Key_Insert),
           &ChildWindow::MenuCopyClick},
          {"MenuSort", "&Sort...", "Sort...", {}, &ChildWindow::MenuSortClick},
          {"MenuStatistics",
           "S&tatistics...",
           "S&tatistics...",
           {},
           &ChildWindow::MenuStatisticsClick},
      },
      kHelpContext);
  MenuEdit->addSeparator();
  PopupMenu1->addSeparator();
  actions_ << AddEditCommands(
      this, MenuEdit, PopupMenu1,
      {{"MenuExport", "Export...", "Export...", {}, &ChildWindow::MenuExportClick}},
      kExportHelpContext);
}

QList<QMenu*> TFormKeywords::MergedMenus() const {
  return {MenuEdit};
}

void TFormKeywords::updateActions() {
  const bool enabled = list_ != nullptr && !workspace_->Runner().busy();
  for (QAction* action : actions_) action->setEnabled(enabled);
}

bool TFormKeywords::Build() {
  if (workspace_->Runner().busy()) return false;
  auto result = std::make_shared<keywords::KeywordResult>();
  return workspace_->Runner().start(
      [result, request = request_, cache = workspace_->WordCounts(),
       &collator = workspace_->Collator()](text::OperationHost& host) {
        *result = keywords::BuildKeywordList(request, *cache, collator, host);
      },
      [this, result](bool completed) {
        if (!completed || result->List == nullptr) {
          closeWindow();
          return;
        }
        list_ = std::move(result->List);
        showList();
      },
      this);
}

void TFormKeywords::closeWindow() {
  // After the completion has returned: the runner may still hold the work.
  QTimer::singleShot(0, this, [this] {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
      sub->close();
    else
      close();
  });
}

void TFormKeywords::showList() {
  model_->SetList(list_.get());
  updateActions();
}

void TFormKeywords::MenuSortClick() {
  if (list_ == nullptr || workspace_->Runner().busy()) return;
  TFormSortKeywords& dialog = *workspace_->FormSortKeywords();
  dialog.SetSort(list_->SortOrder());
  if (dialog.exec() != QDialog::Accepted) return;
  const keywords::KeywordSort sort = dialog.Sort();
  model_->Detach();
  const bool started = workspace_->Runner().start(
      [list = list_, sort](text::OperationHost& host) { list->Sort(sort, host.progress); },
      [this](bool) { showList(); }, this);
  if (!started) showList();
}

void TFormKeywords::MenuCopyClick() {
  if (list_ == nullptr || workspace_->Runner().busy()) return;
  RunFrequencyCopy(
      *workspace_, this, TFormCopyFreq::Table::Keywords, list_->Count(),
      SelectedRowBlock(DrawGrid1), codec_,
      [list = list_](std::int32_t first, std::int32_t last, const frequency::CopyOptions& options,
                     frequency::CopyDestination destination, frequency::CopySink& sink,
                     text::OperationHost& host) {
        keywords::CopyKeywords(*list, first, last, options, destination, sink, host);
      });
}

void TFormKeywords::MenuStatisticsClick() {
  if (list_ == nullptr || workspace_->Runner().busy()) return;
  workspace_->FormStat()->ShowStatistics(list_->Statistics());
}

void TFormKeywords::MenuExportClick() {
  if (list_ == nullptr || workspace_->Runner().busy()) return;
  RunTableExport(*workspace_, this, QStringLiteral("keywords"), [list = list_] {
    return std::make_unique<table_export::FunctionTable>(keywords::KeywordExportTable(*list));
  });
}

void TFormKeywords::DrawGrid1DblClick(const QModelIndex& index) {
  if (list_ == nullptr || !index.isValid() || index.row() >= list_->Count()) return;
  // Appended as it stands, unchecked; the dialog is not opened.
  workspace_->FormSearch()->AppendMask(list_->Row(index.row()).Word, list_->TextEncoding());
}

ChildWindow* CreateKeywordWindow(WindowHost& workspace, QWidget* frame) {
  if (workspace.Runner().busy()) return nullptr;
  TFormKeywordQuery& dialog = *workspace.FormKeywordQuery();
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  keywords::KeywordRequest request;
  request.Study = workspace.Corpus();
  request.ReferencePath = dialog.ReferencePath();
  request.Options = dialog.Options();
  auto* window = new TFormKeywords(workspace, std::move(request), frame);
  if (!window->Build()) {
    delete window;
    return nullptr;
  }
  return window;
}

}  // namespace lexvane::gui
