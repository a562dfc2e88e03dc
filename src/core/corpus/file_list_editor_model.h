// FileListEditorModel: the behaviour of the file-list editor ("File List
// Settings") without its widgets. The desktop dialog forwards its events here
// and shows what the model holds; tests drive it directly.
//
// The separator fields and the five check boxes are the settings themselves:
// every change goes straight into CorpusSettings and survives Cancel. Only
// the file list is edited on a working copy, which OK copies into Files.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "corpus/corpus_settings.h"
#include "text/user_interface.h"

namespace lexvane::corpus {

class FileListEditorModel {
 public:
  // The model edits `settings` and sorts paths with `collator`; both must
  // outlive it.
  FileListEditorModel(CorpusSettings& settings, const text::Collator& collator);

 public:  // queries
  CorpusSettings& Settings() { return settings_; }
  const CorpusSettings& Settings() const { return settings_; }
  // The working copy, sorted like a sorted list box (case ignored); a path
  // may stand in it twice until OK.
  const std::vector<std::string>& Paths() const { return paths_; }
  bool EditedInDialog() const { return editedInDialog_; }
  // The typed-into marks of the two separator fields: set only by the user's
  // typing, cleared only by OK.
  bool WordSeparatorsTyped() const { return wordSeparatorsTyped_; }
  bool SentenceSeparatorsTyped() const { return sentenceSeparatorsTyped_; }
  // "File List Settings: " + ListPath, as of the last WhenShow.
  const std::string& Caption() const { return caption_; }
  // The remove button is enabled exactly when a path is selected.
  static bool RemoveEnabled(std::size_t selectedCount) { return selectedCount > 0; }

 public:  // events
  // Showing: the working copy refilled from Files, EditedInDialog cleared,
  // the caption set.
  void WhenShow();
  // The add dialog was confirmed with `paths` (full paths, perhaps none):
  // each goes into the working copy at its sorted place; EditedInDialog is
  // set even when no path came back.
  void AddFiles(const std::vector<std::string>& paths);
  // Removes the paths at the given positions of the working copy (positions
  // out of range are ignored). Sets EditedInDialog when anything was removed;
  // returns whether anything was.
  bool RemoveSelected(const std::vector<std::size_t>& selected);
  // A separator field changed. `typedByUser` distinguishes the user's typing
  // from the program's own settings of the text; only typing sets the mark.
  void SetWordSeparators(const std::string& text, bool typedByUser);
  void SetSentenceSeparators(const std::string& text, bool typedByUser);
  // The encoding choice and the four check boxes. Only the encoding and the
  // enhanced detection count as an edit of the list; the other three change
  // how results are made, not what the list holds. A change of encoding
  // carries the separators over (ChooseEncoding).
  void SetTextEncoding(text::Encoding encoding);
  // Files were added: offers once per list to switch to UTF-8 when they look
  // like it (OfferUtf8). A switch counts as an edit. Returns whether it
  // switched.
  bool OfferUtf8(const std::vector<std::string>& added, text::UserInterface& ui);
  void SetEnhSentDetect(bool on);
  void SetCRLFAsSeparator(bool on) { settings_.CRLFAsSeparator = on; }
  void SetIgnoreCapital(bool on) { settings_.IgnoreCapital = on; }
  void SetTaggedText(bool on) { settings_.TaggedText = on; }
  void MarkModified() { editedInDialog_ = true; }
  // OK: Files refilled from the working copy (identical paths once),
  // Modified set when the list was edited or a separator field typed into,
  // both marks cleared, files recounted (missing ones reported through ui).
  // Returns the new tool bar summary.
  std::string OK(text::UserInterface& ui);
  // Cancel: the working copy is dropped at the next show; the options and
  // the typed-into marks stay. Returns the tool bar summary.
  std::string Cancel() const { return settings_.ListInfo(); }

 private:
  void insertSorted(const std::string& path);

  CorpusSettings& settings_;
  const text::Collator& collator_;
  std::vector<std::string> paths_;
  bool editedInDialog_ = false;
  bool wordSeparatorsTyped_ = false;
  bool sentenceSeparatorsTyped_ = false;
  std::string caption_ = "File List Settings: ";
};

}  // namespace lexvane::corpus
