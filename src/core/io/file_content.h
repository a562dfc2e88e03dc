// Whole-file reads and writes for the files this folder owns (list files,
// INI files). A write never leaves a half-written file: the bytes go to a
// temporary file in the same folder, which is then renamed over the target.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexvane::io {

// The bytes of a regular file (following links); nullopt when it is missing,
// is no regular file or cannot be read. `missing` (if given) tells a missing
// path apart from one that exists but cannot be read.
std::optional<std::string> ReadFileContent(const std::string& path, bool* missing = nullptr);

// Writes `bytes` as the new content of `path`. Through a symbolic link the
// file it names is replaced; an existing file keeps its permissions, a new
// one gets the usual ones for the process. False on any failure, which
// leaves the old file as it was.
bool ReplaceFileContent(const std::string& path, std::string_view bytes);

}  // namespace lexvane::io
