// lexvane-cli's --export: the real binary writes each table command's table
// as CSV, TSV or XLSX, and Python's csv module or an XLSX reader made of
// zipfile and ElementTree reads it back field for field; the usage errors of
// the option; the layouts without it stay as they were.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/cli_process.h"
#include "tools/read_back.h"

namespace {

using lexvane::cli::testing::readFile;
using lexvane::cli::testing::Result;
using lexvane::cli::testing::RunShell;
using lexvane::testing::ReadTable;

const std::string kSamples = LEXVANE_SAMPLES_DIR;

// Windows-1252 prose whose contexts hold commas, double and single quotes
// and accented letters.
const std::string kQuotes =
    "Der Bauer sagte: \"Gr\xFC\xDF"
    "e, mein Freund.\" Dann ging er fort, langsam und m\xFC"
    "de. "
    "Sie rief: 'Adieu, caf\xE9!' und lachte; er nicht.";
// UTF-8 prose with guillemets, Greek letters and a comma inside quotes.
const std::string kGreek = "Η γάτα είπε: «Καλημέρα, φίλε». Το καφέ, \"ζεστό, γλυκό\", ήταν έτοιμο.";

class ExportCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lexvane_cli_export_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    std::ofstream(dir_ / "zitate.txt", std::ios::binary) << kQuotes;
    std::ofstream(dir_ / "γάτα.txt", std::ios::binary) << kGreek;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  Result run(const std::string& arguments) {
    return RunShell("cd '" + dir_.string() + "' && '" + LEXVANE_CLI_BINARY + "' " + arguments,
                    (dir_ / "stderr.txt").string());
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  std::filesystem::path dir_;
};

TEST_F(ExportCli, ConcordanceOfAWindows1252CorpusReadsBackAsUtf8WithItsPlaceInTheFile) {
  const Result r = run("concord -m 'gr*' -m 'caf*' zitate.txt --export csv -o hits.csv");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.empty());
  const auto back = ReadTable("csv", path("hits.csv"));
  ASSERT_EQ(back.status, 0);
  const std::string full = path("zitate.txt");
  const std::vector<std::string> expected = {
      "bom 0",
      R"(["Left context", "Keyword", "Right context", "File", "Full path", "Byte offset", "Sentence number"])",
      R"(["Der Bauer sagte: \"", "Grüße", ", mein Freund.", "zitate.txt", ")" + full +
          R"(", "18", "0"])",
      R"(["Sie rief: 'Adieu,", "café", "!", "zitate.txt", ")" + full + R"(", "94", "2"])"};
  EXPECT_EQ(back.lines, expected);
  // Byte offsets point at the keyword in the file's own bytes.
  EXPECT_EQ(kQuotes.substr(18, 4), "Gr\xFC\xDF");
  EXPECT_EQ(kQuotes.substr(94, 4), "caf\xE9");
}

TEST_F(ExportCli, Utf8ConcordanceAsTsvOnStandardOutputWithAByteOrderMark) {
  const Result r = run("concord -m '*' --encoding utf-8 'γάτα.txt' --export tsv --bom");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_TRUE(r.out.starts_with("\xEF\xBB\xBFLeft context\tKeyword\t"));
  std::ofstream(dir_ / "out.tsv", std::ios::binary) << r.out;
  const auto back = ReadTable("tsv", path("out.tsv"));
  ASSERT_EQ(back.status, 0);
  ASSERT_EQ(back.lines.size(), 2u + 11u);  // bom, heading, eleven words
  EXPECT_EQ(back.lines[0], "bom 1");
  EXPECT_EQ(back.lines[3], R"(["Η", "γάτα", "είπε: «Καλημέρα, φίλε».", "γάτα.txt", ")" +
                               path("γάτα.txt") + R"(", "3", "0"])");
  EXPECT_EQ(back.lines[10], R"(["Το καφέ, \"ζεστό,", "γλυκό", "\", ήταν έτοιμο.", "γάτα.txt", ")" +
                                path("γάτα.txt") + R"(", "82", "1"])");
}

TEST_F(ExportCli, WordListWorkbookHoldsTheFiguresAsNumbers) {
  const Result plain = run("wordfreq -l " + kSamples + "/sample.CTL --sort freq");
  ASSERT_EQ(plain.status, 0) << plain.err;
  const Result r =
      run("wordfreq -l " + kSamples + "/sample.CTL --sort freq --export xlsx -o words.xlsx");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto back = ReadTable("xlsx", path("words.xlsx"));
  ASSERT_EQ(back.status, 0);
  EXPECT_TRUE(back.lines[0].starts_with("sheet \"Word frequency\" frozen 1 widths ["))
      << back.lines[0];
  EXPECT_EQ(back.lines[1], R"(["Word", "Word Class", "F", "F %", "CF", "CF %"])");
  // "the|121|9.195|121|9.19" and "a|50|3.799|171|12.99" in the list's own
  // layout.
  EXPECT_TRUE(plain.out.starts_with("the|121|9.195|121|9.19\r\na|50|3.799|171|12.99\r\n"));
  EXPECT_EQ(back.lines[2], R"(["the", "", 121, 9.195, 121, 9.19])");
  EXPECT_EQ(back.lines[3], R"(["a", "", 50, 3.799, 171, 12.99])");
  std::size_t lines = 0;
  for (char c : plain.out) lines += c == '\n';
  EXPECT_EQ(back.lines.size(), lines + 2);
  EXPECT_TRUE(back.lines.back().ends_with(", 1316, 100]")) << back.lines.back();
}

TEST_F(ExportCli, CollocatesAndStatisticsExportTheirTables) {
  const Result colloc = run("colloc -l " + kSamples +
                            "/sample.CTL -m 'walk*' --left 2,1 --right 1 --colloc-sort total "
                            "--export csv -o colloc.csv");
  ASSERT_EQ(colloc.status, 0) << colloc.err;
  const auto table = ReadTable("csv", path("colloc.csv"));
  ASSERT_EQ(table.status, 0);
  ASSERT_GT(table.lines.size(), 10u);
  EXPECT_EQ(table.lines[1], R"(["Collocate", "L2", "L1", "Node", "R1", "Total"])");
  // The same rows as the table's own layout, zeros written as 0.
  const Result plain = run("colloc -l " + kSamples +
                           "/sample.CTL -m 'walk*' --left 2,1 --right 1 --colloc-sort total "
                           "--no-zero-as-space --delimiter ,");
  ASSERT_EQ(plain.status, 0) << plain.err;
  std::vector<std::string> rows;
  for (std::size_t start = 0, end; (end = plain.out.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    std::string row = "[\"";
    for (char c : plain.out.substr(start, end - start))
      row += c == ',' ? std::string("\", \"") : std::string(1, c);
    rows.push_back(row + "\"]");
  }
  ASSERT_EQ(rows.size() + 2, table.lines.size());
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(table.lines[i + 2], rows[i]);

  const Result stats =
      run("stats --of wordfreq -l " + kSamples + "/sample.CTL --export tsv -o stats.tsv");
  ASSERT_EQ(stats.status, 0) << stats.err;
  const auto figures = ReadTable("tsv", path("stats.tsv"));
  ASSERT_EQ(figures.status, 0);
  ASSERT_EQ(figures.lines.size(), 3u);
  EXPECT_EQ(
      figures.lines[1],
      R"j(["Files", "Total size (kB)", "Total words", "Total sentences", "Types found", "Completed"])j");
  EXPECT_TRUE(figures.lines[2].starts_with(R"(["3", ")")) << figures.lines[2];
  EXPECT_NE(figures.lines[2].find(R"(", "1316", ")"), std::string::npos) << figures.lines[2];
  EXPECT_TRUE(figures.lines[2].ends_with(R"(", "yes"])")) << figures.lines[2];
}

TEST_F(ExportCli, UsageErrorsComeBeforeAnyWork) {
  Result r = run("concord -m 'gr*' zitate.txt --export xlsx");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("xlsx needs -o FILE"), std::string::npos) << r.err;
  r = run("wordfreq zitate.txt --export ods -o x.ods");
  EXPECT_EQ(r.status, 2);
  r = run("concord -m 'gr*' zitate.txt --export csv --format justify");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--format"), std::string::npos) << r.err;
  r = run("wordfreq zitate.txt --bom");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--export"), std::string::npos) << r.err;
  r = run("colloc -m 'gr*' zitate.txt --export tsv --delimiter ';'");
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(std::filesystem::exists(path("x.ods")));
}

TEST_F(ExportCli, AFileThatCannotBeMadeIsAnErrorAndAnOldFileStays) {
  std::ofstream(dir_ / "kept.csv", std::ios::binary) << "kept";
  Result r = run("concord -m 'gr*' zitate.txt --export csv -o 'no such folder/hits.csv'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Cannot create file no such folder/hits.csv"), std::string::npos) << r.err;
  // A usage error leaves the file as it was.
  r = run("concord -m 'gr*' zitate.txt --export csv --width 20 -o kept.csv");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(readFile(dir_ / "kept.csv"), "kept");
}

}  // namespace
