// End-to-end tests of lexvane-cli ngrams and clusters on the sample corpus,
// run in-process and through the real binary. The expected lines were
// counted with a separate script over the three English sample files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_process.h"
#include "cli/commands.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::cli {
namespace {

struct Output {
  int status;
  std::string out, err;
};

Output run(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "lexvane-cli");
  std::vector<const char*> argv;
  for (const std::string& a : arguments) argv.push_back(a.c_str());
  std::ostringstream out, err;
  Streams streams{out, err, false};
  const int status = Run(static_cast<int>(argv.size()), argv.data(), streams, RootCollator());
  return {status, out.str(), err.str()};
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0, end;
  while ((end = text.find("\r\n", start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
  return lines;
}

const std::string kSamples = LEXVANE_SAMPLES_DIR;
const std::string kList = kSamples + "/sample.CTL";

TEST(NGramsCli, FrequentBigramsOfTheSampleCorpus) {
  const Output r = run({"ngrams", "-l", kList, "-n", "2", "--min-freq", "5"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(linesOf(r.out),
            (std::vector<std::string>{"the house|12|3", "in the|9|3", "on the|8|3", "to the|8|3",
                                      "of the|7|3", "along the|5|3", "and a|5|3", "from the|5|3",
                                      "house of|5|3"}));
}

TEST(NGramsCli, RangeOrderWithBothFiltersOverTwoLengths) {
  const Output r = run({"ngrams", "-l", kList, "-n", "2-3", "--min-freq", "3", "--min-range", "2",
                        "--sort", "range", "--delimiter", ";"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(
      linesOf(r.out),
      (std::vector<std::string>{
          "the house;12;3", "in the;9;3",   "on the;8;3",       "to the;8;3",   "of the;7;3",
          "along the;5;3",  "and a;5;3",    "from the;5;3",     "house of;5;3", "the last;4;3",
          "the old;4;3",    "for the;3;3",  "the house of;3;3", "and the;4;2",  "room and;4;2",
          "the gate;4;2",   "at the;3;2",   "has never;3;2",    "on a;3;2",     "she said;3;2",
          "the best;3;2",   "the lane;3;2", "told me;3;2",      "with the;3;2"}));
}

TEST(NGramsCli, SentenceEndsStopBigramsUnlessCrossed) {
  const Output within = run({"ngrams", "-l", kList, "--words-only"});
  ASSERT_EQ(within.status, 0) << within.err;
  EXPECT_EQ(linesOf(within.out).size(), 1046u);
  EXPECT_EQ(linesOf(within.out)[0], "the house");
  const Output across = run({"ngrams", "-l", kList, "--cross-sentences", "--words-only"});
  EXPECT_EQ(linesOf(across.out).size(), 1146u);
}

TEST(NGramsCli, LengthsOutsideTwoToFiveAreUsageErrors) {
  for (const char* bad : {"1", "6", "2-6", "3-2", "x"}) {
    const Output r = run({"ngrams", "-l", kList, "-n", bad});
    EXPECT_EQ(r.status, kExitUsage) << bad;
    EXPECT_NE(r.err.find("-n"), std::string::npos) << r.err;
  }
  EXPECT_EQ(run({"ngrams", "-l", kList, "--min-freq", "0"}).status, kExitUsage);
  EXPECT_EQ(run({"ngrams", "-l", kList, "--sort", "retro"}).status, kExitUsage);
  EXPECT_EQ(run({"ngrams"}).status, kExitUsage);
}

TEST(ClustersCli, KeywordOnEitherSideMatchesTheNGramsAroundIt) {
  // The simple sentence rule, as the n-grams take it.
  const Output left = run(
      {"clusters", "-l", kList, "--no-enhanced", "-m", "house", "-n", "2-3", "--min-freq", "2"});
  ASSERT_EQ(left.status, 0) << left.err;
  EXPECT_EQ(linesOf(left.out), (std::vector<std::string>{"house of|5|3", "house of the|2|2",
                                                         "house on|2|1", "house on quarry|2|1"}));
  const Output right = run({"clusters", "-l", kList, "--no-enhanced", "-m", "house", "-n", "2-3",
                            "--min-freq", "2", "--side", "right"});
  ASSERT_EQ(right.status, 0) << right.err;
  EXPECT_EQ(linesOf(right.out),
            (std::vector<std::string>{"the house|12|3", "a house|2|1", "in the house|2|1"}));
  EXPECT_EQ(run({"clusters", "-l", kList, "-m", "house", "--side", "up"}).status, kExitUsage);
  EXPECT_EQ(run({"clusters", "-l", kList}).status, kExitUsage);  // no mask
}

TEST(NGramsCli, ExportWritesTheTableAsCsvOrTsv) {
  const Output csv = run({"ngrams", "-l", kList, "-n", "2", "--min-freq", "8", "--export", "csv"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.out,
            "N-gram,F,Range\r\nthe house,12,3\r\nin the,9,3\r\non the,8,3\r\n"
            "to the,8,3\r\n");
  const Output tsv = run({"clusters", "-l", kList, "--no-enhanced", "-m", "house", "-n", "2",
                          "--min-freq", "5", "--side", "right", "--export", "tsv"});
  ASSERT_EQ(tsv.status, 0) << tsv.err;
  EXPECT_EQ(tsv.out, "Cluster\tF\tRange\r\nthe house\t12\t3\r\n");
  // The copy's layout options do not apply to an export; a workbook needs -o.
  EXPECT_EQ(run({"ngrams", "-l", kList, "--export", "csv", "--words-only"}).status, kExitUsage);
  EXPECT_EQ(run({"ngrams", "-l", kList, "--export", "xlsx"}).status, kExitUsage);
}

TEST(NGramsCli, TheBinaryWritesToAFileAndReportsAMissingCorpusFile) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path();
  const std::string out =
      (dir / ("lexvane_ngrams_" + std::to_string(::getpid()) + ".txt")).string();
  const std::string err = out + ".err";
  const testing::Result r = testing::RunShell(
      std::string("'") + LEXVANE_CLI_BINARY + "' ngrams '" + kSamples + "/morning_walks.txt' '" +
          kSamples + "/no_such_file.txt' -n 2 " + "--min-freq 3 -o '" + out + "'",
      err);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find("no_such_file.txt"), std::string::npos) << r.err;
  const std::string text = testing::readFile(out);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

}  // namespace
}  // namespace lexvane::cli
