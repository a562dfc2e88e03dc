#include "gui/frequency/colloc_freq_model.h"

#include "frequency/colloc_table.h"
#include "gui/base/text_codec.h"

namespace lexvane::gui {

namespace {

Qt::Alignment alignmentOf(int column) {
  switch (frequency::CollocTable::ColumnAlignment(column)) {
    case frequency::CollocTable::Alignment::Left:
      return Qt::AlignLeft;
    case frequency::CollocTable::Alignment::Centre:
      return Qt::AlignHCenter;
    default:
      return Qt::AlignRight;
  }
}

// The headings do not depend on the rows or the positions used.
const frequency::CollocTable& noTable() {
  static const frequency::CollocTable kNoTable({}, {});
  return kNoTable;
}

}  // namespace

int CollocFreqModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || table_ == nullptr) return 0;
  return table_->Count();
}

int CollocFreqModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return (table_ == nullptr ? frequency::kCollocColumns : table_->ColumnCount()) - 1;
}

QVariant CollocFreqModel::data(const QModelIndex& index, int role) const {
  if (table_ == nullptr || !index.isValid() || index.row() >= table_->Count()) return {};
  const int column = index.column() + 1;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return codec_.Decode(table_->CellText(column, index.row() + 1));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignTop | alignmentOf(column));
    default:
      return {};
  }
}

QVariant CollocFreqModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (section < 0) return {};
  if (orientation == Qt::Horizontal) {
    if (section >= columnCount()) return {};
    const int column = section + 1;
    // The association columns' headings are the table's own.
    const frequency::CollocTable& headings =
        table_ != nullptr && column >= frequency::kCollocColumns ? *table_ : noTable();
    if (role == Qt::DisplayRole) return codec_.Decode(headings.CellText(column, 0));
    if (role == Qt::ToolTipRole && column >= frequency::kCollocColumns)
      return QStringLiteral("N = %1 words, S = %2 positions")
          .arg(table_->CorpusWords())
          .arg(table_->ChosenPositions());
    if (role == Qt::TextAlignmentRole)
      return QVariant::fromValue(Qt::AlignVCenter | alignmentOf(column));
    return {};
  }
  if (section >= rowCount()) return {};
  if (role == Qt::DisplayRole) return codec_.Decode(table_->CellText(0, section + 1));
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
  return {};
}

void CollocFreqModel::SetTable(const frequency::CollocTable* table) {
  beginResetModel();
  table_ = table;
  // The words are in the encoding the table was built with.
  if (table_ != nullptr) codec_ = CodecFor(table_->TextEncoding());
  endResetModel();
}

void CollocFreqModel::RemoveRows(int first, int last, const std::function<void()>& remove) {
  beginRemoveRows({}, first, last);
  remove();
  endRemoveRows();
}

}  // namespace lexvane::gui
