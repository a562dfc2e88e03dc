#include "frequency/colloc_query.h"

#include <algorithm>

#include "text/encoding.h"

namespace lexvane::frequency {

CollocQuery::CollocQuery() {
  for (int p = 1; p <= 3; ++p) {
    SetLeftChecked(p, true);
    SetRightChecked(p, true);
    leftUsed_[p - 1] = rightUsed_[p - 1] = true;
  }
}

CollocQuery::Outcome CollocQuery::ButtonOKClick() {
  if (!Edit1.empty()) {
    std::string mask =
        text::keepFirst(text::lowered(Edit1, TextEncoding), text::kMaxTextLength, TextEncoding);
    if (!mask.empty()) ListBox1.push_back(mask);
    Edit1.clear();
    return Outcome::StaysOpen;
  }
  if (ListBox1.empty()) return Outcome::Cancel;
  for (int p = 1; p <= kPositions; ++p) {
    leftUsed_[p - 1] = LeftChecked(p);
    rightUsed_[p - 1] = RightChecked(p);
  }
  return Outcome::Ok;
}

void CollocQuery::ButtonClearAllClick() {
  CheckBoxes.fill(false);
  Edit1.clear();
  ListBox1.clear();
}

void CollocQuery::DeleteMasks(const std::vector<int>& indices) {
  std::vector<int> sorted = indices;
  std::sort(sorted.rbegin(), sorted.rend());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  for (int i : sorted)
    if (i >= 0 && i < static_cast<int>(ListBox1.size())) ListBox1.erase(ListBox1.begin() + i);
}

}  // namespace lexvane::frequency
