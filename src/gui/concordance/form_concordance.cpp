#include "gui/concordance/form_concordance.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "concordance/concordance_builder.h"
#include "concordance/window_settings.h"
#include "gui/base/named_control.h"
#include "gui/common/window_host.h"
#include "gui/concordance/concordance_delegate.h"
#include "gui/concordance/concordance_model.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search.h"
#include "gui/search/form_search_adv.h"
#include "text/cut_word_report.h"
#include "text/error.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 5;
constexpr std::array<int, 5> kBuiltInWidths{52, 185, 87, 182, 107};

}  // namespace

TFormConcordance::TFormConcordance() = default;

TFormConcordance::TFormConcordance(WindowHost& workspace, QWidget* parent)
    : ChildWindow(parent), workspace_(&workspace), codec_(CorpusCodec(workspace.Corpus())) {
  Named(this, "FormConcordance", QStringLiteral("Concordance"));
  SetHelpContext(this, kHelpContext);
  resize(575, 312);
  buildControls();
  buildMenus();
  connect(&workspace.Runner(), &OperationRunner::busyChanged, this, &TFormConcordance::updateBusy);
}

TFormConcordance::~TFormConcordance() {
  if (table_ && table_.use_count() == 1) {
    // Releasing a large table takes a moment.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    table_.reset();
    QApplication::restoreOverrideCursor();
  }
  // The menus are not children of the window while merged into the frame.
  delete editMenu_;
  delete popupMenu_;
}

void TFormConcordance::buildControls() {
  memo_ = Named(new QPlainTextEdit(this), "MemoCurSentence", QStringLiteral("Current sentence"));
  memo_->setReadOnly(true);
  memo_->setFixedHeight(57);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  model_ = new ConcordanceModel(this);
  grid_ = Named(new QTableView(this), "DrawGrid1", QStringLiteral("Concordance"));
  grid_->setModel(model_);
  grid_->setItemDelegate(new ConcordanceDelegate(grid_));
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setWordWrap(false);
  grid_->setTextElideMode(Qt::ElideNone);
  grid_->setShowGrid(true);
  // Uniform rows: the view never measures a row's contents.
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 3);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  for (int c = 0; c < 5; ++c) grid_->setColumnWidth(c, kBuiltInWidths[c]);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  grid_->installEventFilter(this);
  connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) RefreshCurrentSentence(current.row() + 1);
          });
  connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    UpdateMenus();
    popupMenu_->exec(grid_->viewport()->mapToGlobal(pos));
  });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(memo_);
  layout->addWidget(grid_, 1);
}

bool TFormConcordance::Start(SearchKind kind) {
  search::SearchQuery query;
  if (kind == SearchKind::Simple) {
    if (workspace_->FormSearch()->exec() != QDialog::Accepted) return false;
    query = workspace_->FormSearch()->Query();
  } else {
    if (workspace_->FormSearchAdv()->exec() != QDialog::Accepted) return false;
    query = workspace_->FormSearchAdv()->Query();
  }
  try {
    concordance::MaxListSizeOf(query);
  } catch (const text::Error& e) {
    workspace_->Ui().ShowError(e.what());
    return false;
  }
  // Later sorts and copies cut words as this build does.
  workspace_->LatestScanSets().Record(corpus::ScannerSets(workspace_->Corpus()));
  setWindowTitle(
      codec_.Decode(concordance::ConcordanceCaption(query, workspace_->Corpus().TextEncoding)));
  // The work gets its own copies: the corpus may be edited while it runs.
  auto built = std::make_shared<std::unique_ptr<concordance::ConcordanceTable>>();
  const corpus::CorpusSettings corpus = workspace_->Corpus();
  const bool started = workspace_->Runner().start(
      [built, query, corpus](text::OperationHost& host) {
        *built = concordance::BuildConcordance(query, corpus, host);
      },
      [this, built](bool completed) {
        if (!completed || !*built) {
          // The message has been shown; a window without a table goes.
          if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
          else
            deleteLater();
          return;
        }
        showBuilt(std::move(*built));
      },
      this);
  return started;
}

void TFormConcordance::showBuilt(std::unique_ptr<concordance::ConcordanceTable> table) {
  table_ = std::move(table);
  // Captions, copies and pastes follow the table's encoding from now on.
  codec_ = CodecFor(table_->TextEncoding);
  table_->TableSorted = false;
  model_->setTable(table_, codec_);
  for (const char* name : {"MenuDisplaystrippedsource", "MenuDisplaystrippedtext"})
    actions_.value(QLatin1String(name))->setVisible(table_->TaggedText);
  built_ = true;
  applySettings();
  if (table_->RowCount() > 0) {
    selectCell(0, ConcordanceModel::KeywordColumn);
    RefreshCurrentSentence(-1);
  }
  updateBusy(workspace_->Runner().busy());
  if (!table_->CutWordFiles.empty())
    workspace_->Ui().ShowWarning(text::CutWordsReport(table_->CutWordFiles));
  Q_EMIT built();
}

void TFormConcordance::applySettings() {
  const concordance::ConcordanceWindowSettings& settings = workspace_->WindowSettings();
  if (settings.ColWidths[0] > 0) {
    for (int c = 0; c < 5; ++c) {
      grid_->setColumnWidth(c, settings.ColWidths[c]);
      grid_->setColumnHidden(c, settings.ColWidths[c] == 0);
    }
  }
  setPaneShown(settings.ShowCurSent);
  if (wantShown_ || isHidden()) {
    wantShown_ = false;
    ChildWindow::setVisible(true);
  }
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sub->show();
    if (sub->mdiArea() != nullptr) sub->mdiArea()->setActiveSubWindow(sub);
    if (settings.Maximized)
      sub->showMaximized();
    else
      sub->showNormal();
  } else if (settings.Maximized) {
    showMaximized();
  }
  // The frame activates the window that holds the focus.
  grid_->setFocus();
}

void TFormConcordance::setVisible(bool visible) {
  // Shown only once the table is complete (the frame shows it at once).
  if (visible && workspace_ != nullptr && !built_) {
    wantShown_ = true;
    return;
  }
  ChildWindow::setVisible(visible);
}

int TFormConcordance::CurrentRow() const {
  if (grid_ == nullptr) return -1;
  const QModelIndex current = grid_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

std::pair<int, int> TFormConcordance::SelectedRows() const {
  if (grid_ == nullptr) return {-1, -1};
  const QItemSelection selection = grid_->selectionModel()->selection();
  if (selection.isEmpty()) {
    const int row = CurrentRow();
    return {row, row};
  }
  int top = selection.front().top();
  int bottom = selection.front().bottom();
  for (const QItemSelectionRange& range : selection) {
    top = std::min(top, range.top());
    bottom = std::max(bottom, range.bottom());
  }
  return {top, bottom};
}

void TFormConcordance::selectCell(int row, int column) {
  if (row < 0 || row >= model_->rowCount()) {
    grid_->selectionModel()->clear();
    return;
  }
  const QModelIndex index = model_->index(row, column);
  grid_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  grid_->scrollTo(index);
}

void TFormConcordance::SelectRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  selectCell(row, ConcordanceModel::KeywordColumn);
}

bool TFormConcordance::SentenceShown() const {
  return memo_ != nullptr && !memo_->isHidden();
}

void TFormConcordance::RefreshCurrentSentence(int row) {
  if (!SentenceShown()) return;
  if (row == -1) row = SelectedRows().first + 1;
  QString text;
  if (row > 0 && table_ && row <= table_->RowCount()) {
    const int i = row - 1;
    text = codec_.Decode(table_->LeftContexts().View(i)) + QStringLiteral(" |") +
           codec_.Decode(table_->Keywords().View(i)) + QStringLiteral("| ") +
           codec_.Decode(table_->RightContexts().View(i));
  }
  memo_->setPlainText(text);
}

void TFormConcordance::setPaneShown(bool shown) {
  memo_->setVisible(shown);
  for (const char* name : {"MenuCurrentSentence", "MenuPopupCurrentSentence"})
    actions_.value(QLatin1String(name))->setChecked(shown);
}

void TFormConcordance::MenuCurrentSentenceClick() {
  setPaneShown(!SentenceShown());
  RefreshCurrentSentence(-1);
}

void TFormConcordance::MenuSaveSettingsClick() {
  concordance::ConcordanceWindowSettings& settings = workspace_->WindowSettings();
  for (int c = 0; c < 5; ++c)
    settings.ColWidths[c] = grid_->isColumnHidden(c) ? 0 : grid_->columnWidth(c);
  settings.ShowCurSent = SentenceShown();
  auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
  settings.Maximized = sub != nullptr ? sub->isMaximized() : isMaximized();
  try {
    concordance::SaveConcordanceWindowSettings(settings, concordance::SettingsFilePath());
  } catch (const text::Error& e) {
    workspace_->Ui().ShowError(e.what());
  }
}

bool TFormConcordance::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    MenuClearClick();
    return true;
  }
  return ChildWindow::eventFilter(watched, event);
}

}  // namespace lexvane::gui
