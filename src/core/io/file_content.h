// Whole-file reads and writes for the files this folder owns (list files,
// INI files) and for exported tables. A write never leaves a half-written
// file: the bytes go to a temporary file in the same folder, which is then
// renamed over the target.
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

// A new content for a file, written in pieces: the bytes go to a temporary
// file beside the target, and Commit() renames it over the target (with the
// target's permissions, through a symbolic link onto the file it names).
// Destroyed without a successful Commit(), the temporary file is removed and
// the target stays as it was. Not copyable; one writer at a time.
class ReplacementFile {
 public:
  // Creates the temporary file; Ok() is false when it could not be made (a
  // folder that is missing or not writable, a target that is a folder or a
  // device).
  explicit ReplacementFile(const std::string& path);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  bool Ok() const { return !temp_.empty(); }
  // The temporary file, for a writer that opens it by name itself (after
  // CloseForWriter()).
  const std::string& TempPath() const { return temp_; }
  // Appends bytes; false when they could not be written.
  bool Write(std::string_view bytes);
  // Flushes and closes the temporary file, so that another writer may
  // replace its content by name; false when what was written is not saved.
  bool CloseForWriter();
  // Closes (if still open) and renames the temporary file over the target.
  // False on any failure; the target then stays as it was.
  bool Commit();

 private:
  std::string target_;
  std::string temp_;
  int fd_ = -1;
  bool committed_ = false;
};

}  // namespace lexvane::io
