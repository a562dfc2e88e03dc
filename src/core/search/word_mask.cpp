#include "search/word_mask.h"

namespace lexvane::search {

std::size_t FindWithJokers(std::string_view pattern, std::string_view text) {
  if (pattern.size() > text.size()) return 0;
  if (pattern.empty()) return 1;
  const std::size_t last = text.size() - pattern.size();
  for (std::size_t s = 0; s <= last; ++s) {
    std::size_t k = 0;
    while (k < pattern.size() && (pattern[k] == '?' || pattern[k] == text[s + k])) ++k;
    if (k == pattern.size()) return s + 1;
  }
  return 0;
}

bool MatchMask(std::string_view word, std::string_view mask) {
  if (word == mask) return true;
  if (mask == "*") return true;
  if (mask.find('*') == std::string_view::npos) {
    // Without a star only '?' can make an unequal word match.
    if (mask.find('?') == std::string_view::npos) return false;
    if (word.size() != mask.size()) return false;
    for (std::size_t i = 0; i < mask.size(); ++i)
      if (mask[i] != '?' && mask[i] != word[i]) return false;
    return true;
  }

  bool floating = false;
  bool openEnd = false;
  if (mask.front() == '*') {
    mask.remove_prefix(1);
    floating = true;
    if (mask.empty()) return false;
  }
  if (mask.back() == '*') {
    mask.remove_suffix(1);
    openEnd = true;
    if (mask.empty()) return false;
  }
  // Each piece is taken at its first occurrence in what is left of the word,
  // without going back: '*ing' does not match 'ringing'.
  while (!mask.empty()) {
    std::string_view piece;
    const std::size_t star = mask.find('*');
    if (star != std::string_view::npos) {
      piece = mask.substr(0, star);
      mask.remove_prefix(star + 1);
    } else {
      piece = mask;
      mask = {};
    }
    if (piece.empty()) return false;
    std::size_t found;
    if (piece.find('?') != std::string_view::npos) {
      found = FindWithJokers(piece, word);
    } else {
      const std::size_t at = word.find(piece);
      found = at == std::string_view::npos ? 0 : at + 1;
    }
    if (found == 0) return false;
    if (!floating && found != 1) return false;
    floating = true;
    word.remove_prefix(found + piece.size() - 1);
  }
  return openEnd || word.empty();
}

}  // namespace lexvane::search
