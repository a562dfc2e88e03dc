#include "io/ini_file.h"

#include <limits>

#include "io/file_content.h"
#include "text/error.h"

namespace lexvane::io {

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

std::string folded(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = foldAscii(c);
  return out;
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

std::string makeEntry(std::string_view key, std::string_view text) {
  std::string line(key);
  line += '=';
  line += text;
  return line;
}

// The value part of an entry line as read: blanks at both ends removed, then
// one pair of enclosing quotes, then cut to the longest value.
std::string_view valueOf(std::string_view text) {
  std::string_view value = trimBlanks(text);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value.substr(0, IniFile::kMaxValueLength);
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

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  blocks_.emplace_back();
}

IniFile IniFile::FromText(std::string path, std::string_view text) {
  IniFile file(std::move(path));
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    file.addLine(std::string(line));
    if (end == npos) break;
    text.remove_prefix(end + 1);
  }
  for (Block& block : file.blocks_) file.indexBlock(block);
  file.indexSections();
  return file;
}

IniFile IniFile::Load(const std::string& path) {
  bool missing = false;
  std::optional<std::string> bytes = ReadFileContent(path, &missing);
  if (bytes) return FromText(path, *bytes);
  IniFile file(path);
  file.unreadable_ = !missing;
  return file;
}

void IniFile::addLine(std::string line) {
  if (auto name = headerName(line)) {
    Block block;
    block.foldedName = folded(*name);
    block.header = std::move(line);
    blocks_.push_back(std::move(block));
  } else {
    blocks_.back().lines.push_back(std::move(line));
  }
}

void IniFile::indexBlock(Block& block) {
  block.keys.clear();
  block.entriesEnd = 0;
  for (std::size_t i = 0; i < block.lines.size(); ++i) {
    if (auto key = entryKey(block.lines[i])) {
      block.keys.emplace(folded(*key), i);
      block.entriesEnd = i + 1;
    }
  }
}

void IniFile::indexSections() {
  sections_.clear();
  for (std::size_t i = 1; i < blocks_.size(); ++i) sections_.emplace(blocks_[i].foldedName, i);
}

const IniFile::Block* IniFile::findBlock(std::string_view section) const {
  auto found = sections_.find(folded(trimBlanks(section)));
  return found == sections_.end() ? nullptr : &blocks_[found->second];
}

std::optional<std::string_view> IniFile::rawValue(std::string_view section,
                                                  std::string_view key) const {
  const Block* block = findBlock(section);
  if (!block) return std::nullopt;
  auto found = block->keys.find(folded(trimBlanks(key)));
  if (found == block->keys.end()) return std::nullopt;
  std::string_view line = block->lines[found->second];
  return line.substr(line.find('=') + 1);
}

bool IniFile::SectionExists(std::string_view section) const {
  return findBlock(section);
}

bool IniFile::KeyExists(std::string_view section, std::string_view key) const {
  return rawValue(section, key).has_value();
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Block* block = findBlock(section))
    for (const std::string& line : block->lines)
      if (auto name = entryKey(line)) keys.emplace_back(*name);
  return keys;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  auto raw = rawValue(section, key);
  if (!raw) return std::string(defaultValue);
  return std::string(valueOf(*raw));
}

std::string IniFile::ValueReadFrom(std::string_view text) {
  return std::string(valueOf(text));
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
  auto add = [&text](const std::string& line) {
    text += line;
    text += "\r\n";
  };
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    if (i > 0) add(blocks_[i].header);
    for (const std::string& line : blocks_[i].lines) add(line);
  }
  return text;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  // Quotes only where the value as it stands would not come back: the bytes
  // of every value that reads back plainly stay as they always were.
  if (value.substr(0, kMaxValueLength) == valueOf(value)) {
    writeEntry(section, key, value);
    return;
  }
  std::string quoted = "\"";
  quoted += value;
  quoted += '"';
  writeEntry(section, key, quoted);
}

void IniFile::WriteUnquotedString(std::string_view section, std::string_view key,
                                  std::string_view value) {
  writeEntry(section, key, value);
}

void IniFile::writeEntry(std::string_view section, std::string_view key, std::string_view written) {
  if (written.find('\n') != npos)
    throw text::Error("Unable to write to " + path_ + ": the value of " + std::string(key) +
                      " holds a line break");
  section = trimBlanks(section);
  key = trimBlanks(key);
  std::string foldedKey = folded(key);
  auto found = sections_.find(folded(section));
  if (found == sections_.end()) {
    Block block;
    block.header = makeHeader(section);
    block.foldedName = folded(section);
    blocks_.push_back(std::move(block));
    found = sections_.emplace(blocks_.back().foldedName, blocks_.size() - 1).first;
  }
  Block& block = blocks_[found->second];
  auto entry = block.keys.find(foldedKey);
  if (entry != block.keys.end()) {
    block.lines[entry->second] = makeEntry(key, written);
    return;
  }
  // Only comments and blank lines follow the last entry, and they hold no
  // indexed keys, so the insertion leaves the index valid.
  const std::size_t at = block.entriesEnd;
  block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(at),
                     makeEntry(key, written));
  block.keys.emplace(std::move(foldedKey), at);
  block.entriesEnd = at + 1;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int64_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
  const std::string name = folded(trimBlanks(section));
  if (!sections_.contains(name)) return;
  std::size_t kept = 1;  // the lines before any header are no section
  for (std::size_t i = 1; i < blocks_.size(); ++i)
    if (blocks_[i].foldedName != name) {
      if (kept != i) blocks_[kept] = std::move(blocks_[i]);
      ++kept;
    }
  blocks_.resize(kept);
  indexSections();
}

void IniFile::EraseKey(std::string_view section, std::string_view key) {
  auto found = sections_.find(folded(trimBlanks(section)));
  if (found == sections_.end()) return;
  Block& block = blocks_[found->second];
  auto entry = block.keys.find(folded(trimBlanks(key)));
  if (entry == block.keys.end()) return;
  block.lines.erase(block.lines.begin() + static_cast<std::ptrdiff_t>(entry->second));
  indexBlock(block);
}

void IniFile::Save() const {
  if (unreadable_ || !ReplaceFileContent(path_, Text())) failWrite(path_);
}

}  // namespace lexvane::io
