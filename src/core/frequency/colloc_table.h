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

#include "corpus/corpus_settings.h"
#include "frequency/word_info.h"
#include "text/collation.h"
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
  void Clear() {
    records_.clear();
    rows_ = 0;
  }
  // Starts the next concordance row of the group: the collocates counted
  // from here on count one more hit each.
  void StartRow() { ++rows_; }

 private:
  friend void CountCollocate(NodeCollocates&, std::string_view, Side, int, std::string_view);
  friend class CollocTable;
  struct Pending {
    std::unique_ptr<TCollocFreqInfo> record;
    std::int32_t lastRow = -1;  // the row of the group that last counted it
  };
  std::map<std::string, Pending, std::less<>> records_;
  std::int32_t rows_ = 0;  // rows of the group so far
};

// Adds one to the count of `word` at `position` (1 to 9) on `side`, making
// its record (Node = node, Collocate = word) when it is new.
void CountCollocate(NodeCollocates& pending, std::string_view word, Side side, int position,
                    std::string_view node);

struct AssociationOptions;
class WordCounts;

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

 public:  // association measures (colloc_association.cpp)
  // The corpus the concordance was built from, as its collocates' corpus
  // frequencies are counted (capitals kept, as the collocates keep them),
  // and the words its build scanned (N).
  const corpus::CorpusSettings& SourceCorpus() const { return sourceCorpus_; }
  std::int64_t CorpusWords() const { return corpusWords_; }
  void SetSourceCorpus(corpus::CorpusSettings corpus, std::int64_t words);
  // The options of the measures shown; null until measures were applied.
  const AssociationOptions* Association() const { return association_.get(); }
  // The positions chosen for the table (S).
  int ChosenPositions() const;
  // The rows the minimum O11 and C1 keep out of CollocList.
  std::int32_t HiddenCount() const { return hidden_ ? hidden_->GetCount() : 0; }
  // Computes the figures of every row (hidden ones included) from the
  // corpus counts `corpus`, moves the rows below the minimums out of
  // CollocList and those that now reach them back (after the shown rows),
  // then sorts by the options' measure when one is chosen. A cancel leaves
  // the table as it was; false then.
  bool ApplyAssociation(const AssociationOptions& options, const WordCounts& corpus,
                        text::ProgressIndicator& progress);

 public:  // grid
  std::int32_t RowCount() const { return Count() + 1; }
  // 22 columns, and the association columns after Total once measures
  // were applied (R1, C1, O11, E11, then each measure).
  int ColumnCount() const;
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
  // with the rows flushed so far; a cancel flushes the group in hand. The
  // rows are ordered with `collator`, here and in every later sort.
  void BuildCollocTable(std::string_view wordSeparators, const text::TQStringList& leftContexts,
                        const text::TQStringList& keywords, const text::TQStringList& rightContexts,
                        const std::vector<std::string>& masks, const text::Collator& collator,
                        text::OperationHost& host);
  // FlushNode: appends the pending records in ascending order of their
  // collocates under the build's collator, and empties the pending list.
  // REQUIRES: within BuildCollocTable, which gives the collator.
  void FlushNode(NodeCollocates& pending);

  // Sort (column): rebuilds CollocList ordered by the column's key (1
  // collocates, 2-10 and 12-20 positions, 11 nodes, 21 totals, and the
  // association columns descending, ties by node, then collocate). A
  // cancel leaves the table as it was.
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

  // The figure an association column shows (columns from 22 on).
  // `info` is null for the heading row.
  std::string associationCell(int column, const TCollocFreqInfo* info) const;
  double associationFigure(int column, const TCollocFreqInfo& info) const;

  PositionFlags leftUsed_, rightUsed_;
  // The collator of the last build, which orders the rows; it must outlive
  // the table.
  const text::Collator* collator_ = nullptr;
  std::unique_ptr<text::TQStringList> collocList_;
  std::unique_ptr<text::TQStringList> hidden_;
  std::unique_ptr<AssociationOptions> association_;
  std::vector<CollocFigures> figures_;  // of every row, shown or set aside
  corpus::CorpusSettings sourceCorpus_;
  std::int64_t corpusWords_ = 0;
  std::int32_t rowLimit_ = text::kMaxListCapacity;
  text::Encoding encoding_ = text::Encoding::Windows1252;
};

}  // namespace lexvane::frequency
