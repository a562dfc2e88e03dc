// List files store a CorpusSettings: the Text List (a name containing ".CTL",
// one INI file with sections "File list" and "Scan") and the older File List
// (one path per line, options in a companion ".INI"). A relative path read
// from a list is resolved against the list file's folder, so lists stay
// portable; paths are written full.
//
// The commands New, Open, Save and Save as are in list_file_commands.h; the
// functions here read and write without asking anything.
#pragma once

#include <string>
#include <string_view>

#include "corpus/corpus_settings.h"
#include "text/user_interface.h"

namespace lexvane::corpus {

// A Text List is a path containing ".CTL" (upper case, anywhere).
bool IsTextList(std::string_view path);

// The options file of an older File List: the extension replaced by ".INI",
// or ".INI" appended to a name without one.
std::string CompanionIniPath(const std::string& listPath);

// `path` with "." + extension appended when its file name has no extension
// (what the list dialogs do to a name typed without one).
std::string DefaultExtension(const std::string& path, std::string_view extension);

// Reads the list: Files is emptied, then filled with the list's paths, and the
// seven scanning options are set from the options file (defaults for missing
// keys or a missing companion). Throws text::Error "Cannot open file <path>"
// when the list itself cannot be read; Files is then empty and the options
// are as they were. ListPath, Modified and TotalBytes are not touched. The
// paths are sorted with `collator`.
void ReadListFile(const std::string& path, bool isTextList, CorpusSettings& settings,
                  const text::Collator& collator);

// The text encoding a list file's options give (Windows-1252 without one);
// throws text::Error like ReadListFile.
text::Encoding ReadListEncoding(const std::string& path);

// Writes Files and the options. A Text List loses its old "File list"
// section and gets File1..Filen; the seven "Scan" keys are written in place,
// so foreign sections and keys stay. An older File List is written as plain
// lines (CR LF), its options into the companion. Throws text::Error "Cannot
// create file <path>" (plain list) or "Unable to write to <options file>";
// a failed write leaves the old file as it was. ListPath and Modified are not
// touched.
void WriteListFile(const std::string& path, bool isTextList, const CorpusSettings& settings);

// Open list without its dialogs: empties Files, reads the list and its
// options, clears Modified, sets ListPath and recounts (warning about missing
// files through ui). Throws text::Error "Cannot open file <path>" when the
// list cannot be read, with Files empty and ListPath and the options kept.
void OpenListFile(const std::string& path, CorpusSettings& settings, const text::Collator& collator,
                  text::UserInterface& ui);

}  // namespace lexvane::corpus
