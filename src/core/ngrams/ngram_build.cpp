// The corpus pass of an n-gram list: the block scanner of text/ feeds an
// NGramCounter per thread through the word list's token rules (two halves of the text on two
// threads for large corpora). With a frequency or range floor above 1, a count that outgrows its
// memory budget turns into a hashed count of the rest, and a second pass counts exactly the n-grams
// whose hashed count reaches the floor.
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include <unistd.h>

#include "frequency/count_sink.h"
#include "frequency/token_count.h"
#include "ngrams/ngram_counter.h"
#include "ngrams/ngram_list.h"
#include "text/block_scanner.h"
#include "text/character_sets.h"
#include "text/error.h"
#include "text/open_file.h"
#include "text/read_file.h"
#include "text/scan_plan.h"

namespace lexvane::ngrams {

namespace {

constexpr std::uint32_t kNoSharedFile = 0xFFFFFFFFu;

std::string fileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isRegularFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// What the counting threads of one pass share.
struct Pass {
  NGramCounter::Mode mode = NGramCounter::Mode::Exact;
  // Exact mode with a floor above 1: the memory a counter may take before
  // every counter goes on in Sketch mode (0: no limit).
  std::size_t budget = 0;
  std::uint64_t expectedOccurrences = 0;
  std::atomic<bool> sketching{false};
  std::once_flag sketchMade;
  std::unique_ptr<NGramSketch> sketch;
  std::atomic<bool> stop{false};

  NGramSketch& Sketch() {
    std::call_once(sketchMade,
                   [this] { sketch = std::make_unique<NGramSketch>(expectedOccurrences); });
    return *sketch;
  }
};

// One counting thread's stretch of corpus and what it found.
struct Worker {
  std::unique_ptr<NGramCounter> counter;
  std::vector<std::pair<std::size_t, std::string>> openFailures;
  std::vector<std::size_t> cutFiles;
  bool completed = false;
  std::exception_ptr failure;
  std::int64_t words = 0, sentences = 0;
  // Shown by the indicator while the pass runs.
  std::atomic<std::int64_t> shownWords{0}, shownSentences{0}, shownNGrams{0};
  std::atomic<std::size_t> currentFile{0};
};

// The settings every worker of a build reads.
struct Setup {
  Setup(const std::vector<std::string>& files, const corpus::CorpusSettings& settings,
        const NGramOptions& options)
      : files(files),
        sets(corpus::ScannerSets(settings)),
        folding(frequency::TokenFoldingOf(settings)),
        scan(sets, scanOptions(settings)),
        fold(sets, folding.lowerInTokenizer),
        options(options) {}

  const std::vector<std::string>& files;
  text::CharacterSets sets;
  frequency::TokenFolding folding;
  text::ScanSetup scan;
  frequency::TokenFold fold;
  NGramOptions options;

 private:
  static text::ScanOptions scanOptions(const corpus::CorpusSettings& settings) {
    text::ScanOptions options;
    options.crlf = settings.CRLFAsSeparator;
    options.enhanced = false;
    return options;
  }
};

// The block scanner's sink of one unit: each word as the word list counts
// it (capitals folded, tags off) goes to the counter with its simple
// sentence end. `OnWord(bool counted)` follows each word (counted: not
// empty) and returns false to stop.
template <class OnWord>
class NGramSink {
 public:
  NGramSink(const Setup& setup, NGramCounter& counter, OnWord& onWord)
      : setup_(setup), counter_(counter), onWord_(onWord) {}

  bool Word(const text::ScanWord& scanned) {
    cut_ = cut_ || scanned.cut;
    std::string_view token = scanned.text;
    if (setup_.fold.Folds()) token = {folded_, setup_.fold.Fold(token, folded_)};
    const frequency::TokenRules& rules = setup_.folding.rules;
    const std::string_view word =
        rules.tagged ? frequency::WordOfToken(token, rules, buffer_) : token;
    if (!word.empty())
      counter_.Word(word, scanned.simpleEnd);
    else if (scanned.simpleEnd)
      counter_.SentenceEnd();
    return onWord_(!word.empty(), scanned.simpleEnd);
  }
  bool Cut() const { return cut_; }

 private:
  const Setup& setup_;
  NGramCounter& counter_;
  OnWord& onWord_;
  std::string buffer_;
  bool cut_ = false;
  char folded_[text::kMaxTextLength * 4 + 8];
};

// Counts a worker's units one after another, each with the block scanner.
// `update` runs every 1024 words and after each unit; it returns false to
// stop the pass.
template <class Update>
class UnitCounter {
 public:
  UnitCounter(Worker& w, const Setup& setup, Pass& pass, Update update)
      : w_(w),
        setup_(setup),
        pass_(pass),
        update_(std::move(update)),
        inUnit_{this},
        behind_{w.counter.get()},
        scanner_(setup.scan) {}

  // Counts `unit` (`first`: the first of the worker's stretch); false once
  // the pass stops.
  bool Count(const text::ScanUnit& unit, bool first) {
    NGramCounter& counter = *w_.counter;
    w_.currentFile.store(unit.file, std::memory_order_relaxed);
    const std::string& path = setup_.files[unit.file];
    int failure = 0;
    const int fd = text::OpenCorpusFile(path, text::FileAccess::OnePass, failure);
    if (fd < 0) {
      if (unit.firstOfFile)
        w_.openFailures.emplace_back(unit.file, text::OpenErrorMessage(path, failure));
      return update_();
    }
    struct Closer {
      int fd;
      ~Closer() { ::close(fd); }
    } closer{fd};
    const bool seekable = text::CanSeek(fd);
    counter.BeginFile(static_cast<std::uint32_t>(unit.file), first && unit.from > 0);
    UnitSink sink(setup_, counter, inUnit_);
    const text::ScanEnd end = scanner_.ScanFile(sink, fd, unit.from, unit.until, seekable);
    if (end.readError != 0) throw text::Error(text::FileErrorMessage(path, end.readError));
    bool cut = sink.Cut();
    bool stopped = false;
    if (end.stopped) {
      stopped = true;
    } else if (unit.until >= 0) {
      // The n-grams that begin before the cut end behind it.
      counter.EndStretch();
      if (!counter.StretchDone()) {
        if (!behindScanner_)
          behindScanner_ = std::make_unique<text::BlockScanner<BehindSink>>(setup_.scan);
        BehindSink after(setup_, counter, behind_);
        const text::ScanEnd rest = behindScanner_->ScanFile(after, fd, unit.until, -1, seekable);
        if (rest.readError != 0) throw text::Error(text::FileErrorMessage(path, rest.readError));
        cut = cut || after.Cut();
      }
    }
    counter.Flush();
    if (cut) w_.cutFiles.push_back(unit.file);
    checkBudget();
    return !stopped && update_();
  }

 private:
  struct InUnit {
    UnitCounter* self;
    bool operator()(bool counted, bool ends) const { return self->inUnit(counted, ends); }
  };
  struct Behind {
    NGramCounter* counter;
    bool operator()(bool, bool) const { return !counter->StretchDone(); }
  };
  using UnitSink = NGramSink<InUnit>;
  using BehindSink = NGramSink<Behind>;

  void checkBudget() {
    NGramCounter& counter = *w_.counter;
    if (pass_.budget == 0 || counter.CurrentMode() != NGramCounter::Mode::Exact) return;
    if (pass_.sketching.load(std::memory_order_relaxed) || counter.MemoryBytes() > pass_.budget) {
      pass_.sketching = true;
      counter.SwitchToSketch(pass_.Sketch());
    }
  }
  bool inUnit(bool counted, bool ends) {
    if (counted) ++w_.words;
    if (ends) ++w_.sentences;
    if ((w_.words & 1023) == 0 && counted) {
      checkBudget();
      if (!update_()) return false;
    }
    return true;
  }

  Worker& w_;
  const Setup& setup_;
  Pass& pass_;
  Update update_;
  InUnit inUnit_;
  Behind behind_;
  text::BlockScanner<UnitSink> scanner_;
  std::unique_ptr<text::BlockScanner<BehindSink>> behindScanner_;
};

// What a counting thread hands over for each unit: only that it is done
// (the counts stay in the worker's counter).
struct UnitDone {};

}  // namespace

class NGramBuilder {
 public:
  NGramBuilder(NGramList& list, const corpus::CorpusSettings& settings, const NGramOptions& options,
               const text::Collator& collator, text::OperationHost& host,
               std::int64_t parallelThreshold, std::size_t budget)
      : list_(list),
        settings_(settings),
        collator_(collator),
        host_(host),
        files_(settings.Files.Paths()),
        setup_(files_, settings, options),
        parallelThreshold_(parallelThreshold),
        budget_(budget) {}

  void Run() {
    ListSource source;
    source.corpusFiles = files_;
    source.totalSizeKB = settings_.TotalKilobytes();
    source.encoding = settings_.TextEncoding;
    list_.Start(std::move(source), setup_.options, collator_);
    host_.search.Start("N-grams:");
    // A pipe or a device is read once: its n-grams are counted in one pass,
    // whatever memory they take.
    bool rereadable = true;
    for (const std::string& f : files_) rereadable = rereadable && isRegularFile(f);
    const std::int64_t total = text::ScanPlan::InShares(files_, 1).TotalBytes();
    const bool parallel = total >= parallelThreshold_ && std::thread::hardware_concurrency() >= 2;
    // Two halves of the text for large corpora, the file in which the first
    // ends cut there.
    const text::ScanPlan plan = text::ScanPlan::InShares(files_, parallel ? 2 : 1);
    const int lengths = setup_.options.maxLength - setup_.options.minLength + 1;

    Pass first;
    first.budget = rereadable && setup_.options.FrequencyFloor() > 1
                       ? std::max<std::size_t>(1, budget_ / (parallel ? 2 : 1))
                       : 0;
    first.expectedOccurrences = static_cast<std::uint64_t>(total / 4) * lengths;
    std::vector<std::unique_ptr<Worker>> workers = makeWorkers(plan);
    runPass(plan, workers, first);
    const bool complete = completed(workers);
    std::int64_t words = 0, sentences = 0;
    for (std::size_t i = 0; i < workers.size(); ++i) {
      if (i > 0 && !workers[i - 1]->completed) break;
      words += workers[i]->words;
      sentences += workers[i]->sentences;
    }
    reportFailures(workers);
    if (first.sketching) {
      list_.SetTwoPasses(true);
      // What the hashed count saw is no list; a cancel then keeps nothing.
      for (auto& w : workers) w->counter.reset();
      if (complete) {
        Pass second;
        second.mode = NGramCounter::Mode::Filtered;
        second.sketch = std::move(first.sketch);
        workers = makeWorkers(plan, second.sketch.get());
        runPass(plan, workers, second);
        fill(plan, workers);
        list_.SetComplete(completed(workers));
      } else {
        list_.SetComplete(false);
      }
    } else {
      fill(plan, workers);
      list_.SetComplete(complete);
    }
    list_.SetTotals(words, sentences);
    host_.search.SetFile("");
    host_.search.SetCounts(words, sentences, list_.Count());
    list_.Order(setup_.options.sort);
    host_.search.Finish();
  }

 private:
  // One worker per share of the plan.
  std::vector<std::unique_ptr<Worker>> makeWorkers(const text::ScanPlan& plan,
                                                   NGramSketch* sketch = nullptr) {
    std::vector<std::unique_ptr<Worker>> workers;
    const auto mode = sketch != nullptr ? NGramCounter::Mode::Filtered : NGramCounter::Mode::Exact;
    for (int t = 0; t < plan.Shares(); ++t) {
      workers.push_back(std::make_unique<Worker>());
      workers.back()->counter = std::make_unique<NGramCounter>(setup_.options, mode, sketch);
    }
    return workers;
  }

  void runPass(const text::ScanPlan& plan, std::vector<std::unique_ptr<Worker>>& workers,
               Pass& pass) {
    text::SearchIndicator& search = host_.search;
    if (plan.Shares() == 1) {
      // One share: counted on the calling thread.
      Worker& w = *workers[0];
      std::size_t shownFile = static_cast<std::size_t>(-1);
      UnitCounter counter(w, setup_, pass, [&] {
        const std::size_t file = w.currentFile.load(std::memory_order_relaxed);
        if (file != shownFile) {
          search.SetFile(fileNameOf(files_[file]));
          shownFile = file;
        }
        search.SetCounts(w.words, w.sentences, static_cast<std::int64_t>(w.counter->NGrams()));
        return !search.Cancelled();
      });
      bool going = true;
      for (std::size_t u = 0; u < plan.Units().size() && going; ++u)
        going = counter.Count(plan.Units()[u], u == 0);
      w.completed = going;
      return;
    }
    // Each share on its own thread; the calling thread follows the units in
    // corpus order to show their files and the counts, and a cancel stops
    // the threads.
    using Runner = text::PlanRunner<UnitDone>;
    Runner runner(plan, 0, 0);
    runner.Start(plan.Shares(), [&](int t) {
      Worker& w = *workers[static_cast<std::size_t>(t)];
      const auto update = [&w, &pass] {
        w.shownWords.store(w.words, std::memory_order_relaxed);
        w.shownSentences.store(w.sentences, std::memory_order_relaxed);
        w.shownNGrams.store(static_cast<std::int64_t>(w.counter->NGrams()),
                            std::memory_order_relaxed);
        return !pass.stop.load(std::memory_order_relaxed);
      };
      auto counter = std::make_shared<UnitCounter<decltype(update)>>(w, setup_, pass, update);
      w.completed = true;
      return [&w, &plan, t, counter](std::size_t u, Runner::Handover& handover) {
        if (w.completed) w.completed = counter->Count(plan.Units()[u], u == plan.ShareStart(t));
        handover.Put(UnitDone{}, true);
      };
    });
    const auto showCounts = [&] {
      std::int64_t words = 0, sentences = 0, ngrams = 0;
      for (const auto& w : workers) {
        words += w->shownWords;
        sentences += w->shownSentences;
        ngrams += w->shownNGrams;
      }
      search.SetCounts(words, sentences, ngrams);
      if (search.Cancelled()) pass.stop = true;
    };
    try {
      std::size_t shownFile = static_cast<std::size_t>(-1);
      for (std::size_t u = 0; u < plan.Units().size(); ++u) {
        const std::size_t file = plan.Units()[u].file;
        if (file != shownFile) {
          search.SetFile(fileNameOf(files_[file]));
          shownFile = file;
        }
        UnitDone done;
        while (runner.Take(u, done, showCounts)) {
        }
        runner.Done(u);
      }
    } catch (...) {
      // An indicator call or a worker that throws stops the other thread;
      // the runner joins it before the workers go.
      pass.stop = true;
      throw;
    }
  }

  // Whether the workers counted the whole corpus.
  static bool completed(const std::vector<std::unique_ptr<Worker>>& workers) {
    for (const auto& w : workers)
      if (!w->completed) return false;
    return true;
  }

  // The files that could not be opened and those with cut words, of the
  // stretch of corpus that counts (a worker after an incomplete one does
  // not), each once, in corpus order.
  void reportFailures(const std::vector<std::unique_ptr<Worker>>& workers) {
    std::vector<std::size_t> cut;
    for (std::size_t i = 0; i < workers.size(); ++i) {
      if (i > 0 && !workers[i - 1]->completed) break;
      for (const auto& [file, message] : workers[i]->openFailures) host_.ui.ShowError(message);
      cut.insert(cut.end(), workers[i]->cutFiles.begin(), workers[i]->cutFiles.end());
    }
    std::sort(cut.begin(), cut.end());
    cut.erase(std::unique(cut.begin(), cut.end()), cut.end());
    std::vector<std::string> paths;
    for (const std::size_t f : cut) paths.push_back(files_[f]);
    list_.SetCutWordFiles(std::move(paths));
  }

  // Joins the workers' counts in corpus order (a worker after an incomplete
  // one does not count) and appends the n-grams the options keep.
  void fill(const text::ScanPlan& plan, std::vector<std::unique_ptr<Worker>>& workers) {
    NGramCounter& result = *workers[0]->counter;
    for (std::size_t i = 1; i < workers.size(); ++i) {
      if (!workers[i - 1]->completed) break;
      // The file the share before ends in when it was cut there.
      const int t = static_cast<int>(i);
      const std::size_t last = plan.ShareStart(t);
      const bool cutBefore = last > plan.ShareStart(t - 1) && plan.Units()[last - 1].until >= 0;
      const std::uint32_t shared =
          cutBefore ? static_cast<std::uint32_t>(plan.Units()[last - 1].file) : kNoSharedFile;
      result.AbsorbLater(*workers[i]->counter, shared);
    }
    result.ForEachKept([this](std::string_view text, int words, std::int64_t frequency,
                              std::int64_t range) { list_.Append(text, words, frequency, range); });
  }

  NGramList& list_;
  const corpus::CorpusSettings& settings_;
  const text::Collator& collator_;
  text::OperationHost& host_;
  std::vector<std::string> files_;
  Setup setup_;
  std::int64_t parallelThreshold_;
  std::size_t budget_;
};

void NGramList::Build(const corpus::CorpusSettings& settings, const NGramOptions& options,
                      const text::Collator& collator, text::OperationHost& host) {
  NGramBuilder(*this, settings, options, collator, host, parallelThreshold_, memoryBudget_).Run();
}

}  // namespace lexvane::ngrams
