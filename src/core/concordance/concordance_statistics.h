// The figures of the statistics dialog ("Statistics") of a concordance or a
// word frequency window, and the text its "&Copy" puts on the clipboard.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "concordance/concordance_table.h"

namespace lexvane::concordance {

inline constexpr std::string_view kSearchNotCompleted = "Search was not completed.";

struct Statistics {
  // The five caption labels and their values, as shown (numbers grouped with
  // FormatThousands, the size followed by " kB").
  std::array<std::string, 5> Captions;
  std::array<std::string, 5> Values;
  // The five figures as numbers (the size in kB), for the export.
  std::array<std::int64_t, 5> Figures{};
  bool NotComplete = false;  // shows "Search was not completed."

  // Each row as caption, tab, value, CR LF; then the note and CR LF when shown.
  std::string CopyText() const;
};

// The rows: "Files:", "Total size:", "Total words:", "Total sentences:" and
// `lastCaption` ("Sentences found:" or "Types found:").
Statistics MakeStatistics(std::int64_t fileCount, std::int64_t totalSizeKB, std::int64_t totalWords,
                          std::int64_t totalSentences, std::string_view lastCaption,
                          std::int64_t found, bool complete);

// A concordance: the build's figures and the rows it holds now.
Statistics ConcordanceStatistics(const ConcordanceTable& table);

}  // namespace lexvane::concordance
