// End-to-end tests of lexvane-cli dispersion, plot and wordfreq --range --dp:
// the real binary on the sample corpus and on small fixtures, the figures
// worked out by hand.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/cli_process.h"

namespace {

using lexvane::cli::testing::readFile;
using lexvane::cli::testing::Result;
using lexvane::cli::testing::RunShell;

const std::string kSamples = LEXVANE_SAMPLES_DIR;

class DispersionCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lexvane_cli_dispersion_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void write(const std::string& name, const std::string& content) {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }
  Result run(const std::string& arguments) {
    const std::string errPath = (dir_ / "stderr.txt").string();
    return RunShell("cd '" + dir_.string() + "' && '" + LEXVANE_CLI_BINARY + "' " + arguments,
                    errPath);
  }

  std::filesystem::path dir_;
};

TEST_F(DispersionCli, FiguresOfTheSampleCorpus) {
  // walk* has 6, 20 and 6 hits in files of 391, 455 and 470 words (1316):
  // s = .2971, .3457, .3571; v = .1875, .625, .1875. DP = (.1096 + .2793 +
  // .1696) / 2 = .2793; DPnorm = .2793 / (1 - .2971) = .3973. Relative
  // frequencies .015345, .043956, .012766: mean .024022, sigma .014135; D = 1
  // - .588422 / sqrt(2) = .5839.
  const Result r = run("dispersion -l '" + kSamples + "/sample.CTL' -m 'walk*' --files");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "Files:\t3\r\n"
            "Files with words:\t3\r\n"
            "Words:\t1316\r\n"
            "Hits:\t32\r\n"
            "Range:\t3\r\n"
            "Range share:\t1.0000\r\n"
            "Juilland's D:\t0.5839\r\n"
            "DP:\t0.2793\r\n"
            "DPnorm:\t0.3973\r\n"
            "\r\n"
            "File\tWords\tHits\tPer 1000 words\r\n"
            "letters_from_the_coast.txt\t391\t6\t15.35\r\n"
            "morning_walks.txt\t455\t20\t43.96\r\n"
            "the_old_house.txt\t470\t6\t12.77\r\n");
}

TEST_F(DispersionCli, FiveEqualFilesAndAnEmptyOne) {
  // Five files of ten words, "sea" twice in the first and twice in the last;
  // an empty sixth file is no part but counts among the files.
  const std::string plain = "one two three four five six seven eight nine ten. ";
  const std::string sea = "sea one two three four five six seven eight sea. ";
  write("a.txt", sea);
  write("b.txt", plain);
  write("c.txt", plain);
  write("d.txt", plain);
  write("e.txt", sea);
  write("f.txt", "");
  const Result r = run("dispersion -m sea a.txt b.txt c.txt d.txt e.txt f.txt -o out.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  // As hits [5,0,0,0,5] in five equal files: D .3876, DP .6, DPnorm .75.
  EXPECT_EQ(readFile(dir_ / "out.txt"),
            "Files:\t6\r\nFiles with words:\t5\r\nWords:\t50\r\nHits:\t4\r\nRange:\t2\r\n"
            "Range share:\t0.3333\r\nJuilland's D:\t0.3876\r\nDP:\t0.6000\r\nDPnorm:\t0.7500\r\n");
}

TEST_F(DispersionCli, FollowsDedupeAndSaysWhenTheSearchStoppedEarly) {
  std::string many;
  for (int i = 0; i < 150; ++i) many += "the sea and the sea. ";
  write("a.txt", many);
  write("b.txt", "The sea.");
  Result r = run("dispersion -m sea --max 100 a.txt b.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Hits:\t100\r\n"), std::string::npos);
  EXPECT_NE(r.out.find("Range:\t1\r\n"), std::string::npos);
  EXPECT_NE(r.out.find("Files with words:\t1\r\n"), std::string::npos);
  EXPECT_TRUE(
      r.out.ends_with("The search stopped early: the figures cover the text searched.\r\n"));
  // Two hits a sentence: after deleting duplicate sentences, one.
  r = run("dispersion -m sea --dedupe a.txt b.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Hits:\t151\r\n"), std::string::npos);
  EXPECT_EQ(r.out.find("stopped early"), std::string::npos);
  // No hit: the measures are undefined.
  r = run("dispersion -m heron a.txt b.txt");
  EXPECT_NE(r.out.find("Juilland's D:\tn/a\r\nDP:\tn/a\r\nDPnorm:\tn/a\r\n"), std::string::npos);
}

// The width and height of a PNG file from its header.
std::pair<int, int> pngSize(const std::string& bytes) {
  auto at = [&](std::size_t i) {
    return (static_cast<unsigned char>(bytes[i]) << 24) |
           (static_cast<unsigned char>(bytes[i + 1]) << 16) |
           (static_cast<unsigned char>(bytes[i + 2]) << 8) |
           static_cast<unsigned char>(bytes[i + 3]);
  };
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  return {at(16), at(20)};
}

TEST_F(DispersionCli, PlotWritesPngAndSvg) {
  const Result r = run("plot -l '" + kSamples +
                       "/sample.CTL' -m 'walk*' --png p.png --svg p.svg --width 700 --scale 2");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");  // Qt's own notes stay out of it
  const auto [width, height] = pngSize(readFile(dir_ / "p.png"));
  EXPECT_EQ(width, 1400);
  EXPECT_GT(height, 2 * 3 * 18);  // three rows and more
  const std::string svg = readFile(dir_ / "p.svg");
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("width=\"700\""), std::string::npos);
  EXPECT_NE(svg.find("Concordance: walk*"), std::string::npos);
  EXPECT_NE(svg.find("morning_walks.txt"), std::string::npos);
  EXPECT_NE(svg.find("DP: 0.2793"), std::string::npos);
}

TEST_F(DispersionCli, PlotNeedsAnOutputAndAWritableOne) {
  Result r = run("plot -l '" + kSamples + "/sample.CTL' -m walk");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--png"), std::string::npos);
  r = run("plot -l '" + kSamples + "/sample.CTL' -m walk --png no/such/folder/p.png");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Cannot create file no/such/folder/p.png"), std::string::npos);
}

TEST_F(DispersionCli, WordfreqAddsRangeAndDp) {
  // "the cat sat" (3 words), an empty file, "the dog" (2): s = .6, 0, .4.
  // the: v = .5, 0, .5, DP = (.1 + .1) / 2 = .1; cat: DP = (.4 + .4) / 2 =
  // .4; dog: (.6 + .6) / 2 = .6.
  write("a.txt", "The cat sat");
  write("b.txt", "");
  write("c.txt", "the dog");
  Result r = run("wordfreq --range --dp a.txt b.txt c.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "cat|1|20.000|1|0.4000\r\n"
            "dog|1|20.000|1|0.6000\r\n"
            "sat|1|20.000|1|0.4000\r\n"
            "the|2|40.000|2|0.1000\r\n");
  r = run("wordfreq --dp --sort freq a.txt b.txt c.txt");
  EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), "the|2|40.000|2|40.00|0.1000\r\n");
  // Without the flags, the list as it always was.
  r = run("wordfreq a.txt b.txt c.txt");
  EXPECT_EQ(r.out, "cat|1|20.000\r\ndog|1|20.000\r\nsat|1|20.000\r\nthe|2|40.000\r\n");
}

TEST_F(DispersionCli, ExportsTheTablesAsCsv) {
  write("a.txt", "The cat sat");
  write("b.txt", "");
  write("c.txt", "the dog");
  Result r = run("dispersion -m the --export csv a.txt b.txt c.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "File,Words,Hits,Per 1000 words\r\n"
            "a.txt,3,1,333.33\r\n"
            "b.txt,0,0,0.00\r\n"
            "c.txt,2,1,500.00\r\n");
  // The layout of the files' table is no option of an export.
  r = run("dispersion -m the --export csv --files a.txt");
  EXPECT_EQ(r.status, 2);
  r = run("wordfreq --range --dp --export csv a.txt b.txt c.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Word,Word Class,F,F %,Range,DP\r\n"
            "cat,,1,20.000,1,0.4000\r\n"
            "dog,,1,20.000,1,0.6000\r\n"
            "sat,,1,20.000,1,0.4000\r\n"
            "the,,2,40.000,2,0.1000\r\n");
}

TEST_F(DispersionCli, WordfreqSpreadOfTheSampleCorpusMatchesTheConcordance) {
  // "house": 2, 3 and 10 of 15 in 391, 455 and 470 words: DP = (.1638 +
  // .1457 + .3095) / 2 = .3095, as `dispersion -m house` has it.
  Result r = run("wordfreq --range --dp -l '" + kSamples + "/sample.CTL'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\r\nhouse|15|1.140|3|0.3095\r\n"), std::string::npos);
  r = run("dispersion -m house -l '" + kSamples + "/sample.CTL'");
  EXPECT_NE(r.out.find("DP:\t0.3095\r\n"), std::string::npos);
}

}  // namespace
