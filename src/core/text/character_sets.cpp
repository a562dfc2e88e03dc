#include "text/character_sets.h"

#include "text/encoding.h"

namespace lexvane::text {

const std::string kDefaultWordSeparators = " _,;:/-+=^\"<>()[]{}*@&%$#\\|~`'0123456789.?!";

namespace {

void eraseFirst(std::string& s, char c) {
  const std::size_t at = s.find(c);
  if (at != std::string::npos) s.erase(at, 1);
}

void fillTable(std::array<bool, 256>& table, std::string_view members) {
  table.fill(false);
  for (const char c : members) table[static_cast<unsigned char>(c)] = true;
}

void fillTables(CharacterSets& sets) {
  fillTable(sets.inWordSet, sets.wordSeparatorSet);
  fillTable(sets.inSentenceSet, sets.sentenceSeparatorSet);
  fillTable(sets.inPlain, sets.plainSeparators);
  fillTable(sets.inClosing, sets.closingMarks);
  for (int c = 0; c < 256; ++c) sets.isSeparator[c] = c < 32 || sets.inWordSet[c];
}

}  // namespace

CharacterSets CharacterSets::Derive(std::string_view wordSeparators,
                                    std::string_view sentenceSeparators, bool oemToAnsi) {
  CharacterSets sets;
  sets.sentenceSeparatorSet = keepFirst(sentenceSeparators);
  sets.wordSeparatorSet = keepFirst(wordSeparators);
  // The blank always separates words, also when the user left it out; the
  // set stays within 255 characters.
  if (sets.wordSeparatorSet.find(' ') == std::string::npos)
    sets.wordSeparatorSet = keepFirst(" " + sets.wordSeparatorSet);
  sets.oemToAnsi = oemToAnsi;
  // One deletion per character: a separator typed twice keeps one copy.
  sets.plainSeparators = sets.wordSeparatorSet;
  for (const char c : sets.sentenceSeparatorSet) eraseFirst(sets.plainSeparators, c);
  eraseFirst(sets.plainSeparators, '"');
  eraseFirst(sets.plainSeparators, '\'');
  sets.closingMarks = keepFirst(sets.sentenceSeparatorSet + "\"'");
  fillTables(sets);
  return sets;
}

CharacterSets CharacterSets::Initial() {
  CharacterSets sets;
  sets.wordSeparatorSet = kDefaultWordSeparators;
  sets.sentenceSeparatorSet = std::string(kDefaultSentenceSeparators);
  fillTables(sets);
  return sets;
}

}  // namespace lexvane::text
