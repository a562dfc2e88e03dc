#include "search/word_mask.h"

namespace lexvane::search {

namespace {

// Whether `piece` matches the UTF-8 word from byte `at` on, character by
// character; `end` is then the byte behind the match.
bool matchesAt(std::string_view piece, std::string_view word, std::size_t at, std::size_t& end) {
  std::size_t k = 0;
  while (k < piece.size()) {
    if (at >= word.size()) return false;
    const std::size_t length = text::nextUtf8Char(word, at).length;
    if (piece[k] == '?') {
      ++k;
    } else {
      const std::size_t own = text::nextUtf8Char(piece, k).length;
      if (own != length || word.substr(at, length) != piece.substr(k, own)) return false;
      k += own;
    }
    at += length;
  }
  end = at;
  return true;
}

bool matchUtf8(std::string_view word, std::string_view mask) {
  std::size_t end = 0;
  if (mask.find('*') == std::string_view::npos)
    // Without a joker either, equal bytes (tested first) were the only match.
    return mask.find('?') != std::string_view::npos && matchesAt(mask, word, 0, end) &&
           end == word.size();
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
  // Each piece at its first occurrence in what is left, without going back.
  while (!mask.empty()) {
    const std::size_t star = mask.find('*');
    const std::string_view piece = mask.substr(0, star);
    mask.remove_prefix(star == std::string_view::npos ? mask.size() : star + 1);
    if (piece.empty()) return false;
    bool found = false;
    for (std::size_t at = 0; at < word.size() && !found;
         at += text::nextUtf8Char(word, at).length) {
      found = matchesAt(piece, word, at, end);
      if (!floating) break;
    }
    if (!found) return false;
    floating = true;
    word.remove_prefix(end);
  }
  return openEnd || word.empty();
}

}  // namespace

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

bool MatchMask(std::string_view word, std::string_view mask, text::Encoding encoding) {
  if (word == mask) return true;
  if (mask == "*") return true;
  if (text::IsUtf8(encoding)) return matchUtf8(word, mask);
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
