#include "text/read_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace lexvane::text {

std::int64_t ReadSome(int fd, char* buffer, std::size_t size) {
  ssize_t got;
  do {
    got = ::read(fd, buffer, size);
  } while (got < 0 && errno == EINTR);
  return got;
}

std::int64_t ReadSomeAt(int fd, char* buffer, std::size_t size, std::int64_t offset) {
  ssize_t got;
  do {
    got = ::pread(fd, buffer, size, static_cast<off_t>(offset));
  } while (got < 0 && errno == EINTR);
  return got;
}

std::int64_t ReadFullyAt(int fd, char* buffer, std::size_t size, std::int64_t offset) {
  std::size_t done = 0;
  while (done < size) {
    const std::int64_t got =
        ReadSomeAt(fd, buffer + done, size - done, offset + static_cast<std::int64_t>(done));
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<std::int64_t>(done);
}

std::string FileErrorMessage(const std::string& path, int error) {
  return path + ": " + std::strerror(error);
}

}  // namespace lexvane::text
