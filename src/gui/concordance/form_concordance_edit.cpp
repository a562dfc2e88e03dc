// The concordance window's commands that change its rows: sort, clear,
// delete duplicate sentences and paste.
#include <QApplication>
#include <QClipboard>
#include <QTableView>

#include "concordance/concordance_edit.h"
#include "concordance/concordance_sort.h"
#include "gui/common/window_host.h"
#include "gui/concordance/concordance_model.h"
#include "gui/concordance/form_concordance.h"
#include "gui/concordance/form_sort_concord.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"

namespace lexvane::gui {

void TFormConcordance::TableChanged() {
  const std::pair<int, int> selected = SelectedRows();
  const int column = grid_->currentIndex().isValid() ? grid_->currentIndex().column()
                                                     : ConcordanceModel::KeywordColumn;
  model_->setTable(table_, codec_);
  if (table_ && table_->RowCount() > 0)
    selectCell(std::clamp(selected.first, 0, table_->RowCount() - 1), column);
  RefreshCurrentSentence(-1);
}

void TFormConcordance::runOnTable(
    std::function<void(concordance::ConcordanceTable&, text::OperationHost&)> work,
    std::function<void()> then) {
  std::shared_ptr<concordance::ConcordanceTable> table = table_;
  const std::pair<int, int> selected = SelectedRows();
  const int column = grid_->currentIndex().isValid() ? grid_->currentIndex().column()
                                                     : ConcordanceModel::KeywordColumn;
  // The grid lets go of the table while another thread changes it.
  model_->setTable(nullptr, codec_);
  const bool started = workspace_->Runner().start(
      [table, work = std::move(work),
       hook = workspace_->OperationHook()](text::OperationHost& host) {
        if (hook) hook();
        work(*table, host);
      },
      [this, selected, column, then = std::move(then)](bool) {
        model_->setTable(table_, codec_);
        if (table_->RowCount() > 0)
          selectCell(std::clamp(selected.first, 0, table_->RowCount() - 1), column);
        RefreshCurrentSentence(-1);
        if (then) then();
      },
      this);
  if (!started) model_->setTable(table_, codec_);
}

void TFormConcordance::SortThen(std::function<void(bool)> next) {
  auto finish = [next](bool sorted) {
    if (next) next(sorted);
  };
  if (!table_ || table_->RowCount() == 0 || workspace_->Runner().busy()) {
    finish(table_ && table_->TableSorted);
    return;
  }
  TFormSortConcord& dialog = *workspace_->FormSortConcord();
  if (dialog.exec() != QDialog::Accepted) {
    finish(table_->TableSorted);
    return;
  }
  const concordance::SortOptions options = dialog.Options();
  // The sets the sort cuts words with, which the tint then follows.
  const text::CharacterSets sets =
      workspace_->LatestScanSets().SetsFor(table_->TextEncoding, table_->ScanSets);
  runOnTable(
      [options, sets, &collator = workspace_->Collator()](concordance::ConcordanceTable& table,
                                                          text::OperationHost& host) {
        concordance::SortConcordance(table, options, sets, collator, host.progress);
      },
      [this, options, sets, finish] {
        if (table_->TableSorted)
          model_->setTintedWord(
              {options.RightPart ? ConcordanceModel::RightColumn : ConcordanceModel::LeftColumn,
               options.WordNumber, sets});
        finish(table_->TableSorted);
      });
}

void TFormConcordance::MenuSortClick() {
  SortThen({});
}

void TFormConcordance::MenuClearClick() {
  if (!table_ || table_->RowCount() == 0 || workspace_->Runner().busy()) return;
  const std::pair<int, int> rows = SelectedRows();
  if (rows.first < 0 || rows.first >= table_->RowCount()) return;
  const int column = grid_->currentIndex().isValid() ? grid_->currentIndex().column()
                                                     : ConcordanceModel::KeywordColumn;
  const int last = std::min(rows.second, table_->RowCount() - 1);
  // A reset, not a removal: the row numbers of every later row change.
  const std::int32_t select = concordance::ClearRows(*table_, rows.first + 1, last + 1);
  model_->reset();
  if (select > 0) {
    selectCell(select - 1, column);
  } else {
    grid_->selectionModel()->clear();
  }
  RefreshCurrentSentence(-1);
}

namespace {

// Keeps the closing message of an operation for the GUI thread, so that it
// shows over the grid once the grid has the table back.
class DeferredMessage : public text::UserInterface {
 public:
  text::Answer Ask(std::string_view caption, std::string_view text, text::Buttons buttons,
                   text::Icon icon) override {
    caption_ = caption;
    text_ = text;
    buttons_ = buttons;
    icon_ = icon;
    asked_ = true;
    return text::Answer::Ok;
  }
  void ShowOn(text::UserInterface& ui) const {
    if (asked_) ui.Ask(caption_, text_, buttons_, icon_);
  }

 private:
  std::string caption_;
  std::string text_;
  text::Buttons buttons_ = text::Buttons::Ok;
  text::Icon icon_ = text::Icon::None;
  bool asked_ = false;
};

}  // namespace

void TFormConcordance::MenuDeleteDuplicateClick() {
  if (!table_ || table_->RowCount() == 0 || workspace_->Runner().busy()) return;
  // Its only question is the closing information with an OK button.
  auto message = std::make_shared<DeferredMessage>();
  runOnTable(
      [message](concordance::ConcordanceTable& table, text::OperationHost& host) {
        text::OperationHost deferred{*message, host.search, host.progress};
        concordance::DeleteDuplicateSentences(table, deferred);
      },
      [this, message] { message->ShowOn(workspace_->Ui()); });
}

void TFormConcordance::MenuPasteClick() {
  if (!table_ || !CanPaste() || workspace_->Runner().busy()) return;
  const QModelIndex cell = grid_->selectionModel()->selectedIndexes().front();
  const std::string text = codec_.Encode(QApplication::clipboard()->text());
  if (concordance::PasteContext(*table_, cell.row() + 1, cell.column(), text))
    model_->rowChanged(cell.row());
  RefreshCurrentSentence(-1);
}

}  // namespace lexvane::gui
