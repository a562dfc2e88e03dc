#include "corpus/list_file_commands.h"

#include "corpus/encoding_choice.h"

#include "corpus/list_files.h"

namespace lexvane::corpus {

ListFileCommands::ListFileCommands(CorpusSettings& settings, const text::Collator& collator,
                                   text::UserInterface& ui, ListFileDialogs& dialogs)
    : settings_(settings), collator_(collator), ui_(ui), dialogs_(dialogs) {}

bool ListFileCommands::QuerySaveList() {
  if (!settings_.Modified) return true;
  switch (ui_.Ask("Confirm", "Current list is not saved. Save it?", text::Buttons::YesNoCancel,
                  text::Icon::None)) {
    case text::Answer::Cancel:
      return false;
    case text::Answer::No:
      return true;
    default:
      return SaveList();
  }
}

bool ListFileCommands::SaveList() {
  const std::string previousPath = settings_.ListPath;
  if (settings_.ListPath.empty()) {
    if (std::optional<std::string> chosen = dialogs_.AskSavePath()) settings_.ListPath = *chosen;
  }
  if (settings_.ListPath.empty()) return false;
  try {
    WriteListFile(settings_.ListPath, IsTextList(settings_.ListPath), settings_);
  } catch (...) {
    // The list was not saved there, so it must not look as if it were.
    settings_.ListPath = previousPath;
    throw;
  }
  settings_.Modified = false;
  return true;
}

bool ListFileCommands::SaveListAs() {
  const std::string rememberedPath = settings_.ListPath;
  settings_.ListPath.clear();
  bool saved = false;
  try {
    saved = SaveList();
  } catch (...) {
    settings_.ListPath = rememberedPath;
    throw;
  }
  if (!saved) settings_.ListPath = rememberedPath;
  return saved;
}

bool ListFileCommands::OpenList() {
  if (!QuerySaveList()) return false;
  std::optional<std::string> chosen = dialogs_.AskOpenPath();
  if (!chosen) return false;
  OpenListFile(*chosen, settings_, collator_, ui_);
  // Switching to UTF-8 changes the corpus from what the list file holds.
  if (OfferUtf8(settings_, settings_.Files.Paths(), ui_)) settings_.Modified = true;
  return true;
}

bool ListFileCommands::NewList() {
  if (!QuerySaveList()) return false;
  settings_.ResetToNewList();
  return true;
}

}  // namespace lexvane::corpus
