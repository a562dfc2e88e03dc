// Builds concordance tables by hand for the tests of the window commands.
#pragma once

#include <string>
#include <vector>

#include "concordance/concordance_table.h"
#include "text/character_sets.h"

namespace lexvane::concordance::testing {

// Appends one complete row; the record's Offset doubles as the row's name.
inline void addRow(ConcordanceTable& table, const std::string& left, const std::string& keyword,
                   const std::string& right, const std::string& file = "a.txt",
                   std::int64_t sentence = -1, std::int32_t fileIndex = 0) {
  const auto name = static_cast<std::int64_t>(table.RowCount());
  table.LeftContexts().Add(left);
  table.Keywords().AddObject(keyword,
                             new TOneWordInfo(fileIndex, sentence < 0 ? name : sentence, name));
  table.RightContexts().Add(right);
  table.FileNames().Add(file);
}

// The record offsets (row names) in table order.
inline std::vector<std::int64_t> rowNames(const ConcordanceTable& table) {
  std::vector<std::int64_t> names;
  for (std::int32_t i = 0; i < table.RowCount(); ++i) names.push_back(table.Info(i).Offset);
  return names;
}

// The sets of a build with the default separators.
inline const text::CharacterSets& defaultSets() {
  static const text::CharacterSets sets =
      text::CharacterSets::Derive(text::kDefaultWordSeparators, ".?!", false);
  return sets;
}

}  // namespace lexvane::concordance::testing
