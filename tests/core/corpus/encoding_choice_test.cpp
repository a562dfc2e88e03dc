// Switching a corpus between 8-bit and UTF-8 carries its separators over
// (untouched defaults become the other defaults); the offer to switch a
// Windows-1252 corpus whose files look like UTF-8 comes once per list; list
// files keep the encoding and give a UTF-8 list the UTF-8 defaults.
#include "corpus/encoding_choice.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "corpus/file_list_editor_model.h"
#include "corpus/list_file_commands.h"
#include "corpus/list_files.h"
#include "scripted_ui.h"
#include "temp_folder.h"
#include "text/character_sets.h"
#include "text/utf8_detection.h"
#include "tools/root_collator.h"

namespace lexvane::corpus {
namespace {

using testing::ScriptedDialogs;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using testing::writeBytes;
using text::Answer;
using text::Encoding;

const std::string kUtf8Text = "Caf\u00E9 na\u00EFve \u03B1\u03B2\u03B3 \u0436\u0443\u043A.\n";

TEST(ChooseEncoding, UntouchedDefaultsBecomeTheOtherEncodingsDefaults) {
  CorpusSettings settings;
  ChooseEncoding(settings, Encoding::Utf8);
  EXPECT_EQ(settings.TextEncoding, Encoding::Utf8);
  EXPECT_EQ(settings.WordSeparators, text::kDefaultUtf8WordSeparators);
  EXPECT_EQ(settings.SentenceSeparators, ".?!");
  ChooseEncoding(settings, Encoding::Windows1252);
  EXPECT_EQ(settings.WordSeparators, text::kDefaultWordSeparators);
  // Between the two 8-bit encodings nothing is carried over.
  settings.WordSeparators = " \xA7";
  ChooseEncoding(settings, Encoding::Dos850);
  EXPECT_EQ(settings.WordSeparators, " \xA7");
  ChooseEncoding(settings, Encoding::Windows1252);
  EXPECT_EQ(settings.WordSeparators, " \xA7");
}

TEST(ChooseEncoding, EditedSeparatorsKeepTheirCharacters) {
  CorpusSettings settings;
  settings.WordSeparators = " ,\xA7\x85";  // section sign, ellipsis
  settings.SentenceSeparators = ".\xBF";   // inverted question mark
  ChooseEncoding(settings, Encoding::Utf8);
  EXPECT_EQ(settings.WordSeparators, " ,\u00A7\u2026");
  EXPECT_EQ(settings.SentenceSeparators, ".\u00BF");
  // Characters Windows-1252 lacks, and invalid bytes, are dropped, not
  // turned into '?', which would separate words.
  settings.WordSeparators += "\u00AB\u03B1\xFF";
  ChooseEncoding(settings, Encoding::Windows1252);
  EXPECT_EQ(settings.WordSeparators, " ,\xA7\x85\xAB");
  EXPECT_EQ(settings.SentenceSeparators, ".\xBF");
  EXPECT_EQ(Transcode("a?b", Encoding::Utf8, Encoding::Windows1252), "a?b");
}

TEST(ChooseEncoding, EditorCountsTheChoiceAsAnEdit) {
  CorpusSettings settings;
  FileListEditorModel model(settings, RootCollator());
  model.WhenShow();
  model.SetTextEncoding(Encoding::Utf8);
  EXPECT_TRUE(model.EditedInDialog());
  EXPECT_EQ(settings.WordSeparators, text::kDefaultUtf8WordSeparators);
  ScriptedUserInterface ui;
  model.OK(ui);
  EXPECT_TRUE(settings.Modified);
  EXPECT_EQ(settings.TextEncoding, Encoding::Utf8);
}

TEST(ListInfo, SaysUtf8ForAUtf8Corpus) {
  CorpusSettings settings;
  settings.ListPath = "/lists/greek.CTL";
  settings.Files.Add("/c/a.txt", RootCollator());
  settings.TotalBytes = 1025;
  EXPECT_EQ(settings.ListInfo(), "/lists/greek.CTL: 1 (2 kB)");
  settings.TextEncoding = Encoding::Dos850;
  EXPECT_EQ(settings.ListInfo(), "/lists/greek.CTL: 1 (2 kB)");
  settings.TextEncoding = Encoding::Utf8;
  EXPECT_EQ(settings.ListInfo(), "/lists/greek.CTL: 1 (2 kB, UTF-8)");
  settings.ResetToNewList();
  EXPECT_EQ(settings.TextEncoding, Encoding::Windows1252);
  EXPECT_EQ(settings.WordSeparators, text::kDefaultWordSeparators);
}

class OfferTest : public ::testing::Test {
 protected:
  OfferTest() {
    writeBytes(dir / "utf8.txt", kUtf8Text);
    writeBytes(dir / "ansi.txt", "Caf\xE9 na\xEFve gr\xFC\xDF.\n");
  }
  TempFolder dir;
  CorpusSettings settings;
};

TEST_F(OfferTest, OfferedOncePerListAndYesSwitches) {
  ScriptedUserInterface ui({Answer::No, Answer::Yes});
  EXPECT_FALSE(OfferUtf8(settings, {dir / "utf8.txt"}, ui));
  ASSERT_EQ(ui.asked.size(), 1u);
  EXPECT_EQ(ui.asked[0].buttons, text::Buttons::YesNo);
  EXPECT_NE(ui.asked[0].text.find("UTF-8"), std::string::npos);
  EXPECT_EQ(settings.TextEncoding, Encoding::Windows1252);
  // Asked once for this list, whatever the answer.
  EXPECT_FALSE(OfferUtf8(settings, {dir / "utf8.txt"}, ui));
  EXPECT_EQ(ui.asked.size(), 1u);
  // A new list may be offered again.
  settings.ResetToNewList();
  EXPECT_TRUE(OfferUtf8(settings, {dir / "utf8.txt"}, ui));
  EXPECT_EQ(settings.TextEncoding, Encoding::Utf8);
  EXPECT_EQ(settings.WordSeparators, text::kDefaultUtf8WordSeparators);
}

TEST_F(OfferTest, NoOfferForWindows1252TextOrAnotherEncoding) {
  ScriptedUserInterface ui;  // any question fails the test
  EXPECT_FALSE(OfferUtf8(settings, {dir / "ansi.txt"}, ui));
  EXPECT_FALSE(OfferUtf8(settings, {dir / "missing.txt"}, ui));
  settings.TextEncoding = Encoding::Dos850;
  EXPECT_FALSE(OfferUtf8(settings, {dir / "utf8.txt"}, ui));
  settings.TextEncoding = Encoding::Utf8;
  EXPECT_FALSE(OfferUtf8(settings, {dir / "utf8.txt"}, ui));
  EXPECT_FALSE(settings.Utf8Offered);
}

TEST_F(OfferTest, AFifoIsNotReadAndDoesNotBlock) {
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  ScriptedUserInterface ui;
  EXPECT_FALSE(OfferUtf8(settings, {dir / "pipe", dir / "ansi.txt"}, ui));
}

TEST_F(OfferTest, EditorOffersForAddedFilesAndCountsTheSwitch) {
  FileListEditorModel model(settings, RootCollator());
  model.WhenShow();
  ScriptedUserInterface ui({Answer::Yes});
  model.AddFiles({dir / "ansi.txt"});
  EXPECT_FALSE(model.OfferUtf8({dir / "ansi.txt"}, ui));
  EXPECT_TRUE(model.OfferUtf8({dir / "utf8.txt"}, ui));
  EXPECT_EQ(settings.TextEncoding, Encoding::Utf8);
  EXPECT_TRUE(model.EditedInDialog());
}

TEST_F(OfferTest, OpeningAListOffersAndASwitchMarksTheCorpusModified) {
  CorpusSettings saved;
  saved.Files.Add(dir / "utf8.txt", RootCollator());
  WriteListFile(dir / "list.CTL", true, saved);
  ScriptedDialogs dialogs;
  dialogs.openPaths = {dir / "list.CTL", dir / "list.CTL"};
  ScriptedUserInterface ui({Answer::Yes, Answer::No, Answer::No});
  ListFileCommands commands(settings, RootCollator(), ui, dialogs);
  EXPECT_TRUE(commands.OpenList());
  EXPECT_EQ(settings.TextEncoding, Encoding::Utf8);
  EXPECT_TRUE(settings.Modified);
  // Opened again (the save prompt answered No), it is a new list: asked again.
  EXPECT_TRUE(commands.OpenList());
  ASSERT_EQ(ui.asked.size(), 3u);
  EXPECT_EQ(ui.asked[2].buttons, text::Buttons::YesNo);
  EXPECT_EQ(settings.TextEncoding, Encoding::Windows1252);
}

TEST_F(OfferTest, Utf8ListRoundTripsAndDefaultsToUtf8Separators) {
  settings.Files.Add(dir / "utf8.txt", RootCollator());
  ChooseEncoding(settings, Encoding::Utf8);
  for (const char* name : {"list.CTL", "list.CFL"}) {
    WriteListFile(dir / name, IsTextList(name), settings);
    CorpusSettings read;
    ReadListFile(dir / name, IsTextList(name), read, RootCollator());
    EXPECT_EQ(read.TextEncoding, Encoding::Utf8) << name;
    EXPECT_EQ(read.WordSeparators, text::kDefaultUtf8WordSeparators) << name;
  }
  settings.WordSeparators = ",\u00AB\u00BB";  // no blank: one goes in front
  WriteListFile(dir / "list.CTL", true, settings);
  CorpusSettings read;
  ReadListFile(dir / "list.CTL", true, read, RootCollator());
  EXPECT_EQ(read.WordSeparators, " ,\u00AB\u00BB");

  // Without the key, a UTF-8 list gets the UTF-8 defaults.
  writeBytes(dir / "bare.CTL", "[Scan]\r\nEncoding=UTF-8\r\n");
  ReadListFile(dir / "bare.CTL", true, read, RootCollator());
  EXPECT_EQ(read.TextEncoding, Encoding::Utf8);
  EXPECT_EQ(read.WordSeparators, text::kDefaultUtf8WordSeparators);
  writeBytes(dir / "bare.CTL", "[Scan]\r\n");
  ReadListFile(dir / "bare.CTL", true, read, RootCollator());
  EXPECT_EQ(read.WordSeparators, text::kDefaultWordSeparators);
}

TEST_F(OfferTest, Utf8SeparatorsAreCutAt255Characters) {
  std::string many = " ";
  for (int i = 0; i < 300; ++i) many += "\u00E9";  // two bytes each
  settings.TextEncoding = Encoding::Utf8;
  settings.WordSeparators = many;
  WriteListFile(dir / "long.CTL", true, settings);
  CorpusSettings read;
  ReadListFile(dir / "long.CTL", true, read, RootCollator());
  EXPECT_EQ(read.WordSeparators, many.substr(0, 1 + 254 * 2));
}

TEST(SampleCorpus, Utf8ListReadsAsUtf8WithItsDefaultsAndLooksUtf8) {
  const std::string list = std::string(LEXVANE_SAMPLES_DIR) + "/utf8.CTL";
  CorpusSettings read;
  ReadListFile(list, true, read, RootCollator());
  EXPECT_EQ(read.TextEncoding, Encoding::Utf8);
  EXPECT_EQ(read.WordSeparators, text::kDefaultUtf8WordSeparators);
  ASSERT_EQ(read.Files.Count(), 3u);
  EXPECT_TRUE(text::SampleFilesForUtf8(read.Files.Paths()).LooksUtf8());
  // The files are valid UTF-8 throughout.
  for (const std::string& path : read.Files.Paths()) {
    const std::string bytes = testing::readBytes(path);
    for (std::size_t i = 0; i < bytes.size();) {
      const text::Utf8Char c = text::nextUtf8Char(bytes, i);
      ASSERT_TRUE(c.valid) << path << " at " << i;
      i += c.length;
    }
  }
}

}  // namespace
}  // namespace lexvane::corpus
