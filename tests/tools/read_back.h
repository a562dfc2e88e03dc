// Reading an exported table back with tests/tools/read_table.py (Python's csv
// module, zipfile and ElementTree): an independent reader, so that the tests
// check what other programs see, not what our writers meant.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#ifndef LEXVANE_PYTHON3
#error "LEXVANE_PYTHON3 names the Python interpreter"
#endif
#ifndef LEXVANE_READ_TABLE
#error "LEXVANE_READ_TABLE names tests/tools/read_table.py"
#endif

namespace lexvane::testing {

struct ReadBack {
  int status = -1;
  // "bom 0|1" or "sheet ..." lines, and one JSON array per record.
  std::vector<std::string> lines;
};

// Reads `path` as `format` ("csv", "tsv", "xlsx"). The reader's errors go to
// the test's standard error.
inline ReadBack ReadTable(const std::string& format, const std::string& path) {
  ReadBack result;
  const std::string command = std::string("'") + LEXVANE_PYTHON3 + "' '" + LEXVANE_READ_TABLE +
                              "' " + format + " '" + path + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::string out;
  char chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) out.append(chunk, got);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::size_t start = 0;
  while (start < out.size()) {
    std::size_t end = out.find('\n', start);
    if (end == std::string::npos) end = out.size();
    result.lines.push_back(out.substr(start, end - start));
    start = end + 1;
  }
  return result;
}

}  // namespace lexvane::testing
