#include "corpus/file_list_editor_model.h"

#include <gtest/gtest.h>

#include "scripted_ui.h"
#include "temp_folder.h"
#include "tools/root_collator.h"

namespace lexvane::corpus {
namespace {

using testing::ScriptedUserInterface;
using testing::TempFolder;
using testing::writeBytes;

class EditorModelTest : public ::testing::Test {
 protected:
  EditorModelTest() {
    writeBytes(dir / "one.txt", "one");
    writeBytes(dir / "two.txt", "two two");
    settings.Files.Add(dir / "one.txt", RootCollator());
    settings.ListPath = dir / "list.CTL";
  }
  TempFolder dir;
  CorpusSettings settings;
  FileListEditorModel model{settings, RootCollator()};
  ScriptedUserInterface quiet;
};

TEST_F(EditorModelTest, ShowFillsTheWorkingCopyAndCaption) {
  model.MarkModified();
  model.WhenShow();
  EXPECT_EQ(model.Paths(), settings.Files.Paths());
  EXPECT_FALSE(model.EditedInDialog());
  EXPECT_EQ(model.Caption(), "File List Settings: " + (dir / "list.CTL"));
  settings.ListPath.clear();
  model.WhenShow();
  EXPECT_EQ(model.Caption(), "File List Settings: ");
}

TEST_F(EditorModelTest, DuplicatesInTheBoxCollapseAfterOk) {
  model.WhenShow();
  model.AddFiles({dir / "two.txt", dir / "one.txt", dir / "two.txt"});
  EXPECT_EQ(model.Paths().size(), 4u);  // the box shows them twice
  EXPECT_TRUE(model.EditedInDialog());
  std::string info = model.OK(quiet);
  EXPECT_EQ(settings.Files.Paths(), (std::vector<std::string>{dir / "one.txt", dir / "two.txt"}));
  EXPECT_TRUE(settings.Modified);
  EXPECT_EQ(settings.TotalBytes, 10);
  EXPECT_EQ(info, (dir / "list.CTL") + ": 2 (1 kB)");
}

TEST_F(EditorModelTest, ConfirmedAddDialogWithoutFilesStillCountsAsEdit) {
  model.WhenShow();
  model.AddFiles({});
  model.OK(quiet);
  EXPECT_TRUE(settings.Modified);
}

TEST_F(EditorModelTest, RemoveSelectedAndCancelLosesListChanges) {
  model.WhenShow();
  model.AddFiles({dir / "two.txt"});
  model.WhenShow();  // the add was cancelled with the dialog
  EXPECT_FALSE(model.RemoveSelected({7}));
  EXPECT_FALSE(model.EditedInDialog());
  EXPECT_TRUE(model.RemoveSelected({0}));
  EXPECT_TRUE(model.Paths().empty());
  EXPECT_TRUE(model.EditedInDialog());
  EXPECT_EQ(model.Cancel(), (dir / "list.CTL") + ": 1 (0 kB)");
  EXPECT_EQ(settings.Files.Count(), 1u);

  model.WhenShow();
  model.AddFiles({"/c", "/a", "/d", "/b"});
  EXPECT_TRUE(model.RemoveSelected({4, 1, 1}));  // "/b" and one.txt, out of order
  EXPECT_EQ(model.Paths(), (std::vector<std::string>{"/a", "/c", "/d"}));
  EXPECT_EQ(settings.Files.Count(), 1u);
  EXPECT_FALSE(settings.Modified);
  EXPECT_FALSE(FileListEditorModel::RemoveEnabled(0));
  EXPECT_TRUE(FileListEditorModel::RemoveEnabled(2));
}

TEST_F(EditorModelTest, TogglingOnlyTheThreeResultOptionsLeavesModifiedOff) {
  model.WhenShow();
  model.SetCRLFAsSeparator(true);
  model.SetIgnoreCapital(false);
  model.SetTaggedText(true);
  model.OK(quiet);
  EXPECT_FALSE(settings.Modified);
  EXPECT_TRUE(settings.CRLFAsSeparator);
  EXPECT_FALSE(settings.IgnoreCapital);
  EXPECT_TRUE(settings.TaggedText);
}

TEST_F(EditorModelTest, DosAndEnhancedOptionsCountAsEdits) {
  model.WhenShow();
  model.SetTextEncoding(text::Encoding::Dos850);
  model.OK(quiet);
  EXPECT_TRUE(settings.Modified);
  settings.Modified = false;
  model.WhenShow();
  model.SetEnhSentDetect(true);
  model.OK(quiet);
  EXPECT_TRUE(settings.Modified);
}

TEST_F(EditorModelTest, TypedSeparatorsSurviveCancelAndMarkTheNextOk) {
  model.WhenShow();
  model.SetWordSeparators(" ,.", true);
  model.Cancel();
  EXPECT_EQ(settings.WordSeparators, " ,.");  // in force at once
  EXPECT_FALSE(settings.Modified);
  EXPECT_TRUE(model.WordSeparatorsTyped());

  model.WhenShow();  // clears EditedInDialog, not the typed-into mark
  EXPECT_FALSE(model.EditedInDialog());
  model.OK(quiet);
  EXPECT_TRUE(settings.Modified);
  EXPECT_FALSE(model.WordSeparatorsTyped());

  settings.Modified = false;
  model.WhenShow();
  model.OK(quiet);  // the mark was cleared by the first OK
  EXPECT_FALSE(settings.Modified);
}

TEST_F(EditorModelTest, ProgramSetSeparatorsDoNotSetTheTypedMark) {
  model.SetSentenceSeparators(".", false);  // e.g. a list was opened
  model.WhenShow();
  model.OK(quiet);
  EXPECT_FALSE(settings.Modified);
  EXPECT_FALSE(model.SentenceSeparatorsTyped());

  model.WhenShow();
  model.SetSentenceSeparators("!", true);
  EXPECT_TRUE(model.SentenceSeparatorsTyped());
  model.OK(quiet);
  EXPECT_TRUE(settings.Modified);
  EXPECT_EQ(settings.SentenceSeparators, "!");
}

TEST_F(EditorModelTest, OkRecountsAndWarnsAboutMissingFiles) {
  ScriptedUserInterface ui({text::Answer::Ok});
  model.WhenShow();
  model.AddFiles({dir / "gone.txt"});
  model.OK(ui);
  ASSERT_EQ(ui.asked.size(), 1u);
  EXPECT_EQ(ui.asked[0].text, "Warning: The file " + (dir / "gone.txt") + " does not exist.");
  EXPECT_EQ(settings.TotalBytes, 3);
}

}  // namespace
}  // namespace lexvane::corpus
