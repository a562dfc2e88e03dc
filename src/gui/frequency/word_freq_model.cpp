#include "gui/frequency/word_freq_model.h"

#include "frequency/word_frequency_list.h"
#include "gui/base/text_codec.h"

namespace lexvane::gui {

int WordFreqModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || list_ == nullptr) return 0;
  return list_->Count();
}

int WordFreqModel::ownColumns() const {
  // Without a list the grid keeps the five columns of a new window.
  return (list_ == nullptr ? 5 : list_->ColumnCount()) - 1;
}

std::optional<frequency::WordFrequencyList::SpreadColumn> WordFreqModel::spreadColumn(
    int column) const {
  using Spread = frequency::WordFrequencyList::SpreadColumn;
  if (list_ == nullptr || !list_->HasSpread()) return std::nullopt;
  int added = column - ownColumns();
  if (added < 0) return std::nullopt;
  if (range_ && added-- == 0) return Spread::Range;
  if (dp_ && added == 0) return Spread::DP;
  return std::nullopt;
}

int WordFreqModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  const bool spread = list_ != nullptr && list_->HasSpread();
  return ownColumns() + (spread && range_ ? 1 : 0) + (spread && dp_ ? 1 : 0);
}

QVariant WordFreqModel::data(const QModelIndex& index, int role) const {
  if (list_ == nullptr || !index.isValid() || index.row() >= list_->Count()) return {};
  if (const auto spread = spreadColumn(index.column())) {
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
      return QString::fromStdString(list_->SpreadCellText(*spread, index.row() + 1));
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignTop | Qt::AlignRight);
    return {};
  }
  const int column = index.column() + 1;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return codec_.Decode(list_->CellText(column, index.row() + 1));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(
          Qt::AlignTop |
          (frequency::WordFrequencyList::LeftAligned(column) ? Qt::AlignLeft : Qt::AlignRight));
    default:
      return {};
  }
}

QVariant WordFreqModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (section < 0) return {};
  if (orientation == Qt::Horizontal) {
    if (section >= columnCount()) return {};
    if (const auto spread = spreadColumn(section)) {
      if (role == Qt::DisplayRole) return QString::fromStdString(list_->SpreadCellText(*spread, 0));
      if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
      return {};
    }
    const int column = section + 1;
    if (role == Qt::DisplayRole) {
      // The headings do not depend on the list's rows.
      return codec_.Decode(list_ == nullptr ? frequency::WordFrequencyList::Heading(column)
                                            : list_->CellText(column, 0));
    }
    if (role == Qt::TextAlignmentRole)
      return QVariant::fromValue(
          Qt::AlignVCenter |
          (frequency::WordFrequencyList::LeftAligned(column) ? Qt::AlignLeft : Qt::AlignRight));
    return {};
  }
  if (section >= rowCount()) return {};
  if (role == Qt::DisplayRole) return codec_.Decode(list_->CellText(0, section + 1));
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
  return {};
}

void WordFreqModel::SetList(const frequency::WordFrequencyList* list) {
  beginResetModel();
  list_ = list;
  // The words are in the encoding the list was built with.
  if (list_ != nullptr) codec_ = CodecFor(list_->TextEncoding());
  endResetModel();
}

void WordFreqModel::SetSpreadColumns(bool range, bool dp) {
  if (range == range_ && dp == dp_) return;
  beginResetModel();
  range_ = range;
  dp_ = dp;
  endResetModel();
}

void WordFreqModel::RemoveRows(int first, int last, const std::function<void()>& remove) {
  beginRemoveRows({}, first, last);
  remove();
  endRemoveRows();
}

}  // namespace lexvane::gui
