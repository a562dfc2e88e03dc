// KeywordModel: the grid of a keyword window as a Qt table model over the
// window's keywords::KeywordList, formatting each cell from the list when the
// view asks (nothing is copied). As in WordFreqModel the heading row is the
// horizontal header and the row numbers the vertical header; model column c
// shows the list's grid column c + 1.
//
// GUI thread only; the window detaches the model while the list changes.
#pragma once

#include <QAbstractTableModel>

#include "gui/base/text_codec.h"

namespace lexvane::keywords {
class KeywordList;
}

namespace lexvane::gui {

class KeywordModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit KeywordModel(TextCodec codec = {}, QObject* parent = nullptr)
      : QAbstractTableModel(parent), codec_(codec) {}

 public:  // QAbstractTableModel
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 public:  // the list shown
  const keywords::KeywordList* List() const { return list_; }
  // Shows `list` (null: no rows); it must outlive the model or be replaced.
  void SetList(const keywords::KeywordList* list);
  void Detach() { SetList(nullptr); }

 private:
  TextCodec codec_;
  const keywords::KeywordList* list_ = nullptr;
};

}  // namespace lexvane::gui
