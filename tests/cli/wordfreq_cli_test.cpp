// End-to-end tests of lexvane-cli wordfreq and stats --of wordfreq on the
// sample corpus, run in-process.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/corpus_options.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::cli {
namespace {

struct Result {
  int status;
  std::string out, err;
};

Result run(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "lexvane-cli");
  std::vector<const char*> argv;
  for (const std::string& a : arguments) argv.push_back(a.c_str());
  std::ostringstream out, err;
  Streams streams{out, err, false};
  int status = Run(static_cast<int>(argv.size()), argv.data(), streams, RootCollator());
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

TEST(WordfreqCli, AlphabeticalListOfTheSampleCorpus) {
  Result r = run({"wordfreq", "-l", kSamples + "/sample.CTL"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines = linesOf(r.out);
  ASSERT_GT(lines.size(), 100u);
  EXPECT_EQ(lines[0], "a|50|3.799");
  long sum = 0;
  for (const std::string& line : lines) {
    std::size_t bar = line.find('|');
    sum += std::stol(line.substr(bar + 1));
  }
  EXPECT_EQ(sum, 1316);  // every word of the three files
}

TEST(WordfreqCli, FrequencyOrderWithCumulativeFiguresToAFile) {
  std::string path = std::filesystem::temp_directory_path() /
                     ("lexvane_wordfreq_" + std::to_string(::getpid()) + ".txt");
  Result r = run({"wordfreq", "-l", kSamples + "/sample.CTL", "--sort", "freq", "-o", path});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.empty());
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
  std::vector<std::string> lines = linesOf(text);
  ASSERT_GT(lines.size(), 2u);
  EXPECT_EQ(lines[0], "the|121|9.195|121|9.19");
  EXPECT_EQ(lines[1], "a|50|3.799|171|12.99");
  EXPECT_EQ(lines.back().substr(lines.back().size() - 12), "|1316|100.00");

  Result wordsOnly = run({"wordfreq", "-l", kSamples + "/sample.CTL", "--sort", "freq",
                          "--words-only", "--delimiter", ";"});
  EXPECT_EQ(linesOf(wordsOnly.out)[0], "the;121;9.19");
}

TEST(WordfreqCli, TaggedCorpusSortedByWordClass) {
  Result r = run({"wordfreq", "-l", kSamples + "/tagged.CTL", "--sort", "class"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines = linesOf(r.out);
  ASSERT_FALSE(lines.empty());
  Result alpha = run({"wordfreq", "-l", kSamples + "/tagged.CTL"});
  EXPECT_EQ(linesOf(alpha.out).size(), lines.size());
  EXPECT_NE(alpha.out, r.out);
}

TEST(WordfreqCli, MissingFileIsReportedWithStatusOne) {
  Result r = run({"wordfreq", kSamples + "/morning_walks.txt", kSamples + "/no_such_file.txt"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no_such_file.txt"), std::string::npos);
  EXPECT_FALSE(r.out.empty());
  EXPECT_EQ(run({"wordfreq", "--sort", "sideways", kSamples + "/morning_walks.txt"}).status, 2);
}

TEST(WordfreqCli, StatisticsOfTheWordFrequencyList) {
  CLI::App app;
  CorpusOptions corpus;
  corpus.AddTo(app);
  std::string list = kSamples + "/sample.CTL";
  const char* argv[] = {"stats", "-l", list.c_str()};
  app.parse(3, argv);
  std::ostringstream out, err;
  Streams streams{out, err, false};
  ASSERT_EQ(RunWordfreqStats(corpus, streams, RootCollator()), 0) << err.str();
  std::string text = out.str();
  EXPECT_EQ(text.rfind("Files:\t3\r\nTotal size:\t", 0), 0u) << text;
  EXPECT_NE(text.find("Total words:\t1 316\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Types found:\t"), std::string::npos);
  EXPECT_EQ(text.find("Search was not completed."), std::string::npos);
}

}  // namespace
}  // namespace lexvane::cli

namespace lexvane::cli {
namespace {

TEST(StatsCli, OfWordfreqWritesTheStatisticsText) {
  Result r = run({"stats", "--of", "wordfreq", "-l", kSamples + "/sample.CTL"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Files:\t3\r\nTotal size:\t7 kB\r\nTotal words:\t1 316\r\nTotal sentences:\t113\r\n"
            "Types found:\t520\r\n");
}

TEST(CollocCli, CollocatesOfHouseInTheSampleCorpus) {
  Result r = run({"colloc", "-l", kSamples + "/sample.CTL", "-m", "house"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines = linesOf(r.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "a| | |2|house| |1| |3");
  long total = 0;
  for (const std::string& line : lines) {
    EXPECT_NE(line.find("|house|"), std::string::npos) << line;
    total += std::stol(line.substr(line.rfind('|') + 1));
  }

  Result zeros = run({"colloc", "-l", kSamples + "/sample.CTL", "-m", "house", "--no-zero-as-space",
                      "--delimiter", ";", "--left", "1", "--right", ""});
  ASSERT_EQ(zeros.status, 0) << zeros.err;
  for (const std::string& line : linesOf(zeros.out)) {
    std::size_t fields = std::count(line.begin(), line.end(), ';');
    EXPECT_EQ(fields, 3u) << line;  // collocate;L1;house;total
  }

  Result byTotal =
      run({"colloc", "-l", kSamples + "/sample.CTL", "-m", "house", "--colloc-sort", "total"});
  std::vector<std::string> sorted = linesOf(byTotal.out);
  ASSERT_EQ(sorted.size(), lines.size());
  long previous = 1L << 30, sum = 0;
  for (const std::string& line : sorted) {
    long t = std::stol(line.substr(line.rfind('|') + 1));
    EXPECT_LE(t, previous);
    previous = t;
    sum += t;
  }
  EXPECT_EQ(sum, total);
  EXPECT_EQ(
      run({"colloc", "-l", kSamples + "/sample.CTL", "-m", "house", "--colloc-sort", "left:0"})
          .status,
      2);
  EXPECT_EQ(
      run({"colloc", "-l", kSamples + "/sample.CTL", "-m", "house", "--collocate-mask", ""}).status,
      2);
  for (const char* positions : {"0", "10", "1,,2", "x"})
    EXPECT_EQ(
        run({"colloc", "-l", kSamples + "/sample.CTL", "-m", "house", "--left", positions}).status,
        2)
        << positions;
}

TEST(CollocCli, MissingFileIsReportedWithStatusOne) {
  const std::string missing = kSamples + "/no-such-file.txt";
  Result r = run({"colloc", "-m", "house", kSamples + "/the_old_house.txt", missing});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(missing + ": "), std::string::npos) << r.err;
  EXPECT_FALSE(linesOf(r.out).empty());
}

}  // namespace
}  // namespace lexvane::cli
