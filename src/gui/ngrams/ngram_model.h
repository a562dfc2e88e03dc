// NGramModel: the grid of an n-gram or cluster window as a Qt table model
// over the window's ngrams::NGramList. It copies nothing: every cell is
// formatted from the list when the view asks. The list's heading row is the
// horizontal header and its row numbers the vertical header; model column c
// shows the list's grid column c + 1 (the n-gram, "F", "Range").
//
// GUI thread only. The window tells the model before and after the list
// changes (Detach while a sort runs on the worker thread, SetList after it,
// RemoveRows around a clear).
#pragma once

#include <functional>

#include <QAbstractTableModel>

#include "gui/base/text_codec.h"
#include "ngrams/ngram_list.h"

namespace lexvane::gui {

class NGramModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Texts are decoded with the codec of the list's encoding; `kind` gives
  // the headings while there is no list.
  explicit NGramModel(ngrams::ListKind kind, QObject* parent = nullptr)
      : QAbstractTableModel(parent), kind_(kind) {}

 public:  // QAbstractTableModel
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 public:  // the list shown
  const ngrams::NGramList* List() const { return list_; }
  // Shows `list` (null: nothing) from its first row; the list must outlive
  // the model or be replaced first. Also after the list was sorted in place.
  void SetList(const ngrams::NGramList* list);
  void Detach() { SetList(nullptr); }
  // Runs `remove`, which deletes the list entries first..last (0-based), as
  // a removal of those rows.
  void RemoveRows(int first, int last, const std::function<void()>& remove);

 private:
  ngrams::ListKind kind_;
  TextCodec codec_;
  const ngrams::NGramList* list_ = nullptr;
};

}  // namespace lexvane::gui
