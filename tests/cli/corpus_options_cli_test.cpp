// lexvane-cli run in-process: the corpus options around a list file, the
// messages on standard error and the exit status when the output cannot be
// written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "tools/root_collator.h"

namespace lexvane::cli {
namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// A stream buffer that accepts nothing, like a full disk.
class FailingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

class CorpusOptionsCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lexvane_cli_options_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_ / "lists" / "texts");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string write(const std::string& name, const std::string& content) {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  Outcome run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "lexvane-cli");
    std::vector<const char*> argv;
    for (const std::string& a : arguments) argv.push_back(a.c_str());
    std::ostringstream out, err;
    Streams streams{out, err, false};
    const int status =
        cli::Run(static_cast<int>(argv.size()), argv.data(), streams, RootCollator());
    return {status, out.str(), err.str()};
  }

  std::filesystem::path dir_;
};

TEST_F(CorpusOptionsCliTest, TextListPathsCountFromTheListFolderAndOverridesComeAfterIt) {
  write("lists/texts/one.txt", "He said.\r\nx");
  const std::string list = write("lists/corpus.CTL",
                                 "[File list]\r\nFile1=texts/one.txt\r\n"
                                 "[Scan]\r\nCRLFAsSeparator=1\r\nWordSeparators=\" \"\r\n");
  // The list's options: the full stop is part of the word, a line break ends
  // the sentence.
  Outcome result = run({"tokens", "-l", list});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "0\t0\t0\t0\tHe\n0\t3\t1\t1\tsaid.\n0\t10\t1\t1\tx\n");
  // Overrides replace what the list says.
  result = run({"tokens", "--list", list, "--no-crlf", "--word-separators", " ."});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "0\t0\t0\t0\tHe\n0\t3\t1\t0\tsaid\n0\t10\t1\t1\tx\n");
}

TEST_F(CorpusOptionsCliTest, FilesJoinTheListAndEachMissingFileIsReportedOnce) {
  const std::string listed = write("lists/texts/b.txt", "bee");
  const std::string list = write("lists/corpus.CFL", "texts/b.txt\r\ntexts/gone.txt\r\n");
  const std::string given = write("a.txt", "ant");
  const Outcome result = run({"tokens", "-l", list, given});
  EXPECT_EQ(result.status, 1);  // gone.txt cannot be opened
  EXPECT_EQ(result.out, "0\t0\t1\t1\tant\n1\t0\t1\t1\tbee\n");
  const std::string gone = (dir_ / "lists" / "texts" / "gone.txt").string();
  const std::string warning = "Warning: The file " + gone + " does not exist.\n";
  ASSERT_NE(result.err.find(warning), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find(warning, result.err.find(warning) + 1), std::string::npos);
  EXPECT_EQ(result.err.find("Warning: Warning:"), std::string::npos);
  EXPECT_NE(result.err.find("Error: " + gone + ": No such file or directory"), std::string::npos);
}

TEST_F(CorpusOptionsCliTest, UnreadableListIsAnErrorAndAnEmptyFileNameAUsageError) {
  Outcome result = run({"tokens", "-l", (dir_ / "none.CTL").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Cannot open file " + (dir_ / "none.CTL").string()), std::string::npos);
  result = run({"tokens", ""});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
}

TEST_F(CorpusOptionsCliTest, OutputThatCannotBeWrittenIsAFailure) {
  const std::string file = write("a.txt", "some words here");
  FailingBuffer full;
  std::ostream out(&full);
  std::ostringstream err;
  Streams streams{out, err, false};
  const char* argv[] = {"lexvane-cli", "tokens", file.c_str()};
  EXPECT_EQ(cli::Run(3, argv, streams, RootCollator()), 1);
  EXPECT_NE(err.str().find("cannot write the output"), std::string::npos);
  std::ostream helpOut(&full);
  Streams helpStreams{helpOut, err, false};
  const char* help[] = {"lexvane-cli", "--help"};
  EXPECT_EQ(cli::Run(2, help, helpStreams, RootCollator()), 1);
}

}  // namespace
}  // namespace lexvane::cli
