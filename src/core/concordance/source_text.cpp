#include "concordance/source_text.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

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
std::string stripLine(std::string_view line, text::Encoding encoding) {
  std::string result;
  result.reserve(line.size());
  std::size_t blank;
  while ((blank = line.find(' ')) != std::string_view::npos) {
    result += text::StripTag(line.substr(0, blank), encoding);
    result += ' ';
    line.remove_prefix(blank + 1);
  }
  result += text::StripTag(line, encoding);
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

std::optional<SourceBlock> ReadSourceBlock(const std::string& path, std::int64_t offset,
                                           text::Encoding encoding) {
  if (!text::IsUtf8(encoding))
    return ReadSourceBlock(path, offset, encoding == text::Encoding::Dos850);
  int error = 0;
  const int fd = text::OpenCorpusFile(path, text::FileAccess::Seek, error);
  if (fd < 0) return std::nullopt;
  offset = std::max<std::int64_t>(offset, 0);
  // Bytes enough for characters of up to four bytes, and three more in
  // front, where a character begun before them may end.
  constexpr std::int64_t kLead = kSourceLead * 4 + 3;
  const std::int64_t start = offset <= kLead ? 0 : offset - kLead;
  std::string bytes(static_cast<std::size_t>(kLead + (kSourceBlockSize - kSourceLead) * 4), '\0');
  const std::int64_t got = text::ReadFullyAt(fd, bytes.data(), bytes.size(), start);
  ::close(fd);
  if (got < 0) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(got));
  std::size_t from = 0;
  if (start > 0) {
    from = std::min<std::size_t>(3, bytes.size());
    from += text::leadingContinuationBytes(std::string_view(bytes).substr(from));
  } else if (text::startsWithByteOrderMark(bytes)) {
    from = 3;
  }
  // The character boundaries from `from` on, and the keyword's among them.
  std::vector<std::size_t> starts;
  std::int64_t keyword = -1;
  const std::int64_t at = offset - start;
  for (std::size_t i = from; i < bytes.size();) {
    const std::size_t length = text::nextUtf8Char(bytes, i).length;
    if (keyword < 0 && at < static_cast<std::int64_t>(i + length)) {
      keyword = static_cast<std::int64_t>(starts.size());
      if (at < static_cast<std::int64_t>(i)) keyword = -2;  // before the characters read
    }
    starts.push_back(i);
    i += length;
  }
  starts.push_back(bytes.size());
  const auto characters = static_cast<std::int64_t>(starts.size()) - 1;
  SourceBlock block;
  // Past the end: the whole lead, with the keyword where its characters
  // would follow.
  if (keyword == -1) keyword = characters;
  if (keyword == -2) keyword = 0;
  const std::int64_t first = std::max<std::int64_t>(0, keyword - kSourceLead);
  const std::int64_t last = std::min(characters, first + kSourceBlockSize);
  const std::size_t begin = starts[static_cast<std::size_t>(first)];
  block.Text = bytes.substr(begin, starts[static_cast<std::size_t>(last)] - begin);
  block.KeywordStart =
      keyword >= characters && at >= static_cast<std::int64_t>(bytes.size())
          ? static_cast<std::int64_t>(block.Text.size()) +
                (at - static_cast<std::int64_t>(bytes.size()))
          : static_cast<std::int64_t>(starts[static_cast<std::size_t>(keyword)] - begin);
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

std::string StripSourceText(std::string_view fieldText, text::Encoding encoding) {
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
        std::string stripped = stripLine(line, encoding);
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
