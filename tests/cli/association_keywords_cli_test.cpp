// End-to-end tests of the association measures of lexvane-cli colloc and of
// lexvane-cli keywords on the sample corpus, run in-process. The expected
// figures were worked out by hand from the counts the lines show.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::cli {
namespace {

struct Result {
  int status;
  std::string out, err;
};

Result run(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "lexvane-cli");
  std::vector<const char*> argv;
  for (const std::string& a : arguments) argv.push_back(a.c_str());
  std::ostringstream out, err;
  Streams streams{out, err, false};
  int status = Run(static_cast<int>(argv.size()), argv.data(), streams, RootCollator());
  return {status, out.str(), err.str()};
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0, end;
  while ((end = text.find("\r\n", start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
  return lines;
}

std::vector<std::string> fieldsOf(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, '|')) fields.push_back(field);
  return fields;
}

const std::string kSamples = LEXVANE_SAMPLES_DIR;

class AssociationCli : public ::testing::Test {
 protected:
  std::vector<std::string> colloc(std::vector<std::string> extra) {
    std::vector<std::string> arguments = {"colloc", "-l", kSamples + "/sample.CTL", "-m", "house"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    Result r = run(arguments);
    EXPECT_EQ(r.status, 0) << r.err;
    return linesOf(r.out);
  }
  static std::string lineOf(const std::vector<std::string>& lines, const std::string& collocate) {
    for (const std::string& line : lines)
      if (line.starts_with(collocate + "|")) return line;
    return {};
  }
};

TEST_F(AssociationCli, MeasuresFollowTheUnchangedLineOfEveryCollocate) {
  const std::vector<std::string> plain = colloc({});
  const std::vector<std::string> measured = colloc({"--measures", "mi,ll,logdice,t"});
  ASSERT_EQ(plain.size(), measured.size());
  for (std::size_t i = 0; i < plain.size(); ++i)
    EXPECT_TRUE(measured[i].starts_with(plain[i] + "|")) << measured[i];
  // 'a' near 'house' (15 hits, three words either side: R1 = 90), 48 times
  // in the 1 316 words of the corpus.
  EXPECT_EQ(lineOf(measured, "a"),
            "a| | |2|house| |1| |3|90|48|3|3.2827|-0.1299|-0.0278|10.6077|-0.1632");
}

TEST_F(AssociationCli, SortByAMeasureFiltersAndOncePerHit) {
  const std::vector<std::string> lines =
      colloc({"--measures", "dice", "--colloc-sort", "measure:ll", "--min-c1", "3"});
  ASSERT_GT(lines.size(), 5u);
  double previous = 1e300;
  for (const std::string& line : lines) {
    const std::vector<std::string> f = fieldsOf(line);
    ASSERT_EQ(f.size(), 15u) << line;  // 9 + R1, C1, O11, E11, Dice, LL
    EXPECT_GE(std::stoll(f[10]), 3) << line;
    const double ll = std::stod(f[14]);
    EXPECT_LE(ll, previous) << line;
    previous = ll;
  }
  // Each hit counts once: R1 is the node's 15 rows, O11 at most the total.
  for (const std::string& line : colloc({"--once-per-hit", "--measures", "mi"})) {
    const std::vector<std::string> f = fieldsOf(line);
    EXPECT_EQ(f[9], "15") << line;
    EXPECT_LE(std::stoll(f[11]), std::stoll(f[8])) << line;
  }
}

TEST_F(AssociationCli, TheExportCarriesTheAssociationColumns) {
  Result r = run({"colloc", "-l", kSamples + "/sample.CTL", "-m", "house", "--measures", "ll,mi",
                  "--export", "tsv"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(
      r.out.starts_with("Collocate\tL3\tL2\tL1\tNode\tR1\tR2\tR3\tTotal\tR1\tC1\tO11\tE11"
                        "\tLL\tMI\r\n"))
      << r.out.substr(0, 120);
  EXPECT_NE(r.out.find("\na\t0\t0\t2\thouse\t0\t1\t0\t3\t90\t48\t3\t3.2827\t-0.0278\t-0.1299\r\n"),
            std::string::npos);
  // Without measures the export is as it was.
  r = run({"colloc", "-l", kSamples + "/sample.CTL", "-m", "house", "--export", "tsv"});
  EXPECT_TRUE(r.out.starts_with("Collocate\tL3\tL2\tL1\tNode\tR1\tR2\tR3\tTotal\r\n"));
}

TEST_F(AssociationCli, AnUnknownMeasureIsAUsageError) {
  Result r = run({"colloc", "-l", kSamples + "/sample.CTL", "-m", "house", "--measures", "mi,g2"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("g2"), std::string::npos) << r.err;
  r = run({"colloc", "-l", kSamples + "/sample.CTL", "-m", "house", "--colloc-sort", "measure:LL"});
  EXPECT_EQ(r.status, 2);
}

class KeywordsCli : public ::testing::Test {
 protected:
  void SetUp() override {
    reference = std::filesystem::temp_directory_path() /
                ("lexvane_reference_" + std::to_string(::getpid()) + ".txt");
    // A published list: a heading, then word<TAB>frequency (551 words).
    std::ofstream(reference, std::ios::binary) << "word\tfrequency\nthe\t500\nhouse\t1\n"
                                                  "sea\t40\nA\t10\n";
  }
  void TearDown() override { std::filesystem::remove(reference); }
  std::filesystem::path reference;
};

TEST_F(KeywordsCli, TheSampleCorpusAgainstAWordFrequencyText) {
  Result r = run({"keywords", "-l", kSamples + "/sample.CTL", "--reference", reference.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = linesOf(r.out);
  // The corpus ignores capitals, so the reference's 'A' is 'a'.
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "house|+|15|1|11398.1763|1814.8820|5.4515|2.6509|528.0395"),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "a|+|50|10|37993.9210|18148.8203|5.3133|1.0659|109.3465"),
            lines.end());
  for (const std::string& line : lines) EXPECT_EQ(fieldsOf(line)[1], "+") << line;

  r = run({"keywords", "-l", kSamples + "/sample.CTL", "--reference", reference.string(),
           "--negative", "--p", "0.0001"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "the|-|121|500|91945.2888|907441.0163|692.4657|-3.3030|-89.8676\r\n"
            "sea|-|2|40|1519.7568|72595.2813|82.9459|-5.5780|-97.9065\r\n");
}

TEST_F(KeywordsCli, TheSampleCorpusAgainstTheUtf8ListSortedByWord) {
  Result r =
      run({"keywords", "-l", kSamples + "/sample.CTL", "--reference", kSamples + "/utf8.CTL",
           "--both", "--sort", "word", "--p", "none", "--min-freq", "3", "--delimiter", ";"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = linesOf(r.out);
  ASSERT_GT(lines.size(), 20u);
  for (std::size_t i = 1; i < lines.size(); ++i)
    EXPECT_LT(RootCollator().Compare(lines[i - 1].substr(0, lines[i - 1].find(';')),
                                     lines[i].substr(0, lines[i].find(';'))),
              0);
  for (const std::string& line : lines) EXPECT_EQ(std::count(line.begin(), line.end(), ';'), 8);
}

TEST_F(KeywordsCli, TheKeywordListExportsWithItsHeadings) {
  Result r = run({"keywords", "-l", kSamples + "/sample.CTL", "--reference", reference.string(),
                  "--negative", "--p", "0.0001", "--export", "csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Word,Key,F,Ref. F,F per million,Ref. F per million,LL,Log Ratio,%DIFF\r\n"
            "the,-,121,500,91945.2888,907441.0163,692.4657,-3.3030,-89.8676\r\n"
            "sea,-,2,40,1519.7568,72595.2813,82.9459,-5.5780,-97.9065\r\n");
  // The delimiter shapes the command's own layout only.
  EXPECT_EQ(run({"keywords", "-l", kSamples + "/sample.CTL", "--reference", reference.string(),
                 "--export", "csv", "--delimiter", ";"})
                .status,
            2);
}

TEST_F(KeywordsCli, AReferenceThatIsNoneOfTheKindsIsAnError) {
  std::ofstream(reference, std::ios::binary) << "A short note, not a list of words.\n";
  Result r = run({"keywords", "-l", kSamples + "/sample.CTL", "--reference", reference.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("is neither a list file"), std::string::npos) << r.err;
  EXPECT_EQ(run({"keywords", "-l", kSamples + "/sample.CTL"}).status, 2);  // no --reference
  EXPECT_EQ(run({"keywords", "-l", kSamples + "/sample.CTL", "--reference", reference.string(),
                 "--p", "0.02"})
                .status,
            2);
}

}  // namespace
}  // namespace lexvane::cli
