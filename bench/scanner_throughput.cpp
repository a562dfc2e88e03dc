// Scanner throughput: scans every file given on the command line with
// TextScanner (default separators, crlf off) and prints the median speed of
// several runs in MB/s (10^6 bytes per second), by processor time (one core,
// fair on a busy machine) and by wall time, with the word count.
//   scanner_throughput [--runs N] [--dos] FILE...
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "text/text_scanner.h"
#include "text/user_interface.h"

namespace {

class StderrUi : public lexvane::text::UserInterface {
 public:
  lexvane::text::Answer Ask(std::string_view caption, std::string_view text, lexvane::text::Buttons,
                            lexvane::text::Icon) override {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    return lexvane::text::Answer::Ok;
  }
};

double cpuSeconds() {
  timespec t;
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  bool dos = false;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
      runs = std::max(1, std::atoi(argv[++i]));
    else if (std::strcmp(argv[i], "--dos") == 0)
      dos = true;
    else
      files.emplace_back(argv[i]);
  }
  if (files.empty()) {
    std::fprintf(stderr, "usage: scanner_throughput [--runs N] [--dos] FILE...\n");
    return 2;
  }
  std::int64_t bytes = 0;
  for (const std::string& file : files) {
    struct stat info;
    if (::stat(file.c_str(), &info) == 0) bytes += info.st_size;
  }

  lexvane::text::TextScanner scanner;
  scanner.Configure(lexvane::text::kDefaultWordSeparators,
                    lexvane::text::kDefaultSentenceSeparators, dos);
  StderrUi ui;
  std::vector<double> seconds, cpu;
  std::int64_t words = 0;
  std::int64_t sentences = 0;
  for (int run = 0; run < runs; ++run) {
    words = sentences = 0;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    for (const std::string& file : files) {
      if (!scanner.OpenFile(file, ui)) continue;
      lexvane::text::ScannedWord word;
      while (scanner.ReadWord(word, false)) {
        ++words;
        sentences += word.simpleEnd;
      }
      scanner.CloseFile();
    }
    cpu.push_back(cpuSeconds() - cpuStart);
    seconds.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  const double wall = median(seconds);
  const double processor = median(cpu);
  std::printf(
      "scanner: %.1f MB/s cpu (%.3f s), %.1f MB/s wall (%.3f s), median of %d runs; %lld bytes, "
      "%lld words, %lld sentences\n",
      static_cast<double>(bytes) / processor / 1e6, processor,
      static_cast<double>(bytes) / wall / 1e6, wall, runs, static_cast<long long>(bytes),
      static_cast<long long>(words), static_cast<long long>(sentences));
  return 0;
}
