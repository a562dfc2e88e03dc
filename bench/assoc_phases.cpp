// Association measures against the collocate table's own build: a sorted
// concordance of MASK is built once, then the collocate table (medians of
// several runs) and, with the corpus's word counts already kept, the
// measures applied to it (by default all seven, no sort; medians). Prints both times
// and their ratio; the goal is at most 0.10.
//   assoc_phases [--runs N] [--max M] [--measures mi,ll,...] MASK FILE...
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "concordance/concordance_sort.h"
#include "frequency/colloc_association.h"
#include "frequency/colloc_command.h"
#include "text/progress.h"
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

double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Both phases run on the calling thread alone: its processor time does not
// count the time other programs take the processor away, as wall time does
// on a shared machine.
double threadSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  // Resolved once, as the programs do.
  const text::Collator collator = text::Collator::FromEnvironment();
  int runs = 5;
  std::string max = "100000";
  std::string measures = "mi,mi3,t,z,ll,logdice,dice";
  int i = 1;
  for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
    if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
      runs = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--max") && i + 1 < argc)
      max = argv[++i];
    else if (!std::strcmp(argv[i], "--measures") && i + 1 < argc)
      measures = argv[++i];
  }
  if (argc - i < 2) {
    std::fprintf(stderr,
                 "usage: assoc_phases [--runs N] [--max M] [--measures mi,ll,...] MASK FILE...\n");
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
  auto concordance = concordance::BuildConcordance(query, settings, host);
  concordance::SortConcordance(*concordance, {}, corpus::ScannerSets(settings), collator, progress);

  frequency::CollocCommandSteps steps{[] {},
                                      [](frequency::CollocQuery& d) {
                                        d.ButtonOKClick();
                                        return d.ButtonOKClick() ==
                                               frequency::CollocQuery::Outcome::Ok;
                                      }};
  auto build = [&] {
    frequency::CollocQuery dialog;
    return frequency::MenuFrequenciesClick(*concordance, "", dialog, steps, collator, host).table;
  };
  // The word counts the measures need, counted once as the first table
  // would count them.
  frequency::WordCountsCache cache;
  double w = wallSeconds();
  const auto counts = cache.Obtain(build()->SourceCorpus(), collator, host);
  const double countSeconds = wallSeconds() - w;

  frequency::AssociationOptions options;
  for (std::size_t at = 0; at <= measures.size();) {
    const std::size_t comma = std::min(measures.find(',', at), measures.size());
    if (auto m = stats::MeasureNamed(measures.substr(at, comma - at)))
      options.Measures.push_back(*m);
    at = comma + 1;
  }
  std::vector<double> buildTimes, measureTimes, buildCpu, measureCpu;
  std::int32_t rows = 0;
  for (int run = 0; run < runs; ++run) {
    w = wallSeconds();
    double c = threadSeconds();
    auto table = build();
    buildTimes.push_back(wallSeconds() - w);
    buildCpu.push_back(threadSeconds() - c);
    rows = table->Count();
    w = wallSeconds();
    c = threadSeconds();
    table->ApplyAssociation(options, *counts, progress);
    measureTimes.push_back(wallSeconds() - w);
    measureCpu.push_back(threadSeconds() - c);
  }
  const double b = median(buildTimes), m = median(measureTimes);
  const double bc = median(buildCpu), mc = median(measureCpu);
  std::printf("concordance rows %d, collocate rows %d, corpus words %lld\n",
              concordance->RowCount(), rows, static_cast<long long>(concordance->TotalWords));
  std::printf("wall: collocate build %.3f s, measures %.3f s, measures/build %.3f (goal <= 0.10)\n",
              b, m, m / b);
  std::printf("cpu:  collocate build %.3f s, measures %.3f s, measures/build %.3f\n", bc, mc,
              mc / bc);
  std::printf("the corpus's word counts, once: %.3f s\n", countSeconds);
  return 0;
}
