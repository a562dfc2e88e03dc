// IniFile: the sections-and-keys text files of the program (list files and
// their companions, word search files, the settings file). Anyone in the core
// may use it; it knows nothing of what the keys mean.
//
// Rules kept for every file:
// - A section starts with its name in square brackets; an entry is
//   key=value. Section names and keys compare without regard to ASCII case.
//   Lines starting with ";" are comments. Where a section or key occurs
//   twice, the first one is read and written.
// - A value is read with blanks (spaces, tabs) at both ends removed, then
//   without one matching pair of enclosing quotes (" or '), and at most 1023
//   characters.
// - Integers are decimal (optionally signed) or hexadecimal after "0x", "0X"
//   or "$"; anything else reads as the caller's default.
// - Writing replaces a value in place, or appends the entry after the last
//   entry of its section, or creates the section at the end of the file.
//   Every other line (foreign sections and keys, comments, blank lines) stays.
// - Files are read with LF or CR LF line ends and written with CR LF. Only LF
//   ends a line: a carriage return anywhere else is part of its line.
// - A written value reads back as it was: it is written as it stands where
//   that reads back the same, else inside double quotes (blanks or tabs at
//   its ends, or a pair of enclosing quotes of its own). A line feed cannot be
//   held by any line, so a value holding one is refused.
//
// An IniFile is a whole file held in memory: load once, read and change many
// entries, save once. Save replaces the file atomically (a temporary file in
// the same folder renamed over it), so a failed save leaves the old file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lexvane::io {

class IniFile {
 public:
  static constexpr std::size_t kMaxValueLength = 1023;

  // An empty document that Save writes to `path`.
  explicit IniFile(std::string path);

  // Reads `path`. A missing file gives an empty document. A file that exists
  // but cannot be read also reads as empty, and Save then refuses to replace
  // it (so the unread content is never lost).
  static IniFile Load(const std::string& path);
  // A document parsed from `text`, to be saved to `path`.
  static IniFile FromText(std::string path, std::string_view text);

 public:  // queries
  const std::string& Path() const { return path_; }
  bool SectionExists(std::string_view section) const;
  bool KeyExists(std::string_view section, std::string_view key) const;
  // The keys of the section in file order (trimmed, as written).
  std::vector<std::string> Keys(std::string_view section) const;
  // The value read by the rules above; `defaultValue` when the key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue = {}) const;
  std::int64_t ReadInteger(std::string_view section, std::string_view key,
                           std::int64_t defaultValue) const;
  // An integer: zero is false, any other number true.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  // The document as Save writes it (CR LF after every line).
  std::string Text() const;

 public:  // changes, in memory until Save
  // Writes `value` so that ReadString gives it back (up to kMaxValueLength
  // characters). Throws text::Error("Unable to write to " + Path() + ...)
  // when it holds a line feed, which would end the entry and start a line of
  // its own; the document is then unchanged.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Writes `value` as it stands, never quoted: blanks at its ends are lost on
  // reading, for a caller that puts them back itself. Refuses a line feed as
  // WriteString does.
  void WriteUnquotedString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int64_t value);
  // Written as "1" or "0".
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // Removes every section of that name with all its lines.
  void EraseSection(std::string_view section);
  void EraseKey(std::string_view section, std::string_view key);

  // Writes the document to Path(). Throws text::Error("Unable to write to " +
  // Path()) when it cannot, and when the file existed but could not be read.
  void Save() const;

  // The value ReadString gives for an entry written as key=`text`.
  static std::string ValueReadFrom(std::string_view text);

 private:
  // One section: its header line and the lines below it up to the next
  // header. The first block holds the lines before any header (no name).
  struct Block {
    std::string header;
    std::string foldedName;
    std::vector<std::string> lines;
    // Folded key -> index in lines of its first entry.
    std::unordered_map<std::string, std::size_t> keys;
    // One past the last entry line (0 when there is none).
    std::size_t entriesEnd = 0;
  };

  void writeEntry(std::string_view section, std::string_view key, std::string_view written);
  void addLine(std::string line);
  void indexBlock(Block& block);
  void indexSections();
  const Block* findBlock(std::string_view section) const;
  std::optional<std::string_view> rawValue(std::string_view section, std::string_view key) const;

  std::string path_;
  std::vector<Block> blocks_;
  // Folded section name -> index in blocks_ of its first block.
  std::unordered_map<std::string, std::size_t> sections_;
  bool unreadable_ = false;
};

// Parses an INI integer: optional sign and decimal digits, or hexadecimal
// digits after "0x", "0X" or "$", blanks at both ends allowed. nullopt for
// anything else, including numbers out of the 64-bit range.
std::optional<std::int64_t> ParseIniInteger(std::string_view text);

}  // namespace lexvane::io
