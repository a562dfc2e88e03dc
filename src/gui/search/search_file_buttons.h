// The Load..., Save... and Lemmas... buttons that both search dialogs share,
// over either dialog's model (search::SimpleSearchModel or
// search::AdvancedSearchModel). The dialog takes what was typed into its
// controls before calling and shows its model again through `show`.
#pragma once

#include <functional>
#include <optional>

#include <QDialog>
#include <QString>

#include "gui/base/text_codec.h"
#include "gui/search/form_lemma_list.h"
#include "gui/search/search_file_dialogs.h"
#include "text/error.h"
#include "text/user_interface.h"

namespace lexvane::gui {

// Reads the word search file at `path` into `model`; an unreadable one is
// reported and leaves the model as the reading left it.
template <class Model>
void LoadSearchFileFrom(Model& model, const QString& path, text::UserInterface& ui,
                        const std::function<void()>& show) {
  try {
    model.LoadFrom(ToPath(path));
  } catch (const text::Error& e) {
    ui.ShowError(e.what());
  }
  show();
}

// Reads the chosen word search file into `model`.
template <class Model>
void LoadSearchFile(Model& model, const SearchFileChoosers& choosers, text::UserInterface& ui,
                    const std::function<void()>& show) {
  const std::optional<QString> path = choosers.load(FromPath(model.LastFileName));
  if (!path) return;
  LoadSearchFileFrom(model, *path, ui, show);
}

// Writes `model` to the chosen word search file.
template <class Model>
void SaveSearchFile(Model& model, const SearchFileChoosers& choosers, text::UserInterface& ui,
                    const std::function<void()>& show) {
  model.PrepareSave();
  show();
  const std::optional<QString> path = choosers.save(FromPath(model.LastFileName));
  if (!path) return;
  try {
    model.SaveTo(ToPath(*path));
  } catch (const text::Error& e) {
    ui.ShowError(e.what());
  }
}

// Opens the lemma list at `path` in the "Lexeme List" dialog, preselected by
// the model's start text, and adds the forms it hands back. True when the
// dialog ended with OK.
template <class Model>
bool ShowLemmaList(Model& model, const QString& path, TFormLemmaList& lemmas,
                   QString& lastLemmaFile, const std::function<void()>& show) {
  lastLemmaFile = path;
  lemmas.LemmaFileName = ToPath(path);
  lemmas.StartText = model.TakeStartText();
  show();
  const bool chosen = lemmas.exec() == QDialog::Accepted;
  if (chosen) model.AddForms(lemmas.ChosenForms);
  show();
  return chosen;
}

// The same for the lemma list chosen in the open dialog.
template <class Model>
void ChooseLemmas(Model& model, const SearchFileChoosers& choosers, TFormLemmaList& lemmas,
                  QString& lastLemmaFile, const std::function<void()>& show) {
  const std::optional<QString> path = choosers.lemmas(lastLemmaFile);
  if (!path) return;
  ShowLemmaList(model, *path, lemmas, lastLemmaFile, show);
}

}  // namespace lexvane::gui
