// Placeholder until the list files land.
#include "corpus/list_files.h"

#include "text/error.h"

namespace lexvane::corpus {

bool IsTextList(std::string_view path) { return path.find(".CTL") != std::string_view::npos; }

void OpenListFile(const std::string& path, CorpusSettings&, text::UserInterface&) {
  throw text::Error("Cannot open file " + path);
}

}  // namespace lexvane::corpus
