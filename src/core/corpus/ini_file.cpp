#include "corpus/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <limits>

#include "text/error.h"

namespace lexvane::corpus {

namespace {

constexpr std::size_t npos = std::string::npos;

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

char foldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  return true;
}

// The section name of a header line ("[name]", blanks allowed around).
std::optional<std::string_view> headerName(std::string_view line) {
  line = trimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  std::size_t close = line.find(']');
  if (close == npos) return std::nullopt;
  return trimBlanks(line.substr(1, close - 1));
}

// The key of an entry line; comments (";" first) are no entries.
std::optional<std::string_view> entryKey(std::string_view line) {
  std::string_view trimmed = trimBlanks(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return std::nullopt;
  std::size_t eq = line.find('=');
  if (eq == npos) return std::nullopt;
  return trimBlanks(line.substr(0, eq));
}

std::string makeEntry(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  for (char c : value) line += (c == '\r' || c == '\n') ? ' ' : c;
  return line;
}

std::string makeHeader(std::string_view section) {
  std::string line = "[";
  line += section;
  line += ']';
  return line;
}

// The magnitude of a run of digits, at most 2^63 (the smallest negative
// number's); nullopt for no digits, a foreign character or a larger number.
std::optional<std::uint64_t> parseMagnitude(std::string_view digits, unsigned base) {
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    unsigned d;
    if (c >= '0' && c <= '9')
      d = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = static_cast<unsigned>(c - 'A' + 10);
    else
      return std::nullopt;
    if (value > (kLimit - d) / base) return std::nullopt;
    value = value * base + d;
  }
  return value;
}

[[noreturn]] void failWrite(const std::string& path) {
  throw text::Error("Unable to write to " + path);
}

}  // namespace

std::optional<std::int64_t> ParseIniInteger(std::string_view text) {
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  text = trimBlanks(text);
  bool negative = false;
  std::optional<std::uint64_t> magnitude;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    magnitude = parseMagnitude(text.substr(2), 16);
  } else if (text.size() > 1 && text[0] == '$') {
    magnitude = parseMagnitude(text.substr(1), 16);
  } else {
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
      negative = text[0] == '-';
      text.remove_prefix(1);
    }
    magnitude = parseMagnitude(text, 10);
  }
  if (!magnitude) return std::nullopt;
  if (!negative) {
    if (*magnitude > kMax) return std::nullopt;
    return static_cast<std::int64_t>(*magnitude);
  }
  if (*magnitude > kMax) return std::numeric_limits<std::int64_t>::min();
  return -static_cast<std::int64_t>(*magnitude);
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

IniFile IniFile::FromText(std::string path, std::string_view text) {
  IniFile file(std::move(path));
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    file.lines_.emplace_back(line);
    if (end == npos) break;
    text.remove_prefix(end + 1);
  }
  return file;
}

IniFile IniFile::Load(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    IniFile file(path);
    file.unreadable_ = errno != ENOENT && errno != ENOTDIR;
    return file;
  }
  std::string text;
  struct stat info;
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  char buffer[16384];
  while (ok) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (!ok) {
    IniFile file(path);
    file.unreadable_ = true;
    return file;
  }
  return FromText(path, text);
}

std::size_t IniFile::findSection(std::string_view section) const {
  section = trimBlanks(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    auto name = headerName(lines_[i]);
    if (name && equalsIgnoreCase(*name, section)) return i;
  }
  return npos;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && !headerName(lines_[i])) ++i;
  return i;
}

std::size_t IniFile::findKey(std::size_t header, std::string_view key) const {
  key = trimBlanks(key);
  for (std::size_t i = header + 1; i < lines_.size(); ++i) {
    if (headerName(lines_[i])) break;
    auto name = entryKey(lines_[i]);
    if (name && equalsIgnoreCase(*name, key)) return i;
  }
  return npos;
}

std::optional<std::string_view> IniFile::rawValue(std::string_view section,
                                                  std::string_view key) const {
  std::size_t header = findSection(section);
  if (header == npos) return std::nullopt;
  std::size_t line = findKey(header, key);
  if (line == npos) return std::nullopt;
  std::string_view text = lines_[line];
  return text.substr(text.find('=') + 1);
}

bool IniFile::SectionExists(std::string_view section) const {
  return findSection(section) != npos;
}

bool IniFile::KeyExists(std::string_view section, std::string_view key) const {
  return rawValue(section, key).has_value();
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  std::size_t header = findSection(section);
  if (header == npos) return keys;
  for (std::size_t i = header + 1, end = sectionEnd(header); i < end; ++i)
    if (auto name = entryKey(lines_[i])) keys.emplace_back(*name);
  return keys;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  auto raw = rawValue(section, key);
  if (!raw) return std::string(defaultValue);
  std::string_view value = trimBlanks(*raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value.substr(0, kMaxValueLength));
}

std::int64_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int64_t defaultValue) const {
  if (!KeyExists(section, key)) return defaultValue;
  return ParseIniInteger(ReadString(section, key)).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::string IniFile::Text() const {
  std::string text;
  for (const std::string& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  section = trimBlanks(section);
  key = trimBlanks(key);
  std::size_t header = findSection(section);
  if (header == npos) {
    lines_.push_back(makeHeader(section));
    lines_.push_back(makeEntry(key, value));
    return;
  }
  std::size_t line = findKey(header, key);
  if (line != npos) {
    lines_[line] = makeEntry(key, value);
    return;
  }
  std::size_t after = header + 1;
  for (std::size_t i = header + 1, end = sectionEnd(header); i < end; ++i)
    if (entryKey(lines_[i])) after = i + 1;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after), makeEntry(key, value));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int64_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
  for (std::size_t header = findSection(section); header != npos; header = findSection(section))
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(sectionEnd(header)));
}

void IniFile::EraseKey(std::string_view section, std::string_view key) {
  std::size_t header = findSection(section);
  if (header == npos) return;
  std::size_t line = findKey(header, key);
  if (line != npos) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
}

void IniFile::Save() const {
  namespace fs = std::filesystem;
  if (unreadable_) failWrite(path_);
  // Through a symbolic link the file it names is replaced, not the link.
  std::error_code ec;
  fs::path target = fs::canonical(path_, ec);
  if (ec) target = path_;
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";

  static std::atomic<unsigned> counter{0};
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = (folder / ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                      std::to_string(counter++)))
               .string();
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) failWrite(path_);

  struct stat original;
  bool ok = true;
  if (::stat(target.c_str(), &original) == 0) ok = ::fchmod(fd, original.st_mode & 07777) == 0;
  const std::string text = Text();
  std::size_t done = 0;
  while (ok && done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      done += static_cast<std::size_t>(n);
  }
  if (ok) ok = ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    failWrite(path_);
  }
}

}  // namespace lexvane::corpus
