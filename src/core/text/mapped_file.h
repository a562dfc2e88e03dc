// MappedFile: a corpus file mapped into memory for reading, so that the
// block scanner reads its bytes where the system keeps them instead of
// copying them into a buffer first.
//
// A mapped file that shrinks while it is read (another program truncates
// it) would kill the process with SIGBUS at the first page behind its new
// end. While any file is mapped, a handler puts a page of zeros at such an
// address and marks the mapping damaged, so the reader goes on over NUL
// bytes and learns at its next look at Damaged() that the file changed
// under it. A SIGBUS at any other address goes to the handler there was
// before (the default one ends the process, as it would have).
#pragma once

#include <cstdint>
#include <optional>

namespace lexvane::text {

class MappedFile {
 public:
  // Mapped files smaller than this gain nothing over reading them.
  static constexpr std::int64_t kWorthMapping = 1 << 20;

  // Maps the whole of the open regular file `fd` (of `size` bytes, at least
  // one); nothing when it cannot be mapped (the caller reads it instead).
  static std::optional<MappedFile> Map(int fd, std::int64_t size);

  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&&) = delete;
  MappedFile(const MappedFile&) = delete;
  ~MappedFile();

 public:  // queries
  const unsigned char* Data() const { return data_; }
  std::int64_t Size() const { return size_; }
  // Whether a page of it vanished while it was read: the file shrank, and
  // the bytes from there on read as zeros.
  bool Damaged() const;

 public:  // commands
  // Asks the system to read [from, until) ahead of the scan.
  void WillRead(std::int64_t from, std::int64_t until) const;
  // Tells the system that the pages within [from, until) have been read:
  // they leave this process (they stay cached, and a later look at them
  // reads them in again), so that a scan of a large file does not hold all
  // of it.
  void Release(std::int64_t from, std::int64_t until) const;

 private:
  MappedFile(const unsigned char* data, std::int64_t size, int slot)
      : data_(data), size_(size), slot_(slot) {}

  const unsigned char* data_ = nullptr;
  std::int64_t size_ = 0;
  int slot_ = -1;  // in the table the SIGBUS handler looks in
};

}  // namespace lexvane::text
