// Lemma list files as they come: any line end, binary bytes, huge lines,
// folders and pipes instead of files. Reading never blocks, never changes
// the file, and shows only cleaned lines.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "search/lemma_list.h"
#include "text/error.h"
#include "tools/root_collator.h"

namespace lexvane::search {
namespace {

using corpus::testing::readBytes;
using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using Strings = std::vector<std::string>;

std::string errorOf(const std::string& path) {
  try {
    LoadLemmaList(path, "", RootCollator());
  } catch (const text::Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(LemmaFile, AnyLineEndGivesTheSameLexemes) {
  TempFolder dir;
  const Strings lines = {"walk;walks;walked", "go; goes ;went", "house;houses"};
  const Strings expected = {"go; goes ;went", "house;houses", "walk;walks;walked"};
  for (const std::string end : {"\n", "\r\n", "\r"}) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + end;
    writeBytes(dir / "list.cll", bytes);
    const LemmaList list = LoadLemmaList(dir / "list.cll", "h", RootCollator());
    EXPECT_EQ(list.Lines, expected) << static_cast<int>(end[0]);
    EXPECT_EQ(list.Selected, 1);
    // The last line needs no line end.
    writeBytes(dir / "list.cll", bytes.substr(0, bytes.size() - end.size()));
    EXPECT_EQ(LoadLemmaList(dir / "list.cll", "", RootCollator()).Lines, expected);
  }
}

TEST(LemmaFile, BinaryAndHugeLinesLoadCleanedAndLeaveTheFileAlone) {
  TempFolder dir;
  std::mt19937 random(7);
  std::string binary(1 << 16, '\0');
  for (char& c : binary) c = static_cast<char>(random());
  const std::vector<std::string> files = {binary, std::string(1 << 16, '\0'),
                                          std::string(1 << 20, 'w') + ";" + std::string(300, 'x'),
                                          "", "\r\n\r\n;;;\r\n \t \r\n"};
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string path = dir / ("odd" + std::to_string(i) + ".cll");
    writeBytes(path, files[i]);
    const LemmaList list = LoadLemmaList(path, "m", RootCollator());
    for (const std::string& line : list.Lines) {
      ASSERT_FALSE(line.empty()) << i;
      EXPECT_NE(line.front(), ' ') << i;
      EXPECT_NE(line.back(), ' ') << i;
      for (const char c : line) EXPECT_GE(static_cast<unsigned char>(c), 32u) << i;
    }
    EXPECT_EQ(readBytes(path), files[i]) << i;
  }
  EXPECT_TRUE(
      LoadLemmaList(dir / "odd1.cll", "", RootCollator()).Lines.empty());  // zero bytes only
  EXPECT_EQ(LoadLemmaList(dir / "odd4.cll", "", RootCollator()).Lines, Strings{";;;"});
}

TEST(LemmaFile, FoldersAndPipesAreNoListsAndNeverBlock) {
  TempFolder dir;
  std::filesystem::create_directory(dir / "folder.cll");
  EXPECT_EQ(errorOf(dir / "folder.cll"), "Cannot open file " + (dir / "folder.cll"));
  const std::string pipe = dir / "pipe.cll";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  auto read = std::async(std::launch::async, [&] { return errorOf(pipe); });
  if (read.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "reading a pipe without a writer blocked";
    // Let the blocked open return so the test can end.
    const int writer = ::open(pipe.c_str(), O_WRONLY);
    if (writer >= 0) ::close(writer);
  }
  EXPECT_EQ(read.get(), "Cannot open file " + pipe);
}

}  // namespace
}  // namespace lexvane::search
