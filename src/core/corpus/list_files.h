// List files store a CorpusSettings: the Text List (a name containing ".CTL",
// one INI file with sections "File list" and "Scan") and the older File List
// (one path per line, options in a companion ".INI"). A relative path read
// from a list is resolved against the list file's folder; paths are written
// full.
#pragma once

#include <string>
#include <string_view>

#include "corpus/corpus_settings.h"
#include "text/user_interface.h"

namespace lexvane::corpus {

// A Text List is a path containing ".CTL" (upper case, anywhere).
bool IsTextList(std::string_view path);

// Open list without its dialogs: empties Files, reads the list and its
// options, clears Modified, sets ListPath and recounts (warning about missing
// files through ui). Throws text::Error "Cannot open file <path>" when a plain
// list cannot be read.
void OpenListFile(const std::string& path, CorpusSettings& settings, text::UserInterface& ui);

}  // namespace lexvane::corpus
