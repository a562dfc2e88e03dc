#include "text/utf8_detection.h"

#include "text/encoding.h"
#include "text/rule_preview.h"

namespace lexvane::text {

void Utf8Evidence::Add(std::string_view sample) {
  for (std::size_t i = 0; i < sample.size();) {
    const auto lead = static_cast<unsigned char>(sample[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    const Utf8Char c = nextUtf8Char(sample, i);
    if (!c.valid && i + utf8SequenceLength(lead) > sample.size()) break;
    nonAscii_ += c.length;
    if (c.valid) inSequences_ += c.length;
    i += c.length;
  }
}

Utf8Evidence SampleFilesForUtf8(const std::vector<std::string>& paths) {
  Utf8Evidence evidence;
  for (const std::string& path : paths)
    evidence.Add(ReadFileStart(path, kUtf8DetectionBytes).bytes);
  return evidence;
}

}  // namespace lexvane::text
