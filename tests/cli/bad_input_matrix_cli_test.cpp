// lexvane-cli against the rest of the hostile inputs: binary and odd text
// files, files it may not read, offsets past 4 GiB, outputs that cannot be
// written, malformed list and query files, and extreme option values. Each
// case states its exit status and message; every input file is checked
// unchanged after each test.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "cli/bad_input_fixture.h"

namespace {

namespace fs = std::filesystem;
using lexvane::cli::testing::Result;
using namespace std::string_literals;

class BadInputMatrix : public lexvane::cli::testing::BadInputCli {};

std::string randomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

std::size_t lineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The number after "label:\t" in a statistics output, its thousands blanks
// removed.
std::string statistic(const std::string& output, const std::string& label) {
  const std::size_t at = output.find(label + ":\t");
  if (at == std::string::npos) return "(missing " + label + ")";
  std::string value;
  for (std::size_t i = at + label.size() + 2; i < output.size(); ++i) {
    if (output[i] == '\r' || output[i] == '\n') break;
    if (output[i] != ' ') value += output[i];
  }
  return value;
}

// Each line of `tokens` without its offset column (file, offset, flags, word).
std::string withoutOffsets(const std::string& tokens) {
  std::string out;
  std::size_t start = 0;
  while (start < tokens.size()) {
    const std::size_t end = tokens.find('\n', start);
    const std::string line = tokens.substr(start, end - start);
    const std::size_t first = line.find('\t');
    const std::size_t second = line.find('\t', first + 1);
    out += line.substr(0, first) + line.substr(second) + "\n";
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return out;
}

TEST_F(BadInputMatrix, BinaryZeroAndEmptyFilesScanCleanlyAndEveryCommandCountsTheSameWords) {
  write("random.bin", randomBytes(1 << 16, 11));
  write("zeros.bin", std::string(1 << 20, '\0'));
  write("empty.txt", "");
  const std::vector<std::string> commands = {
      "tokens",
      "tokens --tagged --dos",
      "wordfreq",
      "wordfreq --sort class --tagged",
      "concord -m '*' --max 100000",
      "concord -m '*' --enhanced --crlf --tagged --dos --sort right",
      "colloc -m '*'",
      "stats -m '*' --max 100000",
      "stats --of wordfreq",
      "retrieve --offset 0",
      "retrieve --offset 1000"};
  for (const std::string file : {"random.bin", "zeros.bin", "empty.txt"})
    for (const std::string& command : commands) {
      const Result r = run(command + " " + file);
      EXPECT_EQ(r.status, 0) << command << " " << file;
      EXPECT_EQ(r.err, "") << command << " " << file;
    }
  // Random bytes: the scan, the frequency list and the concordance agree.
  const Result tokens = run("tokens random.bin");
  const std::string words = std::to_string(lineCount(tokens.out));
  EXPECT_GT(lineCount(tokens.out), 1000u);
  EXPECT_EQ(statistic(run("stats --of wordfreq random.bin").out, "Total words"), words);
  const Result concordStats = run("stats -m '*' --max 100000 random.bin");
  EXPECT_EQ(statistic(concordStats.out, "Total words"), words);
  EXPECT_EQ(statistic(concordStats.out, "Sentences found"), words);
  // Zero bytes and an empty file hold no word; retrieval finds nothing.
  for (const std::string file : {"zeros.bin", "empty.txt"}) {
    EXPECT_EQ(run("tokens " + file).out, "") << file;
    EXPECT_EQ(run("wordfreq " + file).out, "") << file;
    EXPECT_EQ(run("concord -m '*' " + file).out, "") << file;
    EXPECT_EQ(run("colloc -m '*' " + file).out, "") << file;
    EXPECT_EQ(statistic(run("stats --of wordfreq " + file).out, "Total words"), "0") << file;
    EXPECT_EQ(run("retrieve --offset 10 " + file).out, "\t\t\n") << file;
  }
}

TEST_F(BadInputMatrix, CrOnlyLfOnlyAndCrLfTwinsGiveTheSameWordsSentencesAndContexts) {
  // Two lines end without a full stop, so the line break matters with --crlf.
  const std::vector<std::string> lines = {"We walk home", "The house is old.",
                                          "Walking is good for the house"};
  for (const auto& [name, end] : std::vector<std::pair<std::string, std::string>>{
           {"lf.txt", "\n"}, {"cr.txt", "\r"}, {"crlf.txt", "\r\n"}}) {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    write(name, text);
  }
  for (const std::string options : {"", "--crlf", "--enhanced", "--crlf --enhanced"}) {
    const Result lf = run("tokens " + options + " lf.txt");
    const Result cr = run("tokens " + options + " cr.txt");
    const Result crlf = run("tokens " + options + " crlf.txt");
    EXPECT_EQ(lf.status, 0) << options;
    EXPECT_EQ(lineCount(lf.out), 13u) << options;
    EXPECT_EQ(cr.out, lf.out) << options;  // one byte per line end: the same offsets too
    EXPECT_EQ(withoutOffsets(crlf.out), withoutOffsets(lf.out)) << options;
    for (const std::string query : {"-m 'walk*'", "-m house --sort left", "-m '*'"}) {
      const std::string concord = "concord " + options + " " + query + " ";
      const Result reference = run(concord + "lf.txt");
      EXPECT_EQ(reference.status, 0) << concord;
      EXPECT_EQ(run(concord + "cr.txt").out, reference.out) << concord;
      EXPECT_EQ(run(concord + "crlf.txt").out, reference.out) << concord;
    }
    for (const std::string file : {"lf.txt", "cr.txt", "crlf.txt"})
      EXPECT_EQ(run("wordfreq " + options + " " + file).out, run("wordfreq lf.txt").out) << file;
  }
  // With --crlf the first line is a sentence of its own; without, it runs on.
  EXPECT_EQ(run("concord --crlf -m walk cr.txt").out, "We walk home \r\n");
  EXPECT_EQ(run("concord -m walk cr.txt").out, "We walk home The house is old. \r\n");
}

TEST_F(BadInputMatrix, AFileThatMayNotBeReadIsReportedAndTheOthersScanned) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file, so no file is unreadable";
  const std::string locked = write("locked.txt", "We walk home.");
  ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
  const std::string error = "Error: " + locked + ": Permission denied\n";
  for (const std::string command : {"tokens", "wordfreq", "concord -m walk", "colloc -m walk",
                                    "stats -m walk", "stats --of wordfreq"}) {
    const Result r = run(command + " locked.txt a.txt");
    EXPECT_EQ(r.status, 1) << command;
    EXPECT_EQ(r.err, error) << command;
    EXPECT_NE(r.out, "") << command;  // a.txt was scanned
  }
  Result r = run("retrieve --offset 3 locked.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "lexvane-cli: locked.txt: Permission denied\n");
  for (const std::string command : {"concord -q locked.txt a.txt", "tokens -l locked.txt"}) {
    r = run(command);
    EXPECT_EQ(r.status, 1) << command;
    EXPECT_NE(r.err.find("Cannot open file"), std::string::npos) << command;
  }
  ASSERT_EQ(::chmod(locked.c_str(), 0600), 0);  // for the unchanged-content check
}

TEST_F(BadInputMatrix, RetrievalPastFourGibibytesSeeksToTheTrueOffset) {
  // A sparse file of 4 GiB of zero bytes (no room on disk) ending in a
  // sentence: its words lie right past 2^32. Retrieval seeks there; scanning
  // the whole file is left to the separator benchmark (BENCH_MB=4097), which
  // checks the scanned offsets, as it reads 4 GiB.
  const fs::path path = dir_ / "sparse.txt";
  constexpr std::uint64_t kHole = std::uint64_t{1} << 32;
  {
    std::ofstream(path, std::ios::binary).close();
    fs::resize_file(path, kHole);
    std::ofstream(path, std::ios::binary | std::ios::app) << " A long walk.";
  }
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  if (info.st_blocks > 1 << 16) GTEST_SKIP() << "this file system stores holes as data";
  const auto retrieve = [&](std::uint64_t offset) {
    const Result r = run("retrieve --offset " + std::to_string(offset) + " sparse.txt");
    EXPECT_EQ(r.status, 0) << offset;
    EXPECT_EQ(r.err, "") << offset;
    return r.out;
  };
  EXPECT_EQ(retrieve(kHole + 1), "\tA\tlong walk.\n");
  EXPECT_EQ(retrieve(kHole + 3), "A\tlong\twalk.\n");
  EXPECT_EQ(retrieve(kHole + 8), "A long\twalk\t.\n");
  EXPECT_EQ(retrieve(kHole + 13), "\t\t\n");  // the end of the file
  EXPECT_EQ(retrieve(3), "\t\t\n");           // 2^32 + 3 cut to 32 bits: zero bytes only
  EXPECT_EQ(fs::file_size(path), kHole + 13);
}

TEST_F(BadInputMatrix, OutputThatCannotBeWrittenFailsWithAMessageAndNeverAsSuccess) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  for (const std::string command :
       {"tokens a.txt", "wordfreq a.txt", "concord -m walk a.txt", "colloc -m house a.txt",
        "stats -m walk a.txt", "stats --of wordfreq a.txt", "retrieve --offset 3 a.txt", "--help",
        "concord --help"}) {
    const Result r = run(command + " >/dev/full");
    EXPECT_EQ(r.status, 1) << command;
    EXPECT_NE(r.err.find("write"), std::string::npos) << command << ": " << r.err;
  }
  fs::create_directory(dir_ / "folder");
  for (const std::string command :
       {"wordfreq a.txt", "concord -m walk a.txt", "colloc -m house a.txt", "stats -m walk a.txt",
        "stats --of wordfreq a.txt"}) {
    for (const std::string output : {"/dev/full", "folder", "no/such/folder.txt"}) {
      const Result r = run(command + " -o " + output);
      EXPECT_EQ(r.status, 1) << command << " -o " << output;
      EXPECT_NE(r.err.find(output), std::string::npos)
          << command << " -o " << output << ": " << r.err;
      EXPECT_EQ(r.out, "") << command << " -o " << output;
    }
  }
  EXPECT_FALSE(fs::exists(dir_ / "no"));
}

TEST_F(BadInputMatrix, MalformedListFiles) {
  const std::string path = (dir_ / "a.txt").string();
  write("garbage.CTL", randomBytes(3000, 5));
  write("zeros.CTL", std::string(100000, '\0'));
  write("cut.CTL", "[File li");
  write("cut2.CTL", "[File list]\r\nFile1=a.txt\r\nFi");
  write("odd.CTL",
        "[File list]\r\nFile1=a.txt\r\n[Scan]\r\nWordSeparators=\r\nSentenceSeparators=\r\n"
        "EnhSentDetect=zz\r\nCRLFAsSeparator=0x\r\nIgnoreCapital=99999999999999999999999\r\n");
  write("long.CTL", "[File list]\nFile1=a.txt\n" + std::string(2 << 20, 'x') + "\n");
  write("control.CTL", "[File list]\r\nFile1=\x01\x02\r\nFile2=a.txt\r\n");
  write("garbage.CFL", randomBytes(3000, 6).substr(0, 200) + std::string(1, '\0'));
  write("zeros.CFL", std::string(1000, '\0') + "a.txt\r\n");
  write("cut.CFL", "a.txt\r\n" + path.substr(0, path.size() - 2));
  write("stops.CFL", "a.txt\r\n\0unread.txt\r\n"s);
  struct Case {
    std::string list;
    int status;
    std::string message;  // found in the standard error ("" : it is empty)
    bool scansA;          // a.txt is scanned
  };
  const std::vector<Case> cases = {
      {"garbage.CTL", 2, "lexvane-cli: no corpus files: garbage.CTL names none\n", false},
      {"zeros.CTL", 2, "lexvane-cli: no corpus files: zeros.CTL names none\n", false},
      {"cut.CTL", 2, "lexvane-cli: no corpus files: cut.CTL names none\n", false},
      {"cut2.CTL", 0, "", true},
      {"odd.CTL", 0, "", true},
      {"long.CTL", 0, "", true},
      {"control.CTL", 1, "does not exist.\n", true},
      {"garbage.CFL", 1, "does not exist.\n", false},
      {"zeros.CFL", 2, "lexvane-cli: no corpus files: zeros.CFL names none\n", false},
      {"cut.CFL", 1, "Warning: The file " + path.substr(0, path.size() - 2) + " does not exist.\n",
       true},
      {"stops.CFL", 0, "", true}};
  for (const Case& c : cases)
    for (const std::string command : {"tokens", "concord -m walk", "wordfreq"}) {
      const Result r = run(command + " -l " + c.list);
      EXPECT_EQ(r.status, c.status) << command << " -l " << c.list;
      if (c.message.empty()) {
        EXPECT_EQ(r.err, "") << command << " -l " << c.list;
      } else {
        EXPECT_NE(r.err.find(c.message), std::string::npos) << command << " -l " << c.list << "\n"
                                                            << r.err;
      }
      EXPECT_EQ(r.out.find("walk") != std::string::npos, c.scansA) << command << " -l " << c.list;
    }
}

TEST_F(BadInputMatrix, MalformedQueryFiles) {
  write("garbage.cws", randomBytes(3000, 8));
  write("zeros.cws", std::string(100000, '\0'));
  write("cut.cws", "[List 1]\r\nLine1=wal");
  write("cut2.cws", "[List 1]\r\nLine1=walk\r\n[Comm");
  write("long.cws", "[List 1]\r\nLine1=" + std::string(5000, 'w') + "\r\nLine2=walk\r\n");
  for (const std::string size : {"99999999999999999999", "-5", "0", "x", "2147483648"})
    write("max" + size + ".cws", "[List 1]\r\nLine1=walk\r\n[Common]\r\nMaxListSize=" + size);
  write("odd.cws",
        "[List 1]\r\nLine1=walk\r\n[List 2]\r\nLine1=home\r\n[Common]\r\nWordDistance1=-7\r\n"
        "Rank1=5\r\nWordToMiddle=99\r\nWordDistance2=99999999999\r\n");
  write("gap.cws", "[List 1]\r\nLine1=walk\r\n[List 3]\r\nLine1=home\r\n");
  struct Case {
    std::string command;
    int status;
    std::string err;
    std::size_t rows;
  };
  const std::string none = "lexvane-cli: no mask to search for: ";
  const std::vector<Case> cases = {
      {"concord -q garbage.cws", 2, none + "garbage.cws holds none; give -m or --column\n", 0},
      {"concord --advanced -q garbage.cws", 2,
       none + "garbage.cws holds none; give -m or --column\n", 0},
      {"concord -q zeros.cws", 2, none + "zeros.cws holds none; give -m or --column\n", 0},
      {"concord -q cut.cws", 0, "", 0},  // "wal" is a mask of its own
      {"concord -q cut2.cws", 0, "", 1},
      {"concord -q long.cws", 0, "", 1},  // the long mask is cut, the next one still found
      {"concord -q max99999999999999999999.cws", 0, "", 1},
      {"concord -q max-5.cws", 0, "", 1},
      {"concord -q max0.cws", 0, "", 1},
      {"concord -q maxx.cws", 0, "", 1},
      // A size past 32 bits reaches the build, which refuses it by name.
      {"concord -q max2147483648.cws", 1,
       "lexvane-cli: '2147483648' is not a valid integer value\n", 0},
      // A negative distance is any distance; an order flag of 5 is set.
      {"concord --advanced -q odd.cws", 0, "", 1},
      {"colloc -q odd.cws --advanced", 0, "", 2},
      {"concord --advanced -q gap.cws", 1,
       "lexvane-cli: There are empty column(s) between nonempty columns.\n", 0}};
  for (const Case& c : cases) {
    const Result r = run(c.command + " a.txt");
    EXPECT_EQ(r.status, c.status) << c.command;
    EXPECT_EQ(r.err, c.err) << c.command;
    EXPECT_EQ(lineCount(r.out), c.rows) << c.command << "\n" << r.out;
  }
}

TEST_F(BadInputMatrix, ExtremeNumbersInEveryNumericOption) {
  struct Case {
    std::string arguments;
    int status;
    std::string err;  // "" : none
  };
  const std::string big = "99999999999999999999";
  const auto offsetError = [](const std::string& value) {
    return "lexvane-cli: --offset: expected a byte offset, 0 or more: " + value + "\n";
  };
  const auto notAnInteger = [](const std::string& value) {
    return "lexvane-cli: '" + value + "' is not a valid integer value\n";
  };
  const std::vector<Case> cases = {
      // retrieve --offset: past every end is three empty fields.
      {"retrieve --offset " + big + " a.txt", 0, ""},
      {"retrieve --offset -1 a.txt", 2, offsetError("-1")},
      {"retrieve --offset -9223372036854775808 a.txt", 2, offsetError("-9223372036854775808")},
      {"retrieve --offset abc a.txt", 2, offsetError("abc")},
      {"retrieve --offset 3.5 a.txt", 2, offsetError("3.5")},
      {"retrieve --offset '' a.txt", 2, offsetError("")},
      // --max: below 100 is 100; the table never reserves the number asked.
      {"concord -m walk --max 2147483647 a.txt", 0, ""},
      {"concord -m walk --max -2147483648 a.txt", 0, ""},
      {"concord -m walk --max 0 a.txt", 0, ""},
      {"concord -m walk --max 2147483648 a.txt", 1, notAnInteger("2147483648")},
      {"concord -m walk --max " + big + " a.txt", 1, notAnInteger(big)},
      {"concord -m walk --max 1e3 a.txt", 1, notAnInteger("1e3")},
      // --width: no padding of two gigabytes, no negative width.
      {"concord -m walk --format justify --width 2147483647 a.txt", 0, ""},
      {"concord -m walk --format justify --width -2147483648 a.txt", 0, ""},
      {"concord -m walk --format justify --width 0 a.txt", 0, ""},
      {"concord -m walk --format justify --width " + big + " a.txt", 1, notAnInteger(big)},
      {"concord -m walk --format justify --width abc a.txt", 1, notAnInteger("abc")},
      // Ranged options.
      {"concord -m walk --word 0 a.txt", 2, "lexvane-cli: --word: Value 0 not in range 1 to 10\n"},
      {"concord -m walk --word " + big + " a.txt", 2,
       "lexvane-cli: --word: Value " + big + " not in range 1 to 10\n"},
      {"concord -m walk --middle 6 a.txt", 2,
       "lexvane-cli: --middle: Value 6 not in range 1 to 5\n"},
      {"concord -m walk --middle -1 a.txt", 2,
       "lexvane-cli: --middle: Value -1 not in range 1 to 5\n"},
      {"concord -m walk --delimiters '[]' --around 11,0 a.txt", 2,
       "lexvane-cli: --around: expected M,N with M and N from 0 to 10\n"},
      {"concord -m walk --delimiters '[]' --around " + big + ",1 a.txt", 2,
       "lexvane-cli: --around: expected M,N with M and N from 0 to 10\n"},
      {"concord -m walk --delimiters '[]' --around 10,10 a.txt", 0, ""},
      {"concord --column 1:walk --column 2:house --gap 1=2147483647 a.txt", 0, ""},
      {"concord --column 1:walk --column 2:house --gap 1=-2 a.txt", 2,
       "lexvane-cli: --gap: expected K=N or K=x\n"},
      {"concord --column 1:walk --column 2:house --gap 1=" + big + " a.txt", 2,
       "lexvane-cli: --gap: expected K=N or K=x\n"},
      {"concord --column 1:walk --column 2:house --gap " + big + "=1 a.txt", 2,
       "lexvane-cli: --gap: expected K=..., K from 1 to 4: " + big + "=1\n"},
      {"concord --column 1:walk --column 2:house --order 0=1 a.txt", 2,
       "lexvane-cli: --order: expected K=..., K from 1 to 4: 0=1\n"},
      {"concord --column " + big + ":x a.txt", 2,
       "lexvane-cli: --column: expected K:..., K from 1 to 5: " + big + ":x\n"},
      {"colloc -m house --left " + big + " a.txt", 2,
       "lexvane-cli: --left: positions are 1 to 9, separated by commas: " + big + "\n"},
      {"colloc -m house --right 0 a.txt", 2,
       "lexvane-cli: --right: positions are 1 to 9, separated by commas: 0\n"},
      {"colloc -m house --colloc-sort left:10 a.txt", 2,
       "lexvane-cli: --colloc-sort: collocate, node, total, left:P or right:P (P 1 to 9): "
       "left:10\n"},
      // Long texts where characters are asked for.
      {"concord -m walk --word-separators '" + std::string(1000, ',') + "' a.txt", 0, ""},
      {"concord -m walk --sentence-separators '" + std::string(1000, '.') + "' a.txt", 0, ""},
      {"concord -m " + std::string(100000, 'w') + " a.txt", 0, ""},
      {"wordfreq --delimiter '" + std::string(1000, '|') + "' a.txt", 0, ""}};
  for (const Case& c : cases) {
    const Result r = run(c.arguments);
    const std::string shown = c.arguments.substr(0, 80);
    EXPECT_EQ(r.status, c.status) << shown;
    EXPECT_EQ(r.err, c.err) << shown;
    if (c.status != 0) {
      EXPECT_EQ(r.out, "") << shown;
    }
  }
  EXPECT_EQ(run("retrieve --offset " + big + " a.txt").out, "\t\t\n");
  EXPECT_EQ(run("concord -m walk --max 0 a.txt").out, "We walk home. \r\n");
}

}  // namespace
