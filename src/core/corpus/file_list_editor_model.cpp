#include "corpus/file_list_editor_model.h"

#include <algorithm>

#include "corpus/encoding_choice.h"
#include "text/collation.h"

namespace lexvane::corpus {

FileListEditorModel::FileListEditorModel(CorpusSettings& settings, const text::Collator& collator)
    : settings_(settings), collator_(collator) {}

void FileListEditorModel::WhenShow() {
  paths_ = settings_.Files.Paths();
  editedInDialog_ = false;
  caption_ = "File List Settings: " + settings_.ListPath;
}

void FileListEditorModel::insertSorted(const std::string& path) {
  auto at = std::upper_bound(paths_.begin(), paths_.end(), path,
                             [this](const std::string& a, const std::string& b) {
                               return collator_.CompareIgnoreCase(a, b) < 0;
                             });
  paths_.insert(at, path);
}

void FileListEditorModel::AddFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) insertSorted(path);
  editedInDialog_ = true;
}

bool FileListEditorModel::RemoveSelected(const std::vector<std::size_t>& selected) {
  std::vector<bool> remove(paths_.size(), false);
  bool any = false;
  for (std::size_t i : selected) {
    if (i < paths_.size()) {
      remove[i] = true;
      any = true;
    }
  }
  if (!any) return false;
  std::vector<std::string> kept;
  kept.reserve(paths_.size());
  for (std::size_t i = 0; i < paths_.size(); ++i)
    if (!remove[i]) kept.push_back(std::move(paths_[i]));
  paths_ = std::move(kept);
  editedInDialog_ = true;
  return true;
}

void FileListEditorModel::SetWordSeparators(const std::string& text, bool typedByUser) {
  if (typedByUser) wordSeparatorsTyped_ = true;
  if (text == settings_.WordSeparators) return;
  settings_.WordSeparators = text;
  MarkModified();
}

void FileListEditorModel::SetSentenceSeparators(const std::string& text, bool typedByUser) {
  if (typedByUser) sentenceSeparatorsTyped_ = true;
  if (text == settings_.SentenceSeparators) return;
  settings_.SentenceSeparators = text;
  MarkModified();
}

void FileListEditorModel::SetTextEncoding(text::Encoding encoding) {
  ChooseEncoding(settings_, encoding);
  MarkModified();
}

bool FileListEditorModel::OfferUtf8(const std::vector<std::string>& added,
                                    text::UserInterface& ui) {
  if (!corpus::OfferUtf8(settings_, added, ui)) return false;
  MarkModified();
  return true;
}

void FileListEditorModel::SetEnhSentDetect(bool on) {
  settings_.EnhSentDetect = on;
  MarkModified();
}

std::string FileListEditorModel::OK(text::UserInterface& ui) {
  settings_.Files.Clear();
  for (const std::string& path : paths_) settings_.Files.Add(path, collator_);
  paths_ = settings_.Files.Paths();
  if (editedInDialog_ || wordSeparatorsTyped_ || sentenceSeparatorsTyped_)
    settings_.Modified = true;
  wordSeparatorsTyped_ = false;
  sentenceSeparatorsTyped_ = false;
  settings_.RecountFiles(ui);
  return settings_.ListInfo();
}

}  // namespace lexvane::corpus
