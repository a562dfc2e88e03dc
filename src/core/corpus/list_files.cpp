#include "corpus/list_files.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "io/file_content.h"
#include "io/ini_file.h"
#include "text/encoding.h"
#include "text/error.h"

namespace lexvane::corpus {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFileSection = "File list";
constexpr std::string_view kScanSection = "Scan";

// The seven scanning options a list file carries.
struct ScanOptions {
  std::string wordSeparators;
  std::string sentenceSeparators;
  text::Encoding encoding = text::Encoding::Windows1252;
  bool enhSentDetect = true;
  bool crlfAsSeparator = false;
  bool ignoreCapital = true;
  bool taggedText = false;
};

// A value starting with a blank loses it on reading; the blank is put back
// in front, since the word separators always hold one.
std::string wordSeparatorsRead(std::string value, text::Encoding encoding) {
  value = text::keepFirst(value, text::kMaxTextLength, encoding);
  if (value.find(' ') == std::string::npos) value.insert(0, 1, ' ');
  return value;
}

ScanOptions readScanOptions(const io::IniFile& ini) {
  ScanOptions options;
  // "Encoding" is written for UTF-8 lists only; it wins over the DOS flag,
  // which older readers see instead.
  if (ini.ReadString(kScanSection, "Encoding", "") == text::EncodingName(text::Encoding::Utf8))
    options.encoding = text::Encoding::Utf8;
  else if (ini.ReadBool(kScanSection, "OEMtoANSIConvert", false))
    options.encoding = text::Encoding::Dos850;
  // A UTF-8 list without separators gets the UTF-8 defaults.
  options.wordSeparators = wordSeparatorsRead(
      ini.ReadString(kScanSection, "WordSeparators", text::DefaultWordSeparators(options.encoding)),
      options.encoding);
  options.sentenceSeparators = ini.ReadString(kScanSection, "SentenceSeparators",
                                              std::string(text::kDefaultSentenceSeparators));
  options.enhSentDetect = ini.ReadBool(kScanSection, "EnhSentDetect", true);
  options.crlfAsSeparator = ini.ReadBool(kScanSection, "CRLFAsSeparator", false);
  options.ignoreCapital = ini.ReadBool(kScanSection, "IgnoreCapital", true);
  options.taggedText = ini.ReadBool(kScanSection, "TaggedText", false);
  return options;
}

void applyScanOptions(const ScanOptions& options, CorpusSettings& settings) {
  settings.TextEncoding = options.encoding;
  settings.WordSeparators = options.wordSeparators;
  settings.SentenceSeparators = options.sentenceSeparators;
  settings.EnhSentDetect = options.enhSentDetect;
  settings.CRLFAsSeparator = options.crlfAsSeparator;
  settings.IgnoreCapital = options.ignoreCapital;
  settings.TaggedText = options.taggedText;
}

// The text that reads back as the word separators `words` themselves, if
// one does: the value as it stands (the default separators among them: the
// reader puts their leading blank back), the value quoted, or the value
// after its leading blank quoted (a set read as 255 characters with a blank
// put in front).
std::optional<std::string> exactWordSeparatorsText(const std::string& words,
                                                   text::Encoding encoding) {
  auto readsBack = [&](const std::string& written) {
    return wordSeparatorsRead(io::IniFile::ValueReadFrom(written), encoding) == words;
  };
  if (readsBack(words)) return words;
  const std::string quoted = '"' + words + '"';
  if (readsBack(quoted)) return quoted;
  if (!words.empty() && words.front() == ' ') {
    const std::string afterBlank = '"' + words.substr(1) + '"';
    if (readsBack(afterBlank)) return afterBlank;
  }
  return std::nullopt;
}

void writeScanOptions(const CorpusSettings& settings, io::IniFile& ini) {
  ini.WriteBool(kScanSection, "OEMtoANSIConvert", settings.TextEncoding == text::Encoding::Dos850);
  const std::string& words = settings.WordSeparators;
  const text::Encoding encoding = settings.TextEncoding;
  // A set that reading would change (more than 255 characters, or no blank)
  // is written so that it reads as it would read now.
  if (const std::optional<std::string> exact = exactWordSeparatorsText(words, encoding))
    ini.WriteUnquotedString(kScanSection, "WordSeparators", *exact);
  else if (wordSeparatorsRead(io::IniFile::ValueReadFrom(words), encoding) ==
           wordSeparatorsRead(words, encoding))
    ini.WriteUnquotedString(kScanSection, "WordSeparators", words);
  else
    ini.WriteString(kScanSection, "WordSeparators", words);
  ini.WriteString(kScanSection, "SentenceSeparators", settings.SentenceSeparators);
  ini.WriteBool(kScanSection, "EnhSentDetect", settings.EnhSentDetect);
  ini.WriteBool(kScanSection, "CRLFAsSeparator", settings.CRLFAsSeparator);
  ini.WriteBool(kScanSection, "IgnoreCapital", settings.IgnoreCapital);
  ini.WriteBool(kScanSection, "TaggedText", settings.TaggedText);
  if (text::IsUtf8(settings.TextEncoding))
    ini.WriteString(kScanSection, "Encoding", text::EncodingName(settings.TextEncoding));
  else
    ini.EraseKey(kScanSection, "Encoding");
}

// A path as read from a list: relative ones count from the list's folder.
// An empty path stays empty (it is reported missing by the recount).
std::string resolvePath(const fs::path& listFolder, const std::string& path) {
  if (path.empty() || fs::path(path).is_absolute()) return path;
  return (listFolder / path).lexically_normal().string();
}

// A path as written into a list: full.
std::string fullPath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ec;
  fs::path full = fs::absolute(path, ec);
  return ec ? path : full.string();
}

// Lines end at CR, LF or CR LF; a zero byte ends the list. Empty lines are
// skipped: an editor's trailing empty line names no file.
std::vector<std::string> splitPlainList(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      if (!line.empty()) lines.push_back(std::move(line));
      line.clear();
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

[[noreturn]] void failOpen(const std::string& path) {
  throw text::Error("Cannot open file " + path);
}

}  // namespace

bool IsTextList(std::string_view path) {
  return path.find(".CTL") != std::string_view::npos;
}

std::string CompanionIniPath(const std::string& listPath) {
  return fs::path(listPath).replace_extension(".INI").string();
}

std::string DefaultExtension(const std::string& path, std::string_view extension) {
  if (path.empty() || fs::path(path).has_extension()) return path;
  return path + "." + std::string(extension);
}

namespace {

// The paths of a list, in the list's order, and its scanning options.
// Throws text::Error "Cannot open file <path>" when the list cannot be read.
std::vector<std::string> readList(const std::string& path, bool isTextList, ScanOptions& options) {
  std::optional<std::string> listBytes = io::ReadFileContent(path);
  if (!listBytes) failOpen(path);
  const fs::path listFolder = fs::absolute(path).parent_path();

  std::vector<std::string> paths;
  if (isTextList) {
    const io::IniFile ini = io::IniFile::FromText(path, *listBytes);
    for (int n = 1;; ++n) {
      std::string value = ini.ReadString(kFileSection, "File" + std::to_string(n));
      if (value.empty()) break;
      // Every character is kept: paths longer than 255 are common here.
      paths.push_back(resolvePath(listFolder, value));
    }
    options = readScanOptions(ini);
  } else {
    for (const std::string& line : splitPlainList(*listBytes))
      paths.push_back(resolvePath(listFolder, line));
    // A companion that is missing or unreadable gives the defaults.
    options = readScanOptions(io::IniFile::FromText(
        CompanionIniPath(path), io::ReadFileContent(CompanionIniPath(path)).value_or("")));
  }
  return paths;
}

}  // namespace

void ReadListFile(const std::string& path, bool isTextList, CorpusSettings& settings,
                  const text::Collator& collator) {
  settings.Files.Clear();
  ScanOptions options;
  const std::vector<std::string> paths = readList(path, isTextList, options);
  for (const std::string& file : paths) settings.Files.Add(file, collator);
  applyScanOptions(options, settings);
}

text::Encoding ReadListEncoding(const std::string& path) {
  ScanOptions options;
  readList(path, IsTextList(path), options);
  return options.encoding;
}

void WriteListFile(const std::string& path, bool isTextList, const CorpusSettings& settings) {
  if (isTextList) {
    io::IniFile ini = io::IniFile::Load(path);
    ini.EraseSection(kFileSection);
    // An empty path would end the list for the reader and lose the paths
    // after it, so it is left out.
    int n = 0;
    for (const std::string& file : settings.Files.Paths()) {
      if (file.empty()) continue;
      const std::string full = fullPath(file);
      // A longer value would be read back cut, as another path.
      if (full.size() > io::IniFile::kMaxValueLength)
        throw text::Error("Cannot create file " + path + ": the path " + full + " is longer than " +
                          std::to_string(io::IniFile::kMaxValueLength) + " characters");
      ini.WriteString(kFileSection, "File" + std::to_string(++n), full);
    }
    writeScanOptions(settings, ini);
    ini.Save();
    return;
  }
  // The options are set first: a value the companion refuses leaves both
  // files as they were.
  io::IniFile ini = io::IniFile::Load(CompanionIniPath(path));
  writeScanOptions(settings, ini);
  std::string lines;
  for (const std::string& file : settings.Files.Paths()) {
    // Lines end at either line-break character and a zero byte ends the
    // list, so such a path would come back as other paths.
    if (file.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
      throw text::Error("Cannot create file " + path + ": the path " + file +
                        " holds a line break or a zero byte");
    lines += fullPath(file) + "\r\n";
  }
  if (!io::ReplaceFileContent(path, lines)) throw text::Error("Cannot create file " + path);
  ini.Save();
}

void OpenListFile(const std::string& path, CorpusSettings& settings, const text::Collator& collator,
                  text::UserInterface& ui) {
  ReadListFile(path, IsTextList(path), settings, collator);
  settings.Modified = false;
  settings.ListPath = path;
  settings.Utf8Offered = false;
  settings.RecountFiles(ui);
}

}  // namespace lexvane::corpus
