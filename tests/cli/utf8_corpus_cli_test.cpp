// End-to-end tests of UTF-8 corpora: a corpus of Latin, Greek and Cyrillic
// text written in UTF-8 gives the rows of its 8-bit twin (Windows-1252 for
// the Latin text, ISO-8859-7 and ISO-8859-5 for Greek and Cyrillic, where
// only what depends on neither the case table nor the collation is
// compared), and --encoding with its companions behaves as an option. The
// real binary runs under LANG=C.UTF-8 in a fixture folder.
#include <gtest/gtest.h>
#include <locale.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_process.h"
#include "core/text/twin_prose.h"

namespace {

using lexvane::cli::testing::readFile;
using lexvane::cli::testing::Result;
using lexvane::cli::testing::RunShell;

std::string utf8Of(const std::u32string& text) {
  std::string out;
  for (const char32_t cp : text) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

// The 8-bit twin: Latin-1 letters as Windows-1252 bytes, Greek as
// ISO-8859-7, Cyrillic as ISO-8859-5 (only the letters those hold).
std::string eightBitOf(const std::u32string& text) {
  std::string out;
  for (const char32_t cp : text) {
    if (cp < 0x100)
      out += static_cast<char>(cp);
    else if (cp >= 0x0386 && cp <= 0x03CE)
      out += static_cast<char>(cp - 0x2D0);
    else if (cp >= 0x0401 && cp <= 0x045F)
      out += static_cast<char>(cp - 0x360);
    else
      ADD_FAILURE() << "no 8-bit twin for U+" << std::hex << static_cast<unsigned>(cp);
  }
  return out;
}

const std::u32string kLatin =
    U"Der Hund lief \u00FCber die Br\u00FCcke. \u00DCBER die Br\u00FCcke ging er nicht! "
    U"Die Stra\u00DFe war leer; \u00E9t\u00E9 et hiver, \u00C9t\u00E9 encore. "
    U"Zo\u00EB zag na\u00EFve mensen. \u00DCber alles: die Br\u00FCcke, die Stra\u00DFe.\r\n"
    U"Na\u00EFve Leute (\u00E0 la fin) sahen \u00C4pfel und \u00E4pfel? Der Hund bellte.";
const std::u32string kGreek =
    U"\u0397 \u03B3\u03AC\u03C4\u03B1 \u03BA\u03BF\u03B9\u03BC\u03AC\u03C4\u03B1\u03B9. "
    U"\u0397 \u03B3\u03AC\u03C4\u03B1 \u03C4\u03C1\u03AD\u03C7\u03B5\u03B9! "
    U"\u03A4\u03BF \u03C3\u03BA\u03C5\u03BB\u03AF \u03B2\u03BB\u03AD\u03C0\u03B5\u03B9 "
    U"\u03C4\u03B7 \u03B3\u03AC\u03C4\u03B1.";
const std::u32string kCyrillic =
    U"\u041A\u043E\u0448\u043A\u0430 \u0441\u043F\u0438\u0442. \u041A\u043E\u0448\u043A\u0430 "
    U"\u0431\u0435\u0436\u0438\u0442! \u0421\u043E\u0431\u0430\u043A\u0430 "
    U"\u0432\u0438\u0434\u0438\u0442 \u043A\u043E\u0448\u043A\u0443.";

bool hasLocale(const char* name) {
  const locale_t locale = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return false;
  freelocale(locale);
  return true;
}

// The "word|frequency|..." lines of a list as a multiset of their first two
// fields.
std::multiset<std::string> wordCounts(const std::string& list) {
  std::multiset<std::string> counts;
  std::istringstream lines(list);
  std::string line;
  while (std::getline(lines, line)) {
    const std::size_t first = line.find('|');
    const std::size_t second = line.find('|', first + 1);
    if (first != std::string::npos) counts.insert(line.substr(0, second));
  }
  return counts;
}

class Utf8CorpusCli : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!hasLocale("C.UTF-8")) GTEST_SKIP() << "no C.UTF-8 locale";
    dir_ =
        std::filesystem::temp_directory_path() / ("lexvane_cli_utf8_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    write("latin.txt", utf8Of(kLatin));
    write("latin1252.txt", eightBitOf(kLatin));
    write("greek.txt", utf8Of(kGreek));
    write("greek8859.txt", eightBitOf(kGreek));
    write("cyrillic.txt", utf8Of(kCyrillic));
    write("cyrillic8859.txt", eightBitOf(kCyrillic));
  }
  void TearDown() override {
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }

  void write(const std::string& name, const std::string& content) {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }
  Result run(const std::string& arguments) {
    const std::string errPath = (dir_ / "stderr.txt").string();
    const std::string command = "cd '" + dir_.string() +
                                "' && env -u LC_ALL -u LC_CTYPE -u LC_COLLATE LANG=C.UTF-8 '" +
                                LEXVANE_CLI_BINARY + "' " + arguments;
    return RunShell(command, errPath);
  }
  // The same command on the UTF-8 file and on its Windows-1252 twin (read
  // as UTF-8 output): both outputs, checked for success.
  std::pair<std::string, std::string> twins(const std::string& command) {
    const Result utf8 = run(command + " --encoding utf-8 latin.txt");
    const Result ansi = run(command + " --output-encoding utf-8 latin1252.txt");
    EXPECT_EQ(utf8.status, 0) << command << ": " << utf8.err;
    EXPECT_EQ(ansi.status, 0) << command << ": " << ansi.err;
    return {utf8.out, ansi.out};
  }

  std::filesystem::path dir_;
};

TEST_F(Utf8CorpusCli, LatinConcordancesEqualTheirWindows1252TwinInEverySortAndLayout) {
  for (const std::string command :
       {"concord -m '*'", "concord -m 'die' --sort left", "concord -m '*' --sort right",
        "concord -m '*' --sort left --word 2", "concord -m '*' --sort right --word 3",
        "concord -m '*' --retrograde", "concord -m '*' --retrograde --sort right --word 2",
        "concord -m 'br*' --format justify --width 17",
        "concord -m '*e' --format para --delimiters '\xC2\xAB\xC2\xBB' --around 2,3",
        "concord --column '1:die' --column '2:br*' --gap 1=2 --sort right"}) {
    const auto [utf8, ansi] = twins(command);
    EXPECT_FALSE(utf8.empty()) << command;
    EXPECT_EQ(utf8, ansi) << command;
  }
}

TEST_F(Utf8CorpusCli, LatinWordListsAndCollocatesEqualTheirTwinCaseSensitive) {
  for (const std::string command :
       {"wordfreq --case-sensitive --sort alpha", "wordfreq --case-sensitive --sort freq",
        "wordfreq --case-sensitive --sort retro", "stats --of wordfreq --case-sensitive",
        "colloc -m '*'", "colloc -m 'die' --colloc-sort total", "colloc -m '*' --colloc-sort node",
        "colloc -m '*' --collocate-mask '\xC3\xBC*' --delimiter '\xC2\xA7'"}) {
    const auto [utf8, ansi] = twins(command);
    EXPECT_FALSE(utf8.empty()) << command;
    EXPECT_EQ(utf8, ansi) << command;
  }
}

TEST_F(Utf8CorpusCli, LatinWithIgnoreCaseEqualsItsTwin) {
  for (const std::string command :
       {"wordfreq --case-sensitive", "wordfreq", "wordfreq --ignore-case --sort freq",
        "wordfreq --ignore-case --sort retro", "colloc -m '*' --ignore-case",
        "concord -m '\xC3\xBC*' --sort left", "concord -m '\xC3\x9C*' --sort right",
        "concord -m 'na?ve'"}) {
    const auto [utf8, ansi] = twins(command);
    EXPECT_FALSE(utf8.empty()) << command;
    EXPECT_EQ(utf8, ansi) << command;
  }
}

TEST_F(Utf8CorpusCli, GreekAndCyrillicCountTheWordsOfTheirIsoTwins) {
  for (const std::string name : {"greek", "cyrillic"}) {
    const Result utf8 = run("wordfreq --case-sensitive --encoding utf-8 " + name + ".txt");
    const Result eightBit = run("wordfreq --case-sensitive " + name + "8859.txt");
    ASSERT_EQ(utf8.status, 0) << utf8.err;
    ASSERT_EQ(eightBit.status, 0) << eightBit.err;
    // The 8-bit list's words are ISO bytes; carry them over to UTF-8.
    std::multiset<std::string> twin;
    for (const std::string& entry : wordCounts(eightBit.out)) {
      std::u32string decoded;
      for (const char c : entry) {
        const auto b = static_cast<unsigned char>(c);
        decoded += b < 0x80 ? char32_t{b}
                            : char32_t{b} + (name == "greek" ? char32_t{0x2D0} : char32_t{0x360});
      }
      twin.insert(utf8Of(decoded));
    }
    EXPECT_EQ(wordCounts(utf8.out), twin) << name;
    // The concordance of every word has as many rows.
    const Result rows = run("concord -m '*' --encoding utf-8 " + name + ".txt");
    const Result twinRows = run("concord -m '*' " + name + "8859.txt");
    ASSERT_EQ(rows.status, 0) << rows.err;
    EXPECT_EQ(std::count(rows.out.begin(), rows.out.end(), '\n'),
              std::count(twinRows.out.begin(), twinRows.out.end(), '\n'));
  }
}

TEST_F(Utf8CorpusCli, GreekMaskTypedInTheTerminalFindsItsWords) {
  const Result r = run("concord -m '\xCE\xB3\xCE\xAC\xCF\x84\xCE\xB1' --encoding utf-8 greek.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3) << r.out;
  EXPECT_EQ(r.err, "");
  write("greek.CTL", "[File list]\r\nFile1=greek.txt\r\n[Scan]\r\nEncoding=UTF-8\r\n");
  const Result listed = run("concord -l greek.CTL -m '\xCE\xB3\xCE\xAC\xCF\x84\xCE\xB1'");
  EXPECT_EQ(listed.out, r.out);
}

TEST_F(Utf8CorpusCli, An8BitCorpusThatLooksLikeUtf8GetsOneWarning) {
  // The Greek corpus read as Windows-1252 warns once and still works.
  const Result asAnsi = run("tokens greek.txt");
  EXPECT_EQ(asAnsi.status, 0);
  EXPECT_EQ(asAnsi.err,
            "Warning: the corpus files look like UTF-8 text; give --encoding utf-8 to read them "
            "as UTF-8.\n");
  // A Windows-1252 corpus does not.
  EXPECT_EQ(run("tokens latin1252.txt").err, "");
}

TEST_F(Utf8CorpusCli, TheLastEncodingOptionWinsAndAListsEncodingIsHonoured) {
  // --dos is --encoding cp850; whichever comes last decides.
  const std::string utf8Mask = "-m '\xCE\xB3\xCE\xAC\xCF\x84\xCE\xB1' greek.txt";
  EXPECT_EQ(run("concord --dos --encoding utf-8 " + utf8Mask).status, 0);
  const Result dosLast = run("concord --encoding utf-8 --dos " + utf8Mask);
  EXPECT_EQ(dosLast.status, 2);  // gamma is no character of code page 850
  EXPECT_NE(dosLast.err.find("U+03B3"), std::string::npos) << dosLast.err;
  EXPECT_EQ(run("concord --encoding cp850 --no-dos --encoding utf-8 " + utf8Mask).status, 0);
  EXPECT_EQ(run("concord --encoding latin1 " + utf8Mask).status, 2);
  // A Text List with "Encoding"="UTF-8" reads its files as UTF-8, typed
  // masks included.
  write("greek.CTL", "[File list]\r\nFile1=greek.txt\r\n[Scan]\r\nEncoding=UTF-8\r\n");
  const std::string listMask = utf8Mask.substr(0, utf8Mask.rfind(' '));
  const Result listed = run("concord -l greek.CTL " + listMask);
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.err, "");
  // --no-dos after the list reads its files as Windows-1252 again.
  EXPECT_EQ(run("concord -l greek.CTL --no-dos " + listMask).status, 2);
}

TEST_F(Utf8CorpusCli, OutputEncodingIsANoOpForAUtf8Corpus) {
  const Result plain = run("concord -m '*' --encoding utf-8 cyrillic.txt");
  const Result asked = run("concord -m '*' --encoding utf-8 --output-encoding utf-8 cyrillic.txt");
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(asked.out, plain.out);
  EXPECT_NE(plain.out.find(utf8Of(U"\u041A\u043E\u0448\u043A\u0430")), std::string::npos);
  const Result file =
      run("wordfreq --case-sensitive --encoding utf-8 --output-encoding utf-8 -o list.txt "
          "cyrillic.txt");
  EXPECT_EQ(file.status, 0) << file.err;
  EXPECT_NE(readFile(dir_ / "list.txt").find(utf8Of(U"\u043A\u043E\u0448\u043A\u0443") + "|1|"),
            std::string::npos);
}

TEST_F(Utf8CorpusCli, Utf8DefaultSeparatorsCutTypographicPunctuation) {
  write("quotes.txt", utf8Of(U"\u00ABHola\u00BB \u2014 dijo \u00BFqu\u00E9?\u00A0s\u00ED"));
  const Result r = run("wordfreq --case-sensitive --words-only --encoding utf-8 quotes.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, utf8Of(U"dijo\r\nHola\r\nqu\u00E9\r\ns\u00ED\r\n"));
  // Separators given with -w replace the defaults.
  const Result own = run("tokens --encoding utf-8 --word-separators ' ' quotes.txt");
  EXPECT_NE(own.out.find(utf8Of(U"\u00ABHola\u00BB")), std::string::npos) << own.out;
}

// The 43 default word separators, quoted for the shell: the UTF-8 run must
// not add its typographic ones.
std::string quotedDefaultSeparators() {
  std::string quoted = "'";
  for (const char c : std::string(" _,;:/-+=^\"<>()[]{}*@&%$#\\|~`'0123456789.?!")) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

// German, Spanish and French prose whose sentences run to several hundred
// characters, and its Windows-1252 twin: every concordance layout and sort,
// the collocates and the statistics give the same text.
class ProseTwinsCli : public Utf8CorpusCli {
 protected:
  void SetUp() override {
    Utf8CorpusCli::SetUp();
    if (IsSkipped()) return;
    std::filesystem::create_directories(dir_ / "ansi");
    std::filesystem::create_directories(dir_ / "utf8");
    const std::vector<std::string> prose = lexvane::testing::TwinProseUtf8();
    const std::vector<std::string> names = {"de.txt", "es.txt", "fr.txt"};
    for (std::size_t i = 0; i < prose.size(); ++i) {
      write("utf8/" + names[i], prose[i]);
      write("ansi/" + names[i], lexvane::testing::Windows1252Of(prose[i]));
    }
  }
  std::pair<std::string, std::string> proseTwins(const std::string& command) {
    const std::string separators = " --word-separators " + quotedDefaultSeparators();
    const Result utf8 =
        run(command + separators + " --encoding utf-8 utf8/de.txt utf8/es.txt utf8/fr.txt");
    const Result ansi =
        run(command + separators + " --output-encoding utf-8 ansi/de.txt ansi/es.txt ansi/fr.txt");
    EXPECT_EQ(utf8.status, 0) << command << ": " << utf8.err;
    EXPECT_EQ(ansi.status, 0) << command << ": " << ansi.err;
    EXPECT_FALSE(utf8.out.empty()) << command;
    return {utf8.out, ansi.out};
  }
};

TEST_F(ProseTwinsCli, LongLeftContextsKeepTheWordsNextToTheKeywordInEveryLayoutAndSort) {
  const std::string masks =
      "concord -m '\xC3\xBC"
      "ber*' -m '*ung' -m '*ci\xC3\xB3n' -m 'que'";
  for (const std::string options :
       {"", " --enhanced", " --format para", " --format justify --width 30",
        " --format justify --width 254 --enhanced", " --sort left", " --sort left --word 2",
        " --sort left --word 3 --retrograde", " --sort right --word 2",
        " --sort right --retrograde --enhanced", " --sort left --dedupe",
        " --delimiters '\xC2\xAB\xC2\xBB' --around 3,3 --source",
        " --format justify --width 60 --delimiters '||' --around 2,1 --sort right --word 3"}) {
    const auto [utf8, ansi] = proseTwins(masks + options);
    EXPECT_EQ(utf8, ansi) << options;
  }
  const auto [utf8, ansi] =
      proseTwins("concord --column '1:d*' --column '2:*ci\xC3\xB3n' --gap 1=3 --sort left");
  EXPECT_EQ(utf8, ansi);
}

TEST_F(ProseTwinsCli, CollocatesAndStatisticsOfLongSentencesEqualTheTwins) {
  for (const std::string command :
       {"colloc -m 'd*' -m 'que' -m '\xC3\xBC"
        "ber*'",
        "colloc -m '*' --colloc-sort total",
        "colloc -m '*ung' -m '*ci\xC3\xB3n' --enhanced --sort right --word 2",
        "colloc -m 'd*' --collocate-mask '*\xC3\xA9*' --collocate-mask '*\xC3\xA4*'"}) {
    const auto [utf8, ansi] = proseTwins(command);
    EXPECT_EQ(utf8, ansi) << command;
  }
  // The statistics, but for the size of the files in bytes.
  const auto withoutSize = [](const std::string& text) {
    const std::size_t size = text.find("Total size:");
    return size == std::string::npos ? text
                                     : text.substr(0, size) + text.substr(text.find('\n', size));
  };
  for (const std::string command : {"stats -m 'd*' --enhanced", "stats --of wordfreq"}) {
    const auto [utf8, ansi] = proseTwins(command);
    EXPECT_EQ(withoutSize(utf8), withoutSize(ansi)) << command;
  }
}

}  // namespace
