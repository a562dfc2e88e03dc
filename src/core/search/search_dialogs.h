// The logic of the two search dialogs ("Word search" and "Advanced word
// search") as plain models: the desktop dialogs bind their controls to the
// fields and call the operations from their handlers; the command line drives
// them the same way. One model of each kind lives for the whole run, so its
// contents stay from one search to the next.
#pragma once

#include <array>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_query.h"
#include "text/encoding.h"
#include "text/user_interface.h"

namespace lexvane::search {

// How OK (or Enter) ends: the dialog stays open (a typed mask was moved to
// its list), ends with OK (search), or ends as if cancelled.
enum class DialogOutcome { StayOpen, Search, Cancel };

class SimpleSearchModel {
 public:                           // the controls
  std::string Edit;                // Edit1: the mask being typed
  std::vector<std::string> Masks;  // ListBox1
  std::string MaxListSize = std::string(kDefaultMaxListSize);
  std::string LastFileName;  // search file last loaded or saved
  // The corpus's encoding: typed masks are lowered and cut in it.
  text::Encoding TextEncoding = text::Encoding::Windows1252;

 public:  // commands
  // FormShow: forgets LastFileName.
  void Show() { LastFileName.clear(); }
  // Moves the typed mask, lowered and cut, to the end of the list; false (and
  // nothing changed) when it lowers to empty.
  bool MoveTyped();
  // OK and Enter: a typed mask is moved, not searched.
  DialogOutcome Ok();
  void ClearAll();
  // Del: deletes the lines whose indices are in `selected`.
  void DeleteSelected(const std::set<int>& selected);
  // "Lemmas...": the StartText for the lemma dialog (the typed text cut to
  // 255); the edit field is emptied. AddForms appends the chosen forms.
  std::string TakeStartText();
  void AddForms(const std::vector<std::string>& forms);

  // Save: the typed mask is moved first (PrepareSave), then, once a path is
  // chosen, SaveTo writes "List 1" and "MaxListSize" and keeps every other
  // section and key of the file. Throws text::Error on an invalid
  // "Max. list size" (lists already written) and on a file that cannot be
  // written.
  void PrepareSave() { MoveTyped(); }
  void SaveTo(const std::string& path);
  // Load: list 1 and "Max. list size" (2000 when missing) from the file.
  void LoadFrom(const std::string& path);

 public:  // queries
  SearchQuery Query() const;
};

class AdvancedSearchModel {
 public:                                                           // the controls
  std::array<std::string, kColumns> Edits;                         // Edit1 ... Edit5
  std::array<std::vector<std::string>, kColumns> Masks;            // ListBox1 ... ListBox5
  std::array<bool, kColumnPairs> InOrder{true, true, true, true};  // CheckBoxRank1..4
  std::array<int, kColumnPairs> Distances{0, 0, 0, 0};             // -1 shows "x"
  int MiddleRadio = 1;                                             // checked RadioButton 1..5
  std::string MaxListSize = std::string(kDefaultMaxListSize);
  std::string LastFileName;
  int CurrentColumn = 0;  // 0..4: the edit field that last had the focus
  // The corpus's encoding: typed masks are lowered and cut in it.
  text::Encoding TextEncoding = text::Encoding::Windows1252;

 public:  // commands
  void Show() { LastFileName.clear(); }
  // OnEnter1 ... OnEnter5 (column 0..4).
  void Enter(int column) { CurrentColumn = column; }
  bool MoveTyped(int column);
  // Moves every typed mask; stays open when one was typed, else validates
  // (an empty query or a gap ends as if cancelled).
  DialogOutcome Ok(text::UserInterface& ui);
  // The gap message through ui on an empty column below a used one; sets
  // ColumnCount and MiddleColumn (back to 1, radio included, when above
  // ColumnCount). True when the query has a column.
  bool Validate(text::UserInterface& ui);
  void ClearAll();
  void DeleteSelected(int column, const std::set<int>& selected);
  // SpinButton k (0..3): down stops at -1 ("x"), up has no limit but the
  // largest int.
  void SpinDown(int pair);
  void SpinUp(int pair);
  std::string DistanceText(int pair) const { return DistanceLabel(Distances[pair]); }
  // "Lemmas..." on the column of CurrentColumn.
  std::string TakeStartText();
  void AddForms(const std::vector<std::string>& forms);

  // Save: every typed mask is moved first; SaveTo writes "List 1" to
  // "List 5" and the "Common" keys; errors as for the simple model.
  void PrepareSave();
  void SaveTo(const std::string& path);
  void LoadFrom(const std::string& path);

 public:  // queries
  int ColumnCount() const { return columnCount_; }
  int MiddleColumn() const { return middleColumn_; }
  // The query as last validated.
  SearchQuery Query() const;

 private:
  int columnCount_ = 0;
  int middleColumn_ = 1;
};

// Whether the word search file at `path` holds an advanced query: a mask in
// one of its lists 2 to 5, or a key that only the advanced dialog writes (the
// middle column, the order and distance keys). A file opened from outside
// the program (its command line, a drop) is loaded into the advanced dialog
// then, else into the simple one. A missing file holds none.
bool HoldsAdvancedQuery(const std::string& path);

}  // namespace lexvane::search
