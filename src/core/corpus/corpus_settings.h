// CorpusSettings: the one corpus definition of a run, the corpus file paths
// and the options that cut their text into words and sentences. List files
// load and save it, the file-list editor edits it, every scan reads it when
// it starts. Scans copy what they need, so later edits never touch results.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "text/character_sets.h"
#include "text/collation.h"
#include "text/user_interface.h"

namespace lexvane::corpus {

// The corpus file paths, kept sorted by the case-insensitive collation.
// Linux paths are case-sensitive, so only byte-identical paths are dropped as
// duplicates.
class FileList {
 public:
  // Inserts at the place `collator` sorts it to, ignoring case; false when
  // the identical path is present. One list is always added to with
  // collators of one locale.
  bool Add(const std::string& path, const text::Collator& collator);
  void Clear() { paths_.clear(); }
  const std::vector<std::string>& Paths() const { return paths_; }
  std::size_t Count() const { return paths_.size(); }
  bool Empty() const { return paths_.empty(); }
  const std::string& operator[](std::size_t i) const { return paths_[i]; }

 private:
  std::vector<std::string> paths_;
};

struct CorpusSettings {
  FileList Files;
  std::string WordSeparators = text::kDefaultWordSeparators;
  std::string SentenceSeparators = std::string(text::kDefaultSentenceSeparators);
  // The encoding of the files (Dos850 is the list files' "OEMtoANSIConvert").
  text::Encoding TextEncoding = text::Encoding::Windows1252;
  bool EnhSentDetect = false;
  bool CRLFAsSeparator = false;
  bool IgnoreCapital = true;
  bool TaggedText = false;
  std::string ListPath;
  bool Modified = false;
  std::int64_t TotalBytes = 0;
  // The offer to switch to UTF-8 was made for this list (cleared by "New
  // list" and by opening a list): it is made once per list.
  bool Utf8Offered = false;

  // Sums the sizes of the files that exist. A missing file is reported with
  // "Warning: The file <path> does not exist." (OK, Cancel, Help): OK goes on,
  // Cancel ends the recount with the files checked so far.
  void RecountFiles(text::UserInterface& ui);
  // The corpus size in kilobytes, rounded up.
  std::int64_t TotalKilobytes() const { return (TotalBytes + 1023) / 1024; }
  // The tool bar summary: "" without a list path, else
  // ListPath + ": " + files + " (" + kB + " kB)", cut to 255 characters; a
  // UTF-8 corpus reads " kB, UTF-8)" at the end.
  std::string ListInfo() const;
  // "New list": files emptied, Modified off, ListPath empty, separators and
  // encoding back to their defaults (Windows-1252); the other options kept.
  void ResetToNewList();
};

// The scanner configuration of the settings: their separators and
// encoding, as every scan of them cuts the text.
text::CharacterSets ScannerSets(const CorpusSettings& settings);

}  // namespace lexvane::corpus
