// End-to-end: lexvane-cli sorts with the collator of the locale it was
// started in (LC_ALL, LC_COLLATE, LANG), resolved once for the whole run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/cli_process.h"

namespace {

using lexvane::cli::testing::Result;
using lexvane::cli::testing::RunShell;

class CollationCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lexvane_cli_collation_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    // Windows-1252: "\xF6" is o with diaeresis, "\xE5" a with ring.
    std::ofstream(dir_ / "sv.txt", std::ios::binary)
        << "Zebran st\xE5r vid \xF6n. \xD6l och ost p\xE5 \xE5kern. Zebran \xE4ter ost.";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // The words of `wordfreq` in the locale `environment` sets, in their order.
  std::string wordsUnder(const std::string& environment) {
    const std::string command = "cd '" + dir_.string() + "' && env " + environment + " '" +
                                LEXVANE_CLI_BINARY + "' wordfreq sv.txt";
    const Result r = RunShell(command, (dir_ / "stderr.txt").string());
    EXPECT_EQ(r.status, 0) << r.err;
    std::string words;
    for (std::size_t at = 0; at < r.out.size();) {
      const std::size_t bar = r.out.find('|', at);
      const std::size_t end = r.out.find('\n', at);
      if (bar == std::string::npos || end == std::string::npos) break;
      words += r.out.substr(at, bar - at) + " ";
      at = end + 1;
    }
    return words;
  }

  std::filesystem::path dir_;
};

TEST_F(CollationCli, TheLocaleOfTheEnvironmentOrdersTheWordList) {
  // Swedish puts the three extra letters after z; the root order files them
  // with the letters they are made from.
  EXPECT_EQ(wordsUnder("LC_ALL= LANG= LC_COLLATE=sv_SE.UTF-8"),
            "och ost p\xE5 st\xE5r vid zebran \xE5kern \xE4ter \xF6l \xF6n ");
  EXPECT_EQ(wordsUnder("LC_ALL=C"),
            "\xE5kern \xE4ter och \xF6l \xF6n ost p\xE5 st\xE5r vid zebran ");
  // LC_ALL wins over LC_COLLATE.
  EXPECT_EQ(wordsUnder("LC_ALL=POSIX LC_COLLATE=sv_SE.UTF-8"), wordsUnder("LC_ALL=C"));
}

}  // namespace
