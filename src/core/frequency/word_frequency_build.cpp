// The corpus pass of a word frequency list: tokens counted in hash tables (on
// two threads for large corpora), then ordered once by collation keys.
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <memory>
#include <thread>

#include "frequency/token_count.h"
#include "frequency/word_counter.h"
#include "frequency/word_frequency_list.h"
#include "frequency/word_spread.h"
#include "frequency/word_tokenizer.h"
#include "text/character_sets.h"
#include "text/collation.h"
#include "text/key_order.h"

namespace lexvane::frequency {

namespace {

using Group = CorpusCounts;

inline void countToken(Group& group, std::string_view token, bool simpleEnd,
                       const TokenRules& rules) {
  if (rules.tagged)
    CountToken(group, token, simpleEnd, rules);
  else
    CountPlainToken(group, token, simpleEnd);
}

std::string fileNameOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A stretch of one file: the tokens that start in [begin, end).
struct Unit {
  std::size_t file;
  std::int64_t begin;
  std::int64_t end;  // -1: to the end of the file
  int group;
};

// The counting thread of one half of the corpus.
struct Worker {
  std::vector<Unit> units;
  std::vector<Group> groups;
  std::vector<std::pair<std::size_t, std::string>> openFailures;
  bool completed = false;             // every unit read to its end
  std::vector<std::size_t> cutFiles;  // files in which a word was cut to 255 characters
  std::exception_ptr failure;
  std::atomic<std::int64_t> words{0}, sentences{0}, types{0};
  std::atomic<std::size_t> currentFile{0};
  std::atomic<bool> done{false};
};

void runWorker(Worker& w, const std::vector<std::string>& files, const text::CharacterSets& sets,
               bool crlf, bool lowerInTokenizer, const TokenRules& rules,
               const std::atomic<bool>& stop) {
  try {
    WordTokenizer tokenizer(sets, crlf, lowerInTokenizer);
    std::int64_t baseWords = 0, baseSentences = 0, baseTypes = 0;
    bool stopped = false;
    for (std::size_t u = 0; u < w.units.size() && !stopped; ++u) {
      const Unit& unit = w.units[u];
      if (stop.load(std::memory_order_relaxed)) {
        stopped = true;
        break;
      }
      w.currentFile.store(unit.file, std::memory_order_relaxed);
      Group& g = w.groups[unit.group];
      std::string error;
      if (!tokenizer.Open(files[unit.file], error)) {
        if (unit.begin == 0) w.openFailures.emplace_back(unit.file, error);
        continue;
      }
      PipelinedCounter pipeline(g);
      auto end = tokenizer.Scan(unit.begin, unit.end, [&](std::string_view token, bool simpleEnd) {
        if (stop.load(std::memory_order_relaxed)) return false;
        if (rules.tagged)
          CountToken(g, token, simpleEnd, rules);
        else
          pipeline.Count(token, simpleEnd);
        if ((g.words & 1023) == 0) {
          w.words.store(baseWords + g.words, std::memory_order_relaxed);
          w.sentences.store(baseSentences + g.sentences, std::memory_order_relaxed);
          w.types.store(baseTypes + static_cast<std::int64_t>(g.counter.Types()),
                        std::memory_order_relaxed);
        }
        return true;
      });
      pipeline.Flush();
      tokenizer.Close();
      if (end == WordTokenizer::End::Stopped) stopped = true;
      if (tokenizer.CutWords()) w.cutFiles.push_back(unit.file);
      if (u + 1 < w.units.size() && w.units[u + 1].group != unit.group) {
        baseWords += g.words;
        baseSentences += g.sentences;
        baseTypes += static_cast<std::int64_t>(g.counter.Types());
      }
    }
    w.completed = !stopped;
  } catch (...) {
    w.failure = std::current_exception();
  }
  w.done.store(true);
}

std::int64_t sizeOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return static_cast<std::int64_t>(st.st_size);
}

}  // namespace

class WordFrequencyBuilder {
 public:
  WordFrequencyBuilder(WordFrequencyList& list, const corpus::CorpusSettings& settings,
                       text::OperationHost& host)
      : list_(list), settings_(settings), host_(host) {
    const TokenFolding folding = TokenFoldingOf(settings);
    rules_ = folding.rules;
    lowerInTokenizer_ = folding.lowerInTokenizer;
  }

  void Run() {
    list_.start(settings_);
    host_.search.Start("Types:");
    sets_ = corpus::ScannerSets(settings_);
    const std::vector<std::string>& files = list_.corpusFiles_;
    std::vector<std::int64_t> sizes;
    std::int64_t total = 0;
    for (const std::string& f : files) {
      sizes.push_back(sizeOf(f));
      total += sizes.back();
    }
    Group result;
    FileSpread spread;
    if (list_.countSpread_)
      CountFilesApart({files, sets_, settings_.CRLFAsSeparator, lowerInTokenizer_, rules_}, host_,
                      list_.cutWordFiles_, result, spread);
    else if (total >= list_.parallelThreshold_ && std::thread::hardware_concurrency() >= 2)
      countInParallel(sizes, total, result);
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
    WordTokenizer tokenizer(sets_, settings_.CRLFAsSeparator, lowerInTokenizer_);
    for (const std::string& path : files) {
      if (search.Cancelled()) continue;
      search.SetFile(fileNameOf(path));
      std::string error;
      if (tokenizer.Open(path, error)) {
        tokenizer.Scan(0, -1, [&](std::string_view token, bool simpleEnd) {
          if (search.Cancelled()) return false;
          countToken(g, token, simpleEnd, rules_);
          if (g.words % 1000 == 0)
            search.SetCounts(g.words, g.sentences, static_cast<std::int64_t>(g.counter.Types()));
          return true;
        });
        if (tokenizer.CutWords()) list_.cutWordFiles_.push_back(path);
        tokenizer.Close();
      } else {
        host_.ui.ShowError(error);
      }
      search.SetFile("");
      search.SetCounts(g.words, g.sentences, static_cast<std::int64_t>(g.counter.Types()));
    }
  }

  // Two halves of the corpus text, each counted by its own thread. A cancel
  // keeps a prefix of the corpus: the first half up to where it stopped, and
  // the second half's counts only when the first half had been completed.
  void countInParallel(const std::vector<std::int64_t>& sizes, std::int64_t total, Group& result) {
    Worker a, b;
    splitInHalves(sizes, total, a, b);
    std::atomic<bool> stop{false};
    auto launch = [&](Worker& w) {
      return std::jthread(runWorker, std::ref(w), std::cref(list_.corpusFiles_), std::cref(sets_),
                          settings_.CRLFAsSeparator, lowerInTokenizer_, std::cref(rules_),
                          std::cref(stop));
    };
    // An indicator call that throws stops both threads; their destructors
    // join them before the workers go.
    std::jthread ta = launch(a), tb = launch(b);
    try {
      watchWorkers(a, b, stop);
    } catch (...) {
      stop = true;
      throw;
    }
    ta.join();
    tb.join();
    mergeHalves(a, b, result);
  }

  // The units of the two halves: whole files, and the file in which the
  // first half ends cut there. The second half's files after that one count
  // in a group of their own.
  static void splitInHalves(const std::vector<std::int64_t>& sizes, std::int64_t total, Worker& a,
                            Worker& b) {
    a.groups.resize(1);
    b.groups.resize(2);
    const std::int64_t half = total / 2;
    std::int64_t before = 0;
    for (std::size_t f = 0; f < sizes.size(); ++f) {
      const std::int64_t size = sizes[f];
      if (before + size <= half) {
        a.units.push_back({f, 0, -1, 0});
      } else if (before < half) {
        const std::int64_t at = half - before;
        a.units.push_back({f, 0, at, 0});
        b.units.push_back({f, at, -1, 0});
      } else {
        b.units.push_back({f, 0, -1, 1});
      }
      before += size;
    }
  }

  // Shows the workers' file and counts until both are done; a cancel sets
  // `stop`.
  void watchWorkers(const Worker& a, const Worker& b, std::atomic<bool>& stop) {
    const std::vector<std::string>& files = list_.corpusFiles_;
    text::SearchIndicator& search = host_.search;
    std::size_t shownFile = static_cast<std::size_t>(-1);
    while (!(a.done.load() && b.done.load())) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      std::size_t file = a.done.load() ? b.currentFile.load() : a.currentFile.load();
      if (file != shownFile && file < files.size()) {
        search.SetFile(fileNameOf(files[file]));
        shownFile = file;
      }
      search.SetCounts(a.words + b.words, a.sentences + b.sentences, a.types + b.types);
      if (search.Cancelled()) stop = true;
    }
  }

  // The counts of the first half, and of the second when the first was
  // completed; reports the files that could not be opened.
  void mergeHalves(Worker& a, Worker& b, Group& result) {
    if (a.failure) std::rethrow_exception(a.failure);
    if (b.failure) std::rethrow_exception(b.failure);
    for (auto& [file, message] : a.openFailures) host_.ui.ShowError(message);
    result = std::move(a.groups[0]);
    std::vector<std::size_t> cut = a.cutFiles;
    if (a.completed) {
      for (auto& [file, message] : b.openFailures) host_.ui.ShowError(message);
      add(result, b.groups[0]);
      add(result, b.groups[1]);
      cut.insert(cut.end(), b.cutFiles.begin(), b.cutFiles.end());
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
  // records are made while the keys are computed, on both threads.
  void fill(WordCounter& counter) {
    std::vector<std::uint32_t> handles = counter.Handles();
    std::size_t n = handles.size();
    std::vector<std::unique_ptr<TOneWordInfo>> records(n);
    std::vector<std::uint32_t> order;
    {
      text::KeyArena keys;
      text::ComputeKeys(
          n,
          [&counter, &handles, &records, encoding = settings_.TextEncoding](std::size_t i) {
            std::uint32_t handle = handles[i];
            records[i] = std::make_unique<TOneWordInfo>(std::string(counter.Word(handle)),
                                                        counter.WordClass(handle),
                                                        counter.Frequency(handle));
            return text::collationKey(records[i]->Word, encoding);
          },
          [](std::size_t) { return true; }, keys);
      order = text::OrderByKeys(keys);
    }
    counter.Clear();
    text::TQStringList& list = *list_.wordList_;
    list.SetCapacity(WordListCapacityFor(static_cast<std::int64_t>(n)));
    // The records lie scattered in memory: fetch them a little ahead.
    constexpr std::size_t kAhead = 8;
    for (std::size_t k = 0; k < n; ++k) {
      if (k + 2 * kAhead < n) __builtin_prefetch(&records[order[k + 2 * kAhead]]);
      if (k + kAhead < n) __builtin_prefetch(records[order[k + kAhead]].get());
      TOneWordInfo* record = records[order[k]].release();
      list.Append(record->Word, record);
    }
  }

  WordFrequencyList& list_;
  const corpus::CorpusSettings& settings_;
  text::OperationHost& host_;
  text::CharacterSets sets_;
  TokenRules rules_;
  bool lowerInTokenizer_ = false;
};

void WordFrequencyList::Build(const corpus::CorpusSettings& settings, text::OperationHost& host) {
  WordFrequencyBuilder(*this, settings, host).Run();
}

}  // namespace lexvane::frequency
