// CollocTable: the collocate frequency table of one concordance (the
// collocate window's data): one row per node and collocate with the counts at
// the positions 1 to 9 left and right of the node. Built once from the rows
// of a sorted concordance, then only sorted and cleared.
//
// CollocList is the quick list the views read: entry text = the current sort
// key (after the build Node + " " + Collocate), attached object = the row's
// TCollocFreqInfo. Not thread-safe.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "frequency/word_info.h"
#include "text/encoding.h"
#include "text/progress.h"
#include "text/quick_list.h"
#include "text/string_words.h"

namespace lexvane::frequency {

using PositionFlags = std::array<bool, kPositions>;  // index 0 is position 1

enum class Side { Left, Right };

inline constexpr int kCollocColumns = 22;
inline constexpr int kCollocateColumn = 1;
inline constexpr int kNodeColumn = 11;
inline constexpr int kTotalColumn = 21;
// The grid column of a position: left p is column 11 - p, right p 11 + p.
inline constexpr int LeftColumn(int position) {
  return kNodeColumn - position;
}
inline constexpr int RightColumn(int position) {
  return kNodeColumn + position;
}

inline constexpr std::string_view kListTooLarge =
    "List is too large. Not all the words were inserted.";
inline constexpr std::string_view kNotEnoughMemory = "Not enough memory to keep the list.";

// NodeCollocates: the collocates of the node group in hand, one record per
// distinct collocate (compared byte for byte).
class NodeCollocates {
 public:
  std::size_t Count() const { return records_.size(); }
  void Clear() { records_.clear(); }

 private:
  friend void CountCollocate(NodeCollocates&, std::string_view, Side, int, std::string_view);
  friend class CollocTable;
  std::map<std::string, std::unique_ptr<TCollocFreqInfo>, std::less<>> records_;
};

// Adds one to the count of `word` at `position` (1 to 9) on `side`, making
// its record (Node = node, Collocate = word) when it is new.
void CountCollocate(NodeCollocates& pending, std::string_view word, Side side, int position,
                    std::string_view node);

class CollocTable {
 public:
  // The positions selected in the query, copied when the window is made.
  CollocTable(const PositionFlags& leftUsed, const PositionFlags& rightUsed);
  ~CollocTable();
  CollocTable(const CollocTable&) = delete;
  CollocTable& operator=(const CollocTable&) = delete;

 public:  // queries
  const PositionFlags& LeftUsed() const { return leftUsed_; }
  const PositionFlags& RightUsed() const { return rightUsed_; }
  const text::TQStringList& CollocList() const { return *collocList_; }
  std::int32_t Count() const { return collocList_->GetCount(); }
  TCollocFreqInfo& Info(std::int32_t index) const;
  // The encoding of the concordance the table was built from.
  text::Encoding TextEncoding() const { return encoding_; }

 public:  // grid
  std::int32_t RowCount() const { return Count() + 1; }
  // Row 0 is the heading; a count of 0 is an empty cell; rows beyond the
  // list are empty.
  std::string CellText(int column, std::int32_t row) const;
  enum class Alignment { Left, Centre, Right };
  static Alignment ColumnAlignment(int column);
  // Initial widths; a position column is 35 pixels when its position was
  // selected and 4 when not.
  int ColumnWidth(int column) const;

 public:  // commands
  // BuildCollocTable: counts the collocates of every row of the concordance
  // (entry i of the three lists is row i). Words are runs of characters not
  // in `wordSeparators`, taken exactly as given, in the table's encoding
  // (SetTextEncoding first); nodes are lowered in it. Masks are lower-case. A list
  // error or lack of memory is reported through host.ui and ends the build
  // with the rows flushed so far; a cancel flushes the group in hand.
  void BuildCollocTable(std::string_view wordSeparators, const text::TQStringList& leftContexts,
                        const text::TQStringList& keywords, const text::TQStringList& rightContexts,
                        const std::vector<std::string>& masks, text::OperationHost& host);
  // FlushNode: appends the pending records in ascending order of their
  // collocates under the list comparison, and empties the pending list.
  void FlushNode(NodeCollocates& pending);

  // Sort (column): rebuilds CollocList ordered by the column's key (1
  // collocates, 2-10 and 12-20 positions, 11 nodes, 21 totals). A cancel
  // leaves the table as it was.
  void Sort(int column, text::ProgressIndicator& progress);
  // Deletes the entries of grid rows top..bottom (1-based, bottom cut to the
  // last row); nothing when the table is empty or top lies beyond it.
  void ClearRows(std::int32_t topRow, std::int32_t bottomRow);

  // The most rows the list holds; beyond it the build reports the list as
  // too large. For tests; the default is the quick lists' limit.
  void SetRowLimit(std::int32_t rows) { rowLimit_ = rows; }
  // Before the build: the encoding of the concordance's text.
  void SetTextEncoding(text::Encoding encoding);

 private:
  void countRow(std::string_view left, std::string_view right, const std::string& node,
                const text::StringWords& words, const std::vector<std::string>& masks,
                NodeCollocates& pending);

  PositionFlags leftUsed_, rightUsed_;
  std::unique_ptr<text::TQStringList> collocList_;
  std::int32_t rowLimit_ = text::kMaxListCapacity;
  text::Encoding encoding_ = text::Encoding::Windows1252;
};

}  // namespace lexvane::frequency
