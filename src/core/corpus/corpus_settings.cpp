#include "corpus/corpus_settings.h"

#include <algorithm>

#include "text/collation.h"

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

}  // namespace lexvane::corpus

// Placeholders until the corpus module lands.
namespace lexvane::corpus {
void CorpusSettings::RecountFiles(text::UserInterface&) {}
std::string CorpusSettings::ListInfo() const { return {}; }
void CorpusSettings::ResetToNewList() {}
void ConfigureScanner(const CorpusSettings&) {}
}  // namespace lexvane::corpus
