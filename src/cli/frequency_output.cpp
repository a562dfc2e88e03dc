#include "cli/frequency_output.h"

#include <cerrno>
#include <cstring>

#include "text/error.h"

namespace lexvane::cli {

FrequencyOutput::FrequencyOutput(const std::string& path, std::ostream& out)
    : path_(path), out_(path.empty() ? out : file_) {
  if (path.empty()) return;
  file_.open(path, std::ios::binary | std::ios::trunc);
  if (!file_) throw text::Error(path + ": " + std::strerror(errno));
}

void FrequencyOutput::Write(std::string_view bytes) {
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out_) throw text::Error((path_.empty() ? "standard output" : path_) + ": write failed");
}

void FrequencyOutput::Close() {
  out_.flush();
  if (!out_) throw text::Error((path_.empty() ? "standard output" : path_) + ": write failed");
  if (!path_.empty()) file_.close();
}

}  // namespace lexvane::cli
