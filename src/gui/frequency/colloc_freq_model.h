// CollocFreqModel: the grid of a collocate frequency window as a Qt table
// model over the window's frequency::CollocTable, formatting each cell from
// the table when the view asks (nothing is copied). As in WordFreqModel the
// heading row is the horizontal header and the row numbers the vertical
// header; model column c shows the table's grid column c + 1 (21 columns:
// collocate, left positions 9 to 1, node, right positions 1 to 9, total;
// then the association columns once measures were applied).
//
// GUI thread only; the window brackets every change of the table.
#pragma once

#include <functional>

#include <QAbstractTableModel>

#include "gui/base/text_codec.h"

namespace lexvane::frequency {
class CollocTable;
}

namespace lexvane::gui {

class CollocFreqModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Texts are decoded for display with the codec of the table's encoding;
  // `codec` serves while there is no table.
  explicit CollocFreqModel(TextCodec codec = {}, QObject* parent = nullptr)
      : QAbstractTableModel(parent), codec_(codec) {}

 public:  // QAbstractTableModel
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 public:  // the table shown
  const frequency::CollocTable* Table() const { return table_; }
  // Shows `table` (null: no rows); it must outlive the model or be replaced.
  void SetTable(const frequency::CollocTable* table);
  void Detach() { SetTable(nullptr); }
  // Runs `remove` (deleting the entries first..last, 0-based) as a removal.
  void RemoveRows(int first, int last, const std::function<void()>& remove);

 private:
  TextCodec codec_;
  const frequency::CollocTable* table_ = nullptr;
};

}  // namespace lexvane::gui
