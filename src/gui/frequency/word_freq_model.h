// WordFreqModel: the grid of a word frequency window as a Qt table model over
// the window's frequency::WordFrequencyList. It copies nothing: every cell is
// formatted from the list when the view asks for it. The list's heading row
// is the horizontal header and its first column (the row numbers) the
// vertical header, so both stay in place while the grid scrolls; model column
// c shows the list's grid column c + 1.
//
// GUI thread only. The window tells the model before and after the list
// changes (Detach while an operation changes the list on the worker thread,
// SetList afterwards, RemoveRows around a clear).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include <QAbstractTableModel>

#include "frequency/word_frequency_list.h"
#include "gui/base/text_codec.h"

namespace lexvane::gui {

class WordFreqModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Texts are decoded for display with the codec of the list's encoding;
  // `codec` serves while there is no list.
  explicit WordFreqModel(TextCodec codec = {}, QObject* parent = nullptr)
      : QAbstractTableModel(parent), codec_(codec) {}

 public:  // QAbstractTableModel
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 public:  // the list shown
  const frequency::WordFrequencyList* List() const { return list_; }
  // Shows `list` (null: nothing) from its first row; the list must outlive
  // the model or be replaced first. Also after the list was sorted in place.
  void SetList(const frequency::WordFrequencyList* list);
  // Shows nothing until the next SetList (while the list changes elsewhere).
  void Detach() { SetList(nullptr); }
  // Runs `remove`, which deletes the list entries first..last (0-based), as a
  // removal of those rows.
  void RemoveRows(int first, int last, const std::function<void()>& remove);
  // Shows the added Range and DP columns (of a list counted with its
  // spread) after the list's own columns.
  void SetSpreadColumns(bool range, bool dp);

 private:
  // The added column shown at model column `column`, if it is one.
  std::optional<frequency::WordFrequencyList::SpreadColumn> spreadColumn(int column) const;
  int ownColumns() const;

  TextCodec codec_;
  const frequency::WordFrequencyList* list_ = nullptr;
  bool range_ = false;
  bool dp_ = false;
};

}  // namespace lexvane::gui
