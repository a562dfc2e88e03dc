#include "frequency/word_spread.h"

#include <algorithm>
#include <limits>

#include <unistd.h>

#include "concordance/dispersion.h"
#include "frequency/count_sink.h"
#include "frequency/word_frequency_list.h"
#include "text/block_scanner.h"
#include "text/error.h"
#include "text/open_file.h"
#include "text/read_file.h"

namespace lexvane::frequency {

namespace {

constexpr std::size_t kFirstSlots = 1 << 12;

std::uint32_t tagOf(std::uint64_t hash) {
  return static_cast<std::uint32_t>(hash >> 32) | 1u;
}

std::string fileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

// ---- TypeIndex ----

TypeIndex::TypeIndex() : slots_(kFirstSlots), mask_(kFirstSlots - 1) {}

std::optional<std::uint32_t> TypeIndex::Find(std::string_view word) const {
  const std::uint64_t hash = WordCounter::Hash(word);
  const std::uint32_t tag = tagOf(hash);
  for (std::uint64_t i = hash & mask_;; i = (i + 1) & mask_) {
    const Slot& slot = slots_[i];
    if (slot.tag == 0) return std::nullopt;
    if (slot.tag == tag && wordOf(slot.id) == word) return slot.id;
  }
}

std::uint32_t TypeIndex::IdOf(std::string_view word) {
  const std::uint64_t hash = WordCounter::Hash(word);
  const std::uint32_t tag = tagOf(hash);
  std::uint64_t i = hash & mask_;
  for (;; i = (i + 1) & mask_) {
    const Slot& slot = slots_[i];
    if (slot.tag == 0) break;
    if (slot.tag == tag && wordOf(slot.id) == word) return slot.id;
  }
  const auto id = static_cast<std::uint32_t>(lengths_.size());
  slots_[i] = {tag, id};
  offsets_.push_back(arena_.size());
  lengths_.push_back(static_cast<std::uint32_t>(word.size()));
  arena_.append(word);
  if (lengths_.size() * 10 > slots_.size() * 7) grow();
  return id;
}

void TypeIndex::grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.tag == 0) continue;
    std::uint64_t i = WordCounter::Hash(wordOf(slot.id)) & mask_;
    while (slots_[i].tag != 0) i = (i + 1) & mask_;
    slots_[i] = slot;
  }
}

// ---- FileSpread ----

void FileSpread::AddFile(std::size_t file, const WordCounter& counter, std::int64_t words) {
  if (fileWords_.size() <= file) fileWords_.resize(file + 1, 0);
  fileWords_[file] += words;
  for (const std::uint32_t handle : counter.Handles())
    pairs_.push_back({types_.IdOf(counter.Word(handle)), static_cast<std::uint32_t>(file),
                      static_cast<std::uint64_t>(counter.Frequency(handle))});
}

void FileSpread::Finish() {
  const std::size_t types = types_.Size();
  std::int64_t corpusWords = 0;
  for (const std::int64_t w : fileWords_) corpusWords += w;
  // Each type's total, then its pairs (in corpus order, the parts of one
  // file next to each other) summed per file into the range and DP.
  std::vector<std::uint64_t> totals(types, 0);
  for (const Pair& p : pairs_) totals[p.type] += p.count;
  constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
  std::vector<std::uint32_t> lastFile(types, kNone);
  std::vector<std::uint64_t> pending(types, 0);
  std::vector<concordance::DpSum> sums(types);
  spreads_.assign(types, {});
  auto flush = [&](std::uint32_t type) {
    if (lastFile[type] == kNone) return;
    const double share = corpusWords > 0 ? static_cast<double>(fileWords_[lastFile[type]]) /
                                               static_cast<double>(corpusWords)
                                         : 0.0;
    sums[type].Add(static_cast<double>(pending[type]) / static_cast<double>(totals[type]), share);
    ++spreads_[type].Range;
  };
  for (const Pair& p : pairs_) {
    if (lastFile[p.type] != p.file) {
      flush(p.type);
      lastFile[p.type] = p.file;
      pending[p.type] = 0;
    }
    pending[p.type] += p.count;
  }
  for (std::uint32_t type = 0; type < types; ++type) {
    flush(type);
    spreads_[type].DP = sums[type].Value();
  }
  pairs_.clear();
  pairs_.shrink_to_fit();
}

FileSpread::Spread FileSpread::Of(std::string_view word) const {
  const std::optional<std::uint32_t> id = types_.Find(word);
  if (!id || *id >= spreads_.size()) return {};
  return spreads_[*id];
}

// ---- The counting pass ----

namespace {

// The indicator while one file is counted: a cancel is seen before each
// word, the counts of the files before and of this one shown every 1000
// words.
struct FileWatch {
  text::SearchIndicator& search;
  const CorpusCounts& total;
  bool Go() const { return !search.Cancelled(); }
  void Counted(const CorpusCounts& file) const {
    if ((total.words + file.words) % 1000 == 0)
      search.SetCounts(total.words + file.words, total.sentences + file.sentences,
                       static_cast<std::int64_t>(total.counter.Types()));
  }
};

}  // namespace

void CountFilesApart(const SpreadCountInput& input, text::OperationHost& host,
                     std::vector<std::string>& cutWordFiles, CorpusCounts& total,
                     FileSpread& spread) {
  text::SearchIndicator& search = host.search;
  text::BlockScanner<CountSink<FileWatch>> scanner(input.setup);
  FileWatch watch{search, total};
  CorpusCounts file;
  for (std::size_t f = 0; f < input.files.size(); ++f) {
    const std::string& path = input.files[f];
    if (search.Cancelled()) continue;
    search.SetFile(fileNameOf(path));
    int failure = 0;
    const int fd = text::OpenCorpusFile(path, text::FileAccess::OnePass, failure);
    if (fd >= 0) {
      CountSink<FileWatch> sink(file, input.rules, input.fold, watch, false);
      const text::ScanEnd end = scanner.ScanFile(sink, fd, 0, -1, text::CanSeek(fd));
      ::close(fd);
      if (end.readError != 0) throw text::Error(text::FileErrorMessage(path, end.readError));
      if (sink.TakeCut()) cutWordFiles.push_back(path);
    } else {
      host.ui.ShowError(text::OpenErrorMessage(path, failure));
    }
    spread.AddFile(f, file.counter, file.words);
    total.words += file.words;
    total.sentences += file.sentences;
    total.counter.Merge(file.counter);
    file.words = file.sentences = 0;
    file.counter.Clear();
    search.SetFile("");
    search.SetCounts(total.words, total.sentences,
                     static_cast<std::int64_t>(total.counter.Types()));
  }
  spread.Finish();
}

// ---- The list's records ----

void WordFrequencyList::attachSpread(const FileSpread& spread) {
  hasSpread_ = true;
  text::TQStringList& list = *wordList_;
  for (std::int32_t i = 0; i < list.GetCount(); ++i) {
    std::unique_ptr<TOneWordInfo> info(static_cast<TOneWordInfo*>(list.TakeObject(i)));
    const FileSpread::Spread s = spread.Of(info->Word);
    list.PutObject(i, new TWordSpreadInfo(std::move(*info), s.Range, s.DP));
  }
}

std::string WordFrequencyList::SpreadCellText(SpreadColumn column, std::int32_t row) const {
  if (row == 0) return column == SpreadColumn::Range ? "Range" : "DP";
  if (!hasSpread_ || row < 0 || row > Count()) return {};
  const auto& info = static_cast<const TWordSpreadInfo&>(Info(row - 1));
  return column == SpreadColumn::Range ? std::to_string(info.Range)
                                       : concordance::FormatMeasure(info.DP);
}

}  // namespace lexvane::frequency
