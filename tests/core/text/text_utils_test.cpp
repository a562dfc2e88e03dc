#include "text/text_utils.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace lexvane::text {
namespace {

TEST(TrimSpaces, RemovesOnlyBlanksAtBothEnds) {
  EXPECT_EQ(TrimSpaces("  a b  "), "a b");
  EXPECT_EQ(TrimSpaces("\t a \n"), "\t a \n");
  EXPECT_EQ(TrimSpaces("    "), "");
  EXPECT_EQ(TrimSpaces(""), "");
}

TEST(CleanLine, ControlCharactersBecomeBlanksAndRunsCollapse) {
  std::string s = "\t  a  b ";
  CleanLine(s);
  EXPECT_EQ(s, "a b");
  s = "x\r\ny\x01\x1fz";
  CleanLine(s);
  EXPECT_EQ(s, "x y z");
  s = " \t\r\n ";
  CleanLine(s);
  EXPECT_EQ(s, "");
  s = "\xe9t\xe9";  // characters above 127 stay
  CleanLine(s);
  EXPECT_EQ(s, "\xe9t\xe9");
}

TEST(ReverseString, ReversesBytes) {
  EXPECT_EQ(ReverseString("walk"), "klaw");
  EXPECT_EQ(ReverseString(""), "");
  EXPECT_EQ(ReverseString("a\xe9"),
            "\xe9"
            "a");
}

TEST(FitToWidth, PadsOrCutsAtTheSideOfTheAlignment) {
  EXPECT_EQ(FitToWidth("abcdef", false, 4), "cdef");
  EXPECT_EQ(FitToWidth("abcdef", true, 4), "abcd");
  EXPECT_EQ(FitToWidth("ab", false, 4), "  ab");
  EXPECT_EQ(FitToWidth("ab", true, 4), "ab  ");
  EXPECT_EQ(FitToWidth("abc", true, 0), "");
  EXPECT_EQ(FitToWidth("", false, 255).size(), 255u);
}

TEST(FormatThousands, AtMostTwoSeparators) {
  EXPECT_EQ(FormatThousands(0), "0");
  EXPECT_EQ(FormatThousands(999), "999");
  EXPECT_EQ(FormatThousands(1000), "1 000");
  EXPECT_EQ(FormatThousands(1234), "1 234");
  EXPECT_EQ(FormatThousands(123456), "123 456");
  EXPECT_EQ(FormatThousands(1234567), "1 234 567");
  EXPECT_EQ(FormatThousands(1234567890), "1234 567 890");
  EXPECT_EQ(FormatThousands(5000000000LL), "5000 000 000");  // beyond 32 bits
}

class FileSizeOfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        std::filesystem::temp_directory_path() / ("lexvane_filesize_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string write(const std::string& name, const std::string& content) {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  std::filesystem::path dir_;
};

TEST_F(FileSizeOfTest, RegularFilesAndLinksToThemHaveASize) {
  EXPECT_EQ(FileSizeOf(write("empty.txt", "")), 0);
  const std::string five = write("five.txt", "abcde");
  EXPECT_EQ(FileSizeOf(five), 5);
  std::filesystem::create_symlink(five, dir_ / "link.txt");
  EXPECT_EQ(FileSizeOf((dir_ / "link.txt").string()), 5);
}

TEST_F(FileSizeOfTest, DirectoriesMissingPathsAndDanglingLinksGiveMinusOne) {
  EXPECT_EQ(FileSizeOf(dir_.string()), -1);
  EXPECT_EQ(FileSizeOf((dir_ / "missing.txt").string()), -1);
  std::filesystem::create_symlink(dir_ / "nowhere", dir_ / "dangling");
  EXPECT_EQ(FileSizeOf((dir_ / "dangling").string()), -1);
}

}  // namespace
}  // namespace lexvane::text
