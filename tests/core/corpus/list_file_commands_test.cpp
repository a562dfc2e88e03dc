#include "corpus/list_file_commands.h"

#include <gtest/gtest.h>

#include "corpus/list_files.h"
#include "io/ini_file.h"
#include "scripted_ui.h"
#include "temp_folder.h"
#include "text/error.h"
#include "tools/root_collator.h"

namespace lexvane::corpus {
namespace {

using testing::ScriptedDialogs;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using testing::writeBytes;
using text::Answer;

class ListCommandsTest : public ::testing::Test {
 protected:
  ListCommandsTest() {
    writeBytes(dir / "a.txt", "alpha");
    writeBytes(dir / "b.txt", "beta");
    settings.Files.Add(dir / "a.txt", RootCollator());
    settings.ListPath = dir / "current.CTL";
    settings.Modified = true;
  }
  ListFileCommands commands() { return ListFileCommands(settings, RootCollator(), ui, dialogs); }

  TempFolder dir;
  CorpusSettings settings;
  ScriptedUserInterface ui;
  ScriptedDialogs dialogs;
};

TEST_F(ListCommandsTest, UnmodifiedCorpusIsDroppedWithoutAsking) {
  settings.Modified = false;
  EXPECT_TRUE(commands().QuerySaveList());
  EXPECT_TRUE(ui.asked.empty());
}

TEST_F(ListCommandsTest, PromptCancelKeepsTheCorpus) {
  ui = ScriptedUserInterface({Answer::Cancel});
  EXPECT_FALSE(commands().QuerySaveList());
  ASSERT_EQ(ui.asked.size(), 1u);
  EXPECT_EQ(ui.asked[0].caption, "Confirm");
  EXPECT_EQ(ui.asked[0].text, "Current list is not saved. Save it?");
  EXPECT_EQ(ui.asked[0].buttons, text::Buttons::YesNoCancel);
  EXPECT_EQ(ui.asked[0].icon, text::Icon::None);
  EXPECT_TRUE(settings.Modified);
  EXPECT_FALSE(std::filesystem::exists(settings.ListPath));
}

TEST_F(ListCommandsTest, PromptNoDiscardsWithoutSaving) {
  ui = ScriptedUserInterface({Answer::No});
  EXPECT_TRUE(commands().QuerySaveList());
  EXPECT_FALSE(std::filesystem::exists(settings.ListPath));
}

TEST_F(ListCommandsTest, PromptYesSavesToTheListPath) {
  ui = ScriptedUserInterface({Answer::Yes});
  EXPECT_TRUE(commands().QuerySaveList());
  EXPECT_FALSE(settings.Modified);
  EXPECT_EQ(io::IniFile::Load(settings.ListPath).ReadString("File list", "File1"), dir / "a.txt");
  EXPECT_EQ(dialogs.saveCalls, 0);
}

TEST_F(ListCommandsTest, PromptYesWithoutPathAndCancelledDialogKeepsTheCorpus) {
  settings.ListPath.clear();
  ui = ScriptedUserInterface({Answer::Yes});
  dialogs.savePaths = {std::nullopt};
  EXPECT_FALSE(commands().QuerySaveList());
  EXPECT_TRUE(settings.Modified);
  EXPECT_TRUE(settings.ListPath.empty());
}

TEST_F(ListCommandsTest, FailedSaveLeavesModifiedAndPathAndAbandonsTheOpen) {
  std::filesystem::create_directory(dir / "new.CTL");  // cannot be written as a file
  settings.ListPath.clear();
  ui = ScriptedUserInterface({Answer::Yes});
  dialogs.savePaths = {dir / "new.CTL"};
  try {
    commands().OpenList();
    FAIL() << "expected an error";
  } catch (const text::Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + (dir / "new.CTL"));
  }
  EXPECT_TRUE(settings.Modified);
  EXPECT_TRUE(settings.ListPath.empty());
  EXPECT_EQ(dialogs.openCalls, 0);
  EXPECT_EQ(settings.Files.Count(), 1u);
}

TEST_F(ListCommandsTest, SaveListAsCancelledKeepsThePath) {
  dialogs.savePaths = {std::nullopt};
  EXPECT_FALSE(commands().SaveListAs());
  EXPECT_EQ(settings.ListPath, dir / "current.CTL");
  EXPECT_TRUE(settings.Modified);
}

TEST_F(ListCommandsTest, SaveListAsFailureRestoresThePath) {
  dialogs.savePaths = {dir / "missing/x.CFL"};
  EXPECT_THROW(commands().SaveListAs(), text::Error);
  EXPECT_EQ(settings.ListPath, dir / "current.CTL");
  EXPECT_TRUE(settings.Modified);
}

TEST_F(ListCommandsTest, SaveListAsWritesTheOtherKindAndTakesItsPath) {
  dialogs.savePaths = {dir / "older.CFL"};
  EXPECT_TRUE(commands().SaveListAs());
  EXPECT_EQ(settings.ListPath, dir / "older.CFL");
  EXPECT_FALSE(settings.Modified);
  EXPECT_EQ(testing::readBytes(dir / "older.CFL"), (dir / "a.txt") + "\r\n");
  EXPECT_TRUE(io::IniFile::Load(dir / "older.INI").SectionExists("Scan"));
  EXPECT_EQ(settings.ListInfo(), (dir / "older.CFL") + ": 1 (0 kB)");
}

TEST_F(ListCommandsTest, OpenListAsksThenReadsAndRecounts) {
  CorpusSettings other;
  other.Files.Add(dir / "b.txt", RootCollator());
  other.Files.Add(dir / "gone.txt", RootCollator());
  other.TaggedText = true;
  WriteListFile(dir / "other.CTL", true, other);

  ui = ScriptedUserInterface({Answer::No, Answer::Ok});
  dialogs.openPaths = {dir / "other.CTL"};
  EXPECT_TRUE(commands().OpenList());
  EXPECT_EQ(settings.ListPath, dir / "other.CTL");
  EXPECT_FALSE(settings.Modified);
  EXPECT_TRUE(settings.TaggedText);
  EXPECT_EQ(settings.Files.Paths(), (std::vector<std::string>{dir / "b.txt", dir / "gone.txt"}));
  EXPECT_EQ(settings.TotalBytes, 4);
  ASSERT_EQ(ui.asked.size(), 2u);
  EXPECT_EQ(ui.asked[1].text, "Warning: The file " + (dir / "gone.txt") + " does not exist.");
}

TEST_F(ListCommandsTest, OpenListStopsAtPromptOrDialog) {
  ui = ScriptedUserInterface({Answer::Cancel, Answer::No});
  EXPECT_FALSE(commands().OpenList());
  EXPECT_EQ(dialogs.openCalls, 0);
  dialogs.openPaths = {std::nullopt};
  EXPECT_FALSE(commands().OpenList());
  EXPECT_EQ(settings.ListPath, dir / "current.CTL");
  EXPECT_EQ(settings.Files.Count(), 1u);
  EXPECT_TRUE(settings.Modified);
}

TEST_F(ListCommandsTest, NewListResetsAfterThePrompt) {
  ui = ScriptedUserInterface({Answer::Cancel, Answer::No});
  settings.WordSeparators = ",";
  EXPECT_FALSE(commands().NewList());
  EXPECT_EQ(settings.Files.Count(), 1u);
  EXPECT_TRUE(commands().NewList());
  EXPECT_TRUE(settings.Files.Empty());
  EXPECT_TRUE(settings.ListPath.empty());
  EXPECT_FALSE(settings.Modified);
  EXPECT_EQ(settings.WordSeparators, text::kDefaultWordSeparators);
  EXPECT_EQ(settings.ListInfo(), "");
}

}  // namespace
}  // namespace lexvane::corpus
