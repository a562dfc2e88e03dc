#include "corpus/corpus_settings.h"

#include <algorithm>

#include "text/collation.h"
#include "text/encoding.h"
#include "text/text_utils.h"

namespace lexvane::corpus {

bool FileList::Add(const std::string& path) {
  auto at = std::lower_bound(paths_.begin(), paths_.end(), path,
                             [](const std::string& a, const std::string& b) {
                               return text::compareTextIgnoreCase(a, b) < 0;
                             });
  if (at != paths_.end() && *at == path) return false;
  paths_.insert(at, path);
  return true;
}

void CorpusSettings::RecountFiles(text::UserInterface& ui) {
  TotalBytes = 0;
  for (const std::string& path : Files.Paths()) {
    const std::int64_t size = text::FileSizeOf(path);
    if (size >= 0) {
      TotalBytes += size;
      continue;
    }
    const text::Answer answer = ui.Ask("Warning", "Warning: The file " + path + " does not exist.",
                                       text::Buttons::OkCancelHelp, text::Icon::Warning);
    if (answer == text::Answer::Cancel) break;
  }
}

std::string CorpusSettings::ListInfo() const {
  if (ListPath.empty()) return {};
  return text::keepFirst(ListPath + ": " + std::to_string(Files.Count()) + " (" +
                         std::to_string(TotalKilobytes()) + " kB)");
}

void CorpusSettings::ResetToNewList() {
  Files.Clear();
  Modified = false;
  ListPath.clear();
  // An empty list has no bytes; the old sum would outlive its files.
  TotalBytes = 0;
  SentenceSeparators = std::string(text::kDefaultSentenceSeparators);
  WordSeparators = text::kDefaultWordSeparators;
  OEMtoANSIConvert = false;
}

text::CharacterSets ScannerSets(const CorpusSettings& settings) {
  return text::CharacterSets::Derive(settings.WordSeparators, settings.SentenceSeparators,
                                     settings.OEMtoANSIConvert);
}

}  // namespace lexvane::corpus
