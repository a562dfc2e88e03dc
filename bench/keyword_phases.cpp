// A keyword list against the two word lists built alone: the word frequency
// list of the study corpus and of the reference corpus (each a median of
// several runs), then the whole keyword list (both corpora counted afresh,
// compared, sorted; medians). Prints the times and the ratio of the keyword
// list to the sum of the two lists; the goal is at most 1.2.
//   keyword_phases [--runs N] REFERENCE_LIST_FILE STUDY_FILE...
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "corpus/list_files.h"
#include "frequency/word_frequency_list.h"
#include "keywords/keyword_command.h"
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

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  // Resolved once, as the programs do.
  const text::Collator collator = text::Collator::FromEnvironment();
  int runs = 3;
  int i = 1;
  if (i + 1 < argc && !std::strcmp(argv[i], "--runs")) {
    runs = std::atoi(argv[i + 1]);
    i += 2;
  }
  if (argc - i < 2) {
    std::fprintf(stderr, "usage: keyword_phases [--runs N] REFERENCE_LIST_FILE STUDY_FILE...\n");
    return 2;
  }
  const std::string referencePath = argv[i++];
  corpus::CorpusSettings study;
  for (; i < argc; ++i) {
    study.Files.Add(argv[i], collator);
    study.TotalBytes += text::FileSizeOf(argv[i]);
  }
  StderrUi ui;
  text::SilentSearchIndicator search;
  text::SilentProgressIndicator progress;
  text::OperationHost host{ui, search, progress};
  corpus::CorpusSettings reference;
  corpus::OpenListFile(referencePath, reference, collator, ui);
  reference.IgnoreCapital = study.IgnoreCapital;

  auto timeList = [&](const corpus::CorpusSettings& settings) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
      const double w = wallSeconds();
      {
        frequency::WordFrequencyList list(collator);
        list.Build(settings, host);
      }
      times.push_back(wallSeconds() - w);
    }
    return median(times);
  };
  const double studyList = timeList(study), referenceList = timeList(reference);
  std::vector<double> keywordTimes;
  std::int32_t keywords = 0;
  for (int run = 0; run < runs; ++run) {
    frequency::WordCountsCache cache;  // nothing counted yet
    const double w = wallSeconds();
    keywords::KeywordRequest request{study, referencePath, {}};
    request.Options.Negative = true;
    const keywords::KeywordResult result =
        keywords::BuildKeywordList(request, cache, collator, host);
    keywordTimes.push_back(wallSeconds() - w);
    keywords = result.List ? result.List->Count() : 0;
  }
  const double k = median(keywordTimes);
  std::printf("study list %.3f s, reference list %.3f s, keyword list %.3f s (%d keywords)\n",
              studyList, referenceList, k, keywords);
  std::printf("keyword list / (study + reference lists) %.3f (goal <= 1.2)\n",
              k / (studyList + referenceList));
  return 0;
}
