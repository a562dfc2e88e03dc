// Running the real lexvane-cli binary from the CLI tests: a shell command
// whose standard output is read and whose standard error goes to a file.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace lexvane::cli::testing {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

// Runs `command` through the shell with its standard error written to
// `errPath`: the exit status (-1 when it did not exit), the standard output
// and the standard error.
inline Result RunShell(const std::string& command, const std::string& errPath) {
  Result result;
  FILE* pipe = ::popen((command + " 2>'" + errPath + "'").c_str(), "r");
  if (pipe == nullptr) return result;
  char chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) result.out.append(chunk, got);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.err = readFile(errPath);
  return result;
}

}  // namespace lexvane::cli::testing
