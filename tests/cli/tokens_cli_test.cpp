// End-to-end tests of lexvane-cli tokens and retrieve: the real binary on
// fixture files written into a temporary folder.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/cli_process.h"

namespace {

using lexvane::cli::testing::readFile;
using lexvane::cli::testing::Result;
using lexvane::cli::testing::RunShell;

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lexvane_cli_tokens_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string write(const std::string& name, const std::string& content) {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  // Runs lexvane-cli with `arguments` (already quoted where needed).
  Result run(const std::string& arguments) {
    const std::string errPath = (dir_ / "stderr.txt").string();
    const std::string command = std::string("'") + LEXVANE_CLI_BINARY + "' " + arguments;
    return RunShell(command, errPath);
  }

  std::filesystem::path dir_;
};

const std::string kSentenceEndSample =
    "It was 3. May. \"Stop!\" he said.\r\nNext line... e.g. x.Y\r\nEnd";

TEST_F(CliTest, TokensOfTheSentenceEndSample) {
  const std::string path = write("example.txt", kSentenceEndSample);
  const Result result = run("tokens " + path);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            "0\t0\t0\t0\tIt\n"
            "0\t3\t1\t0\twas\n"
            "0\t10\t1\t1\tMay\n"
            "0\t16\t1\t1\tStop\n"
            "0\t23\t0\t0\the\n"
            "0\t26\t1\t0\tsaid\n"
            "0\t33\t0\t0\tNext\n"
            "0\t38\t1\t1\tline\n"
            "0\t46\t1\t0\te\n"
            "0\t48\t1\t1\tg\n"
            "0\t51\t1\t0\tx\n"
            "0\t53\t0\t0\tY\n"
            "0\t56\t1\t1\tEnd\n");
}

TEST_F(CliTest, TokensWithCrlfEndSentencesAtLineBreaks) {
  const std::string path = write("example.txt", kSentenceEndSample);
  const Result result = run("tokens --crlf " + path);
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("0\t26\t1\t1\tsaid\n"), std::string::npos);
  EXPECT_NE(result.out.find("0\t53\t1\t1\tY\n"), std::string::npos);
  EXPECT_NE(result.out.find("0\t3\t1\t0\twas\n"), std::string::npos);
}

TEST_F(CliTest, TokensVisitsFilesInCorpusOrderAndGoesOnAfterAMissingFile) {
  const std::string b = write("b.txt", "bee");
  const std::string a = write("a.txt", "ant  ant");
  const std::string missing = (dir_ / "c.txt").string();
  const Result result = run("tokens " + b + " " + missing + " " + a);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "0\t0\t0\t0\tant\n0\t5\t1\t1\tant\n1\t0\t1\t1\tbee\n");
  EXPECT_NE(result.err.find(missing + ": No such file or directory"), std::string::npos);
}

TEST_F(CliTest, TokensPrintsTaggedWordsAsDeliveredAndKeepsBytes) {
  const std::string path = write("tagged.txt", "<NN>caf\xe9 <VB>runs.");
  const Result result = run("tokens --tagged --word-separators ' .' " + path);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "0\t0\t0\t0\t<NN>caf\xe9\n0\t9\t1\t1\t<VB>runs\n");
}

TEST_F(CliTest, TokensConvertsDosText) {
  const std::string path = write("dos.txt", "caf\x82 x");
  EXPECT_EQ(run("tokens --dos " + path).out, "0\t0\t0\t0\tcaf\xe9\n0\t5\t1\t1\tx\n");
}

TEST_F(CliTest, TokensWithoutFilesIsAUsageError) {
  EXPECT_EQ(run("tokens").status, 2);
  EXPECT_EQ(run("tokens --no-such-option x").status, 2);
}

TEST_F(CliTest, RetrievePrintsTheThreeTexts) {
  const std::string path = write("example.txt", kSentenceEndSample);
  Result result = run("retrieve --offset 26 " + path);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "\" he\tsaid\t.\n");
  result = run("retrieve --offset 23 --enhanced " + path);
  EXPECT_EQ(result.out, "\the\tsaid.\n");
  result = run("retrieve --offset 33 --enhanced --crlf " + path);
  EXPECT_EQ(result.out, "\tNext\tline...\n");
}

TEST_F(CliTest, RetrieveBeyondTheEndPrintsEmptyTexts) {
  const std::string path = write("short.txt", "tiny");
  const Result result = run("retrieve --offset 10 " + path);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "\t\t\n");
}

TEST_F(CliTest, RetrieveErrors) {
  const std::string path = write("short.txt", "tiny");
  EXPECT_EQ(run("retrieve " + path).status, 2);                          // no offset
  EXPECT_EQ(run("retrieve --offset -1 " + path).status, 2);              // negative
  EXPECT_EQ(run("retrieve --offset 0 " + path + " " + path).status, 2);  // two files
  const Result missing = run("retrieve --offset 0 " + (dir_ / "none.txt").string());
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("none.txt: No such file or directory"), std::string::npos);
}

}  // namespace
