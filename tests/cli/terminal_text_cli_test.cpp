// End-to-end tests of the command line's own text: masks, separators and
// delimiters typed in a UTF-8 terminal search a Windows-1252 (or DOS)
// corpus, and --output-encoding utf-8 writes its results as UTF-8. The real
// binary runs under LANG=C.UTF-8 (or the C locale) in a fixture folder.
#include <gtest/gtest.h>
#include <locale.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/cli_process.h"

namespace {

using lexvane::cli::testing::readFile;
using lexvane::cli::testing::Result;
using lexvane::cli::testing::RunShell;

bool hasLocale(const char* name) {
  const locale_t locale = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return false;
  freelocale(locale);
  return true;
}

// Letters in Windows-1252 (ANSI), UTF-8 and code page 850 (DOS).
const std::string kUeAnsi = "\xFC";
const std::string kUeUtf8 = "\xC3\xBC";
const std::string kUeDos = "\x81";
const std::string kCapitalUeAnsi = "\xDC";
const std::string kCapitalUeUtf8 = "\xC3\x9C";
const std::string kUberAnsi = kUeAnsi + "ber";
const std::string kUberUtf8 = kUeUtf8 + "ber";
// The two sentences of a.txt.
const std::string kFirstAnsi = "Sie ging " + kUberAnsi + " die Br" + kUeAnsi + "cke.";
const std::string kSecondAnsi = kCapitalUeAnsi + "BER alles.";
const std::string kFirstUtf8 = "Sie ging " + kUberUtf8 + " die Br" + kUeUtf8 + "cke.";
const std::string kSecondUtf8 = kCapitalUeUtf8 + "BER alles.";

class TerminalTextCli : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!hasLocale("C.UTF-8")) GTEST_SKIP() << "no C.UTF-8 locale";
    dir_ = std::filesystem::temp_directory_path() /
           ("lexvane_cli_terminal_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    write("a.txt", kFirstAnsi + " " + kSecondAnsi);
  }
  void TearDown() override {
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }

  void write(const std::string& name, const std::string& content) {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }
  // Runs lexvane-cli in the fixture folder under `locale` with `arguments`
  // (shell words).
  Result run(const std::string& arguments, const std::string& locale = "C.UTF-8") {
    const std::string errPath = (dir_ / "stderr.txt").string();
    const std::string command = "cd '" + dir_.string() +
                                "' && env -u LC_ALL -u LC_CTYPE LANG=" + locale + " '" +
                                LEXVANE_CLI_BINARY + "' " + arguments;
    return RunShell(command, errPath);
  }

  std::filesystem::path dir_;
};

TEST_F(TerminalTextCli, MaskTypedInUtf8FindsTheWindows1252Word) {
  const Result r = run("concord -m '" + kUberUtf8 + "*'");
  ASSERT_EQ(r.status, 2);  // no file: the mask itself was accepted
  const Result found = run("concord -m '" + kUberUtf8 + "*' a.txt");
  EXPECT_EQ(found.status, 0) << found.err;
  // Without --output-encoding the rows keep the corpus's bytes.
  EXPECT_EQ(found.out, kFirstAnsi + " \r\n " + kSecondAnsi + " \r\n");
  // The same search in an advanced query column.
  const Result column = run("concord --column '1:" + kUberUtf8 + "' a.txt");
  EXPECT_EQ(column.status, 0) << column.err;
  EXPECT_EQ(column.out, found.out);
}

TEST_F(TerminalTextCli, MaskTypedInUtf8FindsTheWordOfADosCorpus) {
  write("dos.txt", "Sie ging " + kUeDos + "ber die Br" + kUeDos + "cke.");
  const Result r = run("tokens --dos dos.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  const Result found = run("concord --dos -m '" + kUberUtf8 + "' dos.txt");
  EXPECT_EQ(found.status, 0) << found.err;
  EXPECT_EQ(found.out, kFirstAnsi + " \r\n");
}

TEST_F(TerminalTextCli, CharacterTheCorpusLacksIsAUsageErrorNamingIt) {
  // A Greek alpha in a mask, a collocate mask and a separator field.
  for (const std::string arguments :
       {"concord -m '\xCE\xB1*' a.txt", "colloc -m '*' --collocate-mask '\xCE\xB1' a.txt",
        "tokens --word-separators ' \xCE\xB1' a.txt"}) {
    const Result r = run(arguments);
    EXPECT_EQ(r.status, 2) << arguments;
    EXPECT_EQ(r.out, "") << arguments;
    EXPECT_NE(r.err.find("the character \"\xCE\xB1\" (U+03B1) is not in the corpus's encoding, "
                         "Windows-1252"),
              std::string::npos)
        << r.err;
  }
}

TEST_F(TerminalTextCli, SeparatorsAndDelimitersTypedInUtf8AreCorpusCharacters) {
  // Guillemets and the inverted question mark, one byte each in the corpus.
  write("q.txt",
        "\xAB"
        "Hola\xBB"
        " dijo \xBF"
        "qu\xE9"
        "?");
  const Result words = run("tokens --word-separators ' \xC2\xAB\xC2\xBB\xC2\xBF?' q.txt");
  EXPECT_EQ(words.status, 0) << words.err;
  EXPECT_EQ(words.out, "0\t1\t0\t0\tHola\n0\t7\t0\t0\tdijo\n0\t13\t1\t1\tqu\xE9\n");
  // A sentence separator typed as UTF-8.
  const Result sentences =
      run("tokens --word-separators ' \xC2\xAB\xC2\xBB\xC2\xBF?' "
          "--sentence-separators '\xC2\xBB' q.txt");
  EXPECT_EQ(sentences.status, 0) << sentences.err;
  EXPECT_EQ(sentences.out, "0\t1\t1\t1\tHola\n0\t7\t0\t0\tdijo\n0\t13\t1\t1\tqu\xE9\n");
  // Two typed characters are two delimiters, however many bytes they take.
  const Result marked = run("concord -m 'die' --delimiters '\xC2\xAB\xC2\xBB' a.txt");
  EXPECT_EQ(marked.status, 0) << marked.err;
  EXPECT_EQ(marked.out, "Sie ging " + kUberAnsi + " \xAB die \xBB Br" + kUeAnsi + "cke. \r\n");
  // The field delimiter of a frequency list.
  const Result list = run("wordfreq --delimiter '\xC2\xA7' q.txt");
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_NE(list.out.find("\r\ndijo\xA7" + std::string("1\xA7")), std::string::npos) << list.out;
}

TEST_F(TerminalTextCli, OutputEncodingUtf8WritesTheCorpusTextAsUtf8) {
  const std::string rows = kFirstUtf8 + " \r\n " + kSecondUtf8 + " \r\n";
  Result r = run("concord -m '" + kUberUtf8 + "*' --output-encoding utf-8 a.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, rows);
  r = run("concord -m '" + kUberUtf8 + "*' --output-encoding utf-8 -o out.txt a.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(readFile(dir_ / "out.txt"), rows);
  // A file name keeps the bytes of the file system: it is no corpus text.
  const std::string strasse =
      "stra\xC3\x9F"
      "e.txt";
  write(strasse, kFirstAnsi);
  for (const std::string format : {"lines", "para", "justify"}) {
    r = run("concord -m '" + kUberUtf8 + "' --source --format " + format +
            " --output-encoding utf-8 '" + strasse + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(kUberUtf8), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("[" + strasse + "] "), std::string::npos) << format << ": " << r.out;
  }
  r = run("tokens --output-encoding utf-8 a.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\t" + kUberUtf8 + "\n"), std::string::npos) << r.out;
  r = run("wordfreq --output-encoding utf-8 -o list.txt a.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(readFile(dir_ / "list.txt").find(kUberUtf8 + "|2|"), std::string::npos);
  r = run("colloc -m 'die' --output-encoding utf-8 a.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Br" + kUeUtf8 + "cke|"), std::string::npos) << r.out;
  r = run("retrieve --offset 9 --output-encoding utf-8 a.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Sie ging\t" + kUberUtf8 + "\tdie Br" + kUeUtf8 + "cke.\n");
  // Anything but utf-8 is a usage error.
  EXPECT_EQ(run("tokens --output-encoding latin1 a.txt").status, 2);
}

TEST_F(TerminalTextCli, PlainAsciiLocalePassesArgumentBytesUnchanged) {
  // In the C locale a mask keeps its bytes: the corpus's own byte finds the
  // word, the two bytes of UTF-8 do not.
  Result r = run("concord -m '" + kUberAnsi + "' a.txt", "C");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kFirstAnsi + " \r\n " + kSecondAnsi + " \r\n");
  r = run("concord -m '" + kUberUtf8 + "' a.txt", "C");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  // So does a UTF-8 terminal for bytes that are not UTF-8.
  r = run("concord -m '" + kUberAnsi + "' a.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kFirstAnsi + " \r\n " + kSecondAnsi + " \r\n");
}

}  // namespace
