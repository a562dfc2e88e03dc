#include "text/sentence_retrieval.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "text/encoding.h"
#include "text/error.h"
#include "text/open_file.h"
#include "text/read_file.h"
#include "text/scan_rules.h"
#include "text/text_utils.h"
#include "text/utf8_classes.h"

namespace lexvane::text {

namespace {

// The characters of an 8-bit window seen through a cutter's character
// mapping, counted from 1.
class ByteText {
 public:
  ByteText(const char* data, std::int64_t size, const std::array<char, 256>& map,
           const ByteClassTable& classes)
      : data_(data), n_(size), map_(map), classes_(classes) {}
  std::int64_t size() const { return n_; }
  unsigned value(std::int64_t i) const {
    return static_cast<unsigned char>(map_[static_cast<unsigned char>(data_[i - 1])]);
  }
  std::uint8_t bits(std::int64_t i) const {
    return classes_[static_cast<unsigned char>(data_[i - 1])];
  }
  void copy(std::int64_t first, std::int64_t last, std::string& out) const {
    out.resize(static_cast<std::size_t>(last - first + 1));
    for (std::int64_t i = first; i <= last; ++i)
      out[static_cast<std::size_t>(i - first)] = map_[static_cast<unsigned char>(data_[i - 1])];
  }

 private:
  const char* data_;
  std::int64_t n_;
  const std::array<char, 256>& map_;
  const ByteClassTable& classes_;
};

using Cell = WindowCell;

// The characters of a UTF-8 window, counted from 1.
class CellText {
 public:
  CellText(const char* data, const std::vector<Cell>& cells) : data_(data), cells_(cells) {}
  std::int64_t size() const { return static_cast<std::int64_t>(cells_.size()); }
  unsigned value(std::int64_t i) const { return cell(i).value; }
  std::uint8_t bits(std::int64_t i) const { return cell(i).bits; }
  void copy(std::int64_t first, std::int64_t last, std::string& out) const {
    for (std::int64_t i = first; i <= last; ++i) {
      const Cell& c = cell(i);
      // A control character shows as the blank or line break it was made.
      if (c.value < 32 || c.value == ' ')
        out += static_cast<char>(c.value);
      else
        out.append(data_ + c.start, c.length);
    }
  }

 private:
  const Cell& cell(std::int64_t i) const { return cells_[static_cast<std::size_t>(i - 1)]; }
  const char* data_;
  const std::vector<Cell>& cells_;
};

// A window of characters with the sentence rules on it. Positions outside
// the window read as the zero character, which is in no set.
template <class Text>
class Window {
 public:
  Window(const Text& text, std::uint8_t outside, bool crlf)
      : text_(text), n_(text.size()), outside_(outside), crlf_(crlf) {}
  std::int64_t size() const { return n_; }
  unsigned at(std::int64_t i) const { return i >= 1 && i <= n_ ? text_.value(i) : 0; }
  // Positions first..last, mapped, into out (empty when last < first).
  void copy(std::int64_t first, std::int64_t last, std::string& out) const {
    out.clear();
    if (last < first) return;
    text_.copy(first, last, out);
  }

  // The first position of the sentence that holds position k.
  std::int64_t sentenceStart(std::int64_t k, bool enhanced) const {
    std::int64_t i = k;
    if (!enhanced) {
      while (i > 1 && !simpleEndAt(i)) --i;
      return simpleEndAt(i) ? i + 1 : i;
    }
    while (i >= 3 && !lineBreak(i) && !enhancedEndAt(i)) --i;
    // The search reached the window's start. A blank there leaves out only a
    // sentence end standing before it; a one-character first word (the "I"
    // of "I am") belongs to the sentence.
    if (i == 2 &&
        (at(2) != ' ' || !((classAt(1) & (kSentenceByte | kClosingByte)) != 0 || lineBreak(1))))
      i = 1;
    return i > 2 ? i + 1 : i;
  }
  // The position behind the word at k: a separator (a word separator or a
  // line break, the only control characters left), or n + 1.
  std::int64_t wordEnd(std::int64_t k) const {
    std::int64_t e = k;
    while (e <= n_ && !(classAt(e) & kSeparatorByte)) ++e;
    return e;
  }
  // The position of the character that ends the sentence going on at e, or
  // the window's last.
  std::int64_t sentenceEnd(std::int64_t e, bool enhanced) const {
    std::int64_t i = e;
    if (enhanced) {
      while (i < n_ && !lineBreak(i) && !enhancedEndAt(i)) ++i;
    } else {
      while (i < n_ && !simpleEndAt(i)) ++i;
    }
    return i;
  }

 private:
  std::uint8_t classAt(std::int64_t i) const {
    return i >= 1 && i <= n_ ? text_.bits(i) : outside_;
  }
  bool lineBreak(std::int64_t i) const { return BreaksLine(classAt(i), crlf_); }
  bool simpleEndAt(std::int64_t i) const { return EndsSimpleSentence(classAt(i), crlf_); }
  // The window's control characters are blanks and line breaks by now, and
  // a character beyond its start may be the end of a word cut off.
  bool enhancedEndAt(std::int64_t i) const {
    return at(i) == ' ' &&
           EnhancedEndAtBlank(at(i - 2), classAt(i - 2), classAt(i - 1), WordCharacter::NoPlain);
  }

  const Text& text_;
  std::int64_t n_;
  std::uint8_t outside_;
  bool crlf_;
};

// Cuts the sentence of the keyword at position k of the window.
template <class Text>
void cutWindow(const Window<Text>& w, std::int64_t k, bool enhanced, Sentence& sentence) {
  const std::int64_t n = w.size();
  const std::int64_t s = w.sentenceStart(k, enhanced);
  const std::int64_t e = w.wordEnd(k);
  const std::int64_t t = w.sentenceEnd(e, enhanced);

  constexpr auto kMax = static_cast<std::int64_t>(kMaxTextLength);
  // The left context keeps the characters nearest the keyword, the keyword
  // and the right context their first characters.
  w.copy(std::max(s, k - kMax), k - 1, sentence.left);
  w.copy(k, std::min(e - 1, k + kMax - 1), sentence.keyword);
  if (e > n)
    sentence.right.clear();
  else
    w.copy(e, std::min(t, e + kMax - 1), sentence.right);
  text::CleanLine(sentence.left);
  text::CleanLine(sentence.keyword);
  text::CleanLine(sentence.right);
}

}  // namespace

SentenceCutter::SentenceCutter(const CharacterSets& sets, bool crlf) : crlf_(crlf) {
  for (int c = 0; c < 256; ++c) {
    char mapped = sets.oemToAnsi ? dosToAnsi(static_cast<char>(c)) : static_cast<char>(c);
    if (isControl(mapped)) {
      // A line break survives only as a carriage return while crlf is on.
      mapped = crlf && (mapped == '\r' || mapped == '\n') ? '\r' : ' ';
    }
    map_[c] = mapped;
    classes_[c] = ClassOf(sets, static_cast<unsigned char>(mapped));
  }
  outside_ = ClassOf(sets, 0);
  if (IsUtf8(sets.encoding)) wide_ = std::make_shared<const Utf8Classes>(sets);
}

void CutSentence(const char* window, std::size_t size, std::int64_t windowStart,
                 std::int64_t offset, bool crlf, bool enhanced, const CharacterSets& sets,
                 Sentence& sentence) {
  SentenceCutter(sets, crlf).Cut(window, size, windowStart, offset, enhanced, sentence);
}

void SentenceCutter::Cut(const char* window, std::size_t size, std::int64_t windowStart,
                         std::int64_t offset, bool enhanced, Sentence& sentence) const {
  if (wide_) return cutUtf8(window, size, windowStart, offset, enhanced, sentence);
  const ByteText text(window, static_cast<std::int64_t>(size), map_, classes_);
  const Window<ByteText> w(text, outside_, crlf_);
  const std::int64_t n = w.size();
  const std::int64_t k = offset - windowStart + 1;
  // Nothing of the keyword in the window: the texts stay as they were.
  if (n == 0 || k < 1 || k > n) return;
  cutWindow(w, k, enhanced, sentence);
}

void SentenceCutter::cutUtf8(const char* window, std::size_t size, std::int64_t windowStart,
                             std::int64_t offset, bool enhanced, Sentence& sentence) const {
  const auto* data = reinterpret_cast<const unsigned char*>(window);
  // The characters of the window. Those starting in its first three bytes
  // may be the rest of one begun before it, and the byte-order mark at the
  // file's start is none: both stay out.
  const std::string_view bytes(window, size);
  std::size_t from = 0;
  if (windowStart > 0) {
    from = std::min<std::size_t>(3, size);
    from += leadingContinuationBytes(bytes.substr(from));
  } else if (startsWithByteOrderMark(bytes)) {
    from = 3;
  }
  std::vector<WindowCell>& cells = cells_;
  cells.clear();
  std::int64_t keyword = -1;
  const std::int64_t at = offset - windowStart;
  for (std::size_t i = from; i < size;) {
    ClassedChar c = wide_->At(data, size, i, classes_);
    if (c.ch < 32) {
      // Mapped as the 8-bit window maps it; classes_ holds the mapped class.
      c.ch = static_cast<unsigned char>(map_[c.ch]);
    }
    if (keyword < 0 && at < static_cast<std::int64_t>(i + c.length) &&
        at >= static_cast<std::int64_t>(i))
      keyword = static_cast<std::int64_t>(cells.size());
    cells.push_back({static_cast<std::uint32_t>(i), c.length, c.bits, c.ch});
    i += c.length;
  }
  // Nothing of the keyword in the window: the texts stay as they were.
  if (keyword < 0) return;
  // The window in characters: from 300 before the keyword, 1024 in all.
  const std::int64_t first = std::max<std::int64_t>(0, keyword - kSentenceWindowLead);
  const std::int64_t last =
      std::min<std::int64_t>(static_cast<std::int64_t>(cells.size()), first + kSentenceWindowSize);
  cells.erase(cells.begin() + last, cells.end());
  cells.erase(cells.begin(), cells.begin() + first);
  const CellText text(window, cells);
  const Window<CellText> w(text, outside_, crlf_);
  cutWindow(w, keyword - first + 1, enhanced, sentence);
}

std::size_t ReadSentenceWindow(int fd, const std::string& path, std::int64_t offset, char* window,
                               std::int64_t& windowStart, Encoding encoding) {
  const bool utf8 = IsUtf8(encoding);
  const std::int64_t lead = utf8 ? kUtf8WindowLead : kSentenceWindowLead;
  windowStart = offset < lead ? 0 : offset - lead;
  const std::int64_t got =
      ReadFullyAt(fd, window, utf8 ? kUtf8WindowBytes : kSentenceWindowSize, windowStart);
  if (got < 0) throw Error(FileErrorMessage(path, errno));
  return static_cast<std::size_t>(got);
}

void RetrieveSentence(const std::string& path, std::int64_t offset, bool crlf, bool enhanced,
                      const CharacterSets& sets, Sentence& sentence) {
  if (offset < 0) return;
  int error = 0;
  const int fd = OpenCorpusFile(path, FileAccess::Seek, error);
  if (fd < 0) throw Error(OpenErrorMessage(path, error));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  // Past the end there is nothing to read (and an offset near the largest
  // one would make the read itself fail).
  struct stat info;
  if (::fstat(fd, &info) == 0 && offset >= static_cast<std::int64_t>(info.st_size)) return;
  char window[kUtf8WindowBytes];
  std::int64_t start = 0;
  const std::size_t got = ReadSentenceWindow(fd, path, offset, window, start, sets.encoding);
  CutSentence(window, got, start, offset, crlf, enhanced, sets, sentence);
}

}  // namespace lexvane::text
