#include "cli/frequency_output.h"

#include <cerrno>
#include <cstring>

#include "text/encoding.h"
#include "text/error.h"

namespace lexvane::cli {

FrequencyOutput::FrequencyOutput(const std::string& path, const Streams& streams)
    : path_(path), out_(path.empty() ? streams.out : file_), utf8_(streams.Utf8Output()) {
  if (path.empty()) return;
  file_.open(path, std::ios::binary | std::ios::trunc);
  if (!file_) throw text::Error(path + ": " + std::strerror(errno));
}

void FrequencyOutput::Write(std::string_view bytes) {
  if (utf8_) {
    const std::string encoded = text::ansiToUtf8(bytes);
    out_.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
  } else {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  if (!out_) throw text::Error((path_.empty() ? "standard output" : path_) + ": write failed");
}

void FrequencyOutput::Close() {
  out_.flush();
  if (!out_) throw text::Error((path_.empty() ? "standard output" : path_) + ": write failed");
  if (!path_.empty()) file_.close();
}

}  // namespace lexvane::cli
