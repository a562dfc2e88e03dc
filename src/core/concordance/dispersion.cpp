#include "concordance/dispersion.h"

#include <charconv>

namespace lexvane::concordance {

namespace {

std::string fixed(double value, int decimals) {
  // to_chars rounds as printf's "%.*f" does; -0.0000 would read oddly.
  if (value == 0.0) value = 0.0;
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, error == std::errc() ? end : buffer);
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

}  // namespace

DispersionFigures ComputeDispersion(std::span<const PartCount> files) {
  DispersionFigures f;
  f.Files = static_cast<std::int32_t>(files.size());
  double smallestShare = 1.0;
  for (const PartCount& file : files) {
    f.Words += file.Words;
    f.Hits += file.Hits;
    if (file.Words > 0) ++f.Parts;
    if (file.Hits > 0) ++f.Range;
  }
  if (f.Files > 0) f.RangeShare = static_cast<double>(f.Range) / f.Files;
  if (f.Hits == 0 || f.Words == 0) return f;

  const double words = static_cast<double>(f.Words);
  const double hits = static_cast<double>(f.Hits);
  DpSum dp;
  double sumRelative = 0;
  for (const PartCount& file : files) {
    if (file.Words == 0) continue;
    const double share = static_cast<double>(file.Words) / words;
    smallestShare = std::min(smallestShare, share);
    if (file.Hits > 0) dp.Add(static_cast<double>(file.Hits) / hits, share);
    sumRelative += static_cast<double>(file.Hits) / static_cast<double>(file.Words);
  }
  f.DP = dp.Value();
  if (f.Parts > 1) f.DPnorm = std::clamp(*f.DP / (1.0 - smallestShare), 0.0, 1.0);

  if (f.Parts < 2) return f;
  const double n = f.Parts;
  const double mean = sumRelative / n;
  double squares = 0;
  for (const PartCount& file : files) {
    if (file.Words == 0) continue;
    const double d = static_cast<double>(file.Hits) / static_cast<double>(file.Words) - mean;
    squares += d * d;
  }
  const double sigma = std::sqrt(squares / n);
  f.JuillandD = std::clamp(1.0 - (sigma / mean) / std::sqrt(n - 1.0), 0.0, 1.0);
  return f;
}

std::string FormatMeasure(const std::optional<double>& value) {
  return value ? fixed(*value, 4) : std::string("n/a");
}

std::string FormatPerThousand(std::int64_t count, std::int64_t words) {
  if (words <= 0) return "0.00";
  return fixed(static_cast<double>(count) / static_cast<double>(words) * 1000.0, 2);
}

}  // namespace lexvane::concordance
