// The fast scan works on units: a simple query cuts each file into units of
// about 8 MB (a unit owns the words that start in it; a word's sentence-end
// flags depend only on the bytes from its start to the next word's start),
// and scans them on several threads; an advanced query needs each sentence whole, so one thread
// scans a file from its start and hands over its results in units as it
// goes. Each unit records its word count, which of its words end a sentence
// (one bit per word) and its hits with their word number; the calling thread
// then replays the units in corpus order, word number by word number, with
// the indicator updates, the full-table stop and the cancel test of the
// reference scan.
#include "concordance/fast_scan.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <thread>

#include "concordance/hit_sink.h"
#include "text/error.h"
#include "text/open_file.h"
#include "text/read_file.h"
#include "text/scan_plan.h"

namespace lexvane::concordance {

namespace {

constexpr int kMostThreads = 4;

using Runner = text::PlanRunner<UnitResult>;

// The worker of one thread: its block scanner, reused unit after unit.
class UnitWorker {
 public:
  UnitWorker(const text::ScanPlan& plan, const HitScan& scan)
      : plan_(plan),
        scan_(scan),
        scanner_(std::make_unique<text::BlockScanner<HitSink>>(scan.Setup())) {}

  void operator()(std::size_t index, Runner::Handover& handover) {
    const text::ScanUnit& unit = plan_.Units()[index];
    try {
      int error = 0;
      // Hits are re-read for their sentences: a pipe cannot serve.
      const int fd = text::OpenCorpusFile(plan_.Paths()[unit.file], text::FileAccess::Seek, error);
      if (fd < 0) {
        UnitResult failed;
        failed.openError = error;
        handover.Put(std::move(failed), true);
        return;
      }
      HitSink sink(scan_, [&handover](UnitResult&& result, bool last) {
        return handover.Put(std::move(result), last);
      });
      sink.Run(*scanner_, fd, unit.from, unit.until);
      ::close(fd);
    } catch (const std::exception& e) {
      UnitResult failed;
      failed.failure = e.what();
      handover.Put(std::move(failed), true);
    }
  }

 private:
  const text::ScanPlan& plan_;
  const HitScan& scan_;
  std::unique_ptr<text::BlockScanner<HitSink>> scanner_;
};

// Replays the units in corpus order into the table, as the reference scan's
// word loop would have met them.
class Replay {
 public:
  Replay(ConcordanceTable& table, text::OperationHost& host) : table_(table), host_(host) {}

  bool Stopped() const {
    return table_.Keywords().GetCount() >= table_.MaxListSize || host_.search.Cancelled();
  }
  void StartFile() { fileSentences_ = 0; }
  // False when the scan stopped inside the unit.
  bool Unit(const UnitResult& unit, std::int32_t d) {
    std::uint64_t w = 0;
    std::size_t nextHit = 0;
    const std::int64_t unitSentenceBase = fileSentences_;
    // A cut word counts once the replay has passed it, as the reference
    // scan's word loop would have read it.
    auto noteCut = [&] {
      if (unit.firstCutWord == 0 || unit.firstCutWord > w) return;
      const std::string& path = table_.CorpusFiles[static_cast<std::size_t>(d)];
      if (table_.CutWordFiles.empty() || table_.CutWordFiles.back() != path)
        table_.CutWordFiles.push_back(path);
    };
    while (w < unit.words) {
      if (Stopped()) {
        noteCut();
        stoppedInside_ = true;
        return false;
      }
      const std::uint64_t toUpdate = 1000 - static_cast<std::uint64_t>(table_.TotalWords % 1000);
      std::uint64_t target = std::min<std::uint64_t>(w + toUpdate, unit.words);
      if (nextHit < unit.hits.size()) target = std::min(target, unit.hits[nextHit].word);
      const std::int64_t ends = unit.CountEnds(w, target);
      table_.TotalWords += static_cast<std::int64_t>(target - w);
      w = target;
      if (nextHit < unit.hits.size() && unit.hits[nextHit].word == w) {
        const UnitHit& hit = unit.hits[nextHit++];
        table_.Keywords().AddObject(
            kKeywordPlaceholder, new TOneWordInfo(d, unitSentenceBase + hit.sentence, hit.offset));
      }
      table_.TotalSentences += ends;
      fileSentences_ += ends;
      if (table_.TotalWords % 1000 == 0) ShowCounts();
    }
    noteCut();
    return true;
  }
  void ShowCounts() {
    host_.search.SetCounts(table_.TotalWords, table_.TotalSentences, table_.Keywords().GetCount());
  }
  // Cancel or a full table stopped the replay before the end of a unit.
  bool StoppedInside() const { return stoppedInside_; }

 private:
  ConcordanceTable& table_;
  text::OperationHost& host_;
  std::int64_t fileSentences_ = 0;
  bool stoppedInside_ = false;
};

// Replays the units of file d. Returns the message that ends the scan (a
// read error or an unexpected error of a worker), empty when none did.
std::string replayFile(const text::ScanPlan& plan, std::size_t d, Runner& runner, Replay& replay,
                       text::OperationHost& host) {
  const std::string& path = plan.Paths()[d];
  std::string failure;
  bool go = true;
  for (std::size_t i = plan.FirstUnit(d); i < plan.FirstUnit(d + 1); ++i) {
    UnitResult unit;
    while (go && runner.Take(i, unit)) {
      if (unit.openError != 0) {
        if (plan.Units()[i].firstOfFile)
          host.ui.ShowError(text::OpenErrorMessage(path, unit.openError));
        go = false;
      } else if (unit.readError != 0 || !unit.failure.empty()) {
        failure =
            !unit.failure.empty() ? unit.failure : text::FileErrorMessage(path, unit.readError);
        go = false;
      } else {
        go = replay.Unit(unit, static_cast<std::int32_t>(d));
      }
    }
    runner.Done(i);
  }
  return failure;
}

}  // namespace

// Tagged text is matched after the tag strip, which the first-character test
// does not see: the reference scan serves it.
bool FastScanApplies(const corpus::CorpusSettings& settings) {
  return !settings.TaggedText;
}

void FastScanCorpus(const search::SearchQuery& query, const corpus::CorpusSettings& settings,
                    const text::CharacterSets& sets, ConcordanceTable& table,
                    text::OperationHost& host, const BuildOptions& options) {
  const QueryMatcher matcher(query, sets.encoding);
  const HitScan scan(sets, settings.CRLFAsSeparator, settings.EnhSentDetect, query, matcher,
                     table.MaxListSize, options);
  // An advanced query needs each sentence whole: one thread reads a file
  // from its start and hands over its results in units as it goes.
  const text::ScanPlan plan = text::ScanPlan::InUnits(
      table.CorpusFiles, query.Kind == search::QueryKind::Advanced ? 0 : scan.UnitBytes());
  int threads =
      options.Threads > 0 ? options.Threads : static_cast<int>(std::thread::hardware_concurrency());
  threads = std::clamp(threads, 1, kMostThreads);
  // However the scan ends (also by an exception), the runner abandons the
  // workers and joins them.
  Runner runner(plan, static_cast<std::size_t>(2 * threads + 2), 4);
  runner.Start(threads, [&](int) { return UnitWorker(plan, scan); });

  Replay replay(table, host);
  table.FileWords.assign(plan.Paths().size(), 0);
  std::size_t d = 0;
  for (; d < plan.Paths().size() && !replay.Stopped(); ++d) {
    host.search.SetFile(std::filesystem::path(plan.Paths()[d]).filename().string());
    replay.StartFile();
    const std::int64_t before = table.TotalWords;
    const std::string failure = replayFile(plan, d, runner, replay, host);
    if (!failure.empty()) throw text::Error(failure);
    table.FileWords[d] = table.TotalWords - before;
    host.search.SetFile("");
    replay.ShowCounts();
  }
  table.ScanReachedEnd = d == plan.Paths().size() && !replay.StoppedInside();
}

}  // namespace lexvane::concordance
