#include "text/open_file.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/read_file.h"

namespace lexvane::text {

namespace {

// A FIFO opened before its writer reads as empty. Give a writer that is
// being started (a shell's `mkfifo f; producer > f & reader f`) a moment to
// connect; one that never comes costs this wait, never a hang.
constexpr int kWriterWaitMs = 3000;

void awaitWriter(int fd) {
  pollfd wanted{fd, POLLIN, 0};
  while (::poll(&wanted, 1, kWriterWaitMs) < 0 && errno == EINTR) {
  }
}

}  // namespace

int OpenCorpusFile(const std::string& path, FileAccess access, int& error) {
  error = 0;
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  struct stat info;
  if (::fstat(fd, &info) != 0)
    error = errno;
  else if (S_ISDIR(info.st_mode))
    error = EISDIR;
  else if (access == FileAccess::Seek && !S_ISREG(info.st_mode))
    error = kNotSeekable;
  // Reads wait for data again: a pipe without data yet is no end of file.
  else if (const int flags = ::fcntl(fd, F_GETFL);
           flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0)
    error = errno;
  else if (S_ISFIFO(info.st_mode))
    awaitWriter(fd);
  if (error != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::string OpenErrorMessage(const std::string& path, int error) {
  if (error == kNotSeekable)
    return path +
           " is not a regular file: the concordance re-reads its sentences, so it needs a file "
           "it can seek";
  return FileErrorMessage(path, error);
}

bool CanSeek(int fd) {
  struct stat info;
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace lexvane::text
