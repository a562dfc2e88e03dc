// The fixture of the bad-input CLI tests: a scratch folder, files whose bytes
// are checked unchanged after each test, and the real lexvane-cli binary run
// through the shell under `timeout`, so a command that would wait forever
// fails the test instead of hanging it.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "cli/cli_process.h"

namespace lexvane::cli::testing {

namespace fs = std::filesystem;

class BadInputCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("lexvane_cli_bad_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    write("a.txt", "We walk home. The house is old. Walking is good for the house.");
  }
  void TearDown() override {
    // Whatever a command did, the regular files it was given are unchanged.
    for (const auto& [name, content] : written_)
      if (fs::is_regular_file(dir_ / name)) {
        EXPECT_EQ(readFile(dir_ / name), content) << name;
      }
    fs::remove_all(dir_);
  }

  std::string write(const std::string& name, const std::string& content) {
    std::ofstream(dir_ / name, std::ios::binary) << content;
    written_[name] = content;
    return (dir_ / name).string();
  }
  std::string fifo(const std::string& name) {
    const fs::path path = dir_ / name;
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path.string();
  }
  // Runs `prefix lexvane-cli arguments` in the fixture folder through the
  // shell; the standard output is read unless `arguments` redirects it.
  Result run(const std::string& arguments, const std::string& prefix = "", int seconds = 20) {
    const std::string errPath = (dir_ / "stderr.txt").string();
    const std::string command = "cd '" + dir_.string() + "' && " + prefix + "timeout " +
                                std::to_string(seconds) + " '" + LEXVANE_CLI_BINARY + "' " +
                                arguments;
    return RunShell(command, errPath);
  }

  fs::path dir_;
  std::map<std::string, std::string> written_;
};

}  // namespace lexvane::cli::testing
