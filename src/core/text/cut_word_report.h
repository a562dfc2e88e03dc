// The report of a build that cut words: a word longer than 255 characters is
// delivered as its first 255, the rest of it skipped, and the scan goes on.
// The scans collect the files where that happened; a front end shows the
// report once per build (the command line one line per file, the desktop
// program one message after the build).
#pragma once

#include <string>
#include <vector>

namespace lexvane::text {

// The warning for one file.
inline std::string CutWordWarning(const std::string& path) {
  return "Warning: A word longer than 255 characters in " + path +
         " was cut to its first 255 characters.";
}

// The warnings of all files, one line each; empty when no word was cut.
inline std::string CutWordsReport(const std::vector<std::string>& paths) {
  std::string report;
  for (const std::string& path : paths) {
    if (!report.empty()) report += '\n';
    report += CutWordWarning(path);
  }
  return report;
}

}  // namespace lexvane::text
