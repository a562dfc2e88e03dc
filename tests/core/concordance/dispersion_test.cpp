// Dispersion figures of small made-up distributions, worked out by hand; the
// expected texts are what the plot window and the command line print.
#include <gtest/gtest.h>

#include <vector>

#include "concordance/dispersion.h"

namespace lexvane::concordance {
namespace {

struct Printed {
  std::string range, d, dp, dpNorm;
};

Printed printed(const std::vector<PartCount>& files) {
  const DispersionFigures f = ComputeDispersion(files);
  return {std::to_string(f.Range) + " " + FormatMeasure(f.RangeShare), FormatMeasure(f.JuillandD),
          FormatMeasure(f.DP), FormatMeasure(f.DPnorm)};
}

TEST(Dispersion, HitsInTheFirstAndLastOfFiveEqualFiles) {
  // Hits [5,0,0,0,5] in five files of 100 words. Relative frequencies .05,
  // 0, 0, 0, .05: mean .02, sigma = sqrt((2 x .03^2 + 3 x .02^2) / 5) =
  // .024495; D = 1 - (.024495 / .02) / sqrt(4) = .387628. v = .5, 0, 0, 0,
  // .5 against s = .2 each: DP = (.3 + .2 + .2 + .2 + .3) / 2 = .6;
  // DPnorm = .6 / (1 - .2) = .75.
  const Printed p = printed({{100, 5}, {100, 0}, {100, 0}, {100, 0}, {100, 5}});
  EXPECT_EQ(p.range, "2 0.4000");
  EXPECT_EQ(p.d, "0.3876");
  EXPECT_EQ(p.dp, "0.6000");
  EXPECT_EQ(p.dpNorm, "0.7500");
}

TEST(Dispersion, EvenAndClumpedExtremes) {
  // Two hits in each of four equal files: perfectly even.
  Printed p = printed({{100, 2}, {100, 2}, {100, 2}, {100, 2}});
  EXPECT_EQ(p.range, "4 1.0000");
  EXPECT_EQ(p.d, "1.0000");
  EXPECT_EQ(p.dp, "0.0000");
  EXPECT_EQ(p.dpNorm, "0.0000");
  // All ten hits in one of four equal files: sigma / mu = sqrt(3), so D = 0;
  // DP = (.75 + 3 x .25) / 2 = .75, the most four equal parts allow, which
  // DPnorm scales to 1.
  p = printed({{50, 10}, {50, 0}, {50, 0}, {50, 0}});
  EXPECT_EQ(p.range, "1 0.2500");
  EXPECT_EQ(p.d, "0.0000");
  EXPECT_EQ(p.dp, "0.7500");
  EXPECT_EQ(p.dpNorm, "1.0000");
}

TEST(Dispersion, UnequalFileSizes) {
  // Hits in proportion to the sizes 100, 300, 600: relative frequencies all
  // .01, DP 0.
  Printed p = printed({{100, 1}, {300, 3}, {600, 6}});
  EXPECT_EQ(p.d, "1.0000");
  EXPECT_EQ(p.dp, "0.0000");
  EXPECT_EQ(p.dpNorm, "0.0000");
  // Against them: v = .6, .3, .1, s = .1, .3, .6: DP = (.5 + 0 + .5) / 2 =
  // .5; DPnorm = .5 / (1 - .1) = .5556. Relative frequencies .06, .01,
  // .001667: mean .023889, sigma .025760; D = 1 - 1.078331 / sqrt(2) =
  // .237507.
  p = printed({{100, 6}, {300, 3}, {600, 1}});
  EXPECT_EQ(p.range, "3 1.0000");
  EXPECT_EQ(p.d, "0.2375");
  EXPECT_EQ(p.dp, "0.5000");
  EXPECT_EQ(p.dpNorm, "0.5556");
  // Sizes 120, 80, 200, 100 (s = .24, .16, .4, .2), hits 3, 0, 7, 2 (v =
  // .25, 0, .583333, .166667): DP = (.01 + .16 + .183333 + .033333) / 2 =
  // .193333, DPnorm = .193333 / .84 = .230159. Relative frequencies .025, 0,
  // .035, .02: mean .02, sigma = sqrt(6.5e-4 / 4) = .012748; D = 1 -
  // .637377 / sqrt(3) = .632010.
  p = printed({{120, 3}, {80, 0}, {200, 7}, {100, 2}});
  EXPECT_EQ(p.range, "3 0.7500");
  EXPECT_EQ(p.d, "0.6320");
  EXPECT_EQ(p.dp, "0.1933");
  EXPECT_EQ(p.dpNorm, "0.2302");
}

TEST(Dispersion, UndefinedMeasuresHaveNoValue) {
  // One file: D divides by sqrt(0), DPnorm by 1 - 1.
  Printed p = printed({{200, 4}});
  EXPECT_EQ(p.range, "1 1.0000");
  EXPECT_EQ(p.d, "n/a");
  EXPECT_EQ(p.dp, "0.0000");
  EXPECT_EQ(p.dpNorm, "n/a");
  // No hit at all: no shares of hits, no mean to divide by.
  p = printed({{100, 0}, {100, 0}});
  EXPECT_EQ(p.range, "0 0.0000");
  EXPECT_EQ(p.d, "n/a");
  EXPECT_EQ(p.dp, "n/a");
  EXPECT_EQ(p.dpNorm, "n/a");
  // No files: not even a share.
  p = printed({});
  EXPECT_EQ(p.range, "0 n/a");
}

TEST(Dispersion, FilesWithoutWordsAreNoParts) {
  // An empty file (or one the scan never reached) cannot hold a hit: it
  // counts among the files of the range's share, but not among the parts.
  // Without it the two remaining parts are [5,0,0,0,5]'s first and last.
  const DispersionFigures f = ComputeDispersion(std::vector<PartCount>{{100, 5}, {0, 0}, {100, 5}});
  EXPECT_EQ(f.Files, 3);
  EXPECT_EQ(f.Parts, 2);
  EXPECT_EQ(f.Range, 2);
  EXPECT_EQ(FormatMeasure(f.RangeShare), "0.6667");
  EXPECT_EQ(FormatMeasure(f.JuillandD), "1.0000");
  EXPECT_EQ(FormatMeasure(f.DP), "0.0000");
  // min s is .5 of the parts, not 0 of the empty file.
  EXPECT_EQ(FormatMeasure(f.DPnorm), "0.0000");
}

TEST(Dispersion, PerThousandWords) {
  EXPECT_EQ(FormatPerThousand(3, 240), "12.50");
  EXPECT_EQ(FormatPerThousand(1, 3), "333.33");
  EXPECT_EQ(FormatPerThousand(0, 500), "0.00");
  EXPECT_EQ(FormatPerThousand(2, 0), "0.00");
}

}  // namespace
}  // namespace lexvane::concordance
