#include "gui/ngrams/ngram_model.h"

namespace lexvane::gui {

int NGramModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || list_ == nullptr) return 0;
  return list_->Count();
}

int NGramModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return ngrams::NGramList::kColumnCount - 1;
}

QVariant NGramModel::data(const QModelIndex& index, int role) const {
  if (list_ == nullptr || !index.isValid() || index.row() >= list_->Count()) return {};
  const int column = index.column() + 1;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return codec_.Decode(list_->CellText(column, index.row() + 1));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(
          Qt::AlignTop | (ngrams::NGramList::LeftAligned(column) ? Qt::AlignLeft : Qt::AlignRight));
    default:
      return {};
  }
}

QVariant NGramModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (section < 0) return {};
  if (orientation == Qt::Horizontal) {
    if (section >= columnCount()) return {};
    const int column = section + 1;
    if (role == Qt::DisplayRole) {
      // The headings do not depend on the rows.
      const ngrams::NGramList noList(kind_);
      return QString::fromStdString((list_ == nullptr ? noList : *list_).CellText(column, 0));
    }
    if (role == Qt::TextAlignmentRole)
      return QVariant::fromValue(
          Qt::AlignVCenter |
          (ngrams::NGramList::LeftAligned(column) ? Qt::AlignLeft : Qt::AlignRight));
    return {};
  }
  if (section >= rowCount()) return {};
  if (role == Qt::DisplayRole) return QString::fromStdString(list_->CellText(0, section + 1));
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
  return {};
}

void NGramModel::SetList(const ngrams::NGramList* list) {
  beginResetModel();
  list_ = list;
  if (list_ != nullptr) codec_ = CodecFor(list_->TextEncoding());
  endResetModel();
}

void NGramModel::RemoveRows(int first, int last, const std::function<void()>& remove) {
  beginRemoveRows({}, first, last);
  remove();
  endRemoveRows();
}

}  // namespace lexvane::gui
