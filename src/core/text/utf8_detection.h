// Whether corpus text read as 8-bit looks like UTF-8: most of its non-ASCII
// bytes form valid multi-byte UTF-8 sequences. Windows-1252 text almost
// never does (an accented letter followed by a symbol from 0x80-0xBF is
// rare), so the file-list editor and the command line can suggest the switch.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::text {

// How much of each file the check reads.
inline constexpr std::size_t kUtf8DetectionBytes = 65536;

class Utf8Evidence {
 public:
  // Counts the non-ASCII bytes of `sample` and those inside valid multi-byte
  // sequences. A sequence cut short by the end of the sample is not counted.
  void Add(std::string_view sample);
  // Most non-ASCII bytes (more than half) were in valid sequences.
  bool LooksUtf8() const { return inSequences_ > 0 && 2 * inSequences_ > nonAscii_; }

 private:
  std::int64_t nonAscii_ = 0;
  std::int64_t inSequences_ = 0;
};

// The evidence of the first kUtf8DetectionBytes of each file; files that are
// missing or not regular are skipped.
Utf8Evidence SampleFilesForUtf8(const std::vector<std::string>& paths);

}  // namespace lexvane::text
