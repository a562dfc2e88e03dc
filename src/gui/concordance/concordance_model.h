// ConcordanceModel: the rows of one ConcordanceTable for the concordance
// window's grid: five columns (the row number "1.", the left context, the
// keyword, the right context, the file name), no headings. It reads the
// table directly and formats one cell per data() call, so that rows that are
// not shown cost nothing. The window owns the table and tells the model when
// it changes (or detaches it while an operation changes it elsewhere).
// GUI thread only.
#pragma once

#include <memory>

#include <QAbstractTableModel>

#include "concordance/concordance_table.h"
#include "gui/base/text_codec.h"
#include "text/character_sets.h"

namespace lexvane::gui {

class ConcordanceModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { NumberColumn, LeftColumn, KeywordColumn, RightColumn, FileColumn, kColumnCount };
  // The word of a context to tint after a sort by the n-th word of one side
  // (side LeftColumn or RightColumn, word 1..10); word 0: none. `sets` are
  // those the sort cut the words with.
  struct TintedWord {
    int side = LeftColumn;
    int word = 0;
    text::CharacterSets sets = text::CharacterSets::Initial();
  };
  // Carries the span of the tinted word of a context cell (a QPoint of
  // first character and length), when the cell has one.
  static constexpr int kTintedSpanRole = Qt::UserRole + 1;

  explicit ConcordanceModel(QObject* parent = nullptr);

 public:  // commands
  // Shows `table` (null: no rows) decoded with the codec of the table's
  // encoding; `codec` serves while there is no table.
  void setTable(std::shared_ptr<const concordance::ConcordanceTable> table, TextCodec codec);
  void setTintedWord(TintedWord tinted);
  // The table changed in place: every row is read anew.
  void reset();
  // The texts of one row changed in place.
  void rowChanged(int row);

 public:  // QAbstractTableModel
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 public:  // queries
  // The text of one cell as shown.
  QString cellText(int row, int column) const;
  // A table is shown (none while an operation changes it elsewhere).
  bool hasTable() const { return table_ != nullptr; }

 private:
  std::shared_ptr<const concordance::ConcordanceTable> table_;
  TextCodec codec_;
  TintedWord tinted_;
};

// The span (first character, length) in a decoded context of the word that
// a sort by the n-th word (1-based) of that side orders by, cut with the
// sort's sets (concordance::SortWordSpan); an empty span (length 0) when the
// side has no such word.
std::pair<int, int> WordSpanFromKeyword(
    const QString& context, bool leftSide, int n,
    const text::CharacterSets& sets = text::CharacterSets::Initial());

}  // namespace lexvane::gui
