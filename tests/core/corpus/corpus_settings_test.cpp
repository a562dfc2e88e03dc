#include "corpus/corpus_settings.h"

#include <set>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "scripted_ui.h"
#include "temp_folder.h"
#include "text/character_sets.h"
#include "tools/root_collator.h"

namespace lexvane::corpus {
namespace {

using testing::ScriptedUserInterface;
using testing::TempFolder;
using testing::writeBytes;
using text::Answer;

TEST(CorpusSettingsTest, StartsWithTheStartUpValues) {
  CorpusSettings settings;
  EXPECT_TRUE(settings.Files.Empty());
  EXPECT_EQ(settings.WordSeparators, text::kDefaultWordSeparators);
  EXPECT_EQ(settings.WordSeparators.size(), 43u);
  EXPECT_EQ(settings.SentenceSeparators, ".?!");
  EXPECT_EQ(settings.TextEncoding, text::Encoding::Windows1252);
  EXPECT_FALSE(settings.EnhSentDetect);
  EXPECT_FALSE(settings.CRLFAsSeparator);
  EXPECT_TRUE(settings.IgnoreCapital);
  EXPECT_FALSE(settings.TaggedText);
  EXPECT_EQ(settings.TotalBytes, 0);
}

class RecountTest : public ::testing::Test {
 protected:
  RecountTest() {
    writeBytes(dir / "a.txt", std::string(100, 'a'));
    writeBytes(dir / "c.txt", std::string(3000, 'c'));
    settings.Files.Add(dir / "a.txt", RootCollator());
    settings.Files.Add(dir / "b.txt", RootCollator());  // missing
    settings.Files.Add(dir / "c.txt", RootCollator());
  }
  TempFolder dir;
  CorpusSettings settings;
};

TEST_F(RecountTest, OkOnTheMissingSecondFileGoesOn) {
  ScriptedUserInterface ui({Answer::Ok});
  settings.RecountFiles(ui);
  EXPECT_EQ(settings.TotalBytes, 3100);
  ASSERT_EQ(ui.asked.size(), 1u);
  EXPECT_EQ(ui.asked[0].caption, "Warning");
  EXPECT_EQ(ui.asked[0].text, "Warning: The file " + (dir / "b.txt") + " does not exist.");
  EXPECT_EQ(ui.asked[0].buttons, text::Buttons::OkCancelHelp);
  EXPECT_EQ(ui.asked[0].icon, text::Icon::Warning);
  EXPECT_EQ(settings.Files.Count(), 3u);  // nothing removed
}

TEST_F(RecountTest, CancelOnTheMissingSecondFileStopsTheRecount) {
  ScriptedUserInterface ui({Answer::Cancel});
  settings.TotalBytes = 999999;
  settings.RecountFiles(ui);
  EXPECT_EQ(settings.TotalBytes, 100);
  EXPECT_EQ(ui.asked.size(), 1u);
  EXPECT_EQ(settings.Files.Count(), 3u);
}

TEST_F(RecountTest, EachWarningSaysWhatThePathIs) {
  // A folder exists; a FIFO is a file some commands can read, so it passes.
  const std::string fifo = dir / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string loop = dir / "loop";
  std::filesystem::create_symlink(loop, loop);
  CorpusSettings other;
  other.Files.Add(dir.path().string(), RootCollator());
  other.Files.Add("", RootCollator());
  other.Files.Add(fifo, RootCollator());
  other.Files.Add(loop, RootCollator());
  ScriptedUserInterface ui({Answer::Ok, Answer::Ok, Answer::Ok});
  other.RecountFiles(ui);
  EXPECT_EQ(other.TotalBytes, 0);
  ASSERT_EQ(ui.asked.size(), 3u);
  EXPECT_EQ(ui.asked[0].text, "Warning: The file  does not exist.");
  EXPECT_EQ(ui.asked[1].text, "Warning: The file " + dir.path().string() + " is a directory.");
  EXPECT_EQ(ui.asked[2].text,
            "Warning: The file " + loop + " cannot be read: Too many levels of symbolic links.");
}

TEST(ListInfoTest, RoundsKilobytesUp) {
  TempFolder dir;
  CorpusSettings settings;
  settings.ListPath = "/corpus/list.CTL";
  ScriptedUserInterface ui;
  const std::pair<std::size_t, const char*> cases[] = {{0, "0"},    {1, "1"},    {1024, "1"},
                                                       {1025, "2"}, {2048, "2"}, {2049, "3"}};
  for (const auto& [size, kilobytes] : cases) {
    writeBytes(dir / "f.txt", std::string(size, 'x'));
    settings.Files.Clear();
    settings.Files.Add(dir / "f.txt", RootCollator());
    settings.RecountFiles(ui);
    EXPECT_EQ(settings.ListInfo(), std::string("/corpus/list.CTL: 1 (") + kilobytes + " kB)")
        << size;
  }
}

TEST(ListInfoTest, EmptyWithoutListPathAndCutTo255) {
  CorpusSettings settings;
  settings.Files.Add("/a.txt", RootCollator());
  EXPECT_EQ(settings.ListInfo(), "");
  settings.ListPath = "/" + std::string(300, 'p');
  EXPECT_EQ(settings.ListInfo(), settings.ListPath.substr(0, 255));
}

TEST(ListInfoTest, SizesBeyond2GiBDoNotWrap) {
  CorpusSettings settings;
  settings.ListPath = "L.CTL";
  settings.TotalBytes = std::int64_t{5} * 1024 * 1024 * 1024 + 1;
  EXPECT_EQ(settings.ListInfo(), "L.CTL: 0 (5242881 kB)");
}

TEST(CorpusSettingsTest, ResetToNewListKeepsTheFourResultOptions) {
  CorpusSettings settings;
  settings.Files.Add("/a.txt", RootCollator());
  settings.ListPath = "/l.CTL";
  settings.Modified = true;
  settings.WordSeparators = ",";
  settings.SentenceSeparators = ";";
  settings.TextEncoding = text::Encoding::Dos850;
  settings.EnhSentDetect = true;
  settings.CRLFAsSeparator = true;
  settings.IgnoreCapital = false;
  settings.TaggedText = true;
  settings.ResetToNewList();
  EXPECT_TRUE(settings.Files.Empty());
  EXPECT_TRUE(settings.ListPath.empty());
  EXPECT_FALSE(settings.Modified);
  EXPECT_EQ(settings.WordSeparators, text::kDefaultWordSeparators);
  EXPECT_EQ(settings.SentenceSeparators, ".?!");
  EXPECT_EQ(settings.TextEncoding, text::Encoding::Windows1252);
  EXPECT_TRUE(settings.EnhSentDetect);
  EXPECT_TRUE(settings.CRLFAsSeparator);
  EXPECT_FALSE(settings.IgnoreCapital);
  EXPECT_TRUE(settings.TaggedText);
}

TEST(CorpusSettingsTest, ScannerSetsAreThoseOfTheSettings) {
  CorpusSettings settings;
  settings.WordSeparators = ",";
  settings.SentenceSeparators = ";";
  settings.TextEncoding = text::Encoding::Dos850;
  const text::CharacterSets sets = ScannerSets(settings);
  EXPECT_TRUE(sets.oemToAnsi);
  EXPECT_TRUE(sets.wordSet(','));
  EXPECT_TRUE(sets.wordSet(' '));
  EXPECT_FALSE(sets.wordSet('.'));
  EXPECT_TRUE(sets.sentence(';'));
}

TEST(FileListTest, SortsIgnoringCaseAndDropsOnlyIdenticalPaths) {
  FileList files;
  EXPECT_TRUE(files.Add("/b.txt", RootCollator()));
  EXPECT_TRUE(files.Add("/A.txt", RootCollator()));
  EXPECT_TRUE(files.Add("/c.txt", RootCollator()));
  EXPECT_TRUE(files.Add("/a.txt", RootCollator()));  // another file on Linux
  EXPECT_FALSE(files.Add("/b.txt", RootCollator()));
  ASSERT_EQ(files.Count(), 4u);
  EXPECT_EQ((std::set<std::string>{files[0], files[1]}),
            (std::set<std::string>{"/A.txt", "/a.txt"}));
  EXPECT_EQ(files[2], "/b.txt");
  EXPECT_EQ(files[3], "/c.txt");
}

}  // namespace
}  // namespace lexvane::corpus
