#include "text/sentence_retrieval.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "text/encoding.h"
#include "text/error.h"
#include "text/text_utils.h"
#include "text/open_file.h"

namespace lexvane::text {

namespace {

constexpr std::int64_t kWindowSize = 1024;
constexpr std::int64_t kWindowLead = 300;

// The window seen through the character mapping (DOS conversion and control
// characters normalised), with positions counted from 1. Positions outside
// the window read as the zero character, which is in no set.
class Window {
 public:
  Window(const char* data, std::int64_t size, bool oemToAnsi, bool crlf) : data_(data), n_(size) {
    for (int c = 0; c < 256; ++c) {
      char mapped = oemToAnsi ? dosToAnsi(static_cast<char>(c)) : static_cast<char>(c);
      if (isControl(mapped)) {
        // A line break survives only as a carriage return while crlf is on.
        mapped = crlf && (mapped == '\r' || mapped == '\n') ? '\r' : ' ';
      }
      map_[c] = mapped;
    }
  }
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

 private:
  const char* data_;
  std::int64_t n_;
  char map_[256];
};

}  // namespace

void CutSentence(const char* window, std::size_t size, std::int64_t windowStart,
                 std::int64_t offset, bool crlf, bool enhanced, const CharacterSets& sets,
                 Sentence& sentence) {
  const Window w(window, static_cast<std::int64_t>(size), sets.oemToAnsi, crlf);
  const std::int64_t n = w.size();
  const std::int64_t k = offset - windowStart + 1;
  // Nothing of the keyword in the window: the texts stay as they were.
  if (n == 0 || k < 1 || k > n) return;

  auto lineBreak = [&](std::int64_t i) { return crlf && w.at(i) == '\r'; };
  auto inSentence = [&](std::int64_t i) { return sets.sentence(w.at(i)); };
  // A blank that ends a sentence under the enhanced rule: behind a sentence
  // separator that follows a word character, or behind a sentence separator
  // and a closing mark.
  auto enhancedEndAt = [&](std::int64_t i) {
    return w.at(i) == ' ' && ((sets.sentence(w.at(i - 1)) && !sets.plain(w.at(i - 2))) ||
                              (sets.closing(w.at(i - 1)) && sets.sentence(w.at(i - 2))));
  };

  // Sentence start s.
  std::int64_t i = k;
  if (enhanced) {
    while (i >= 3 && !lineBreak(i) && !enhancedEndAt(i)) --i;
    // The search reached the window's start. A blank there leaves out only a
    // sentence end standing before it; a one-character first word (the "I"
    // of "I am") belongs to the sentence.
    if (i == 2 && (w.at(2) != ' ' || !(inSentence(1) || sets.closing(w.at(1)) || lineBreak(1))))
      i = 1;
    if (i > 2) ++i;
  } else {
    while (i > 1 && !inSentence(i) && !lineBreak(i)) --i;
    if (inSentence(i) || lineBreak(i)) ++i;
  }
  const std::int64_t s = i;

  // Keyword and the position e behind it.
  std::int64_t e = k;
  while (e <= n && !sets.wordSet(w.at(e)) && !lineBreak(e)) ++e;

  // Sentence end t.
  i = e;
  if (enhanced) {
    while (i < n && !lineBreak(i) && !enhancedEndAt(i)) ++i;
  } else {
    while (i < n && !inSentence(i) && !lineBreak(i)) ++i;
  }
  const std::int64_t t = i;

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

void RetrieveSentence(const std::string& path, std::int64_t offset, bool crlf, bool enhanced,
                      const CharacterSets& sets, Sentence& sentence) {
  if (offset < 0) return;
  const std::int64_t start = offset < kWindowLead ? 0 : offset - kWindowLead;
  int error = 0;
  const int fd = OpenCorpusFile(path, FileAccess::Seek, error);
  if (fd < 0) throw Error(OpenErrorMessage(path, error));
  // Past the end there is nothing to read (and an offset near the largest
  // one would make the read itself fail).
  struct stat info;
  if (::fstat(fd, &info) == 0 && offset >= static_cast<std::int64_t>(info.st_size)) {
    ::close(fd);
    return;
  }
  char window[kWindowSize];
  std::int64_t got = 0;
  while (got < kWindowSize) {
    const ssize_t r = ::pread(fd, window + got, static_cast<std::size_t>(kWindowSize - got),
                              static_cast<off_t>(start + got));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) {
      const int error = errno;
      ::close(fd);
      throw Error(path + ": " + std::strerror(error));
    }
    if (r == 0) break;
    got += r;
  }
  ::close(fd);
  CutSentence(window, static_cast<std::size_t>(got), start, offset, crlf, enhanced, sets, sentence);
}

}  // namespace lexvane::text
