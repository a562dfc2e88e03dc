// The phases of concordance building timed apart: the corpus scan, the
// retrieval of the hits' sentences, and what the dispersion figures add (the
// files' sizes, the plot and its figures made from the table); medians of
// several runs, wall and processor time. Prints one line per phase.
//   concord_phases [--runs N] [--threads T] [--reference] [--no-bulk] [--max M] MASK FILE...
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "concordance/concordance_plot.h"
#include "concordance/corpus_scan.h"
#include "text/progress.h"
#include "text/text_scanner.h"
#include "text/text_utils.h"

namespace {

using namespace lexvane;

class StderrUi : public text::UserInterface {
 public:
  text::Answer Ask(std::string_view, std::string_view text, text::Buttons, text::Icon) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    return text::Answer::Ok;
  }
};

double cpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  // Resolved once, as the programs do.
  const text::Collator collator = text::Collator::FromEnvironment();
  int runs = 3;
  concordance::BuildOptions options;
  std::string max = "10000";
  int i = 1;
  for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
    if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
      runs = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--threads") && i + 1 < argc)
      options.Threads = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--max") && i + 1 < argc)
      max = argv[++i];
    else if (!std::strcmp(argv[i], "--no-bulk"))
      options.NoBulkSkip = true;
    else if (!std::strcmp(argv[i], "--reference"))
      options.Mode = concordance::ScanMode::Reference;
  }
  if (argc - i < 2) {
    std::fprintf(stderr,
                 "usage: concord_phases [--runs N] [--threads T] [--reference] [--max M] MASK "
                 "FILE...\n");
    return 2;
  }
  search::SearchQuery query;
  query.Masks[0] = {argv[i++]};
  query.MaxListSize = max;
  corpus::CorpusSettings settings;
  for (; i < argc; ++i) {
    settings.Files.Add(argv[i], collator);
    settings.TotalBytes += text::FileSizeOf(argv[i]);
  }
  StderrUi ui;
  text::SilentSearchIndicator search;
  text::SilentProgressIndicator progress;
  text::OperationHost host{ui, search, progress};
  std::vector<double> scanWall, scanCpu, retrieveWall, retrieveCpu, dispersionWall, dispersionCpu;
  std::int32_t range = 0;
  std::int64_t rows = 0, words = 0;
  for (int run = 0; run < runs; ++run) {
    concordance::ConcordanceTable table;
    table.FileCount = static_cast<std::int32_t>(settings.Files.Count());
    table.MaxListSize = concordance::MaxListSizeOf(query);
    table.CorpusFiles = settings.Files.Paths();
    const text::CharacterSets sets = corpus::ScannerSets(settings);
    double w = wallSeconds(), c = cpuSeconds();
    concordance::ScanCorpus(query, settings, sets, table, host, options);
    scanWall.push_back(wallSeconds() - w);
    scanCpu.push_back(cpuSeconds() - c);
    w = wallSeconds();
    c = cpuSeconds();
    concordance::RetrieveSentences(table, sets, progress);
    retrieveWall.push_back(wallSeconds() - w);
    retrieveCpu.push_back(cpuSeconds() - c);
    w = wallSeconds();
    c = cpuSeconds();
    for (const std::string& path : table.CorpusFiles)
      table.FileBytes.push_back(std::max<std::int64_t>(text::FileSizeOf(path), 0));
    const concordance::ConcordancePlot plot(table);
    range = plot.Dispersion().Range;
    dispersionWall.push_back(wallSeconds() - w);
    dispersionCpu.push_back(cpuSeconds() - c);
    rows = table.RowCount();
    words = table.TotalWords;
  }
  std::printf("scan: %.3f s wall, %.3f s cpu; %lld words, %lld hits\n", median(scanWall),
              median(scanCpu), static_cast<long long>(words), static_cast<long long>(rows));
  std::printf("retrieve: %.3f s wall, %.3f s cpu; %lld rows\n", median(retrieveWall),
              median(retrieveCpu), static_cast<long long>(rows));
  std::printf("dispersion: %.6f s wall, %.6f s cpu; range %d of %zu files\n",
              median(dispersionWall), median(dispersionCpu), range, settings.Files.Count());
  return 0;
}
