// lexvane-cli against hostile input: files that are no regular files, query
// and list files that cannot be read, repeated and misplaced options. Every
// input file is checked unchanged after each test.
#include <algorithm>
#include <string>

#include "cli/bad_input_fixture.h"

namespace {

using lexvane::cli::testing::BadInputCli;
using lexvane::cli::testing::Result;
namespace fs = std::filesystem;

const std::string kNotSeekable =
    " is not a regular file: the concordance re-reads its sentences, so it needs a file it can "
    "seek";

TEST_F(BadInputCli, QueryFileThatCannotBeReadIsAnErrorAndWritesNothing) {
  fs::create_directory(dir_ / "folder.cws");
  for (const std::string name : {"none.cws", "folder.cws"}) {
    const Result r = run("concord -q " + name + " a.txt -o out.txt");
    EXPECT_EQ(r.status, 1) << name;
    EXPECT_EQ(r.err, "lexvane-cli: Cannot open file " + name + "\n");
    EXPECT_FALSE(fs::exists(dir_ / "out.txt"));
  }
  fifo("pipe.cws");
  EXPECT_EQ(run("colloc -q pipe.cws a.txt").err, "lexvane-cli: Cannot open file pipe.cws\n");
  // A readable file without masks: the message names it instead of asking for -q.
  write("empty.cws", "[Common]\r\n");
  const Result r = run("concord -q empty.cws a.txt");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("empty.cws holds none; give -m or --column"), std::string::npos);
}

TEST_F(BadInputCli, FoldersFifosAndLinkLoopsAreCalledWhatTheyAre) {
  fs::create_directory(dir_ / "folder");
  fs::create_symlink("loop", dir_ / "loop");
  fifo("silent");  // no writer ever: opening must not wait for one
  Result r = run("tokens folder silent loop a.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("0\t3\t0\t0\twalk\n"), std::string::npos);
  EXPECT_NE(r.err.find("Warning: The file " + (dir_ / "folder").string() + " is a directory.\n"),
            std::string::npos);
  EXPECT_NE(r.err.find("Warning: The file " + (dir_ / "loop").string() +
                       " cannot be read: Too many levels of symbolic links.\n"),
            std::string::npos);
  EXPECT_EQ(r.err.find("does not exist"), std::string::npos);
  EXPECT_EQ(run("wordfreq silent").status, 0);
  r = run("concord -m walk silent a.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "We walk home. \r\n");
  EXPECT_NE(r.err.find((dir_ / "silent").string() + kNotSeekable), std::string::npos);
}

TEST_F(BadInputCli, OnePassCommandsReadPipesTheConcordanceRefusesThem) {
  const std::string feed = "printf 'A long walk. ' | ";
  Result r = run("tokens /dev/stdin", feed);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "0\t0\t0\t0\tA\n0\t2\t0\t0\tlong\n0\t7\t1\t1\twalk\n");
  r = run("wordfreq /dev/stdin", feed);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "a|1|33.333\r\nlong|1|33.333\r\nwalk|1|33.333\r\n");
  r = run("concord -m walk /dev/stdin", feed);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(kNotSeekable), std::string::npos);
  EXPECT_EQ(r.err.find("Illegal seek"), std::string::npos);
}

TEST_F(BadInputCli, RepeatableOptionsTakeOneValueAndTheLastOfAnOptionWins) {
  write("h.txt", "a big house and a small house and the house.");
  Result r = run("colloc -m house --collocate-mask 'a*' h.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("a|"), std::string::npos);
  EXPECT_NE(r.out.find("and|"), std::string::npos);
  r = run("tokens --word-separators x --word-separators ' ' a.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\thome.\n"), std::string::npos);
  r = run("wordfreq --sort alpha --sort freq --delimiter , --delimiter ';' a.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find('\r')), "house;2;15.385;2;15.38");
}

TEST_F(BadInputCli, NoCorpusFilesIsTheSameUsageErrorEverywhere) {
  for (const std::string command : {"tokens", "wordfreq", "concord -m walk", "colloc -m walk",
                                    "stats -m walk", "stats --of wordfreq"}) {
    const Result r = run(command);
    EXPECT_EQ(r.status, 2) << command;
    EXPECT_EQ(r.err, "lexvane-cli: no corpus files (give FILE... or --list)\n") << command;
  }
}

TEST_F(BadInputCli, RetrieveAndAroundSayWhatTheyDo) {
  for (const std::string offset : {"62", "63", "5000", "9223372036854775807"}) {
    const Result r = run("retrieve --offset " + offset + " a.txt");
    EXPECT_EQ(r.status, 0) << offset;
    EXPECT_EQ(r.out, "\t\t\n") << offset;
  }
  const Result r = run("concord -m walk --around 1,1 a.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "We walk home. \r\n");
  EXPECT_EQ(r.err, "lexvane-cli: --around has no effect without --delimiters\n");
}

TEST_F(BadInputCli, LongWordsAreCutReportedOncePerFileAndTheScanGoesOn) {
  const std::string url = "http://example.org/" + std::string(300, 'x');
  const std::string longPath = write("long.txt", "See " + url + " and walk. " + url + " walk");
  const std::string hugePath = write("huge.txt", std::string(50 << 20, 'w') + " walk.");
  const auto warning = [](const std::string& path) {
    return "Warning: A word longer than 255 characters in " + path +
           " was cut to its first 255 characters.\n";
  };
  Result r = run("concord -m walk long.txt a.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, warning(longPath));
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3);
  r = run("tokens huge.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "0\t0\t0\t0\t" + std::string(255, 'w') + "\n0\t" +
                       std::to_string((50 << 20) + 1) + "\t1\t1\twalk\n");
  EXPECT_EQ(r.err, warning(hugePath));
  r = run("wordfreq --sort freq long.txt huge.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, 7), "walk|3|");
  EXPECT_EQ(r.err, warning(hugePath) + warning(longPath));
  for (const std::string command : {"colloc -m walk", "stats -m walk", "stats --of wordfreq"}) {
    r = run(command + " long.txt");
    EXPECT_EQ(r.status, 0) << command;
    EXPECT_EQ(r.err, warning(longPath)) << command;
  }
}

TEST_F(BadInputCli, OlderFileListWithBlankLines) {
  write("list.CFL", "\r\na.txt\r\n\r\n");
  const Result r = run("concord -m walk -l list.CFL");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, "We walk home. \r\n");
}

}  // namespace
