#include "concordance/source_text.h"

#include <unistd.h>

#include <algorithm>

#include "text/encoding.h"
#include "text/open_file.h"
#include "text/read_file.h"
#include "text/tags.h"

namespace lexvane::concordance {

namespace {

bool holdsBothBrackets(std::string_view line) {
  return line.find('<') != std::string_view::npos && line.find('>') != std::string_view::npos;
}

// One stripping pass over one line: the tag of every blank-separated word.
// (Not text::StripTags, which cuts its result to 255 characters: a line of a
// file may be longer.)
std::string stripLine(std::string_view line) {
  std::string result;
  result.reserve(line.size());
  std::size_t blank;
  while ((blank = line.find(' ')) != std::string_view::npos) {
    result += text::StripTag(line.substr(0, blank));
    result += ' ';
    line.remove_prefix(blank + 1);
  }
  result += text::StripTag(line);
  return result;
}

}  // namespace

std::optional<SourceBlock> ReadSourceBlock(const std::string& path, std::int64_t offset,
                                           bool oemToAnsi) {
  int error = 0;
  // Through the corpus files' own open: a FIFO or device put where the file
  // was is refused instead of waited for.
  const int fd = text::OpenCorpusFile(path, text::FileAccess::Seek, error);
  if (fd < 0) return std::nullopt;
  SourceBlock block;
  offset = std::max<std::int64_t>(offset, 0);
  const std::int64_t start = offset <= kSourceLead ? 0 : offset - kSourceLead;
  block.KeywordStart = offset <= kSourceLead ? offset : kSourceLead;
  block.Text.resize(static_cast<std::size_t>(kSourceBlockSize));
  const std::int64_t got = text::ReadFullyAt(fd, block.Text.data(), block.Text.size(), start);
  ::close(fd);
  if (got < 0) return std::nullopt;
  block.Text.resize(static_cast<std::size_t>(got));
  if (oemToAnsi) text::dosToAnsiInPlace(block.Text.data(), block.Text.size());
  const std::size_t zero = block.Text.find('\0');
  if (zero != std::string::npos) block.Text.resize(zero);
  return block;
}

std::string FieldText(std::string_view text, std::int64_t& position) {
  std::string result;
  result.reserve(text.size());
  const std::int64_t original = position;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      result += text[i];
      continue;
    }
    const bool pair = i + 1 < text.size() && text[i + 1] == '\n';
    result += '\n';
    if (pair) {
      ++i;
      // The LF of a pair before the position no longer counts.
      if (static_cast<std::int64_t>(i) < original) --position;
    }
  }
  return result;
}

std::string StripSourceText(std::string_view fieldText) {
  std::string current(fieldText);
  for (;;) {
    std::string next;
    next.reserve(current.size());
    bool again = false;
    std::string_view rest = current;
    for (;;) {
      const std::size_t end = rest.find('\n');
      const std::string_view line = rest.substr(0, end);
      if (!line.empty()) {
        std::string stripped = stripLine(line);
        again = again || holdsBothBrackets(stripped);
        next += stripped;
      }
      if (end == std::string_view::npos) break;
      next += '\n';
      rest.remove_prefix(end + 1);
    }
    // Brackets that no pass can remove (a lone '>' before a lone '<') end
    // the passes once one changes nothing.
    const bool changed = next != current;
    current = std::move(next);
    if (!again || !changed) return current;
  }
}

}  // namespace lexvane::concordance
