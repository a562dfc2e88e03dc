#include "search/lemma_list.h"

#include <algorithm>
#include <optional>

#include "io/file_content.h"
#include "text/collation.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/text_utils.h"

namespace lexvane::search {

LemmaList MakeLemmaList(const std::vector<std::string>& rawLines, std::string_view startText,
                        const text::Collator& collator) {
  LemmaList list;
  for (std::string line : rawLines) {
    text::CleanLine(line);
    if (!line.empty()) list.Lines.push_back(std::move(line));
  }
  std::stable_sort(list.Lines.begin(), list.Lines.end(),
                   [&collator](const std::string& a, const std::string& b) {
                     return collator.CompareIgnoreCase(a, b) < 0;
                   });
  for (std::size_t i = 0; i < list.Lines.size(); ++i)
    if (collator.CompareIgnoreCase(LemmaOf(list.Lines[i]), startText) >= 0) {
      list.Selected = static_cast<int>(i);
      break;
    }
  return list;
}

LemmaList LoadLemmaList(const std::string& path, std::string_view startText,
                        const text::Collator& collator) {
  // Read whole and only from a regular file: a folder is no empty list, and
  // a pipe without a writer must not stop the program.
  const std::optional<std::string> bytes = io::ReadFileContent(path);
  if (!bytes) throw text::Error("Cannot open file " + path);
  // Lines end at CR LF, LF or a lone CR, so a list saved with any of the
  // three line ends gives the same lexemes.
  std::vector<std::string> lines;
  std::string_view rest = *bytes;
  while (!rest.empty()) {
    const std::size_t end = rest.find_first_of("\r\n");
    lines.emplace_back(rest.substr(0, end));
    if (end == std::string_view::npos) break;
    const bool pair = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
    rest.remove_prefix(end + (pair ? 2 : 1));
  }
  return MakeLemmaList(lines, startText, collator);
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
