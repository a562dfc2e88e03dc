#include "search/lemma_list.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "text/collation.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/text_utils.h"

namespace lexvane::search {

LemmaList MakeLemmaList(const std::vector<std::string>& rawLines, std::string_view startText) {
  LemmaList list;
  for (std::string line : rawLines) {
    text::CleanLine(line);
    if (!line.empty()) list.Lines.push_back(std::move(line));
  }
  std::stable_sort(list.Lines.begin(), list.Lines.end(),
                   [](const std::string& a, const std::string& b) {
                     return text::compareTextIgnoreCase(a, b) < 0;
                   });
  for (std::size_t i = 0; i < list.Lines.size(); ++i)
    if (text::compareTextIgnoreCase(LemmaOf(list.Lines[i]), startText) >= 0) {
      list.Selected = static_cast<int>(i);
      break;
    }
  return list;
}

LemmaList LoadLemmaList(const std::string& path, std::string_view startText) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw text::Error("Cannot open file " + path);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(file, line)) lines.push_back(line);
  return MakeLemmaList(lines, startText);
}

std::string LemmaOf(std::string_view line) {
  return text::TrimSpaces(line.substr(0, line.find(';')));
}

std::vector<std::string> LemmaForms(std::string_view line) {
  std::vector<std::string> forms;
  while (true) {
    const std::size_t semicolon = line.find(';');
    std::string part = text::TrimSpaces(line.substr(0, semicolon));
    if (!part.empty()) forms.push_back(text::keepFirst(part));
    if (semicolon == std::string_view::npos) break;
    line.remove_prefix(semicolon + 1);
  }
  return forms;
}

}  // namespace lexvane::search
