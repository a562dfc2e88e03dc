// UTF-8 scans against 8-bit scans of the same text, in the same run: an
// ASCII-heavy English text (a few accented words) in UTF-8 and in
// Windows-1252, and a Greek text in UTF-8 and in ISO-8859-7 (read as
// Windows-1252, one byte per letter). For each pair the concordance (fast
// scan, with a mask that finds nothing but whose first character many words
// share), the word frequency list and the reference scanner, the runs of the
// two encodings taken in turn; prints medians of wall time and the ratio
// UTF-8 / 8-bit.
//   utf8_scan [--mb N] [--runs N] [--dir DIR]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "frequency/word_frequency_list.h"
#include "text/character_sets.h"
#include "text/encoding.h"
#include "text/progress.h"
#include "text/text_scanner.h"

namespace {

namespace text = lexvane::text;

class QuietHost : public text::UserInterface,
                  public text::SearchIndicator,
                  public text::ProgressIndicator {
 public:
  text::Answer Ask(std::string_view, std::string_view, text::Buttons, text::Icon) override {
    return text::Answer::Ok;
  }
  void Start(std::string_view) override {}
  void SetFile(std::string_view) override {}
  void SetCounts(std::int64_t, std::int64_t, std::int64_t) override {}
  void SetGauge(int) override {}
  bool Cancelled() const override { return false; }
  void Finish() override {}
};

// Text of about `bytes` bytes in two encodings: `word` gives each word in
// both.
void makePair(std::size_t bytes,
              const std::function<void(std::mt19937&, std::string&, std::string&)>& word,
              std::string& eightBit, std::string& utf8) {
  std::mt19937 random(2026);
  static const char* const kGaps[] = {" ", " ", " ", " ", ", ", ". ", "\r\n", "? ", " - "};
  while (utf8.size() < bytes) {
    word(random, eightBit, utf8);
    const char* gap = kGaps[random() % 9];
    eightBit += gap;
    utf8 += gap;
  }
}

void englishWord(std::mt19937& random, std::string& eightBit, std::string& utf8) {
  static const std::vector<std::string> kWords = {
      "the", "walk",  "walked", "house", "of",   "and",  "morning", "coast",  "letters",
      "a",   "to",    "in",     "was",   "said", "long", "road",    "window", "light",
      "sea", "river", "stone",  "old",   "with", "from", "there",   "The",    "It"};
  if (random() % 50 == 0) {
    static const std::vector<std::string> kAccented = {"caf\xE9", "na\xEFve", "r\xE9sum\xE9",
                                                       "\xE9l\xE8ve"};
    const std::string& w = kAccented[random() % kAccented.size()];
    eightBit += w;
    utf8 += text::decodeToUtf8(w, text::Encoding::Windows1252);
    return;
  }
  const std::string& w = kWords[random() % kWords.size()];
  eightBit += w;
  utf8 += w;
}

// A vocabulary of 2000 Greek words of 2 to 10 letters, capitalised now and
// then, in both encodings (ISO-8859-7 puts alpha to omega at 0xE1 to 0xF9).
void greekWord(std::mt19937& random, std::string& eightBit, std::string& utf8) {
  static const auto vocabulary = [] {
    std::mt19937 words(7);
    std::vector<std::pair<std::string, std::string>> list;
    for (int w = 0; w < 2000; ++w) {
      std::string e, u;
      const int letters = 2 + static_cast<int>(words() % 9);
      for (int i = 0; i < letters; ++i) {
        const bool capital = i == 0 && words() % 8 == 0;
        char32_t cp = static_cast<char32_t>(0x3B1 + words() % 25);
        if (cp == 0x3C2) cp = 0x3C3;  // no final sigma
        if (capital) cp -= 0x20;
        e += static_cast<char>(capital ? cp - 0x391 + 0xC1 : cp - 0x3B1 + 0xE1);
        text::appendCodePoint(u, cp);
      }
      list.emplace_back(e, u);
    }
    return list;
  }();
  const auto& [e, u] = vocabulary[random() % vocabulary.size()];
  eightBit += e;
  utf8 += u;
}

// Median wall times of `a` and of `b`, their runs taken in turn, so that a
// change of the machine's load falls on both.
std::pair<double, double> seconds(const std::function<void()>& a, const std::function<void()>& b,
                                  int runs) {
  std::vector<double> times[2];
  for (int i = 0; i < runs; ++i)
    for (int k = 0; k < 2; ++k) {
      const auto start = std::chrono::steady_clock::now();
      (k == 0 ? a : b)();
      times[k].push_back(
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
  for (auto& t : times) std::sort(t.begin(), t.end());
  return {times[0][times[0].size() / 2], times[1][times[1].size() / 2]};
}

lexvane::corpus::CorpusSettings settingsFor(const std::string& path, text::Encoding encoding,
                                            const text::Collator& collator) {
  lexvane::corpus::CorpusSettings settings;
  settings.Files.Add(path, collator);
  settings.TextEncoding = encoding;
  settings.WordSeparators = text::DefaultWordSeparators(encoding);
  settings.EnhSentDetect = true;
  settings.IgnoreCapital = true;
  settings.TotalBytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
  return settings;
}

void compare(const char* name, const std::string& eightPath, const std::string& utf8Path,
             const std::string& mask8, const std::string& maskUtf8, int runs,
             const text::Collator& collator) {
  QuietHost host;
  text::OperationHost operation{host, host, host};
  const auto concord = [&](const std::string& path, text::Encoding encoding,
                           const std::string& mask) {
    return std::function<void()>([&, path, encoding, mask] {
      lexvane::search::SearchQuery query;
      query.Masks[0] = {mask};
      query.MaxListSize = "1000";  // never reached: the masks find nothing
      lexvane::concordance::BuildOptions options;
      options.Mode = lexvane::concordance::ScanMode::Fast;
      lexvane::concordance::BuildConcordance(query, settingsFor(path, encoding, collator),
                                             operation, options);
    });
  };
  const auto wordfreq = [&](const std::string& path, text::Encoding encoding) {
    return std::function<void()>([&, path, encoding] {
      lexvane::frequency::WordFrequencyList list(collator);
      list.Build(settingsFor(path, encoding, collator), operation);
    });
  };
  const auto scanner = [&](const std::string& path, text::Encoding encoding) {
    return std::function<void()>([&, path, encoding] {
      const auto settings = settingsFor(path, encoding, collator);
      text::TextScanner scan(text::CharacterSets::Derive(settings.WordSeparators,
                                                         settings.SentenceSeparators, encoding));
      text::ScannedWord word;
      std::int64_t words = 0;
      if (scan.OpenFile(path, host))
        while (scan.ReadWord(word, false)) ++words;
      if (words == 0) std::fprintf(stderr, "no words in %s\n", path.c_str());
    });
  };
  struct Figure {
    const char* what;
    std::pair<double, double> times;  // 8-bit, UTF-8
  } figures[] = {
      {"concord (fast scan)", seconds(concord(eightPath, text::Encoding::Windows1252, mask8),
                                      concord(utf8Path, text::Encoding::Utf8, maskUtf8), runs)},
      {"wordfreq", seconds(wordfreq(eightPath, text::Encoding::Windows1252),
                           wordfreq(utf8Path, text::Encoding::Utf8), runs)},
      {"scanner (reference)", seconds(scanner(eightPath, text::Encoding::Windows1252),
                                      scanner(utf8Path, text::Encoding::Utf8), runs)},
  };
  std::printf("%s: 8-bit %.0f MB, UTF-8 %.0f MB\n", name,
              static_cast<double>(std::filesystem::file_size(eightPath)) / 1e6,
              static_cast<double>(std::filesystem::file_size(utf8Path)) / 1e6);
  for (const Figure& f : figures)
    std::printf("  %-20s 8-bit %.3f s, UTF-8 %.3f s, ratio %.2f\n", f.what, f.times.first,
                f.times.second, f.times.second / f.times.first);
}

}  // namespace

int main(int argc, char** argv) {
  // Resolved once, as the programs do.
  const text::Collator collator = text::Collator::FromEnvironment();
  std::size_t mb = 100;
  int runs = 3;
  std::string dir = "/tmp/lexvane-bench";
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--mb") == 0) mb = static_cast<std::size_t>(std::atol(argv[i + 1]));
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--dir") == 0) dir = argv[i + 1];
  }
  std::filesystem::create_directories(dir);
  const auto write = [&](const std::string& name, const std::string& bytes) {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  };
  {
    std::string eightBit, utf8;
    makePair(mb << 20, englishWord, eightBit, utf8);
    compare("ASCII-heavy English", write("utf8-english-cp1252.txt", eightBit),
            write("utf8-english-utf8.txt", utf8), "walkers", "walkers", runs, collator);
  }
  {
    std::string eightBit, utf8;
    makePair(mb << 20, greekWord, eightBit, utf8);
    compare(
        "Greek", write("utf8-greek-iso8859-7.txt", eightBit), write("utf8-greek-utf8.txt", utf8),
        "\xE1\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9",
        "\xCE\xB1\xCF\x89\xCF\x89\xCF\x89\xCF\x89\xCF\x89\xCF\x89\xCF\x89\xCF\x89\xCF\x89\xCF\x89",
        runs, collator);
  }
  return 0;
}
