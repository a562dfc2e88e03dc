#include "keywords/keyword_list.h"

#include <cmath>

#include "stats/figures.h"
#include "text/collation.h"
#include "text/key_order.h"
#include "text/text_utils.h"

namespace lexvane::keywords {

namespace {

constexpr const char* kHeadings[kKeywordColumns] = {
    "",   "Word",      "Key",  "F", "Ref. F", "F per million", "Ref. F per million",
    "LL", "Log Ratio", "%DIFF"};

KeywordRow rowOf(std::string_view word, const stats::KeynessCounts& counts,
                 stats::Direction direction, double ll) {
  KeywordRow row;
  row.Word = std::string(word);
  row.Counts = counts;
  row.Direction = direction;
  row.LogLikelihood = ll;
  row.LogRatio = stats::LogRatio(counts);
  row.PercentDiff = stats::PercentDiff(counts);
  return row;
}

std::string fieldOf(const KeywordRow& row, int column) {
  switch (column) {
    case 1:
      return row.Word;
    case 2:
      return row.Direction == stats::Direction::Negative ? "-" : "+";
    case 3:
      return std::to_string(row.Counts.a);
    case 4:
      return std::to_string(row.Counts.b);
    case 5:
      return stats::FormatFigure(stats::PerMillion(row.Counts.a, row.Counts.c));
    case 6:
      return stats::FormatFigure(stats::PerMillion(row.Counts.b, row.Counts.d));
    case 7:
      return stats::FormatFigure(row.LogLikelihood);
    case 8:
      return stats::FormatFigure(row.LogRatio);
    case 9:
      return stats::FormatFigure(row.PercentDiff);
    default:
      return {};
  }
}

// 4 big-endian bytes: ranks order as the bytes do.
std::string rankKey(std::uint32_t rank) {
  std::string key(4, '\0');
  for (int i = 3; i >= 0; --i, rank >>= 8) key[i] = static_cast<char>(rank & 0xFF);
  return key;
}

// Puts `rows` in the order of `sort` under the progress indicator; false
// (and the rows as they were) when cancelled. Ties go by the rows'
// alphabetical ranks, so no sort compares words.
bool orderRows(std::vector<KeywordRow>& rows, KeywordSort sort, text::ProgressIndicator& progress) {
  progress.Start(KeywordSortCaption(sort));
  auto key = [&rows, sort](std::size_t i) {
    const KeywordRow& row = rows[i];
    switch (sort) {
      case KeywordSort::LogLikelihood:
        return stats::DescendingFigureKey(row.LogLikelihood) + rankKey(row.Rank);
      case KeywordSort::LogRatio:
        return stats::DescendingFigureKey(std::fabs(row.LogRatio)) + rankKey(row.Rank);
      default:
        return rankKey(row.Rank);
    }
  };
  std::vector<std::uint32_t> order;
  const bool done = text::OrderRows(rows.size(), key, progress, order);
  if (done) {
    std::vector<KeywordRow> sorted;
    sorted.reserve(rows.size());
    for (std::uint32_t i : order) sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
  }
  progress.Finish();
  return done;
}

// Gives every row its rank in the alphabetical order of the words. The first
// `fromStudy` rows come from the study corpus's types, the others from the
// reference's types the study lacks; when both corpora's types came in
// alphabetical order, so did these two runs of rows, and merging them
// compares each row's word once or twice. Otherwise the words' collation
// keys order them. False when cancelled.
bool rankRows(std::vector<KeywordRow>& rows, std::size_t fromStudy, bool runsInOrder,
              text::Encoding encoding, const text::Collator& collator,
              text::ProgressIndicator& progress) {
  progress.Start("Sorting alphabetically");
  bool done = true;
  if (runsInOrder) {
    std::size_t i = 0, j = fromStudy;
    for (std::uint32_t rank = 0; rank < rows.size(); ++rank) {
      if (rank % 100 == 0) {
        progress.SetGauge(static_cast<int>(std::uint64_t{rank} * 100 / rows.size()));
        if (progress.Cancelled()) {
          done = false;
          break;
        }
      }
      const bool studyFirst =
          j == rows.size() ||
          (i < fromStudy && collator.Compare(rows[i].Word, rows[j].Word, encoding) < 0);
      rows[studyFirst ? i++ : j++].Rank = rank;
    }
  } else {
    std::vector<std::uint32_t> order;
    done = text::OrderRows(
        rows.size(), [&](std::size_t k) { return collator.Key(rows[k].Word, encoding); }, progress,
        order);
    for (std::size_t k = 0; done && k < order.size(); ++k)
      rows[order[k]].Rank = static_cast<std::uint32_t>(k);
  }
  progress.Finish();
  return done;
}

}  // namespace

std::string_view KeywordSortCaption(KeywordSort sort) {
  switch (sort) {
    case KeywordSort::LogRatio:
      return "Sorting by Log Ratio";
    case KeywordSort::Word:
      return "Sorting alphabetically";
    default:
      return "Sorting by log-likelihood";
  }
}

bool KeywordList::Build(const frequency::WordCounts& study, const frequency::WordCounts& reference,
                        std::int64_t referenceWords, const KeywordOptions& options,
                        const text::Collator& collator, text::ProgressIndicator& progress) {
  progress.Start("Comparing word lists");
  const std::int64_t c = study.TotalWords(), d = referenceWords;
  const std::size_t studyTypes = study.Types(), n = studyTypes + reference.Types();
  std::vector<KeywordRow> rows;
  std::int64_t compared = 0, positive = 0, negative = 0;
  // One word type: its direction, the filters, the row when it is listed.
  auto consider = [&](std::string_view word, std::int64_t a, std::int64_t b) {
    ++compared;
    const stats::KeynessCounts counts{a, b, c, d};
    const stats::Direction direction = stats::KeyDirection(counts);
    if (direction == stats::Direction::Neither) return;
    const bool isPositive = direction == stats::Direction::Positive;
    if ((isPositive ? a : b) < options.MinFrequency) return;
    const double ll = stats::KeywordLogLikelihood(counts);
    if (options.MinLogLikelihood && !(ll >= *options.MinLogLikelihood)) return;
    ++(isPositive ? positive : negative);
    if (isPositive ? options.Positive : options.Negative)
      rows.push_back(rowOf(word, counts, direction, ll));
  };
  std::size_t fromStudy = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (i == studyTypes) fromStudy = rows.size();
    if ((i + 1) % 100 == 0) {
      progress.SetGauge(static_cast<int>((i + 1) * 100 / n));
      if (progress.Cancelled()) {
        progress.Finish();
        return false;
      }
    }
    if (i < studyTypes) {
      const std::string_view word = study.Word(i);
      consider(word, study.FrequencyAt(i), reference.Frequency(word));
    } else {
      // The reference's words the study corpus lacks.
      const std::string_view word = reference.Word(i - studyTypes);
      if (study.Frequency(word) == 0) consider(word, 0, reference.FrequencyAt(i - studyTypes));
    }
  }
  if (studyTypes == n) fromStudy = rows.size();
  progress.Finish();
  const bool runsInOrder =
      study.InCollationOrder() && reference.InCollationOrder() &&
      text::IsUtf8(study.TextEncoding()) == text::IsUtf8(reference.TextEncoding());
  if (!rankRows(rows, fromStudy, runsInOrder, study.TextEncoding(), collator, progress))
    return false;
  if (!orderRows(rows, options.Sort, progress)) return false;
  rows_ = std::move(rows);
  options_ = options;
  encoding_ = study.TextEncoding();
  studyWords_ = c;
  referenceWords_ = d;
  typesCompared_ = compared;
  positiveFound_ = positive;
  negativeFound_ = negative;
  sort_ = options.Sort;
  return true;
}

void KeywordList::Sort(KeywordSort sort, text::ProgressIndicator& progress) {
  if (orderRows(rows_, sort, progress)) sort_ = sort;
}

std::string KeywordList::CellText(int column, std::int32_t row) const {
  if (column < 0 || column >= kKeywordColumns) return {};
  if (row == 0) return kHeadings[column];
  if (row < 0 || row > Count()) return {};
  if (column == 0) return std::to_string(row) + ".";
  return fieldOf(Row(row - 1), column);
}

std::string KeywordList::Line(std::int32_t index, std::string_view delimiter) const {
  const KeywordRow& row = Row(index);
  std::string line;
  for (int column = 1; column < kKeywordColumns; ++column) {
    if (column > 1) line += delimiter;
    line += fieldOf(row, column);
  }
  line += "\r\n";
  return line;
}

void CopyKeywords(const KeywordList& list, std::int32_t first, std::int32_t last,
                  const frequency::CopyOptions& options, frequency::CopyDestination destination,
                  frequency::CopySink& sink, text::OperationHost& host) {
  const std::string d =
      options.Delimiter.substr(0, text::prefixBytes(options.Delimiter, 1, list.TextEncoding()));
  frequency::CopyLines(
      list.Count(), first, last, [&](std::int32_t i, std::string& line) { line = list.Line(i, d); },
      destination, sink, host);
}

concordance::Statistics KeywordList::Statistics() const {
  using text::FormatThousands;
  concordance::Statistics s;
  s.Captions = {"Study corpus words:", "Reference corpus words:", "Types compared:",
                "Positive keywords:", "Negative keywords:"};
  s.Values = {FormatThousands(studyWords_), FormatThousands(referenceWords_),
              FormatThousands(typesCompared_), FormatThousands(positiveFound_),
              FormatThousands(negativeFound_)};
  return s;
}

}  // namespace lexvane::keywords
