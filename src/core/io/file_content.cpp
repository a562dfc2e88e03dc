#include "io/file_content.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "text/read_file.h"

namespace lexvane::io {

std::optional<std::string> ReadFileContent(const std::string& path, bool* missing) {
  if (missing) *missing = false;
  // Non-blocking, so that a FIFO without a writer is refused instead of
  // waited for; a regular file reads the same either way.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (missing) *missing = errno == ENOENT || errno == ENOTDIR;
    return std::nullopt;
  }
  std::string bytes;
  struct stat info;
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (ok) bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[16384];
  while (ok) {
    const std::int64_t n = text::ReadSome(fd, buffer, sizeof buffer);
    if (n < 0) ok = false;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return bytes;
}

bool ReplaceFileContent(const std::string& path, std::string_view bytes) {
  ReplacementFile file(path);
  return file.Ok() && file.Write(bytes) && file.Commit();
}

ReplacementFile::ReplacementFile(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target = fs::canonical(path, ec);
  if (ec) target = path;
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";

  // A random suffix per attempt: another writer of the same file (in this
  // process or another) picks another name.
  std::random_device random;
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = (folder / ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                      std::to_string(random())))
               .string();
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return;

  struct stat original;
  if (::stat(target.c_str(), &original) == 0) {
    // Never replace a folder or a device by a regular file.
    if (!S_ISREG(original.st_mode) || ::fchmod(fd, original.st_mode & 07777) != 0) {
      ::close(fd);
      ::unlink(temp.c_str());
      return;
    }
  }
  target_ = target.string();
  temp_ = std::move(temp);
  fd_ = fd;
}

ReplacementFile::~ReplacementFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
}

bool ReplacementFile::Write(std::string_view bytes) {
  if (fd_ < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool ReplacementFile::CloseForWriter() {
  if (fd_ < 0) return Ok();
  bool ok = ::fsync(fd_) == 0;
  if (::close(fd_) != 0) ok = false;
  fd_ = -1;
  return ok;
}

bool ReplacementFile::Commit() {
  if (!Ok() || committed_) return false;
  if (!CloseForWriter()) return false;
  if (::rename(temp_.c_str(), target_.c_str()) != 0) return false;
  committed_ = true;
  return true;
}

}  // namespace lexvane::io
