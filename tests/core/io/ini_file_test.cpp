#include "io/ini_file.h"

#include <sys/stat.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "text/error.h"

namespace lexvane::io {
namespace {

using corpus::testing::readBytes;
using corpus::testing::TempFolder;
using corpus::testing::writeBytes;

TEST(IniFileTest, ReadsSectionsAndKeysIgnoringCase) {
  IniFile ini =
      IniFile::FromText("x.ini",
                        "orphan=1\n[Scan]\nWordSeparators=,.\n[File List]\nfile1=/a\nFILE2 = /b \n"
                        "[scan]\nWordSeparators=second copy\n");
  EXPECT_FALSE(ini.KeyExists("", "orphan"));
  EXPECT_TRUE(ini.SectionExists("scan"));
  EXPECT_TRUE(ini.SectionExists("FILE LIST"));
  EXPECT_FALSE(ini.SectionExists("File"));
  EXPECT_EQ(ini.ReadString("SCAN", "wordseparators"), ",.");
  EXPECT_EQ(ini.ReadString("file list", "File1"), "/a");
  EXPECT_EQ(ini.ReadString("file list", "File2"), "/b");
  EXPECT_EQ(ini.ReadString("file list", "File3", "none"), "none");
  EXPECT_EQ(ini.ReadString("Other", "File1", "none"), "none");
}

TEST(IniFileTest, ValuesAreTrimmedAndUnquotedOnce) {
  IniFile ini = IniFile::FromText("x.ini",
                                  "[S]\n"
                                  "a=   padded   \n"
                                  "b=\"quoted value\"\n"
                                  "c= ' single ' \n"
                                  "d=\"mismatched'\n"
                                  "e=\"\"twice\"\"\n"
                                  "f=\"\n"
                                  "g=\n");
  EXPECT_EQ(ini.ReadString("S", "a"), "padded");
  EXPECT_EQ(ini.ReadString("S", "b"), "quoted value");
  EXPECT_EQ(ini.ReadString("S", "c"), " single ");
  EXPECT_EQ(ini.ReadString("S", "d"), "\"mismatched'");
  EXPECT_EQ(ini.ReadString("S", "e"), "\"twice\"");
  EXPECT_EQ(ini.ReadString("S", "f"), "\"");
  EXPECT_EQ(ini.ReadString("S", "g", "default"), "");  // present but empty
}

TEST(IniFileTest, ValuesAreCutTo1023Characters) {
  std::string longValue(1500, 'x');
  longValue[1022] = 'y';
  IniFile ini = IniFile::FromText("x.ini", "[S]\nk=" + longValue + "\n");
  std::string read = ini.ReadString("S", "k");
  ASSERT_EQ(read.size(), 1023u);
  EXPECT_EQ(read.back(), 'y');
}

TEST(IniFileTest, IntegersDecimalOrHexElseDefault) {
  IniFile ini =
      IniFile::FromText("x.ini",
                        "[S]\ndec=42\nneg=-7\nplus=+3\nhex=0x1F\nhexUpper=0XfF\ndollar=$10\n"
                        "quoted=\"12\"\nword=yes\nmixed=12abc\nempty=\nbarehex=0x\n"
                        "negHex=-0x10\nhuge=99999999999999999999\n"
                        "min=-9223372036854775808\n");
  EXPECT_EQ(ini.ReadInteger("S", "dec", 0), 42);
  EXPECT_EQ(ini.ReadInteger("S", "neg", 0), -7);
  EXPECT_EQ(ini.ReadInteger("S", "plus", 0), 3);
  EXPECT_EQ(ini.ReadInteger("S", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("S", "HEXUPPER", 0), 255);
  EXPECT_EQ(ini.ReadInteger("S", "dollar", 0), 16);
  EXPECT_EQ(ini.ReadInteger("S", "quoted", 0), 12);
  EXPECT_EQ(ini.ReadInteger("S", "word", -1), -1);
  EXPECT_EQ(ini.ReadInteger("S", "mixed", -1), -1);
  EXPECT_EQ(ini.ReadInteger("S", "empty", -1), -1);
  EXPECT_EQ(ini.ReadInteger("S", "barehex", -1), -1);
  EXPECT_EQ(ini.ReadInteger("S", "negHex", -1), -1);
  EXPECT_EQ(ini.ReadInteger("S", "huge", -1), -1);
  EXPECT_EQ(ini.ReadInteger("S", "min", 0), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(ini.ReadInteger("S", "missing", 5), 5);

  EXPECT_TRUE(ini.ReadBool("S", "dec", false));
  EXPECT_TRUE(ini.ReadBool("S", "word", true));  // not a number: default
  EXPECT_FALSE(ini.ReadBool("S", "word", false));
  EXPECT_TRUE(ini.ReadBool("S", "missing", true));
}

TEST(IniFileTest, WritesInPlaceAppendsToSectionAndCreatesSectionAtEnd) {
  IniFile ini = IniFile::FromText("x.ini",
                                  "; leading comment\n"
                                  "[Scan]\n"
                                  "Foreign=kept\n"
                                  "TaggedText=1\n"
                                  "\n"
                                  "[Other]\n"
                                  "x=1\n");
  ini.WriteString("scan", "TAGGEDTEXT", "0");       // in place, keeping its position
  ini.WriteString("Scan", "CRLFAsSeparator", "1");  // after the section's last entry
  ini.WriteString("New", "Key", "v");               // new section at the end
  EXPECT_EQ(ini.Text(),
            "; leading comment\r\n"
            "[Scan]\r\n"
            "Foreign=kept\r\n"
            "TAGGEDTEXT=0\r\n"
            "CRLFAsSeparator=1\r\n"
            "\r\n"
            "[Other]\r\n"
            "x=1\r\n"
            "[New]\r\n"
            "Key=v\r\n");
}

TEST(IniFileTest, EraseSectionRemovesEveryCopyAndKeepsOthers) {
  IniFile ini = IniFile::FromText(
      "x.ini", "[File list]\nFile1=a\n[Scan]\nk=1\n[FILE LIST]\nFile9=z\n[Tail]\n");
  ini.EraseSection("file list");
  EXPECT_EQ(ini.Text(), "[Scan]\r\nk=1\r\n[Tail]\r\n");
  ini.EraseSection("absent");
  EXPECT_EQ(ini.Text(), "[Scan]\r\nk=1\r\n[Tail]\r\n");
  ini.WriteString("Tail", "a", "1");  // an empty section gets its entry after the header
  EXPECT_EQ(ini.Text(), "[Scan]\r\nk=1\r\n[Tail]\r\na=1\r\n");
}

TEST(IniFileTest, LineFeedsInValuesCannotStartNewLines) {
  IniFile ini("x.ini");
  ini.WriteString("S", "k", "kept");
  for (const std::string value : {"one\r\n[Injected]\nk=2", "\n", "a\nb"}) {
    try {
      ini.WriteString("S", "k", value);
      FAIL() << "expected an error";
    } catch (const text::Error& e) {
      EXPECT_EQ(std::string(e.what()),
                "Unable to write to x.ini: the value of k holds a line break");
    }
    EXPECT_THROW(ini.WriteUnquotedString("S", "new", value), text::Error);
  }
  EXPECT_EQ(ini.Text(), "[S]\r\nk=kept\r\n");
  EXPECT_FALSE(IniFile::FromText("x.ini", ini.Text()).SectionExists("Injected"));
}

TEST(IniFileTest, WrittenValuesReadBackExactly) {
  const std::vector<std::string> values = {".?!\r",
                                           ".\r?!",
                                           "\r",
                                           "\r\r",
                                           "a\r ",
                                           std::string("a\0b", 3),
                                           std::string(1, '\0'),
                                           "a\tb",
                                           "\t.?!",
                                           ".?!\t",
                                           " ,.",
                                           ",. ",
                                           "\"quoted\"",
                                           "'single'",
                                           "\"",
                                           "\"\"",
                                           "''",
                                           "\"mixed'",
                                           " \" ",
                                           std::string(1023, 'x'),
                                           " " + std::string(1022, 'y'),
                                           ""};
  TempFolder dir;
  const std::string path = dir / "exact.ini";
  IniFile ini = IniFile::Load(path);
  for (std::size_t i = 0; i < values.size(); ++i)
    ini.WriteString("S", "k" + std::to_string(i), values[i]);
  ini.Save();
  const IniFile back = IniFile::Load(path);
  for (std::size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(back.ReadString("S", "k" + std::to_string(i)), values[i]) << i;
  // Saved again unchanged, the file keeps its bytes.
  const std::string bytes = readBytes(path);
  IniFile again = IniFile::Load(path);
  for (std::size_t i = 0; i < values.size(); ++i)
    again.WriteString("S", "k" + std::to_string(i), again.ReadString("S", "k" + std::to_string(i)));
  again.Save();
  EXPECT_EQ(readBytes(path), bytes);
}

TEST(IniFileTest, OnlyValuesThatWouldNotComeBackAreQuoted) {
  IniFile ini("x.ini");
  ini.WriteString("S", "plain", "a b;c");
  ini.WriteString("S", "cr", ".?!\r");
  ini.WriteString("S", "inner", "a\tb");
  ini.WriteString("S", "tab", "\t.");
  ini.WriteString("S", "quotes", "'a'");
  ini.WriteString("S", "long", std::string(1100, 'x'));  // cut on reading either way
  ini.WriteUnquotedString("S", "blank", " ,.");
  EXPECT_EQ(ini.Text(),
            "[S]\r\nplain=a b;c\r\ncr=.?!\r\r\ninner=a\tb\r\ntab=\"\t.\"\r\n"
            "quotes=\"'a'\"\r\nlong=" +
                std::string(1100, 'x') + "\r\nblank= ,.\r\n");
  EXPECT_EQ(IniFile::ValueReadFrom(" ,."), ",.");
  EXPECT_EQ(IniFile::ValueReadFrom("\"\t.\""), "\t.");
}

TEST(IniFileTest, SaveRoundTripKeepsForeignContentAndWritesCrLf) {
  TempFolder dir;
  const std::string path = dir / "list.CTL";
  writeBytes(path, "[Mine]\nkeep=this\n[Scan]\nOwn=1\nWordSeparators=old\n");
  IniFile ini = IniFile::Load(path);
  ini.WriteUnquotedString("Scan", "WordSeparators", " ,.");
  ini.WriteInteger("Scan", "Count", -12);
  ini.WriteBool("Scan", "Flag", true);
  ini.Save();
  EXPECT_EQ(readBytes(path),
            "[Mine]\r\nkeep=this\r\n[Scan]\r\nOwn=1\r\nWordSeparators= ,.\r\nCount=-12\r\n"
            "Flag=1\r\n");

  IniFile again = IniFile::Load(path);
  EXPECT_EQ(again.ReadString("Mine", "keep"), "this");
  EXPECT_EQ(again.ReadString("Scan", "WordSeparators"), ",.");  // leading blank trimmed
  EXPECT_EQ(again.ReadInteger("Scan", "Count", 0), -12);
  EXPECT_TRUE(again.ReadBool("Scan", "Flag", false));
  EXPECT_EQ(again.Keys("scan"),
            (std::vector<std::string>{"Own", "WordSeparators", "Count", "Flag"}));
}

TEST(IniFileTest, MissingFileLoadsEmptyAndSaveCreatesIt) {
  TempFolder dir;
  const std::string path = dir / "new.ini";
  IniFile ini = IniFile::Load(path);
  EXPECT_FALSE(ini.SectionExists("Scan"));
  ini.WriteString("Scan", "k", "v");
  ini.Save();
  EXPECT_EQ(readBytes(path), "[Scan]\r\nk=v\r\n");
}

TEST(IniFileTest, SaveFailureThrowsTheWriteMessageAndKeepsTheOldFile) {
  TempFolder dir;
  const std::string path = dir / "missing-folder/x.ini";
  IniFile ini = IniFile::Load(path);
  ini.WriteString("S", "k", "v");
  try {
    ini.Save();
    FAIL() << "expected an error";
  } catch (const text::Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
  }

  if (::geteuid() != 0) {  // root writes anywhere
    const std::string kept = dir / "kept.ini";
    writeBytes(kept, "[S]\nk=old\n");
    IniFile edit = IniFile::Load(kept);
    edit.WriteString("S", "k", "new");
    ::chmod(dir.path().c_str(), 0500);
    EXPECT_THROW(edit.Save(), text::Error);
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(readBytes(kept), "[S]\nk=old\n");
  }
}

TEST(IniFileTest, UnreadableFileIsNeverOverwritten) {
  TempFolder dir;
  const std::string folderAsFile = dir / "a-folder";
  std::filesystem::create_directory(folderAsFile);
  IniFile ini = IniFile::Load(folderAsFile);
  ini.WriteString("S", "k", "v");
  EXPECT_THROW(ini.Save(), text::Error);
  EXPECT_TRUE(std::filesystem::is_directory(folderAsFile));
}

TEST(IniFileTest, SaveThroughSymbolicLinkReplacesTheTarget) {
  TempFolder dir;
  const std::string target = dir / "target.ini";
  const std::string link = dir / "link.ini";
  writeBytes(target, "[S]\nk=1\n");
  std::filesystem::create_symlink(target, link);
  IniFile ini = IniFile::Load(link);
  ini.WriteString("S", "k", "2");
  ini.Save();
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(readBytes(target), "[S]\r\nk=2\r\n");
}

}  // namespace
}  // namespace lexvane::io
