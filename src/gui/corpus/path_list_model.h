// PathListModel: the file-list editor's list box as a Qt model over the
// working copy that corpus::FileListEditorModel holds (one row per path, the
// path as the display text). It copies nothing; the dialog calls
// pathsChanged() after every change of the working copy.
#pragma once

#include <string>
#include <vector>

#include <QAbstractListModel>

namespace lexvane::gui {

class PathListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // `paths` must outlive the model.
  explicit PathListModel(const std::vector<std::string>& paths, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // The working copy was replaced or changed: views reload.
  void pathsChanged();

 private:
  const std::vector<std::string>& paths_;
};

}  // namespace lexvane::gui
