#include "corpus/corpus_settings.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "text/collation.h"
#include "text/encoding.h"
#include "text/text_utils.h"

namespace lexvane::corpus {

bool FileList::Add(const std::string& path, const text::Collator& collator) {
  auto at = std::lower_bound(paths_.begin(), paths_.end(), path,
                             [&collator](const std::string& a, const std::string& b) {
                               return collator.CompareIgnoreCase(a, b) < 0;
                             });
  if (at != paths_.end() && *at == path) return false;
  paths_.insert(at, path);
  return true;
}

void CorpusSettings::RecountFiles(text::UserInterface& ui) {
  TotalBytes = 0;
  for (const std::string& path : Files.Paths()) {
    // A pipe or device has no size; whether the command can use it is told
    // when the file is opened.
    struct stat info;
    const bool exists = ::stat(path.c_str(), &info) == 0;
    const int error = exists ? 0 : errno;
    if (exists && S_ISREG(info.st_mode)) TotalBytes += static_cast<std::int64_t>(info.st_size);
    if (exists && !S_ISDIR(info.st_mode)) continue;
    std::string what = " is a directory.";
    if (error == ENOENT || error == ENOTDIR)
      what = " does not exist.";
    else if (error != 0)
      what = std::string(" cannot be read: ") + std::strerror(error) + ".";
    const text::Answer answer = ui.Ask("Warning", "Warning: The file " + path + what,
                                       text::Buttons::OkCancelHelp, text::Icon::Warning);
    if (answer == text::Answer::Cancel) break;
  }
}

std::string CorpusSettings::ListInfo() const {
  if (ListPath.empty()) return {};
  return text::keepFirst(ListPath + ": " + std::to_string(Files.Count()) + " (" +
                         std::to_string(TotalKilobytes()) +
                         (text::IsUtf8(TextEncoding) ? " kB, UTF-8)" : " kB)"));
}

void CorpusSettings::ResetToNewList() {
  Files.Clear();
  Modified = false;
  ListPath.clear();
  // An empty list has no bytes; the old sum would outlive its files.
  TotalBytes = 0;
  SentenceSeparators = std::string(text::kDefaultSentenceSeparators);
  WordSeparators = text::kDefaultWordSeparators;
  TextEncoding = text::Encoding::Windows1252;
  Utf8Offered = false;
}

text::CharacterSets ScannerSets(const CorpusSettings& settings) {
  return text::CharacterSets::Derive(settings.WordSeparators, settings.SentenceSeparators,
                                     settings.TextEncoding);
}

}  // namespace lexvane::corpus
