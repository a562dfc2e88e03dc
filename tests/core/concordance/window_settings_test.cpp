// The concordance window settings in the settings file: defaults for a
// missing file, section or key; values read as integers; a save that keeps
// the file's other sections and keys; where the settings file lives.
#include "concordance/window_settings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <unistd.h>

namespace lexvane::concordance {
namespace {

class WindowSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lexvane-window-settings-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void write(const std::string& name, const std::string& text) {
    std::ofstream(path(name), std::ios::binary) << text;
  }
  std::string read(const std::string& name) {
    std::ifstream in(path(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::filesystem::path dir_;
};

TEST_F(WindowSettingsTest, MissingFileOrSectionGivesTheDefaults) {
  for (const char* text : {"", "[Other]\r\nCol0=40\r\n"}) {
    write("s.ini", text);
    ConcordanceWindowSettings s = LoadConcordanceWindowSettings(path("s.ini"));
    EXPECT_EQ(s.ColWidths, (std::array<std::int32_t, 5>{0, 0, 0, 0, 0}));
    EXPECT_TRUE(s.ShowCurSent);
    EXPECT_FALSE(s.Maximized);
  }
  EXPECT_TRUE(LoadConcordanceWindowSettings(path("none.ini")).ShowCurSent);
}

TEST_F(WindowSettingsTest, ReadsIntegersAndBooleansWithDefaultsForBadValues) {
  write("s.ini",
        "[concordance window]\r\ncol0=60\r\nCol1=200\r\nCol2=wide\r\nCol3=0\r\nCol4=$10\r\n"
        "ShowCurSent=0\r\nMaximized=7\r\n");
  ConcordanceWindowSettings s = LoadConcordanceWindowSettings(path("s.ini"));
  EXPECT_EQ(s.ColWidths, (std::array<std::int32_t, 5>{60, 200, 0, 0, 16}));
  EXPECT_FALSE(s.ShowCurSent);
  EXPECT_TRUE(s.Maximized);
}

TEST_F(WindowSettingsTest, NumbersOutsideThe32BitRangeReadAsTheDefault) {
  // 4294967336 is 2^32 + 40: never a width of 40 pixels.
  write("s.ini",
        "[Concordance Window]\r\nCol0=4294967336\r\nCol1=-2147483648\r\nCol2=2147483647\r\n"
        "Col3=-2147483649\r\nShowCurSent=4294967296\r\nMaximized=0x100000000\r\n");
  ConcordanceWindowSettings s = LoadConcordanceWindowSettings(path("s.ini"));
  EXPECT_EQ(s.ColWidths, (std::array<std::int32_t, 5>{0, -2147483647 - 1, 2147483647, 0, 0}));
  EXPECT_TRUE(s.ShowCurSent);
  EXPECT_FALSE(s.Maximized);
}

TEST_F(WindowSettingsTest, SaveWritesTheSevenKeysAndKeepsTheRest) {
  write("s.ini", "[Mine]\r\nKey=1\r\n[Concordance Window]\r\nExtra=x\r\nCol0=1\r\n");
  ConcordanceWindowSettings s;
  s.ColWidths = {52, 185, 87, 0, 107};
  s.ShowCurSent = false;
  s.Maximized = true;
  SaveConcordanceWindowSettings(s, path("s.ini"));
  EXPECT_EQ(read("s.ini"),
            "[Mine]\r\nKey=1\r\n[Concordance Window]\r\nExtra=x\r\nCol0=52\r\nCol1=185\r\n"
            "Col2=87\r\nCol3=0\r\nCol4=107\r\nShowCurSent=0\r\nMaximized=1\r\n");
  ConcordanceWindowSettings back = LoadConcordanceWindowSettings(path("s.ini"));
  EXPECT_EQ(back.ColWidths, s.ColWidths);
  EXPECT_FALSE(back.ShowCurSent);
  EXPECT_TRUE(back.Maximized);
}

TEST_F(WindowSettingsTest, SaveCreatesTheSettingsFolderOfAFirstRun) {
  SaveConcordanceWindowSettings({}, path("config/lexvane/lexvane.ini"));
  EXPECT_TRUE(std::filesystem::exists(path("config/lexvane/lexvane.ini")));
}

TEST_F(WindowSettingsTest, SettingsFileFollowsTheEnvironment) {
  const char* savedHome = std::getenv("HOME");
  const std::string home = savedHome ? savedHome : "";
  ::setenv("LEXVANE_SETTINGS", "/tmp/explicit.ini", 1);
  ::setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
  EXPECT_EQ(SettingsFilePath(), "/tmp/explicit.ini");
  ::unsetenv("LEXVANE_SETTINGS");
  EXPECT_EQ(SettingsFilePath(), "/tmp/xdg/lexvane/lexvane.ini");
  ::setenv("XDG_CONFIG_HOME", "", 1);
  ::setenv("HOME", "/home/ann", 1);
  EXPECT_EQ(SettingsFilePath(), "/home/ann/.config/lexvane/lexvane.ini");
  ::setenv("HOME", home.c_str(), 1);
  ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace lexvane::concordance
