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

namespace lexvane::text {

namespace {

// A window seen through a cutter's character mapping, with positions
// counted from 1, and the sentence rules on it. Positions outside the window
// read as the zero character, which is in no set.
class Window {
 public:
  Window(const char* data, std::int64_t size, const std::array<char, 256>& map,
         const ByteClassTable& classes, std::uint8_t outside, bool crlf)
      : data_(data), n_(size), map_(map), classes_(classes), outside_(outside), crlf_(crlf) {}
  std::int64_t size() const { return n_; }
  char at(std::int64_t i) const {
    return i >= 1 && i <= n_ ? map_[static_cast<unsigned char>(data_[i - 1])] : '\0';
  }
  // Positions first..last, mapped, into out (empty when last < first).
  void copy(std::int64_t first, std::int64_t last, std::string& out) const {
    out.clear();
    if (last < first) return;
    out.resize(static_cast<std::size_t>(last - first + 1));
    for (std::int64_t i = first; i <= last; ++i)
      out[static_cast<std::size_t>(i - first)] = map_[static_cast<unsigned char>(data_[i - 1])];
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
    return i >= 1 && i <= n_ ? classes_[static_cast<unsigned char>(data_[i - 1])] : outside_;
  }
  bool lineBreak(std::int64_t i) const { return BreaksLine(classAt(i), crlf_); }
  bool simpleEndAt(std::int64_t i) const { return EndsSimpleSentence(classAt(i), crlf_); }
  // The window's control characters are blanks and line breaks by now, and
  // a character beyond its start may be the end of a word cut off.
  bool enhancedEndAt(std::int64_t i) const {
    return at(i) == ' ' && EnhancedEndAtBlank(static_cast<unsigned char>(at(i - 2)), classAt(i - 2),
                                              classAt(i - 1), WordCharacter::NoPlain);
  }

  const char* data_;
  std::int64_t n_;
  const std::array<char, 256>& map_;
  const ByteClassTable& classes_;
  std::uint8_t outside_;
  bool crlf_;
};

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
}

void CutSentence(const char* window, std::size_t size, std::int64_t windowStart,
                 std::int64_t offset, bool crlf, bool enhanced, const CharacterSets& sets,
                 Sentence& sentence) {
  SentenceCutter(sets, crlf).Cut(window, size, windowStart, offset, enhanced, sentence);
}

void SentenceCutter::Cut(const char* window, std::size_t size, std::int64_t windowStart,
                         std::int64_t offset, bool enhanced, Sentence& sentence) const {
  const Window w(window, static_cast<std::int64_t>(size), map_, classes_, outside_, crlf_);
  const std::int64_t n = w.size();
  const std::int64_t k = offset - windowStart + 1;
  // Nothing of the keyword in the window: the texts stay as they were.
  if (n == 0 || k < 1 || k > n) return;
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

std::size_t ReadSentenceWindow(int fd, const std::string& path, std::int64_t offset, char* window,
                               std::int64_t& windowStart) {
  windowStart = offset < kSentenceWindowLead ? 0 : offset - kSentenceWindowLead;
  const std::int64_t got = ReadFullyAt(fd, window, kSentenceWindowSize, windowStart);
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
  char window[kSentenceWindowSize];
  std::int64_t start = 0;
  const std::size_t got = ReadSentenceWindow(fd, path, offset, window, start);
  CutSentence(window, got, start, offset, crlf, enhanced, sets, sentence);
}

}  // namespace lexvane::text
