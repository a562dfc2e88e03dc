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

std::int64_t sizeOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return static_cast<std::int64_t>(st.st_size);
}

// A stretch of one file: the words that start in [begin, end).
struct Unit {
  std::size_t file;
  std::int64_t begin;
  std::int64_t end;  // -1: to the end of the file
};

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
  std::vector<Unit> units;
  std::unique_ptr<NGramCounter> counter;
  std::vector<std::pair<std::size_t, std::string>> openFailures;
  std::vector<std::size_t> cutFiles;
  bool completed = false;
  std::exception_ptr failure;
  std::int64_t words = 0, sentences = 0;
  // Shown by the indicator while the pass runs.
  std::atomic<std::int64_t> shownWords{0}, shownSentences{0}, shownNGrams{0};
  std::atomic<std::size_t> currentFile{0};
  std::atomic<bool> done{false};
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

// Counts the worker's units. `update` runs every 1024 words and after each
// file; it returns false to stop the pass.
template <class Update>
void countUnits(Worker& w, const Setup& setup, Pass& pass, Update&& update) {
  NGramCounter& counter = *w.counter;
  bool stopped = false;
  auto checkBudget = [&] {
    if (pass.budget == 0 || counter.CurrentMode() != NGramCounter::Mode::Exact) return;
    if (pass.sketching.load(std::memory_order_relaxed) || counter.MemoryBytes() > pass.budget) {
      pass.sketching = true;
      counter.SwitchToSketch(pass.Sketch());
    }
  };
  auto inUnit = [&](bool counted, bool ends) {
    if (counted) ++w.words;
    if (ends) ++w.sentences;
    if ((w.words & 1023) == 0 && counted) {
      checkBudget();
      if (!update()) return false;
    }
    return true;
  };
  // Behind a cut: the n-grams that begin before it end behind it.
  auto behind = [&](bool, bool) { return !counter.StretchDone(); };
  using UnitSink = NGramSink<decltype(inUnit)>;
  using BehindSink = NGramSink<decltype(behind)>;
  text::BlockScanner<UnitSink> scanner(setup.scan);
  std::unique_ptr<text::BlockScanner<BehindSink>> behindScanner;
  for (std::size_t u = 0; u < w.units.size() && !stopped; ++u) {
    const Unit& unit = w.units[u];
    w.currentFile.store(unit.file, std::memory_order_relaxed);
    const std::string& path = setup.files[unit.file];
    int failure = 0;
    const int fd = text::OpenCorpusFile(path, text::FileAccess::OnePass, failure);
    if (fd < 0) {
      if (unit.begin == 0)
        w.openFailures.emplace_back(unit.file, text::OpenErrorMessage(path, failure));
      if (!update()) stopped = true;
      continue;
    }
    struct Closer {
      int fd;
      ~Closer() { ::close(fd); }
    } closer{fd};
    const bool seekable = text::CanSeek(fd);
    counter.BeginFile(static_cast<std::uint32_t>(unit.file), u == 0 && unit.begin > 0);
    UnitSink sink(setup, counter, inUnit);
    const text::ScanEnd end = scanner.ScanFile(sink, fd, unit.begin, unit.end, seekable);
    if (end.readError != 0) throw text::Error(text::FileErrorMessage(path, end.readError));
    bool cut = sink.Cut();
    if (end.stopped) {
      stopped = true;
    } else if (unit.end >= 0) {
      counter.EndStretch();
      if (!counter.StretchDone()) {
        if (!behindScanner)
          behindScanner = std::make_unique<text::BlockScanner<BehindSink>>(setup.scan);
        BehindSink after(setup, counter, behind);
        const text::ScanEnd rest = behindScanner->ScanFile(after, fd, unit.end, -1, seekable);
        if (rest.readError != 0) throw text::Error(text::FileErrorMessage(path, rest.readError));
        cut = cut || after.Cut();
      }
    }
    counter.Flush();
    if (cut) w.cutFiles.push_back(unit.file);
    checkBudget();
    if (!stopped && !update()) stopped = true;
  }
  w.completed = !stopped;
}

}  // namespace

class NGramBuilder {
 public:
  NGramBuilder(NGramList& list, const corpus::CorpusSettings& settings, const NGramOptions& options,
               text::OperationHost& host, std::int64_t parallelThreshold, std::size_t budget)
      : list_(list),
        settings_(settings),
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
    list_.Start(std::move(source), setup_.options);
    host_.search.Start("N-grams:");
    std::vector<std::int64_t> sizes;
    std::int64_t total = 0;
    // A pipe or a device is read once: its n-grams are counted in one pass,
    // whatever memory they take.
    bool rereadable = true;
    for (const std::string& f : files_) {
      sizes.push_back(sizeOf(f));
      total += sizes.back();
      rereadable = rereadable && isRegularFile(f);
    }
    const bool parallel = total >= parallelThreshold_ && std::thread::hardware_concurrency() >= 2;
    const int lengths = setup_.options.maxLength - setup_.options.minLength + 1;

    Pass first;
    first.budget = rereadable && setup_.options.FrequencyFloor() > 1
                       ? std::max<std::size_t>(1, budget_ / (parallel ? 2 : 1))
                       : 0;
    first.expectedOccurrences = static_cast<std::uint64_t>(total / 4) * lengths;
    std::vector<std::unique_ptr<Worker>> workers = makeWorkers(parallel, sizes, total);
    runPass(workers, first, parallel);
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
        workers = makeWorkers(parallel, sizes, total, second.sketch.get());
        runPass(workers, second, parallel);
        fill(workers);
        list_.SetComplete(completed(workers));
      } else {
        list_.SetComplete(false);
      }
    } else {
      fill(workers);
      list_.SetComplete(complete);
    }
    list_.SetTotals(words, sentences);
    host_.search.SetFile("");
    host_.search.SetCounts(words, sentences, list_.Count());
    list_.Order(setup_.options.sort);
    host_.search.Finish();
  }

 private:
  std::vector<std::unique_ptr<Worker>> makeWorkers(bool parallel,
                                                   const std::vector<std::int64_t>& sizes,
                                                   std::int64_t total,
                                                   NGramSketch* sketch = nullptr) {
    std::vector<std::unique_ptr<Worker>> workers;
    const auto mode = sketch != nullptr ? NGramCounter::Mode::Filtered : NGramCounter::Mode::Exact;
    for (int i = 0; i < (parallel ? 2 : 1); ++i) {
      workers.push_back(std::make_unique<Worker>());
      workers.back()->counter = std::make_unique<NGramCounter>(setup_.options, mode, sketch);
    }
    if (!parallel) {
      for (std::size_t f = 0; f < sizes.size(); ++f) workers[0]->units.push_back({f, 0, -1});
      return workers;
    }
    // Two halves of the text: whole files, and the file in which the first
    // half ends cut there.
    const std::int64_t half = total / 2;
    std::int64_t before = 0;
    for (std::size_t f = 0; f < sizes.size(); ++f) {
      const std::int64_t size = sizes[f];
      if (before + size <= half) {
        workers[0]->units.push_back({f, 0, -1});
      } else if (before < half) {
        workers[0]->units.push_back({f, 0, half - before});
        workers[1]->units.push_back({f, half - before, -1});
      } else {
        workers[1]->units.push_back({f, 0, -1});
      }
      before += size;
    }
    return workers;
  }

  void runPass(std::vector<std::unique_ptr<Worker>>& workers, Pass& pass, bool parallel) {
    if (!parallel) {
      Worker& w = *workers[0];
      text::SearchIndicator& search = host_.search;
      std::size_t shownFile = static_cast<std::size_t>(-1);
      countUnits(w, setup_, pass, [&] {
        const std::size_t file = w.currentFile.load(std::memory_order_relaxed);
        if (file != shownFile) {
          search.SetFile(fileNameOf(files_[file]));
          shownFile = file;
        }
        search.SetCounts(w.words, w.sentences, static_cast<std::int64_t>(w.counter->NGrams()));
        return !search.Cancelled();
      });
      return;
    }
    auto run = [this, &pass](Worker& w) {
      try {
        countUnits(w, setup_, pass, [&w, &pass] {
          w.shownWords.store(w.words, std::memory_order_relaxed);
          w.shownSentences.store(w.sentences, std::memory_order_relaxed);
          w.shownNGrams.store(static_cast<std::int64_t>(w.counter->NGrams()),
                              std::memory_order_relaxed);
          return !pass.stop.load(std::memory_order_relaxed);
        });
      } catch (...) {
        w.failure = std::current_exception();
      }
      w.done = true;
    };
    {
      // An indicator call that throws stops both threads; the destructors
      // join them before the workers go.
      std::jthread a(run, std::ref(*workers[0])), b(run, std::ref(*workers[1]));
      try {
        watch(workers, pass);
      } catch (...) {
        pass.stop = true;
        throw;
      }
    }
    for (auto& w : workers)
      if (w->failure) std::rethrow_exception(w->failure);
  }

  // Shows the workers' file and counts until both are done; a cancel stops
  // them.
  void watch(const std::vector<std::unique_ptr<Worker>>& workers, Pass& pass) {
    text::SearchIndicator& search = host_.search;
    const Worker &a = *workers[0], &b = *workers[1];
    std::size_t shownFile = static_cast<std::size_t>(-1);
    while (!(a.done.load() && b.done.load())) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      const std::size_t file = a.done.load() ? b.currentFile.load() : a.currentFile.load();
      if (file != shownFile && file < files_.size()) {
        search.SetFile(fileNameOf(files_[file]));
        shownFile = file;
      }
      search.SetCounts(a.shownWords + b.shownWords, a.shownSentences + b.shownSentences,
                       a.shownNGrams + b.shownNGrams);
      if (search.Cancelled()) pass.stop = true;
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
  void fill(std::vector<std::unique_ptr<Worker>>& workers) {
    NGramCounter& result = *workers[0]->counter;
    for (std::size_t i = 1; i < workers.size(); ++i) {
      if (!workers[i - 1]->completed) break;
      const std::vector<Unit>& before = workers[i - 1]->units;
      const std::uint32_t shared = !before.empty() && before.back().end >= 0
                                       ? static_cast<std::uint32_t>(before.back().file)
                                       : kNoSharedFile;
      result.AbsorbLater(*workers[i]->counter, shared);
    }
    result.ForEachKept([this](std::string_view text, int words, std::int64_t frequency,
                              std::int64_t range) { list_.Append(text, words, frequency, range); });
  }

  NGramList& list_;
  const corpus::CorpusSettings& settings_;
  text::OperationHost& host_;
  std::vector<std::string> files_;
  Setup setup_;
  std::int64_t parallelThreshold_;
  std::size_t budget_;
};

void NGramList::Build(const corpus::CorpusSettings& settings, const NGramOptions& options,
                      text::OperationHost& host) {
  NGramBuilder(*this, settings, options, host, parallelThreshold_, memoryBudget_).Run();
}

}  // namespace lexvane::ngrams
