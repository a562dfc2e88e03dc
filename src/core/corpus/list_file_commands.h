// The File menu's list commands (New, Open, Save, Save as) and the save
// prompt before a corpus is dropped, as operations on CorpusSettings. They
// ask the user through text::UserInterface and the file dialogs through
// ListFileDialogs, so the desktop program, the command line and tests can
// answer. After each command the caller shows settings.ListInfo(); after New
// it opens the file-list editor.
//
// Errors: a list or options file that cannot be written or read raises
// text::Error with its message ("Unable to write to ...", "Cannot create
// file ...", "Cannot open file ..."); the command is then abandoned, and so is
// a close or an open that asked for the save. Modified and ListPath keep
// their values from before a failed save.
#pragma once

#include <optional>
#include <string>

#include "corpus/corpus_settings.h"
#include "text/user_interface.h"

namespace lexvane::corpus {

// The two list file dialogs. Each returns the chosen full path, or nullopt
// when the user cancels. The dialogs apply their default extension ("CFL").
class ListFileDialogs {
 public:
  virtual ~ListFileDialogs() = default;
  // "Open List File": the file must exist.
  virtual std::optional<std::string> AskOpenPath() = 0;
  // "Save List File As": asks before overwriting.
  virtual std::optional<std::string> AskSavePath() = 0;
};

class ListFileCommands {
 public:
  // All four must outlive the commands object; `collator` sorts the paths
  // of the lists opened.
  ListFileCommands(CorpusSettings& settings, const text::Collator& collator,
                   text::UserInterface& ui, ListFileDialogs& dialogs);

  // True when the current corpus may be dropped: it is not modified, or the
  // user answered No to "Current list is not saved. Save it?", or Yes and the
  // save succeeded. Cancel gives false.
  bool QuerySaveList();
  // Saves to ListPath, asking for a path when there is none. False when the
  // user cancelled the dialog; on success Modified is off.
  bool SaveList();
  // Save list as: always asks for the path; a cancelled dialog keeps ListPath.
  bool SaveListAs();
  // Open list: the save prompt, the open dialog, then OpenListFile and the
  // offer to switch to UTF-8 (OfferUtf8; a switch sets Modified). False when
  // the user stopped it at the prompt or the dialog.
  bool OpenList();
  // New list: the save prompt, then the reset to a new corpus. False when the
  // user stopped it; on true the caller opens the file-list editor.
  bool NewList();

 private:
  CorpusSettings& settings_;
  const text::Collator& collator_;
  text::UserInterface& ui_;
  ListFileDialogs& dialogs_;
};

}  // namespace lexvane::corpus
