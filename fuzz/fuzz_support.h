// Shared by the fuzz targets: a scratch folder per process for the inputs
// that the engine reads from files, and a check that aborts with a message
// (libFuzzer then keeps the input that broke it).
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "text/collation.h"

namespace lexvane::fuzz {

inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("lexvane-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    std::atexit([] { std::filesystem::remove_all(ScratchFolder()); });
    return path;
  }();
  return folder;
}

// Writes `bytes` to a file of that name in the scratch folder.
inline std::string WriteScratch(const std::string& name, std::string_view bytes) {
  const std::string path = (ScratchFolder() / name).string();
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

// The collator the targets sort with: made once, then only read.
inline const text::Collator& RootCollator() {
  static const text::Collator collator("root");
  return collator;
}

[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
  std::abort();
}

inline void Check(bool condition, const std::string& what) {
  if (!condition) Fail(what);
}

}  // namespace lexvane::fuzz
