#include "gui/keywords/keyword_model.h"

#include "keywords/keyword_list.h"

namespace lexvane::gui {

namespace {

Qt::Alignment alignmentOf(int column) {
  return keywords::KeywordList::LeftAligned(column) ? Qt::AlignLeft : Qt::AlignRight;
}

}  // namespace

int KeywordModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || list_ == nullptr) return 0;
  return list_->Count();
}

int KeywordModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : keywords::KeywordList::ColumnCount() - 1;
}

QVariant KeywordModel::data(const QModelIndex& index, int role) const {
  if (list_ == nullptr || !index.isValid() || index.row() >= list_->Count()) return {};
  const int column = index.column() + 1;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return codec_.Decode(list_->CellText(column, index.row() + 1));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignTop | alignmentOf(column));
    default:
      return {};
  }
}

QVariant KeywordModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (section < 0) return {};
  if (orientation == Qt::Horizontal) {
    if (section >= columnCount()) return {};
    const int column = section + 1;
    if (role == Qt::DisplayRole) {
      // The headings do not depend on the rows.
      static const keywords::KeywordList kNoList;
      return codec_.Decode(kNoList.CellText(column, 0));
    }
    if (role == Qt::TextAlignmentRole)
      return QVariant::fromValue(Qt::AlignVCenter | alignmentOf(column));
    return {};
  }
  if (section >= rowCount()) return {};
  if (role == Qt::DisplayRole) return codec_.Decode(list_->CellText(0, section + 1));
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
  return {};
}

void KeywordModel::SetList(const keywords::KeywordList* list) {
  beginResetModel();
  list_ = list;
  if (list_ != nullptr) codec_ = CodecFor(list_->TextEncoding());
  endResetModel();
}

}  // namespace lexvane::gui
