#include "search/search_dialogs.h"

#include <limits>

#include "text/encoding.h"

namespace lexvane::search {

namespace {

bool moveTyped(std::string& edit, std::vector<std::string>& list, text::Encoding encoding) {
  std::string mask = TypedMask(edit, encoding);
  if (mask.empty()) return false;
  edit.clear();
  list.push_back(std::move(mask));
  return true;
}

void deleteSelected(std::vector<std::string>& list, const std::set<int>& selected) {
  std::vector<std::string> kept;
  for (int i = 0; i < static_cast<int>(list.size()); ++i)
    if (!selected.count(i)) kept.push_back(std::move(list[i]));
  list = std::move(kept);
}

}  // namespace

bool SimpleSearchModel::MoveTyped() {
  return moveTyped(Edit, Masks, TextEncoding);
}

DialogOutcome SimpleSearchModel::Ok() {
  if (!Edit.empty()) {
    MoveTyped();
    return DialogOutcome::StayOpen;
  }
  return Masks.empty() ? DialogOutcome::Cancel : DialogOutcome::Search;
}

void SimpleSearchModel::ClearAll() {
  Edit.clear();
  Masks.clear();
  LastFileName.clear();
}

void SimpleSearchModel::DeleteSelected(const std::set<int>& selected) {
  deleteSelected(Masks, selected);
}

std::string SimpleSearchModel::TakeStartText() {
  std::string start = text::keepFirst(Edit, text::kMaxTextLength, TextEncoding);
  Edit.clear();
  return start;
}

void SimpleSearchModel::AddForms(const std::vector<std::string>& forms) {
  Masks.insert(Masks.end(), forms.begin(), forms.end());
}

SearchQuery SimpleSearchModel::Query() const {
  SearchQuery query;
  query.Kind = QueryKind::Simple;
  query.Masks[0] = Masks;
  query.MaxListSize = MaxListSize;
  return query;
}

bool AdvancedSearchModel::MoveTyped(int column) {
  return moveTyped(Edits[column], Masks[column], TextEncoding);
}

DialogOutcome AdvancedSearchModel::Ok(text::UserInterface& ui) {
  bool typed = false;
  for (int k = 0; k < kColumns; ++k)
    if (!Edits[k].empty()) {
      MoveTyped(k);
      typed = true;
    }
  if (typed) return DialogOutcome::StayOpen;
  bool allEmpty = true;
  for (const auto& list : Masks) allEmpty = allEmpty && list.empty();
  if (allEmpty) return DialogOutcome::Cancel;
  return Validate(ui) ? DialogOutcome::Search : DialogOutcome::Cancel;
}

bool AdvancedSearchModel::Validate(text::UserInterface& ui) {
  for (int k = 1; k < kColumns; ++k)
    if (!Masks[k].empty() && Masks[k - 1].empty()) {
      ui.ShowError(kColumnGapMessage);
      return false;
    }
  columnCount_ = 0;
  for (int k = 0; k < kColumns; ++k)
    if (!Masks[k].empty()) columnCount_ = k + 1;
  middleColumn_ = MiddleRadio;
  if (middleColumn_ > columnCount_) {
    middleColumn_ = 1;
    MiddleRadio = 1;
  }
  return columnCount_ > 0;
}

void AdvancedSearchModel::ClearAll() {
  for (auto& edit : Edits) edit.clear();
  for (auto& list : Masks) list.clear();
  InOrder = {true, true, true, true};
  Distances = {0, 0, 0, 0};
  MiddleRadio = 1;
  LastFileName.clear();
}

void AdvancedSearchModel::DeleteSelected(int column, const std::set<int>& selected) {
  deleteSelected(Masks[column], selected);
}

void AdvancedSearchModel::SpinDown(int pair) {
  if (Distances[pair] >= 0) --Distances[pair];
}

void AdvancedSearchModel::SpinUp(int pair) {
  if (Distances[pair] < std::numeric_limits<int>::max()) ++Distances[pair];
}

std::string AdvancedSearchModel::TakeStartText() {
  std::string start = text::keepFirst(Edits[CurrentColumn], text::kMaxTextLength, TextEncoding);
  Edits[CurrentColumn].clear();
  return start;
}

void AdvancedSearchModel::AddForms(const std::vector<std::string>& forms) {
  auto& list = Masks[CurrentColumn];
  list.insert(list.end(), forms.begin(), forms.end());
}

void AdvancedSearchModel::PrepareSave() {
  for (int k = 0; k < kColumns; ++k) MoveTyped(k);
}

SearchQuery AdvancedSearchModel::Query() const {
  SearchQuery query;
  query.Kind = QueryKind::Advanced;
  query.Masks = Masks;
  query.ColumnCount = columnCount_;
  query.MiddleColumn = middleColumn_;
  query.InOrder = InOrder;
  query.MaxGap = Distances;
  query.MaxListSize = MaxListSize;
  return query;
}

}  // namespace lexvane::search
