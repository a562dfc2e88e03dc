// The association part of CollocTable and the figures of one row.
#include "frequency/colloc_association.h"

#include <algorithm>

#include "stats/figures.h"

namespace lexvane::frequency {

namespace {

enum FixedColumn { kR1 = 0, kC1 = 1, kO11 = 2, kE11 = 3 };
constexpr const char* kFixedHeadings[kFixedAssociationColumns] = {"R1", "C1", "O11", "E11"};

std::unique_ptr<text::TQStringList> makeUnsortedList(text::Encoding encoding) {
  auto list = std::make_unique<text::TQStringList>(encoding);
  list->SetDuplicates(text::Duplicates::Accept);
  list->SetSorted(false);
  return list;
}

}  // namespace

int MeasureColumn(const AssociationOptions& options, stats::Measure measure) {
  for (std::size_t i = 0; i < options.Measures.size(); ++i)
    if (options.Measures[i] == measure)
      return kFirstAssociationColumn + kFixedAssociationColumns + static_cast<int>(i);
  return 0;
}

corpus::CorpusSettings CollocateCorpusOf(const concordance::ConcordanceTable& concordance,
                                         const text::Collator& collator) {
  corpus::CorpusSettings corpus;
  for (const std::string& path : concordance.CorpusFiles) corpus.Files.Add(path, collator);
  // The sets the build derived are their own source: deriving them again
  // gives the same sets.
  corpus.WordSeparators = concordance.ScanSets.wordSeparatorSet;
  corpus.SentenceSeparators = concordance.ScanSets.sentenceSeparatorSet;
  corpus.TextEncoding = concordance.TextEncoding;
  corpus.TaggedText = concordance.TaggedText;
  corpus.CRLFAsSeparator = concordance.CRLFAsSeparator;
  corpus.EnhSentDetect = concordance.EnhSentDetect;
  // Collocates keep their capitals, so their corpus frequencies do too.
  corpus.IgnoreCapital = false;
  return corpus;
}

CollocFigures FiguresOf(const TCollocFreqInfo& info, std::int64_t c1, int chosenPositions,
                        std::int64_t corpusWords, const AssociationOptions& options) {
  CollocFigures figures;
  const std::int64_t f = info.NodeRows;
  figures.R1 = options.OncePerHit ? f : f * chosenPositions;
  figures.C1 = c1;
  figures.O11 = options.OncePerHit ? info.Hits : info.Total;
  stats::CollocationCounts counts;
  counts.O11 = static_cast<double>(figures.O11);
  counts.R1 = static_cast<double>(figures.R1);
  counts.C1 = static_cast<double>(c1);
  counts.N = static_cast<double>(corpusWords);
  counts.FNode = static_cast<double>(f);
  figures.E11 = stats::ExpectedO11(counts);
  for (stats::Measure m : options.Measures)
    figures.Values[stats::MeasureIndex(m)] = stats::MeasureValue(m, counts);
  return figures;
}

void CollocTable::SetSourceCorpus(corpus::CorpusSettings corpus, std::int64_t words) {
  sourceCorpus_ = std::move(corpus);
  corpusWords_ = words;
}

int CollocTable::ChosenPositions() const {
  int s = 0;
  for (int p = 0; p < kPositions; ++p) s += (leftUsed_[p] ? 1 : 0) + (rightUsed_[p] ? 1 : 0);
  return s;
}

int CollocTable::ColumnCount() const {
  if (association_ == nullptr) return kCollocColumns;
  return kCollocColumns + kFixedAssociationColumns +
         static_cast<int>(association_->Measures.size());
}

double CollocTable::associationFigure(int column, const TCollocFreqInfo& info) const {
  if (info.Figures == nullptr) return 0;
  const CollocFigures& f = *info.Figures;
  const int i = column - kFirstAssociationColumn;
  switch (i) {
    case kR1:
      return static_cast<double>(f.R1);
    case kC1:
      return static_cast<double>(f.C1);
    case kO11:
      return static_cast<double>(f.O11);
    case kE11:
      return f.E11;
    default:
      return f.Values[stats::MeasureIndex(association_->Measures[i - kFixedAssociationColumns])];
  }
}

std::string CollocTable::associationCell(int column, const TCollocFreqInfo* info) const {
  const int i = column - kFirstAssociationColumn;
  if (info == nullptr) {
    if (i < kFixedAssociationColumns) return kFixedHeadings[i];
    return std::string(stats::MeasureHeading(association_->Measures[i - kFixedAssociationColumns]));
  }
  if (info->Figures == nullptr) return {};
  const CollocFigures& f = *info->Figures;
  switch (i) {
    case kR1:
      return std::to_string(f.R1);
    case kC1:
      return std::to_string(f.C1);
    case kO11:
      return std::to_string(f.O11);
    default:
      return stats::FormatFigure(associationFigure(column, *info));
  }
}

bool CollocTable::ApplyAssociation(const AssociationOptions& chosen, const WordCounts& corpus,
                                   text::ProgressIndicator& progress) {
  // The measure sorted by is always one of the columns.
  AssociationOptions options = chosen;
  if (options.SortBy && MeasureColumn(options, *options.SortBy) == 0)
    options.Measures.push_back(*options.SortBy);
  progress.Start("Computing association measures");
  const std::int32_t shown = Count();
  const std::size_t n = static_cast<std::size_t>(shown + HiddenCount());
  std::vector<TCollocFreqInfo*> records(n);
  for (std::size_t i = 0; i < n; ++i)
    records[i] = static_cast<TCollocFreqInfo*>(
        i < static_cast<std::size_t>(shown)
            ? collocList_->GetObject(static_cast<std::int32_t>(i))
            : hidden_->GetObject(static_cast<std::int32_t>(i) - shown));
  // Each row gets its figures as it is passed; a cancel puts the old ones
  // back. The rows lie scattered in memory, and so do the corpus counts:
  // each row is fetched, then hashed and its slot fetched, then its entry, a
  // few rows before it is reached.
  std::vector<CollocFigures> figures;
  figures.reserve(n);  // never moves: the rows point into it
  std::vector<const CollocFigures*> before(n);
  constexpr std::size_t kFetchAhead = 24, kHashAhead = 16, kEntryAhead = 8;
  std::vector<std::uint64_t> hashes(n);
  auto stage = [&](std::size_t i) {
    if (i + kFetchAhead < n) __builtin_prefetch(records[i + kFetchAhead]);
    if (i + kHashAhead < n) {
      hashes[i + kHashAhead] = WordCounts::Hash(records[i + kHashAhead]->Collocate);
      corpus.PrefetchSlot(hashes[i + kHashAhead]);
    }
    if (i + kEntryAhead < n) corpus.PrefetchEntry(hashes[i + kEntryAhead]);
  };
  for (std::size_t i = 0; i < std::min(n, kHashAhead); ++i) {
    hashes[i] = WordCounts::Hash(records[i]->Collocate);
    corpus.PrefetchSlot(hashes[i]);
  }
  const int s = ChosenPositions();
  bool moves = false;
  for (std::size_t i = 0; i < n; ++i) {
    if ((i + 1) % 100 == 0) progress.SetGauge(static_cast<int>((i + 1) * 100 / n));
    if (progress.Cancelled()) {
      for (std::size_t k = 0; k < i; ++k) records[k]->Figures = before[k];
      progress.Finish();
      return false;
    }
    stage(i);
    TCollocFreqInfo& info = *records[i];
    const CollocFigures& f = figures.emplace_back(
        FiguresOf(info, corpus.Frequency(info.Collocate, hashes[i]), s, corpusWords_, options));
    before[i] = info.Figures;
    info.Figures = &f;
    const bool keep = f.O11 >= options.MinO11 && f.C1 >= options.MinC1;
    moves = moves || keep != (i < static_cast<std::size_t>(shown));
  }
  figures_ = std::move(figures);
  // Rows cross between the lists only when a minimum says so.
  if (moves) {
    auto kept = makeUnsortedList(encoding_);
    auto aside = makeUnsortedList(encoding_);
    for (std::size_t i = 0; i < n; ++i) {
      const bool keep = figures_[i].O11 >= options.MinO11 && figures_[i].C1 >= options.MinC1;
      const bool wasShown = i < static_cast<std::size_t>(shown);
      text::TQStringList& from = wasShown ? *collocList_ : *hidden_;
      const auto at = static_cast<std::int32_t>(wasShown ? i : i - shown);
      (keep ? *kept : *aside).Append(from.View(at), from.TakeObject(at));
    }
    collocList_ = std::move(kept);
    hidden_ = std::move(aside);
  }
  association_ = std::make_unique<AssociationOptions>(options);
  progress.Finish();
  if (options.SortBy) {
    const int column = MeasureColumn(options, *options.SortBy);
    if (column != 0) Sort(column, progress);
  }
  return true;
}

}  // namespace lexvane::frequency
