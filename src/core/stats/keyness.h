// Keyness of one word in a study corpus against a reference corpus: a is its
// frequency in the study corpus, b in the reference corpus, c and d the two
// corpora's sizes in words. Pure functions.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lexvane::stats {

struct KeynessCounts {
  std::int64_t a = 0;  // study frequency
  std::int64_t b = 0;  // reference frequency
  std::int64_t c = 0;  // study corpus size
  std::int64_t d = 0;  // reference corpus size
};

enum class Direction { Positive, Negative, Neither };

// Positive when a/c > b/d, negative when a/c < b/d (compared exactly).
Direction KeyDirection(const KeynessCounts& k);

// 2 (a ln(a/E1) + b ln(b/E2)), E1 = c(a+b)/(c+d), E2 = d(a+b)/(c+d); a zero
// term adds 0 (Dunning 1993). Never negative.
double KeywordLogLikelihood(const KeynessCounts& k);
// log2((a/c) / (b/d)), 0.5 standing in for a zero frequency (Hardie 2014).
double LogRatio(const KeynessCounts& k);
// (a/c - b/d) 100 / (b/d); +inf when b = 0 (Gabrielatos & Marchi 2011).
double PercentDiff(const KeynessCounts& k);
// frequency / size x 1 000 000.
double PerMillion(std::int64_t frequency, std::int64_t size);

// The significance levels a keyword list may be cut at: p and the critical
// log-likelihood (one degree of freedom).
struct SignificanceLevel {
  std::string_view p;  // "0.05", ...
  double critical;     // LL >= critical is significant at p
};
inline constexpr std::array<SignificanceLevel, 4> kSignificanceLevels = {{
    {"0.05", 3.84},
    {"0.01", 6.63},
    {"0.001", 10.83},
    {"0.0001", 15.13},
}};
// The level of a p written as on the command line; none for another text.
std::optional<SignificanceLevel> SignificanceLevelOf(std::string_view p);

}  // namespace lexvane::stats
