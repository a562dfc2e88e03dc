// End-to-end tests of lexvane-cli concord and stats: the real binary on
// fixture files written into a temporary folder, whole outputs compared.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/cli_process.h"
#include "cli/concord_options.h"
#include "cli/console.h"

namespace {

using lexvane::cli::testing::readFile;
using lexvane::cli::testing::Result;
using lexvane::cli::testing::RunShell;

class ConcordCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lexvane_cli_concord_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    write("a.txt", "We walk home. The house is old. Walking is good for the house.");
    write("b.txt", "She walked to the old house.");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void write(const std::string& name, const std::string& content) {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }
  // Runs lexvane-cli in the fixture folder with `arguments` (shell words).
  Result run(const std::string& arguments) {
    const std::string errPath = (dir_ / "stderr.txt").string();
    const std::string command =
        "cd '" + dir_.string() + "' && '" + LEXVANE_CLI_BINARY + "' " + arguments;
    return RunShell(command, errPath);
  }

  std::filesystem::path dir_;
};

TEST_F(ConcordCli, SimpleQueryWritesOneLinePerHit) {
  const Result r = run("concord -m 'Walk*' a.txt b.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "We walk home. \r\n"
            " Walking is good for the house. \r\n"
            "She walked to the old house. \r\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(ConcordCli, SortThenDeleteDuplicates) {
  Result r = run("concord -m 'walk*' --sort right a.txt b.txt --format para");
  EXPECT_EQ(r.out, "We walk home. She walked to the old house.  Walking is good for the house. ");
  r = run("concord -m the -m house --dedupe a.txt b.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            " The house is old. \r\n"
            "Walking is good for the house. \r\n"
            "She walked to the old house. \r\n");
  EXPECT_EQ(r.err, "3 duplicate sentences were found and deleted.\n");
}

TEST_F(ConcordCli, AdvancedQueryJustifiedWithMarksAndSources) {
  const Result r =
      run("concord --column 1:the --column 2:house --gap 1=1 --middle 2 a.txt b.txt "
          "--format justify --width 12 --source --delimiters '<>' --around 1,1");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "        <The < house > is > old.    [a.txt] \r\n"
            "od for < the < house > .>           [a.txt] \r\n"
            "to the < old < house > .>           [b.txt] \r\n");
  // Word marks act only with keyword marks on.
  EXPECT_EQ(run("concord -m old --around 2,2 b.txt").out, "She walked to the old house. \r\n");
}

TEST_F(ConcordCli, NothingFoundWritesNoBytes) {
  Result r = run("concord -m zebra a.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  r = run("concord -m zebra a.txt -o out.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "out.txt"));
  EXPECT_EQ(readFile(dir_ / "out.txt"), "");
  r = run("concord -m walk a.txt -o out.txt");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(readFile(dir_ / "out.txt"), "We walk home. \r\n");
}

TEST_F(ConcordCli, ErrorsAndUsageErrors) {
  Result r = run("concord a.txt");
  EXPECT_EQ(r.status, 2);
  r = run("concord -m walk --bogus a.txt");
  EXPECT_EQ(r.status, 2);
  r = run("concord --column 2:house a.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "lexvane-cli: There are empty column(s) between nonempty columns.\n");
  r = run("concord -m walk --max ten a.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "lexvane-cli: 'ten' is not a valid integer value\n");
  r = run("concord -m walk");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("no corpus files"), std::string::npos);
  r = run("concord -m walk --width x a.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "lexvane-cli: 'x' is not a valid integer value\n");
}

TEST_F(ConcordCli, AMissingCorpusFileIsReportedTheWorkGoesOnAndTheStatusSaysSo) {
  Result r = run("concord -m walk missing.txt a.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "We walk home. \r\n");
  EXPECT_NE(r.err.find("missing.txt"), std::string::npos);
  r = run("stats --of concord -m walk missing.txt a.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Sentences found:\t1\r\n"), std::string::npos);
}

TEST_F(ConcordCli, StatisticsOfTheConcordance) {
  const Result r = run("stats --of concord -m 'walk*' a.txt b.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Files:\t2\r\nTotal size:\t1 kB\r\nTotal words:\t19\r\nTotal sentences:\t4\r\n"
            "Sentences found:\t3\r\n");
}

TEST_F(ConcordCli, QueryFileMasksComeFirst) {
  write("q.cws", "[List 1]\r\nLine1=House\r\n[Common]\r\nMaxListSize=300\r\n");
  lexvane::cli::ConcordOptions options;
  CLI::App app;
  lexvane::cli::AddQueryOptions(app, options);
  const std::string query = (dir_ / "q.cws").string();
  const char* argv[] = {"concord", "-q", query.c_str(), "-m", "Walk*"};
  app.parse(5, argv);
  std::ostringstream err;
  lexvane::cli::ConsoleUserInterface ui(err);
  const auto simple = lexvane::cli::BuildQuery(options, ui);
  EXPECT_EQ(simple.Masks[0], (std::vector<std::string>{"House", "walk*"}));
  EXPECT_EQ(simple.MaxListSize, "300");
  const char* advancedArgv[] = {"concord",  "-q",      query.c_str(), "--advanced",
                                "--column", "2:Walk*", "--max",       "50"};
  lexvane::cli::ConcordOptions advancedOptions;
  CLI::App advancedApp;
  lexvane::cli::AddQueryOptions(advancedApp, advancedOptions);
  advancedApp.parse(8, advancedArgv);
  const auto advanced = lexvane::cli::BuildQuery(advancedOptions, ui);
  EXPECT_EQ(advanced.Kind, lexvane::search::QueryKind::Advanced);
  EXPECT_EQ(advanced.ColumnCount, 2);
  EXPECT_EQ(advanced.Masks[1], std::vector<std::string>{"walk*"});
  EXPECT_EQ(advanced.MaxListSize, "50");
}

TEST_F(ConcordCli, SampleCorpusExportEqualsStandardOutput) {
  const std::string samples = LEXVANE_SAMPLES_DIR;
  const std::string files = samples + "/morning_walks.txt " + samples + "/the_old_house.txt " +
                            samples + "/letters_from_the_coast.txt";
  const Result r = run("concord --enhanced -m 'walk*' -m house --sort left --word 2 " + files);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_GT(r.out.size(), 0u);
  run("concord --enhanced -m 'walk*' -m house --sort left --word 2 -o out.txt " + files);
  EXPECT_EQ(readFile(dir_ / "out.txt"), r.out);
  const Result stats = run("stats --enhanced -m 'walk*' -m house " + files);
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = r.out.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
  EXPECT_NE(stats.out.find("Sentences found:\t" + std::to_string(lines) + "\r\n"),
            std::string::npos);
}

}  // namespace
