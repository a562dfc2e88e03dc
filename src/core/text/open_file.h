// Opening corpus files for reading. Every reader of corpus text opens through
// here, so that no open ever waits (a FIFO without a writer would block a
// plain open forever) and a path that names no regular file is told apart
// from one that is missing.
#pragma once

#include <string>

namespace lexvane::text {

// What the caller will do with the file.
enum class FileAccess {
  OnePass,  // read once from start to end: pipes and devices are fine
  Seek,     // read at offsets, again later: only a regular file will do
};

// The error OpenCorpusFile reports for a file that cannot be sought.
inline constexpr int kNotSeekable = -1;

// Opens `path` read-only without waiting for a writer, then checks its type:
// a directory fails with EISDIR; with FileAccess::Seek anything but a regular
// file fails with kNotSeekable. Returns the descriptor (blocking reads, close
// on exec), or -1 with `error` set to the errno value or kNotSeekable. A
// FIFO gets a few seconds for a writer to connect; without one it reads as
// empty.
int OpenCorpusFile(const std::string& path, FileAccess access, int& error);

// Whether the open file is a regular one, read at any offset (not a pipe or
// a device).
bool CanSeek(int fd);

// The message for a failed OpenCorpusFile: path + ": " + the system's text,
// or the explanation that the file must be seekable.
std::string OpenErrorMessage(const std::string& path, int error);

}  // namespace lexvane::text
