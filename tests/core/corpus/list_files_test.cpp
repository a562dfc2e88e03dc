#include "corpus/list_files.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "io/ini_file.h"
#include "scripted_ui.h"
#include "temp_folder.h"
#include "text/error.h"
#include "tools/root_collator.h"

namespace lexvane::corpus {
namespace {

using testing::readBytes;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using testing::writeBytes;
using namespace std::string_literals;

std::string errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const text::Error& e) {
    return e.what();
  }
  return "(no error)";
}

// Options that differ from every default a list file gives.
CorpusSettings unusualSettings() {
  CorpusSettings settings;
  settings.WordSeparators = "#";
  settings.SentenceSeparators = ";";
  settings.TextEncoding = text::Encoding::Dos850;
  settings.EnhSentDetect = false;
  settings.CRLFAsSeparator = true;
  settings.IgnoreCapital = false;
  settings.TaggedText = true;
  return settings;
}

void expectDefaultOptions(const CorpusSettings& settings) {
  EXPECT_EQ(settings.WordSeparators, text::kDefaultWordSeparators);
  EXPECT_EQ(settings.SentenceSeparators, ".?!");
  EXPECT_EQ(settings.TextEncoding, text::Encoding::Windows1252);
  EXPECT_TRUE(settings.EnhSentDetect);
  EXPECT_FALSE(settings.CRLFAsSeparator);
  EXPECT_TRUE(settings.IgnoreCapital);
  EXPECT_FALSE(settings.TaggedText);
}

TEST(ListKindTest, OnlyUpperCaseCtlAnywhereIsATextList) {
  EXPECT_TRUE(IsTextList("/c/LIST.CTL"));
  EXPECT_TRUE(IsTextList("/c/x.CTL.bak"));
  EXPECT_TRUE(IsTextList("/c/dir.CTLs/list.CFL"));
  EXPECT_FALSE(IsTextList("/c/LIST.ctl"));
  EXPECT_FALSE(IsTextList("/c/LIST.Ctl"));
  EXPECT_FALSE(IsTextList("/c/LIST.CFL"));
}

TEST(ListKindTest, CompanionAndDefaultExtension) {
  EXPECT_EQ(CompanionIniPath("/c/LIST.CFL"), "/c/LIST.INI");
  EXPECT_EQ(CompanionIniPath("/c/list.ctl"), "/c/list.INI");
  EXPECT_EQ(CompanionIniPath("/c.d/list"), "/c.d/list.INI");
  EXPECT_EQ(DefaultExtension("/c.d/list", "CFL"), "/c.d/list.CFL");
  EXPECT_EQ(DefaultExtension("/c/list.CTL", "CFL"), "/c/list.CTL");
}

TEST(TextListTest, ReadingStopsAtTheFirstMissingFileKey) {
  TempFolder dir;
  const std::string list = dir / "gap.CTL";
  writeBytes(list, "[File list]\r\nFile1=/x/one.txt\r\nFile2=/x/two.txt\r\nFile4=/x/four.txt\r\n");
  CorpusSettings settings;
  ReadListFile(list, true, settings, RootCollator());
  EXPECT_EQ(settings.Files.Paths(), (std::vector<std::string>{"/x/one.txt", "/x/two.txt"}));

  writeBytes(list, "[File list]\r\nFile1=/x/one.txt\r\nFile2=\r\nFile3=/x/three.txt\r\n");
  ReadListFile(list, true, settings, RootCollator());
  EXPECT_EQ(settings.Files.Paths(), (std::vector<std::string>{"/x/one.txt"}));
}

TEST(TextListTest, DefaultSeparatorsRoundTripWithTheirLeadingBlank) {
  TempFolder dir;
  const std::string list = dir / "round.CTL";
  CorpusSettings saved;
  saved.Files.Add("/x/a.txt", RootCollator());
  WriteListFile(list, true, saved);
  EXPECT_NE(readBytes(list).find("\r\nWordSeparators= _,;"), std::string::npos);

  CorpusSettings read = unusualSettings();
  ReadListFile(list, true, read, RootCollator());
  EXPECT_EQ(read.WordSeparators, text::kDefaultWordSeparators);
  EXPECT_EQ(read.WordSeparators.size(), 43u);
  EXPECT_EQ(read.Files.Paths(), saved.Files.Paths());
  EXPECT_FALSE(read.EnhSentDetect);  // written as it was, not the reading default
}

TEST(TextListTest, SeparatorsWithoutBlankComeBackWithOneInFront) {
  TempFolder dir;
  const std::string list = dir / "sep.CTL";
  writeBytes(list, "[Scan]\r\nWordSeparators=,.\r\n");
  CorpusSettings settings;
  ReadListFile(list, true, settings, RootCollator());
  EXPECT_EQ(settings.WordSeparators, " ,.");

  writeBytes(list, "[Scan]\r\nWordSeparators=" + std::string(300, '#') + "\r\n");
  ReadListFile(list, true, settings, RootCollator());
  EXPECT_EQ(settings.WordSeparators, " " + std::string(255, '#'));

  writeBytes(list, "[Scan]\r\nWordSeparators=\r\n");
  ReadListFile(list, true, settings, RootCollator());
  EXPECT_EQ(settings.WordSeparators, " ");
}

TEST(TextListTest, ReadsEveryScanKeyAndDefaultsMissingOnes) {
  TempFolder dir;
  const std::string list = dir / "scan.CTL";
  writeBytes(list,
             "[scan]\nOEMTOANSICONVERT=1\nSentenceSeparators=.;\nEnhSentDetect=0\n"
             "CRLFAsSeparator=$1\nIgnoreCapital=no\nTaggedText=0x0\n");
  CorpusSettings settings;
  ReadListFile(list, true, settings, RootCollator());
  EXPECT_EQ(settings.TextEncoding, text::Encoding::Dos850);
  EXPECT_EQ(settings.WordSeparators, text::kDefaultWordSeparators);
  EXPECT_EQ(settings.SentenceSeparators, ".;");
  EXPECT_FALSE(settings.EnhSentDetect);
  EXPECT_TRUE(settings.CRLFAsSeparator);
  EXPECT_TRUE(settings.IgnoreCapital);  // not a number: default
  EXPECT_FALSE(settings.TaggedText);
  EXPECT_TRUE(settings.Files.Empty());
}

TEST(TextListTest, SavingOverAnExistingListKeepsForeignEntries) {
  TempFolder dir;
  const std::string list = dir / "keep.CTL";
  writeBytes(list,
             "[Notes]\r\nAuthor=me\r\n[File list]\r\nFile1=/old/1.txt\r\nFile2=/old/2.txt\r\n"
             "File3=/old/3.txt\r\nComment=gone with the section\r\n[Scan]\r\nExtra=kept\r\n"
             "TaggedText=1\r\n");
  CorpusSettings settings;
  settings.Files.Add("/new/a.txt", RootCollator());
  WriteListFile(list, true, settings);

  io::IniFile ini = io::IniFile::Load(list);
  EXPECT_EQ(ini.ReadString("Notes", "Author"), "me");
  EXPECT_EQ(ini.ReadString("Scan", "Extra"), "kept");
  EXPECT_EQ(ini.Keys("File list"), (std::vector<std::string>{"File1"}));
  EXPECT_EQ(ini.ReadString("File list", "File1"), "/new/a.txt");
  EXPECT_EQ(ini.Keys("Scan"),
            (std::vector<std::string>{"Extra", "TaggedText", "OEMtoANSIConvert", "WordSeparators",
                                      "SentenceSeparators", "EnhSentDetect", "CRLFAsSeparator",
                                      "IgnoreCapital"}));
  EXPECT_EQ(ini.ReadString("Scan", "TaggedText"), "0");
}

TEST(TextListTest, FreshListLayoutAndEmptyPathsLeftOut) {
  TempFolder dir;
  const std::string list = dir / "fresh.CTL";
  CorpusSettings settings;
  settings.Files.Add("", RootCollator());
  settings.Files.Add("/b.txt", RootCollator());
  settings.Files.Add("/a.txt", RootCollator());
  WriteListFile(list, true, settings);
  EXPECT_EQ(readBytes(list),
            "[File list]\r\nFile1=/a.txt\r\nFile2=/b.txt\r\n[Scan]\r\nOEMtoANSIConvert=0\r\n"
            "WordSeparators= _,;:/-+=^\"<>()[]{}*@&%$#\\|~`'0123456789.?!\r\n"
            "SentenceSeparators=.?!\r\nEnhSentDetect=0\r\nCRLFAsSeparator=0\r\n"
            "IgnoreCapital=1\r\nTaggedText=0\r\n");
}

TEST(ListRoundTripTest, ControlCharactersAndEdgeBlanksComeBackAsTheyWere) {
  // A carriage return as a sentence separator must not come back as a blank
  // (every blank would then end a sentence).
  struct Case {
    std::string words;
    std::string sentences;
  };
  const std::vector<Case> cases = {{" ,.\r", ".?!\r"},
                                   {" ,\r.", ".\r?!"},
                                   {"\r ,.", "\r"},
                                   {" \t,.", "\t.?!"},
                                   {"\t ,.", ".?!\t"},
                                   {" ,." + "\0"s, "\0.?!"s},
                                   {" 'x'", "\".\""},
                                   {text::kDefaultWordSeparators, " .?! "},
                                   // 255 characters read with a blank put in front
                                   {" " + std::string(255, '#'), ".?!"},
                                   {" " + std::string(254, '#') + "\t", ".?!"}};
  // (A set without a blank comes back with one in front, as always.)
  TempFolder dir;
  for (const std::string name : {"exact.CTL", "exact.CFL"}) {
    for (const Case& c : cases) {
      CorpusSettings saved;
      if (IsTextList(name))
        saved.Files.Add("/x/a\rb.txt", RootCollator());  // a File List refuses it
      saved.Files.Add("/x/ends with a blank ", RootCollator());
      saved.WordSeparators = c.words;
      saved.SentenceSeparators = c.sentences;
      const bool textList = IsTextList(name);
      WriteListFile(dir / name, textList, saved);
      CorpusSettings read = unusualSettings();
      ReadListFile(dir / name, textList, read, RootCollator());
      EXPECT_EQ(read.WordSeparators, c.words) << name;
      EXPECT_EQ(read.SentenceSeparators, c.sentences) << name;
      EXPECT_EQ(read.Files.Paths(), saved.Files.Paths()) << name;
    }
  }
}

TEST(ListFileErrorsTest, ALineBreakThatCannotBeWrittenLeavesTheFilesAsTheyWere) {
  TempFolder dir;
  CorpusSettings settings;
  settings.Files.Add("/a.txt", RootCollator());
  WriteListFile(dir / "kept.CTL", true, settings);
  WriteListFile(dir / "kept.CFL", false, settings);
  const std::string textList = readBytes(dir / "kept.CTL");
  const std::string fileList = readBytes(dir / "kept.CFL");
  const std::string companion = readBytes(dir / "kept.INI");

  CorpusSettings withLineFeed = settings;
  withLineFeed.SentenceSeparators = ".\n";
  EXPECT_EQ(errorOf([&] { WriteListFile(dir / "kept.CTL", true, withLineFeed); }),
            "Unable to write to " + (dir / "kept.CTL") +
                ": the value of SentenceSeparators holds a line break");
  EXPECT_EQ(errorOf([&] { WriteListFile(dir / "kept.CFL", false, withLineFeed); }),
            "Unable to write to " + (dir / "kept.INI") +
                ": the value of SentenceSeparators holds a line break");
  CorpusSettings pathWithLineFeed = settings;
  pathWithLineFeed.Files.Add("/b\nc.txt", RootCollator());
  EXPECT_NE(errorOf([&] { WriteListFile(dir / "kept.CTL", true, pathWithLineFeed); }),
            "(no error)");
  EXPECT_EQ(errorOf([&] { WriteListFile(dir / "kept.CFL", false, pathWithLineFeed); }),
            "Cannot create file " + (dir / "kept.CFL") +
                ": the path /b\nc.txt holds a line break or a zero byte");
  CorpusSettings pathWithReturn = settings;
  pathWithReturn.Files.Add("/b\rc.txt", RootCollator());
  EXPECT_NE(errorOf([&] { WriteListFile(dir / "kept.CFL", false, pathWithReturn); }), "(no error)");
  EXPECT_EQ(readBytes(dir / "kept.CTL"), textList);
  EXPECT_EQ(readBytes(dir / "kept.CFL"), fileList);
  EXPECT_EQ(readBytes(dir / "kept.INI"), companion);
}

TEST(TextListTest, LongPathsComeBackWholeOrRefuseTheSave) {
  TempFolder dir;
  const std::string list = dir / "long.CTL";
  CorpusSettings settings;
  const std::string deep = "/" + std::string(300, 'd') + "/" + std::string(200, 'f') + ".txt";
  settings.Files.Add(deep, RootCollator());
  WriteListFile(list, true, settings);
  CorpusSettings read;
  ReadListFile(list, true, read, RootCollator());
  EXPECT_EQ(read.Files.Paths(), settings.Files.Paths());

  const std::string kept = readBytes(list);
  settings.Files.Add("/" + std::string(io::IniFile::kMaxValueLength, 'x'), RootCollator());
  EXPECT_NE(errorOf([&] { WriteListFile(list, true, settings); }), "(no error)");
  EXPECT_EQ(readBytes(list), kept);
}

TEST(TextListTest, RelativePathsCountFromTheListFolderAndAreWrittenFull) {
  TempFolder dir;
  std::filesystem::create_directories(dir / "lists");
  const std::string list = dir / "lists/rel.CTL";
  writeBytes(list, "[File list]\nFile1=a.txt\nFile2=../texts/b.txt\nFile3=/abs/c.txt\n");
  CorpusSettings settings;
  ReadListFile(list, true, settings, RootCollator());
  EXPECT_EQ(settings.Files.Paths(),
            (std::vector<std::string>{"/abs/c.txt", dir / "lists/a.txt", dir / "texts/b.txt"}));

  const std::string copy = dir / "elsewhere.CTL";
  WriteListFile(copy, true, settings);
  CorpusSettings again;
  ReadListFile(copy, true, again, RootCollator());
  EXPECT_EQ(again.Files.Paths(), settings.Files.Paths());
}

TEST(TextListTest, FileValuesKeepPathsLongerThan255) {
  TempFolder dir;
  const std::string list = dir / "long.CTL";
  writeBytes(list, "[File list]\nFile1=/" + std::string(400, 'p') + "\n");
  CorpusSettings settings;
  ReadListFile(list, true, settings, RootCollator());
  ASSERT_EQ(settings.Files.Count(), 1u);
  EXPECT_EQ(settings.Files[0], "/" + std::string(400, 'p'));
}

TEST(FileListTest, LinesEndAtCrLfOrBothAndAZeroByteEndsTheList) {
  TempFolder dir;
  const std::string list = dir / "mixed.CFL";
  writeBytes(list, "/a\r\n/b\r/c\n\n/d\r\n/e\0/f\r\n"s);
  CorpusSettings settings;
  ReadListFile(list, false, settings, RootCollator());
  EXPECT_EQ(settings.Files.Paths(), (std::vector<std::string>{"/a", "/b", "/c", "/d", "/e"}));

  writeBytes(list, "/last-without-line-end");
  ReadListFile(list, false, settings, RootCollator());
  EXPECT_EQ(settings.Files.Paths(), (std::vector<std::string>{"/last-without-line-end"}));
}

TEST(FileListTest, MissingCompanionGivesDefaultOptions) {
  TempFolder dir;
  const std::string list = dir / "LIST.CFL";
  writeBytes(list, "/x/a.txt\r\n");
  CorpusSettings settings = unusualSettings();
  ReadListFile(list, false, settings, RootCollator());
  expectDefaultOptions(settings);
  EXPECT_EQ(settings.Files.Paths(), (std::vector<std::string>{"/x/a.txt"}));
}

TEST(FileListTest, LowerCaseCtlIsWrittenAndReadAsAFileList) {
  TempFolder dir;
  const std::string list = dir / "list.ctl";
  CorpusSettings settings = unusualSettings();
  settings.Files.Add(dir / "b.txt", RootCollator());
  settings.Files.Add(dir / "a.txt", RootCollator());
  WriteListFile(list, IsTextList(list), settings);
  EXPECT_EQ(readBytes(list), (dir / "a.txt") + "\r\n" + (dir / "b.txt") + "\r\n");
  io::IniFile companion = io::IniFile::Load(dir / "list.INI");
  EXPECT_FALSE(companion.SectionExists("File list"));
  EXPECT_EQ(companion.ReadString("Scan", "WordSeparators"), "#");

  CorpusSettings read;
  ReadListFile(list, IsTextList(list), read, RootCollator());
  EXPECT_EQ(read.Files.Paths(), settings.Files.Paths());
  EXPECT_EQ(read.WordSeparators, " #");  // the blank rule applies here too
  EXPECT_EQ(read.SentenceSeparators, ";");
  EXPECT_EQ(read.TextEncoding, text::Encoding::Dos850);
  EXPECT_FALSE(read.EnhSentDetect);
  EXPECT_TRUE(read.CRLFAsSeparator);
  EXPECT_FALSE(read.IgnoreCapital);
  EXPECT_TRUE(read.TaggedText);
}

TEST(FileListTest, BlankLinesNameNoFile) {
  // Editors leave an empty last line; blank lines inside count for nothing.
  TempFolder dir;
  writeBytes(dir / "a.txt", "text");
  writeBytes(dir / "b.txt", "more");
  const std::string list = dir / "gap.CFL";
  writeBytes(list, "\r\na.txt\r\n\r\n\n\rb.txt\n\n");
  CorpusSettings settings;
  ScriptedUserInterface ui;
  OpenListFile(list, settings, RootCollator(), ui);
  EXPECT_EQ(settings.Files.Paths(), (std::vector<std::string>{dir / "a.txt", dir / "b.txt"}));
  EXPECT_TRUE(ui.asked.empty());
  EXPECT_EQ(settings.TotalBytes, 8);
  EXPECT_EQ(settings.ListPath, list);
}

TEST(ListFileErrorsTest, UnreadableListEmptiesFilesAndKeepsEverythingElse) {
  TempFolder dir;
  for (const std::string name : {"none.CFL", "none.CTL"}) {
    CorpusSettings settings = unusualSettings();
    settings.Files.Add("/kept/not.txt", RootCollator());
    settings.ListPath = "/previous.CTL";
    settings.Modified = true;
    ScriptedUserInterface ui;
    EXPECT_EQ(errorOf([&] { OpenListFile(dir / name, settings, RootCollator(), ui); }),
              "Cannot open file " + (dir / name));
    EXPECT_TRUE(settings.Files.Empty());
    EXPECT_EQ(settings.ListPath, "/previous.CTL");
    EXPECT_TRUE(settings.Modified);
    EXPECT_EQ(settings.WordSeparators, "#");
    EXPECT_TRUE(settings.TaggedText);
  }
}

TEST(ListFileErrorsTest, WriteFailuresCarryTheirMessages) {
  TempFolder dir;
  CorpusSettings settings;
  settings.Files.Add("/a.txt", RootCollator());
  const std::string noFolder = dir / "no/such/list.CFL";
  EXPECT_EQ(errorOf([&] { WriteListFile(noFolder, false, settings); }),
            "Cannot create file " + noFolder);

  std::filesystem::create_directory(dir / "blocked.INI");
  EXPECT_EQ(errorOf([&] { WriteListFile(dir / "blocked.CFL", false, settings); }),
            "Unable to write to " + (dir / "blocked.INI"));

  std::filesystem::create_directory(dir / "folder.CTL");
  EXPECT_EQ(errorOf([&] { WriteListFile(dir / "folder.CTL", true, settings); }),
            "Unable to write to " + (dir / "folder.CTL"));
}

TEST(SampleListsTest, SampleListsOpenWithTheirOptions) {
  const std::string samples = LEXVANE_SAMPLES_DIR;
  ScriptedUserInterface ui;  // every sample file exists: no warning expected
  CorpusSettings settings;
  OpenListFile(samples + "/sample.CTL", settings, RootCollator(), ui);
  ASSERT_EQ(settings.Files.Count(), 3u);
  for (const std::string& path : settings.Files.Paths())
    EXPECT_TRUE(std::filesystem::path(path).is_absolute()) << path;
  EXPECT_GT(settings.TotalBytes, 6000);
  EXPECT_EQ(settings.WordSeparators, text::kDefaultWordSeparators);
  EXPECT_TRUE(settings.EnhSentDetect);
  EXPECT_EQ(settings.TextEncoding, text::Encoding::Windows1252);

  OpenListFile(samples + "/dos.CTL", settings, RootCollator(), ui);
  ASSERT_EQ(settings.Files.Count(), 1u);
  EXPECT_EQ(settings.TextEncoding, text::Encoding::Dos850);

  OpenListFile(samples + "/tagged.CTL", settings, RootCollator(), ui);
  ASSERT_EQ(settings.Files.Count(), 1u);
  EXPECT_TRUE(settings.TaggedText);
  EXPECT_EQ(settings.WordSeparators.find_first_of("<>"), std::string::npos);
  EXPECT_EQ(settings.WordSeparators.front(), ' ');
}

}  // namespace
}  // namespace lexvane::corpus
