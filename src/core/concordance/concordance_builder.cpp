#include "concordance/concordance_builder.h"

#include <algorithm>
#include <filesystem>

#include "concordance/corpus_scan.h"
#include "search/word_mask.h"
#include "text/encoding.h"
#include "text/sentence_retrieval.h"
#include "text/tags.h"
#include "text/text_utils.h"

namespace lexvane::concordance {

namespace {

constexpr std::size_t kCaptionLimit = 50;
constexpr std::int32_t kSmallestMaxListSize = 100;
// The lists reserve room for MaxListSize + 1 entries, but never more than
// this up front: a huge "Max. list size" must not claim gigabytes before the
// first hit.
constexpr std::int32_t kMostReserved = 1 << 16;

void appendMasks(std::string& text, bool& leftOut, const std::vector<std::string>& masks,
                 text::Encoding encoding) {
  for (const std::string& mask : masks) {
    if (leftOut) return;
    if (text::characterCount(text, encoding) >= kCaptionLimit) {
      leftOut = true;
      return;
    }
    if (!text.empty()) text += ", ";
    text = text::keepFirst(text + mask, text::kMaxTextLength, encoding);
  }
}

}  // namespace

std::string ConcordanceCaption(const search::SearchQuery& query, text::Encoding encoding) {
  std::string text;
  bool leftOut = false;
  const int columns = query.Kind == search::QueryKind::Simple ? 1 : search::kColumns;
  for (int c = 0; c < columns; ++c) appendMasks(text, leftOut, query.Masks[c], encoding);
  if (leftOut) text += "...";
  return "Concordance: " + text;
}

std::int32_t MaxListSizeOf(const search::SearchQuery& query) {
  return std::max(search::IntegerFieldValue(query.MaxListSize), kSmallestMaxListSize);
}

void HitSlots::RecordSlot(int column, std::int64_t position, std::int64_t offset) {
  int& count = counts_[column - 1];
  if (count >= kSlots) return;
  positions_[column - 1][count] = position;
  offsets_[column - 1][count] = offset;
  ++count;
}

bool HitSlots::Complete() const {
  for (int c = 0; c < query_.ColumnCount; ++c)
    if (counts_[c] == 0) return false;
  return true;
}

bool HitSlots::FindCombination(std::int64_t& offset) const {
  // The exhaustive search tries every choice in order, column 1 slowest, keeps
  // the last fit and skips the rest of column 5 after a fit. The same choice
  // is the first fit met when columns 1 to 4 run from their last slot back
  // and column 5 from its first, pruning as soon as a partial choice breaks
  // a limit: far fewer tries, the same answer.
  std::array<int, 5> chosen{};
  std::array<std::int64_t, 5> p{};
  return search(0, chosen, p, offset);
}

bool HitSlots::search(int k, std::array<int, 5>& chosen, std::array<std::int64_t, 5>& p,
                      std::int64_t& offset) const {
  if (k == query_.ColumnCount) {
    const int middle = query_.MiddleColumn - 1;
    offset = offsets_[middle][chosen[middle]];
    return true;
  }
  const int count = counts_[k];
  for (int step = 0; step < count; ++step) {
    const int i = k == 4 ? step : count - 1 - step;
    p[k] = positions_[k][i];
    if (!partialFits(p, k)) continue;
    chosen[k] = i;
    if (search(k + 1, chosen, p, offset)) return true;
  }
  return false;
}

bool HitSlots::partialFits(const std::array<std::int64_t, 5>& p, int k) const {
  if (p[k] == 0) return false;
  for (int j = 0; j < k; ++j)
    if (p[k] == p[j]) return false;
  if (k == 0) return true;
  if (query_.InOrder[k - 1] && p[k - 1] > p[k]) return false;
  const std::int64_t distance = p[k - 1] > p[k] ? p[k - 1] - p[k] : p[k] - p[k - 1];
  return !(query_.MaxGap[k - 1] >= 0 && distance > std::int64_t{query_.MaxGap[k - 1]} + 1);
}

bool HitSlots::CombinationFits(const std::array<std::int64_t, 5>& p) const {
  const int n = query_.ColumnCount;
  for (int k = 0; k < n; ++k) {
    if (p[k] == 0) return false;
    for (int j = 0; j < k; ++j)
      if (p[k] == p[j]) return false;
  }
  for (int k = 0; k + 1 < n; ++k)
    if (query_.InOrder[k] && p[k] > p[k + 1]) return false;
  for (int k = 0; k + 1 < n; ++k) {
    const std::int64_t distance = p[k] > p[k + 1] ? p[k] - p[k + 1] : p[k + 1] - p[k];
    if (query_.MaxGap[k] >= 0 && distance > std::int64_t{query_.MaxGap[k]} + 1) return false;
  }
  return true;
}

void RetrieveSentences(ConcordanceTable& table, const text::CharacterSets& sets,
                       text::ProgressIndicator& progress) {
  progress.Start("Retrieving sentences");
  const std::int32_t n = table.RowCount();
  HitWindowReader reader(sets);
  for (std::int32_t i = 1; i <= n; ++i) {
    const TOneWordInfo& info = table.Info(i - 1);
    const std::string& path = table.CorpusFiles.at(static_cast<std::size_t>(info.FileIndex));
    text::Sentence sentence;
    reader.Retrieve(path, info.Offset, table.CRLFAsSeparator, table.EnhSentDetect, sentence);
    table.Keywords().Put(i - 1, text::StripTag(sentence.keyword, table.TextEncoding));
    table.LeftContexts().Add(text::StripTags(sentence.left, table.TextEncoding));
    table.RightContexts().Add(text::StripTags(sentence.right, table.TextEncoding));
    table.FileNames().Add(std::filesystem::path(path).filename().string());
    if (i % 100 != 0) continue;
    progress.SetGauge(static_cast<int>(std::int64_t{i} * 100 / n));
    // Cancel is seen at the 100-hit steps only, wherever it was pressed.
    if (progress.Cancelled()) {
      // From the end, so that nothing moves.
      for (std::int32_t j = table.Keywords().GetCount() - 1; j >= i; --j)
        table.Keywords().Delete(j);
      break;
    }
  }
  progress.Finish();
}

std::unique_ptr<ConcordanceTable> BuildConcordance(const search::SearchQuery& query,
                                                   const corpus::CorpusSettings& settings,
                                                   text::OperationHost& host,
                                                   const BuildOptions& options) {
  auto table = std::make_unique<ConcordanceTable>();
  table->FileCount = static_cast<std::int32_t>(settings.Files.Count());
  table->TotalSizeKB = (settings.TotalBytes + 1023) / 1024;
  table->TotalWords = 0;
  table->TotalSentences = 0;
  table->SearchComplete = true;
  table->MaxListSize = MaxListSizeOf(query);
  table->TextEncoding = settings.TextEncoding;
  table->ResetLists(std::min(table->MaxListSize, kMostReserved - 1) + 1);
  table->CorpusFiles = settings.Files.Paths();
  table->WordSeparators =
      text::keepFirst(settings.WordSeparators, text::kMaxTextLength, settings.TextEncoding);
  table->TaggedText = settings.TaggedText;
  table->CRLFAsSeparator = settings.CRLFAsSeparator;
  table->EnhSentDetect = settings.EnhSentDetect;
  table->FileBytes.reserve(table->CorpusFiles.size());
  for (const std::string& path : table->CorpusFiles)
    table->FileBytes.push_back(std::max<std::int64_t>(text::FileSizeOf(path), 0));

  host.search.Start("Words found:");
  const text::CharacterSets sets = corpus::ScannerSets(settings);
  table->ScanSets = sets;
  ScanCorpus(query, settings, sets, *table, host, options);
  if (host.search.Cancelled()) table->SearchComplete = false;
  RetrieveSentences(*table, sets, host.progress);
  if (host.search.Cancelled()) table->SearchComplete = false;
  host.search.Finish();
  table->TableSorted = false;
  return table;
}

}  // namespace lexvane::concordance
