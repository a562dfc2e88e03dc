// Writes a large-vocabulary benchmark corpus: words drawn with a Zipf-like
// law from a vocabulary of generated letter strings, so that a gigabyte holds
// well over a million distinct words.
//   make_vocab_corpus DIR TOTAL_MB FILES [VOCABULARY]
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_vocab_corpus DIR TOTAL_MB FILES [VOCABULARY]\n");
    return 2;
  }
  const std::string dir = argv[1];
  const std::int64_t totalBytes = std::atoll(argv[2]) * 1024 * 1024;
  const int files = std::atoi(argv[3]);
  const std::size_t vocabularySize = argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 1500000;

  std::mt19937_64 random(20261207);
  const std::string consonants = "bcdfghjklmnprstvwz", vowels = "aeiouy";
  std::vector<std::string> vocabulary(vocabularySize);
  for (std::string& w : vocabulary) {
    int syllables = 1 + static_cast<int>(random() % 4);
    for (int s = 0; s < syllables; ++s) {
      w += consonants[random() % consonants.size()];
      w += vowels[random() % vowels.size()];
      if (random() % 3 == 0) w += consonants[random() % consonants.size()];
    }
  }
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const double logN = std::log(static_cast<double>(vocabularySize) + 1.0);
  std::string buffer;
  for (int f = 0; f < files; ++f) {
    char name[64];
    std::snprintf(name, sizeof name, "/vocab%03d.txt", f);
    std::FILE* out = std::fopen((dir + name).c_str(), "wb");
    if (!out) {
      std::perror(name);
      return 1;
    }
    const std::int64_t share = totalBytes / files;
    std::int64_t written = 0;
    bool sentenceStart = true;
    while (written < share) {
      buffer.clear();
      while (buffer.size() < (1 << 20)) {
        // Rank r with probability about 1 / r.
        std::size_t rank = static_cast<std::size_t>(std::exp(unit(random) * logN)) - 1;
        if (rank >= vocabularySize) rank = vocabularySize - 1;
        std::string word = vocabulary[rank];
        if (sentenceStart) word[0] = static_cast<char>(word[0] - 32);
        buffer += word;
        std::uint64_t r = random() % 100;
        sentenceStart = r < 6;
        buffer += r < 6 ? ". " : r < 11 ? ", " : r < 13 ? "\n" : " ";
      }
      std::fwrite(buffer.data(), 1, buffer.size(), out);
      written += static_cast<std::int64_t>(buffer.size());
    }
    std::fclose(out);
  }
  return 0;
}
