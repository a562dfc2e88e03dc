#include "gui/corpus/path_list_model.h"

#include "gui/base/text_codec.h"

namespace lexvane::gui {

PathListModel::PathListModel(const std::vector<std::string>& paths, QObject* parent)
    : QAbstractListModel(parent), paths_(paths) {}

int PathListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(paths_.size());
}

QVariant PathListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
    return {};
  const std::string& path = paths_[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return FromPath(path);
  return {};
}

void PathListModel::pathsChanged() {
  beginResetModel();
  endResetModel();
}

}  // namespace lexvane::gui
