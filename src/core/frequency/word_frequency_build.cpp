// The corpus pass of a word frequency list: tokens counted in hash tables (on
// two threads for large corpora), then ordered once by collation keys.
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <memory>
#include <optional>
#include <thread>

#include <unistd.h>

#include "frequency/count_sink.h"
#include "frequency/token_count.h"
#include "frequency/word_counter.h"
#include "frequency/word_frequency_list.h"
#include "frequency/word_spread.h"
#include "text/block_scanner.h"
#include "text/character_sets.h"
#include "text/collation.h"
#include "text/error.h"
#include "text/key_order.h"
#include "text/open_file.h"
#include "text/read_file.h"
#include "text/scan_plan.h"

namespace lexvane::frequency {

namespace {

using Group = CorpusCounts;

// A corpus file open for reading, closed when it goes.
class CorpusFile {
 public:
  explicit CorpusFile(const std::string& path) {
    int failure = 0;
    fd_ = text::OpenCorpusFile(path, text::FileAccess::OnePass, failure);
    if (fd_ < 0) error_ = text::OpenErrorMessage(path, failure);
    seekable_ = fd_ >= 0 && text::CanSeek(fd_);
  }
  ~CorpusFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  CorpusFile(const CorpusFile&) = delete;
  CorpusFile& operator=(const CorpusFile&) = delete;
  bool Open() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  bool Seekable() const { return seekable_; }
  const std::string& Error() const { return error_; }

 private:
  int fd_ = -1;
  bool seekable_ = false;
  std::string error_;
};

std::string fileNameOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What a counting thread hands over for each unit of its share.
struct UnitCount {
  std::string openError;  // the file could not be opened (its first unit only)
  bool cut = false;       // a word longer than 255 characters was cut
  bool completed = true;  // read to its end (not stopped)
};

using Runner = text::PlanRunner<UnitCount>;

// The counts of one share of the corpus, and its figures for the indicator
// while it is counted.
struct alignas(128) Share {
  Group group;
  std::atomic<std::int64_t> words{0}, sentences{0}, types{0};
};

// What a counting thread tells the calling thread while it counts.
struct ShareWatch {
  Share& share;
  const std::atomic<bool>& stop;
  bool Go() const { return !stop.load(std::memory_order_relaxed); }
  void Counted(const Group& g) {
    if ((g.words & 1023) != 0) return;
    share.words.store(g.words, std::memory_order_relaxed);
    share.sentences.store(g.sentences, std::memory_order_relaxed);
    share.types.store(static_cast<std::int64_t>(g.counter.Types()), std::memory_order_relaxed);
  }
};

// The worker of one counting thread: its share's units one after another.
class ShareWorker {
 public:
  ShareWorker(const text::ScanPlan& plan, const text::ScanSetup& setup, const TokenFold& fold,
              const TokenRules& rules, Share& share, const std::atomic<bool>& stop)
      : plan_(plan),
        fold_(fold),
        rules_(rules),
        share_(share),
        watch_{share, stop},
        scanner_(std::make_unique<text::BlockScanner<CountSink<ShareWatch>>>(setup)) {}

  void operator()(std::size_t index, Runner::Handover& handover) {
    const text::ScanUnit& unit = plan_.Units()[index];
    UnitCount count;
    if (!watch_.Go()) {
      count.completed = false;
      handover.Put(std::move(count), true);
      return;
    }
    const std::string& path = plan_.Paths()[unit.file];
    const CorpusFile file(path);
    if (!file.Open()) {
      if (unit.firstOfFile) count.openError = file.Error();
      handover.Put(std::move(count), true);
      return;
    }
    CountSink<ShareWatch> sink(share_.group, rules_, fold_, watch_, true);
    const text::ScanEnd end =
        scanner_->ScanFile(sink, file.Fd(), unit.from, unit.until, file.Seekable());
    sink.Flush();
    if (end.readError != 0) throw text::Error(text::FileErrorMessage(path, end.readError));
    count.cut = sink.TakeCut();
    count.completed = !end.stopped;
    handover.Put(std::move(count), true);
  }

 private:
  const text::ScanPlan& plan_;
  const TokenFold& fold_;
  const TokenRules& rules_;
  Share& share_;
  ShareWatch watch_;
  std::unique_ptr<text::BlockScanner<CountSink<ShareWatch>>> scanner_;
};

// The calling thread's indicator while it counts alone: a cancel is seen
// before each word, the counts shown every 1000 words.
struct IndicatorWatch {
  text::SearchIndicator& search;
  bool Go() const { return !search.Cancelled(); }
  void Counted(const Group& g) const {
    if (g.words % 1000 == 0)
      search.SetCounts(g.words, g.sentences, static_cast<std::int64_t>(g.counter.Types()));
  }
};

}  // namespace

class WordFrequencyBuilder {
 public:
  WordFrequencyBuilder(WordFrequencyList& list, const corpus::CorpusSettings& settings,
                       text::OperationHost& host)
      : list_(list), settings_(settings), host_(host) {
    const TokenFolding folding = TokenFoldingOf(settings);
    rules_ = folding.rules;
    lowerInScan_ = folding.lowerInTokenizer;
  }

  void Run() {
    list_.start(settings_);
    host_.search.Start("Types:");
    sets_ = corpus::ScannerSets(settings_);
    text::ScanOptions options;
    options.crlf = settings_.CRLFAsSeparator;
    options.enhanced = false;
    setup_.emplace(sets_, options);
    fold_.emplace(sets_, lowerInScan_);
    Group result;
    FileSpread spread;
    const text::ScanPlan plan = text::ScanPlan::InShares(list_.corpusFiles_, 2);
    if (list_.countSpread_)
      CountFilesApart({list_.corpusFiles_, *setup_, *fold_, rules_}, host_, list_.cutWordFiles_,
                      result, spread);
    else if (plan.TotalBytes() >= list_.parallelThreshold_ &&
             std::thread::hardware_concurrency() >= 2)
      countInParallel(plan, result);
    else
      countInSequence(result);
    if (host_.search.Cancelled()) list_.listComplete_ = false;
    list_.totalWords_ = result.words;
    list_.totalSentences_ = result.sentences;
    fill(result.counter);
    if (list_.countSpread_) list_.attachSpread(spread);
    host_.search.Finish();
  }

 private:
  void countInSequence(Group& g) {
    const std::vector<std::string>& files = list_.corpusFiles_;
    text::SearchIndicator& search = host_.search;
    text::BlockScanner<CountSink<IndicatorWatch>> scanner(*setup_);
    IndicatorWatch watch{search};
    for (const std::string& path : files) {
      if (search.Cancelled()) continue;
      search.SetFile(fileNameOf(path));
      const CorpusFile file(path);
      if (file.Open()) {
        CountSink<IndicatorWatch> sink(g, rules_, *fold_, watch, false);
        const text::ScanEnd end = scanner.ScanFile(sink, file.Fd(), 0, -1, file.Seekable());
        if (end.readError != 0) throw text::Error(text::FileErrorMessage(path, end.readError));
        if (sink.TakeCut()) list_.cutWordFiles_.push_back(path);
      } else {
        host_.ui.ShowError(file.Error());
      }
      search.SetFile("");
      search.SetCounts(g.words, g.sentences, static_cast<std::int64_t>(g.counter.Types()));
    }
  }

  // Shares of the corpus text, each counted by its own thread. A cancel
  // keeps a prefix of the corpus: the first share up to where it stopped,
  // and a later share's counts only when the shares before it had been
  // completed.
  void countInParallel(const text::ScanPlan& plan, Group& result) {
    text::SearchIndicator& search = host_.search;
    std::vector<Share> shares(static_cast<std::size_t>(plan.Shares()));
    std::atomic<bool> stop{false};
    std::vector<UnitCount> counts(plan.Units().size());
    {
      Runner runner(plan, 0, 0);
      runner.Start(plan.Shares(), [&](int t) {
        return ShareWorker(plan, *setup_, *fold_, rules_, shares[static_cast<std::size_t>(t)],
                           stop);
      });
      // The replay only follows the units to show their files and the counts.
      const auto showCounts = [&] {
        std::int64_t words = 0, sentences = 0, types = 0;
        for (const Share& share : shares) {
          words += share.words;
          sentences += share.sentences;
          types += share.types;
        }
        search.SetCounts(words, sentences, types);
        if (search.Cancelled()) stop = true;
      };
      try {
        std::size_t shownFile = static_cast<std::size_t>(-1);
        for (std::size_t u = 0; u < plan.Units().size(); ++u) {
          const std::size_t file = plan.Units()[u].file;
          if (file != shownFile) {
            search.SetFile(fileNameOf(plan.Paths()[file]));
            shownFile = file;
          }
          while (runner.Take(u, counts[u], showCounts)) {
          }
          runner.Done(u);
        }
      } catch (...) {
        stop = true;
        throw;
      }
    }
    mergeShares(plan, shares, counts, result);
  }

  // The counts of the first share, and of each later one while the ones
  // before were completed; reports the files that could not be opened.
  void mergeShares(const text::ScanPlan& plan, std::vector<Share>& shares,
                   const std::vector<UnitCount>& counts, Group& result) {
    std::vector<std::size_t> cut;
    for (int t = 0; t < plan.Shares(); ++t) {
      bool completed = true;
      for (std::size_t u = plan.ShareStart(t); u < plan.ShareStart(t + 1); ++u) {
        if (!counts[u].openError.empty()) host_.ui.ShowError(counts[u].openError);
        if (counts[u].cut) cut.push_back(plan.Units()[u].file);
        completed = completed && counts[u].completed;
      }
      Group& group = shares[static_cast<std::size_t>(t)].group;
      if (t == 0)
        result = std::move(group);
      else
        add(result, group);
      if (!completed) break;
    }
    noteCutFiles(cut);
    host_.search.SetFile("");
    host_.search.SetCounts(result.words, result.sentences,
                           static_cast<std::int64_t>(result.counter.Types()));
  }

  // The files (indices, in corpus order, each once) in which words were cut.
  void noteCutFiles(std::vector<std::size_t> files) {
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    for (const std::size_t f : files) list_.cutWordFiles_.push_back(list_.corpusFiles_[f]);
  }

  static void add(Group& into, Group& later) {
    into.words += later.words;
    into.sentences += later.sentences;
    into.counter.Merge(later.counter);
    later.counter.Clear();
  }

  // Fills WordList with the types in ascending order of their words. The
  // keys are computed on both threads and dropped before the records are
  // made, in the list's order, so that the three are never held at once
  // and the records lie in memory as the rows that read them.
  void fill(WordCounter& counter) {
    std::vector<std::uint32_t> handles = counter.Handles();
    const std::size_t n = handles.size();
    std::vector<std::uint32_t> order;
    {
      text::KeyArena keys;
      text::ComputeKeys(
          n,
          [&counter, &handles, &collator = *list_.collator_, encoding = settings_.TextEncoding](
              std::size_t i) { return collator.Key(counter.Word(handles[i]), encoding); },
          [](std::size_t) { return true; }, keys);
      order = text::OrderByKeys(keys);
    }
    text::TQStringList& list = *list_.wordList_;
    list.SetCapacity(WordListCapacityFor(static_cast<std::int64_t>(n)));
    // The types come in list order, from all over the table: each slot is
    // fetched a few types ahead.
    constexpr std::size_t kAhead = 8;
    for (std::size_t k = 0; k < n; ++k) {
      if (k + kAhead < n) counter.PrefetchSlot(handles[order[k + kAhead]]);
      const std::uint32_t handle = handles[order[k]];
      auto record = std::make_unique<TOneWordInfo>(
          std::string(counter.Word(handle)), counter.WordClass(handle), counter.Frequency(handle));
      TOneWordInfo* info = record.release();
      list.Append(info->Word, info);
    }
    counter.Clear();
  }

  WordFrequencyList& list_;
  const corpus::CorpusSettings& settings_;
  text::OperationHost& host_;
  text::CharacterSets sets_;
  std::optional<text::ScanSetup> setup_;
  std::optional<TokenFold> fold_;
  TokenRules rules_;
  bool lowerInScan_ = false;
};

void WordFrequencyList::Build(const corpus::CorpusSettings& settings, text::OperationHost& host) {
  WordFrequencyBuilder(*this, settings, host).Run();
}

}  // namespace lexvane::frequency
