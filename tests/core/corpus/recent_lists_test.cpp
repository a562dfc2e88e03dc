// The recent lists in the settings file: order, limit, repeats, paths that a
// value cannot hold, and a section of their own that leaves the concordance
// window settings byte for byte as they were written.
#include "corpus/recent_lists.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "concordance/window_settings.h"
#include "temp_folder.h"
#include "text/error.h"

namespace lexvane::corpus {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;
using Lists = std::vector<std::string>;

TEST(PushRecentListTest, PutsThePathFirstMovesARepeatAndKeepsTheLimit) {
  EXPECT_EQ(PushRecentList({}, "/a.CTL"), Lists({"/a.CTL"}));
  EXPECT_EQ(PushRecentList({"/a.CTL", "/b.CFL", "/c.CTL"}, "/c.CTL"),
            Lists({"/c.CTL", "/a.CTL", "/b.CFL"}));
  // Linux names are case-sensitive: these are two lists.
  EXPECT_EQ(PushRecentList({"/x/Novels.CTL"}, "/x/novels.CTL"),
            Lists({"/x/novels.CTL", "/x/Novels.CTL"}));
  EXPECT_EQ(PushRecentList({"1", "2", "3"}, "4", 3), Lists({"4", "1", "2"}));
}

TEST(RecentListsTest, RecordsMostRecentFirstUpToTheLimitAndReadsThemBack) {
  TempFolder dir;
  const std::string settings = dir / "config/lexvane/lexvane.ini";  // folder made on demand
  EXPECT_TRUE(LoadRecentLists(settings).empty());
  Lists expected;
  for (int i = 1; i <= 10; ++i) {
    const std::string path = "/home/ann/corpora/Victorian novels " + std::to_string(i) + ".CTL";
    expected = RecordRecentList(settings, path);
  }
  ASSERT_EQ(expected.size(), kMaxRecentLists);
  EXPECT_EQ(expected.front(), "/home/ann/corpora/Victorian novels 10.CTL");
  EXPECT_EQ(expected.back(), "/home/ann/corpora/Victorian novels 3.CTL");
  EXPECT_EQ(LoadRecentLists(settings), expected);

  // Opening an older one again moves it to the front without a repeat.
  const Lists again = RecordRecentList(settings, "/home/ann/corpora/Victorian novels 5.CTL");
  EXPECT_EQ(again.front(), "/home/ann/corpora/Victorian novels 5.CTL");
  EXPECT_EQ(again.size(), kMaxRecentLists);
  EXPECT_EQ(std::count(again.begin(), again.end(), again.front()), 1);
  EXPECT_EQ(LoadRecentLists(settings), again);
}

TEST(RecentListsTest, KeepsPathsWithBlanksQuotesAndUtf8AsTheyAre) {
  TempFolder dir;
  const std::string settings = dir / "lexvane.ini";
  const Lists paths = {" /leading blank.CTL", "/trailing blank.CFL ", "\"/quoted\".CTL",
                       "/home/zoë/Ελληνικά/κείμενα.CTL", "/a;b=c/[list].CFL"};
  for (const std::string& path : paths) RecordRecentList(settings, path);
  EXPECT_EQ(LoadRecentLists(settings), Lists(paths.rbegin(), paths.rend()));
}

TEST(RecentListsTest, LeavesOutPathsThatAValueCannotHold) {
  TempFolder dir;
  const std::string settings = dir / "lexvane.ini";
  RecordRecentList(settings, "/ok.CTL");
  EXPECT_EQ(RecordRecentList(settings, "/two\nlines.CTL"), Lists({"/ok.CTL"}));
  EXPECT_EQ(RecordRecentList(settings, "/" + std::string(1100, 'x') + ".CTL"), Lists({"/ok.CTL"}));
  EXPECT_EQ(RecordRecentList(settings, ""), Lists({"/ok.CTL"}));
  EXPECT_EQ(LoadRecentLists(settings), Lists({"/ok.CTL"}));
}

TEST(RecentListsTest, ReadingStopsAtAGapAndDropsRepeats) {
  TempFolder dir;
  const std::string settings = dir / "lexvane.ini";
  writeBytes(settings,
             "[recent LISTS]\r\nFile1=/a.CTL\r\nFile2=/b.CFL\r\nFile3=/a.CTL\r\nFile4=\r\n"
             "File5=/never.CTL\r\n");
  EXPECT_EQ(LoadRecentLists(settings), Lists({"/a.CTL", "/b.CFL"}));
}

TEST(RecentListsTest, TheConcordanceWindowSectionKeepsItsBytes) {
  TempFolder dir;
  const std::string settings = dir / "lexvane.ini";
  concordance::ConcordanceWindowSettings window;
  window.ColWidths = {60, 210, 90, 200, 120};
  window.ShowCurSent = false;
  window.Maximized = true;
  concordance::SaveConcordanceWindowSettings(window, settings);
  const std::string windowOnly = readBytes(settings);

  RecordRecentList(settings, "/home/ann/corpora/letters.CTL");
  RecordRecentList(settings, "/home/ann/corpora/diaries.CFL");
  const std::string both = readBytes(settings);
  // The window section comes first, as it was; the recent lists follow it.
  ASSERT_EQ(both.compare(0, windowOnly.size(), windowOnly), 0) << both;
  EXPECT_EQ(both.substr(windowOnly.size()),
            "[Recent lists]\r\nFile1=/home/ann/corpora/diaries.CFL\r\n"
            "File2=/home/ann/corpora/letters.CTL\r\n");

  // A later "Save settings" rewrites its own keys in place and leaves the
  // recent lists alone; clearing them leaves the window section as it was.
  concordance::SaveConcordanceWindowSettings(window, settings);
  EXPECT_EQ(readBytes(settings), both);
  EXPECT_EQ(concordance::LoadConcordanceWindowSettings(settings).ColWidths, window.ColWidths);
  ClearRecentLists(settings);
  EXPECT_EQ(readBytes(settings), windowOnly);
  EXPECT_TRUE(LoadRecentLists(settings).empty());
}

TEST(RecentListsTest, ASettingsFileThatCannotBeWrittenFails) {
  TempFolder dir;
  // A folder of that name cannot be made where a file stands.
  writeBytes(dir / "blocker", "not a folder");
  EXPECT_THROW(RecordRecentList(dir / "blocker/lexvane.ini", "/first.CTL"), text::Error);
  EXPECT_EQ(readBytes(dir / "blocker"), "not a folder");
}

}  // namespace
}  // namespace lexvane::corpus
