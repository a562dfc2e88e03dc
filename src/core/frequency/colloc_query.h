// CollocQuery: the state and button logic of the collocate query dialog
// ("Find frequency of collogate words"). One instance lives for the whole
// run, so masks, check boxes and confirmed flags carry over between uses.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "frequency/colloc_table.h"

namespace lexvane::frequency {

class CollocQuery {
 public:
  enum class Outcome { StaysOpen, Ok, Cancel };

  CollocQuery();

 public:  // dialog state
  std::string Edit1 = "*";
  std::vector<std::string> ListBox1;  // the masks, lower-cased
  // CheckBox1 .. CheckBox18 at index 0 .. 17: CheckBox k (1-9) is left
  // position 10 - k, CheckBox k (10-18) right position k - 9.
  std::array<bool, 18> CheckBoxes{};
  // The corpus's encoding: typed masks are lowered and cut in it.
  text::Encoding TextEncoding = text::Encoding::Windows1252;

  bool LeftChecked(int position) const { return CheckBoxes[10 - position - 1]; }
  bool RightChecked(int position) const { return CheckBoxes[position + 9 - 1]; }
  void SetLeftChecked(int position, bool on) { CheckBoxes[10 - position - 1] = on; }
  void SetRightChecked(int position, bool on) { CheckBoxes[position + 9 - 1] = on; }

  // The flags stored by the last confirmation (the defaults before any): the
  // next collocate table copies them.
  const PositionFlags& LeftUsed() const { return leftUsed_; }
  const PositionFlags& RightUsed() const { return rightUsed_; }

 public:  // commands
  // A typed mask goes lower-cased (at most 255 characters) into the list and
  // the dialog stays open; with the field empty, a list with masks confirms
  // (storing the flags) and an empty list cancels.
  Outcome ButtonOKClick();
  // All boxes unchecked, field and list emptied.
  void ButtonClearAllClick();
  // Del in the list: removes the masks at the given indices.
  void DeleteMasks(const std::vector<int>& indices);

 private:
  PositionFlags leftUsed_{}, rightUsed_{};
};

}  // namespace lexvane::frequency
