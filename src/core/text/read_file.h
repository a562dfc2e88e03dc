// Reading from an open file. Every reader of corpus text and of the
// program's own files reads through here, so that a read interrupted by a
// signal is retried in one place and a failed read is reported alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lexvane::text {

// Reads up to `size` bytes at the file position. Returns the number read
// (0 at the end of the file), or -1 with errno set; a read interrupted by a
// signal before it read anything is tried again.
std::int64_t ReadSome(int fd, char* buffer, std::size_t size);

// The same at `offset`, leaving the file position alone.
std::int64_t ReadSomeAt(int fd, char* buffer, std::size_t size, std::int64_t offset);

// Reads from `offset` until `size` bytes are in or the file ends. Returns
// the number read, or -1 with errno set.
std::int64_t ReadFullyAt(int fd, char* buffer, std::size_t size, std::int64_t offset);

// The message for a failed read (or open): path + ": " + the system's text
// of `error`.
std::string FileErrorMessage(const std::string& path, int error);

}  // namespace lexvane::text
