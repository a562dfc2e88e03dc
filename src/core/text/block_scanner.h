// BlockScanner: the one fast reader of corpus text. It reads a file (or the
// words of a byte range of it, for one of several threads) or text in
// memory in large blocks (a large file mapped into memory, so that its bytes
// are not copied first; a file that shrinks meanwhile ends the scan with
// EIO), finds word starts, word ends and the sentence ends
// of the gaps 64 bytes at a time (scan_setup.h), cuts words at 255
// characters, and pushes what it finds into a sink, which may stop it. It
// gives exactly the words, offsets and flags of TextScanner::ReadWord (the
// reference, which the tests hold it against).
//
// A sink is a class the scanner is instantiated with (its calls inline):
//   bool Word(const ScanWord& word);
//       A word with its text; false stops the scan.
//   void Words(unsigned count, std::uint64_t ends);
//       WordDetail::Candidates only: `count` (1 to 64) words without text,
//       bit k of `ends` set when the k-th ends its sentence by the run rule.
//   bool Candidate(const unsigned char* first, std::size_t available) const;
//       Optional, WordDetail::Candidates: whether the word starting at
//       `first` (a candidate byte; `available` bytes readable, at least 1)
//       is wanted with its text.
//   bool AfterBlock(std::int64_t reached);
//       Optional: called after each block read from a file (`reached`: the
//       file offset behind it), the words before it handed over but for
//       the one in hand; false stops the scan.
//
// A range owns the words that start in it and reads on past its end only as
// far as the sentence ends of its last word are still open, so that a long
// run of separators is read once however many ranges it spans.
//
// One instance per thread; ranges and files one after another.
#pragma once

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>

#include <sys/stat.h>

#include "text/encoding.h"
#include "text/mapped_file.h"
#include "text/quiet_windows.h"
#include "text/read_file.h"
#include "text/scan_setup.h"

#define LEXVANE_SCAN_INLINE [[gnu::always_inline]] inline

namespace lexvane::text {

// One word as the scanner hands it over.
struct ScanWord {
  // Its first 255 characters, a view of the block (or of the scanner's copy
  // of a word that ran across blocks), valid during the sink's call.
  std::string_view text;
  std::int64_t offset = 0;  // of its first byte in the file
  bool simpleEnd = false;
  bool enhancedEnd = false;
  bool cut = false;  // it had more than 255 characters
};

// How a scan ended.
struct ScanEnd {
  bool stopped = false;  // the sink stopped it
  int readError = 0;     // errno of a failed read (the words before it were handed over)
};

template <class Sink>
class BlockScanner {
 public:
  explicit BlockScanner(const ScanSetup& setup)
      : setup_(setup),
        masker_(setup),
        quiet_(setup),
        buffer_(std::make_unique_for_overwrite<unsigned char[]>(setup.BlockBytes() + kKeep +
                                                                2 * kWindowRoom)) {}
  BlockScanner(const BlockScanner&) = delete;
  BlockScanner& operator=(const BlockScanner&) = delete;

  // Scans the words of the open file `fd` that start in [from, until)
  // (until < 0: to the end). A file that cannot seek (a pipe) is read from
  // its position, with from = 0.
  ScanEnd ScanFile(Sink& sink, int fd, std::int64_t from = 0, std::int64_t until = -1,
                   bool seekable = true) {
    return scanFile(sink, fd, from, until, seekable);
  }
  // Scans text held in memory as a whole file.
  ScanEnd ScanBytes(Sink& sink, std::string_view bytes) { return scanBytes(sink, bytes); }

  // The bytes read from files by all scans so far.
  std::int64_t BytesRead() const { return bytesRead_; }

 private:
  // Room for the word in hand across blocks: 255 characters of four bytes.
  static constexpr std::size_t kKeep = 1024;
  // A window and the UTF-8 bytes decoded behind it.
  static constexpr std::size_t kWindowRoom = 64 + 8;
  static constexpr std::size_t kBatch = 16;
  static constexpr std::size_t kAfterQuiet = 2;
  // A mapped file's pages are released in pieces of at least this many
  // blocks.
  static constexpr std::int64_t kReleaseBlocks = 64;

  ScanEnd scanFile(Sink& sink, int fd, std::int64_t from, std::int64_t until, bool seekable);
  // The mapped file of `fd` when it is to be mapped, else nothing.
  std::optional<MappedFile> mapping(int fd, bool seekable) const;
  ScanEnd scanMapped(Sink& sink, const MappedFile& file, std::int64_t from, std::int64_t until);
  ScanEnd scanBytes(Sink& sink, std::string_view bytes);
  void begin(std::int64_t from, std::int64_t until);
  // The windows of data[next_ .. end) (data at file offset `at`); at the end
  // of the file also the last, short one. False when the scan is done.
  LEXVANE_SCAN_INLINE bool windows(Sink& sink, const unsigned char* data, std::int64_t at,
                                   const unsigned char* end, bool endOfFile);
  LEXVANE_SCAN_INLINE bool window(Sink& sink, const WindowWords& w, const unsigned char* p,
                                  std::int64_t offset);
  // Reads on through the quiet windows (quiet_windows.h) of the `windows`
  // at p, as far as they go.
  void quietWindows(Sink& sink, const unsigned char* p, std::size_t windows);
  // The windows words[0 .. count) at p of a scan that hands every word over
  // whole.
  LEXVANE_SCAN_INLINE bool every(Sink& sink, const WindowWords* words, std::size_t count,
                                 const unsigned char* p);
  // The windows words[0 .. count) at p of a scan that counts words in runs.
  LEXVANE_SCAN_INLINE bool runs(Sink& sink, const WindowWords* words, std::size_t count,
                                const unsigned char* p);
  // After a window: whether the range still goes on.
  LEXVANE_SCAN_INLINE bool goesOn(Sink& sink, std::int64_t end);
  LEXVANE_SCAN_INLINE bool emit(Sink& sink, bool simpleEnd, bool enhancedEnd);
  // Hands a word over with its text (`kept`: bytes of a copy, 0 in the block).
  LEXVANE_SCAN_INLINE bool handOver(Sink& sink, const unsigned char* text, std::size_t kept,
                                    std::int64_t start, std::int64_t end, bool simpleEnd,
                                    bool enhancedEnd);
  LEXVANE_SCAN_INLINE void take(const unsigned char* p, std::int64_t offset,
                                std::uint64_t endsAfter, bool detail);
  LEXVANE_SCAN_INLINE void flushRun(Sink& sink) {
    if constexpr (requires { sink.Words(1u, std::uint64_t{0}); }) {
      if (runCount_ > 0) sink.Words(runCount_, runEnds_);
    }
    runCount_ = 0;
    runEnds_ = 0;
  }
  LEXVANE_SCAN_INLINE bool endOfFile(Sink& sink, std::int64_t size);
  // Before the next read: keeps the unread bytes and the word in hand.
  void roll();
  bool wanted(Sink& sink, const unsigned char* p, const unsigned char* end) const {
    if constexpr (requires { sink.Candidate(p, std::size_t{1}); })
      return sink.Candidate(p, static_cast<std::size_t>(std::min<std::ptrdiff_t>(end - p, 4)));
    else
      return true;
  }

  const ScanSetup& setup_;
  WindowMasker masker_;
  QuietWindows quiet_;
  std::unique_ptr<unsigned char[]> buffer_;
  unsigned char tail_[kWindowRoom + 64] = {};
  std::int64_t bufferAt_ = 0;  // file offset of buffer_[0]
  std::size_t bufferLength_ = 0;
  std::int64_t bytesRead_ = 0;
  // The range and where the scan stands.
  std::int64_t from_ = 0, until_ = 0, next_ = 0;
  const unsigned char* dataEnd_ = nullptr;
  // The gap reaching the end of the window before holds a sentence end.
  bool simpleOpen_ = false, enhancedOpen_ = false;
  bool stopped_ = false;  // the sink stopped the scan
  // The word in hand: not handed over yet, as its gap may still go on.
  bool hand_ = false;
  std::int64_t handStart_ = 0;
  std::int64_t handEnd_ = -1;  // -1 while its last byte is not read
  const unsigned char* handText_ = nullptr;
  std::size_t handKept_ = 0;  // bytes of a copied word (0: in the block)
  bool handDetail_ = false;   // handed over with its text
  bool handLong_ = false;     // ran across a whole window: may need a cut
  unsigned char copy_[kKeep];
  // Words counted in a run, not yet handed over.
  unsigned runCount_ = 0;
  std::uint64_t runEnds_ = 0;
};

template <class Sink>
void BlockScanner<Sink>::begin(std::int64_t from, std::int64_t until) {
  from_ = from;
  until_ = until < 0 ? std::numeric_limits<std::int64_t>::max() : until;
  // A few bytes in front of the range tell whether a word runs into it
  // (the lead byte of a UTF-8 character is at most three before its last).
  next_ = from - std::min<std::int64_t>(from, 4);
  masker_.Start(next_);
  simpleOpen_ = enhancedOpen_ = false;
  hand_ = false;
  stopped_ = false;
  runCount_ = 0;
  runEnds_ = 0;
}

template <class Sink>
std::optional<MappedFile> BlockScanner<Sink>::mapping(int fd, bool seekable) const {
  const FileMapping mapping = setup_.Options().mapping;
  if (!seekable || mapping == FileMapping::Never || setup_.Sets().oemToAnsi) return std::nullopt;
  struct stat status;
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  if (mapping == FileMapping::WhenLarge && status.st_size < MappedFile::kWorthMapping)
    return std::nullopt;
  return MappedFile::Map(fd, status.st_size);
}

template <class Sink>
ScanEnd BlockScanner<Sink>::scanMapped(Sink& sink, const MappedFile& file, std::int64_t from,
                                       std::int64_t until) {
  begin(from, until);
  const unsigned char* const data = file.Data();
  const std::int64_t size = file.Size();
  const auto block = static_cast<std::int64_t>(setup_.BlockBytes());
  std::int64_t reached = std::min(next_, size);
  std::int64_t released = reached;  // the pages before it have left the process
  for (;;) {
    const std::int64_t end = std::min(size, reached + block);
    const bool last = end == size;
    if (!last) file.WillRead(end, end + block);
    bytesRead_ += end - reached;
    if (!windows(sink, data, 0, data + end, last))
      return ScanEnd{stopped_, file.Damaged() ? EIO : 0};
    if (file.Damaged()) {
      flushRun(sink);
      return ScanEnd{false, EIO};
    }
    if (last) {
      ScanEnd done;
      done.stopped = !endOfFile(sink, size);
      return done;
    }
    flushRun(sink);
    if constexpr (requires { sink.AfterBlock(std::int64_t{0}); }) {
      if (!sink.AfterBlock(end)) return ScanEnd{true, 0};
    }
    // What lies a block behind the scan goes back, in large pieces, as
    // each release costs the other processors a flush of their address
    // caches (a word in hand that started there is read in again when it
    // is handed over).
    if (reached - block - released >= kReleaseBlocks * block) {
      file.Release(released, reached - block);
      released = reached - block;
    }
    reached = end;
  }
}

template <class Sink>
ScanEnd BlockScanner<Sink>::scanFile(Sink& sink, int fd, std::int64_t from, std::int64_t until,
                                     bool seekable) {
  if (const std::optional<MappedFile> file = mapping(fd, seekable))
    return scanMapped(sink, *file, from, until);
  begin(from, until);
  bufferAt_ = next_;
  bufferLength_ = 0;
  const std::size_t block = setup_.BlockBytes();
  for (;;) {
    char* into = reinterpret_cast<char*>(buffer_.get()) + bufferLength_;
    const std::int64_t got =
        seekable ? ReadSomeAt(fd, into, block, bufferAt_ + static_cast<std::int64_t>(bufferLength_))
                 : ReadSome(fd, into, block);
    if (got < 0) {
      ScanEnd end;
      end.readError = errno;
      flushRun(sink);
      return end;
    }
    if (got > 0 && setup_.Sets().oemToAnsi) dosToAnsiInPlace(into, static_cast<std::size_t>(got));
    bufferLength_ += static_cast<std::size_t>(got);
    bytesRead_ += got;
    const unsigned char* const end = buffer_.get() + bufferLength_;
    if (!windows(sink, buffer_.get(), bufferAt_, end, got == 0)) return ScanEnd{stopped_, 0};
    if (got == 0) {
      ScanEnd done;
      done.stopped = !endOfFile(sink, bufferAt_ + static_cast<std::int64_t>(bufferLength_));
      return done;
    }
    flushRun(sink);
    if constexpr (requires { sink.AfterBlock(std::int64_t{0}); }) {
      if (!sink.AfterBlock(bufferAt_ + static_cast<std::int64_t>(bufferLength_)))
        return ScanEnd{true, 0};
    }
    roll();
  }
}

template <class Sink>
ScanEnd BlockScanner<Sink>::scanBytes(Sink& sink, std::string_view bytes) {
  std::string converted;
  if (setup_.Sets().oemToAnsi) {
    converted.assign(bytes);
    dosToAnsiInPlace(converted.data(), converted.size());
    bytes = converted;
  }
  begin(0, -1);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const unsigned char* const end = data + bytes.size();
  if (!windows(sink, data, 0, end, true)) return ScanEnd{stopped_, 0};
  return ScanEnd{!endOfFile(sink, static_cast<std::int64_t>(bytes.size())), 0};
}

template <class Sink>
bool BlockScanner<Sink>::windows(Sink& sink, const unsigned char* data, std::int64_t at,
                                 const unsigned char* end, bool endOfFile) {
  dataEnd_ = end;
  const std::ptrdiff_t lookahead = endOfFile ? 0 : (setup_.Utf8() ? 3 : 0);
  WindowMasks raw[kBatch];
  WindowWords words[kBatch];
  for (;;) {
    const unsigned char* p = data + (next_ - at);
    std::ptrdiff_t left = end - p;
    // The general path takes a few windows where the quiet one stopped, and
    // a whole batch where it could not start.
    std::size_t batch = kBatch;
    if (quiet_.Applies() && hand_ && !handLong_ && !handDetail_ && next_ >= from_ &&
        left > 64 + lookahead) {
      // A byte beyond each window is read: the second of a word starting
      // at its end.
      const std::int64_t before = next_;
      quietWindows(sink, p, static_cast<std::size_t>((left - lookahead - 1) / 64));
      if (next_ > before) batch = kAfterQuiet;
      p = data + (next_ - at);
      left = end - p;
    }
    std::size_t count = 0;
    if (left >= 64 + lookahead) {
      count = std::min<std::size_t>(static_cast<std::size_t>((left - lookahead) / 64), batch);
      if (!setup_.ByCharacters()) setup_.Classifier().Classify(p, count, raw);
    } else if (endOfFile && left > 0) {
      // The last, short window: classified from a copy, so that nothing is
      // read beyond the data; its bytes still count where they stand.
      count = 1;
      std::memcpy(tail_, p, static_cast<std::size_t>(left));
      std::memset(tail_ + left, 0, 64 - static_cast<std::size_t>(left));
      if (!setup_.ByCharacters()) setup_.Classifier().Classify(tail_, 1, raw);
    } else {
      return true;
    }
    masker_.Read(raw, count, p, next_, end, words);
    if (!(setup_.Options().detail == WordDetail::Candidates ? runs(sink, words, count, p)
                                                            : every(sink, words, count, p)))
      return false;
  }
}

template <class Sink>
void BlockScanner<Sink>::quietWindows(Sink& sink, const unsigned char* p, std::size_t windows) {
  // Only windows that end before the range's end: the one that reaches it
  // decides where the range stops.
  windows = static_cast<std::size_t>(
      std::clamp<std::int64_t>((until_ - next_ - 1) / 64, 0, static_cast<std::int64_t>(windows)));
  QuietWindows::State state;
  if (windows == 0 || !masker_.QuietCarry(state.separators, state.simpleGap)) return;
  state.handStart = handStart_;
  state.handEnd = handEnd_;
  state.handText = handText_;
  state.handKept = handKept_;
  state.runEnds = runEnds_;
  state.runCount = runCount_;
  std::uint64_t full[QuietWindows::kMostWindows + 1];
  for (;;) {
    const std::size_t asked = std::min(windows, QuietWindows::kMostWindows);
    std::size_t fullCount = 0;
    const std::size_t read = quiet_.Read(p, asked, next_, state, full, fullCount);
    if constexpr (requires { sink.Words(1u, std::uint64_t{0}); }) {
      for (std::size_t i = 0; i < fullCount; ++i) sink.Words(64, full[i]);
    }
    next_ += static_cast<std::int64_t>(64 * read);
    p += 64 * read;
    windows -= read;
    if (read < asked || windows == 0) break;
  }
  masker_.SetQuietCarry(state.separators, state.simpleGap);
  handStart_ = state.handStart;
  handEnd_ = state.handEnd;
  handText_ = state.handText;
  handKept_ = state.handKept;
  runEnds_ = state.runEnds;
  runCount_ = state.runCount;
}

template <class Sink>
bool BlockScanner<Sink>::every(Sink& sink, const WindowWords* words, std::size_t count,
                               const unsigned char* p) {
  // The word in hand in locals; windows at the range's edges, inside a long
  // word or at the file's end go through window().
  std::int64_t handStart = handStart_, handEnd = handEnd_;
  const unsigned char* handText = handText_;
  std::size_t handKept = handKept_;
  const auto store = [&] {
    handStart_ = handStart;
    handEnd_ = handEnd;
    handText_ = handText;
    handKept_ = handKept;
  };
  const std::int64_t from = from_, until = until_;
  std::int64_t offset = next_;
  for (std::size_t k = 0; k < count; ++k, p += 64, offset += 64) {
    const WindowWords& w = words[k];
    if (!hand_ || handLong_ || w.noSeparator || offset < from || offset + 64 >= until ||
        dataEnd_ - p < 64) {
      store();
      next_ = offset;
      if (!window(sink, w, p, offset)) return false;
      handStart = handStart_;
      handEnd = handEnd_;
      handText = handText_;
      handKept = handKept_;
      continue;
    }
    if (handEnd < 0) handEnd = offset + std::countr_zero(w.wordEnds);
    for (std::uint64_t s = w.starts; s != 0; s &= s - 1) {
      const int b = std::countr_zero(s);
      if (!handOver(sink, handText, handKept, handStart, handEnd, (w.simple >> b) & 1,
                    (w.enhanced >> b) & 1)) {
        store();
        stopped_ = true;
        return false;
      }
      handStart = offset + b;
      handText = p + b;
      handKept = 0;
      const std::uint64_t after = w.wordEnds >> b;
      handEnd = after != 0 ? handStart + std::countr_zero(after) : -1;
    }
  }
  store();
  next_ = offset;
  return true;
}

template <class Sink>
bool BlockScanner<Sink>::runs(Sink& sink, const WindowWords* words, std::size_t count,
                              const unsigned char* p) {
  // What the windows change, in locals, so that it stays in registers. A
  // window in the range with a word in hand goes here: the words before
  // each one wanted whole are counted in one run. The others go through
  // window().
  std::uint64_t runEnds = runEnds_;
  unsigned runCount = runCount_;
  const auto append = [&](std::uint64_t ends, unsigned words) {
    runEnds |= ends << runCount;
    runCount += words;
    if (runCount >= 64) {
      if constexpr (requires { sink.Words(1u, std::uint64_t{0}); }) sink.Words(64, runEnds);
      runCount -= 64;
      runEnds = runCount == 0 ? 0 : ends >> (words - runCount);
    }
  };
  const auto lowest = [](unsigned n) {
    return n >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1;
  };
  const std::int64_t from = from_, until = until_;
  std::int64_t offset = next_;
  for (std::size_t k = 0; k < count; ++k, p += 64, offset += 64) {
    const WindowWords& w = words[k];
    if (!hand_ || handLong_ || w.noSeparator || offset < from || offset + 64 >= until ||
        dataEnd_ - p < 64) {
      runEnds_ = runEnds;
      runCount_ = runCount;
      next_ = offset;
      if (!window(sink, w, p, offset)) return false;
      runEnds = runEnds_;
      runCount = runCount_;
      continue;
    }
    // The word in hand ends at the window's first separator.
    if (handEnd_ < 0) handEnd_ = offset + std::countr_zero(w.wordEnds);
    if (w.words == 0) continue;
    // Emission e hands over the word before the e-th start: the one in
    // hand, then the words starting here but the last, which is taken in
    // hand. Those wanted whole go one by one, the others in runs.
    std::uint64_t wanted = 0;  // by rank among the starts
    for (std::uint64_t c = w.candidates; c != 0; c &= c - 1)
      if (this->wanted(sink, p + std::countr_zero(c), dataEnd_))
        wanted |= std::uint64_t{1} << CountBits(w.starts & ((c & -c) - 1));
    std::uint64_t whole = ((wanted << 1) | std::uint64_t{handDetail_}) & lowest(w.words);
    unsigned e = 0;
    std::uint64_t cursor = w.starts;  // its lowest bit: the start of emission e
    int before = -1;                  // where the word of emission e starts (-1: in hand)
    while (whole != 0) {
      const auto d = static_cast<unsigned>(std::countr_zero(whole));
      whole &= whole - 1;
      if (d > e) {
        append((w.runEnds >> e) & lowest(d - e), d - e);
        for (; e < d; ++e) {
          before = std::countr_zero(cursor);
          cursor &= cursor - 1;
        }
      }
      const int at = std::countr_zero(cursor);
      const bool simpleEnd = (w.simple >> at) & 1, enhancedEnd = (w.enhanced >> at) & 1;
      if (runCount > 0) {
        if constexpr (requires { sink.Words(1u, std::uint64_t{0}); }) sink.Words(runCount, runEnds);
        runCount = 0;
        runEnds = 0;
      }
      const bool more =
          before < 0
              ? handOver(sink, handText_, handKept_, handStart_, handEnd_, simpleEnd, enhancedEnd)
              : handOver(sink, p + before, 0, offset + before,
                         offset + before + std::countr_zero(w.wordEnds >> before), simpleEnd,
                         enhancedEnd);
      if (!more) {
        stopped_ = true;
        return false;
      }
      before = at;
      cursor &= cursor - 1;
      e = d + 1;
    }
    if (w.words > e) append((w.runEnds >> e) & lowest(w.words - e), w.words - e);
    const int last = 63 - std::countl_zero(w.starts);
    take(p + last, offset + last, w.wordEnds >> last, ((wanted >> (w.words - 1)) & 1) != 0);
  }
  runEnds_ = runEnds;
  runCount_ = runCount;
  next_ = offset;
  return true;
}

template <class Sink>
bool BlockScanner<Sink>::window(Sink& sink, const WindowWords& w, const unsigned char* p,
                                std::int64_t offset) {
  const ScanOptions& options = setup_.Options();
  simpleOpen_ = w.simpleOpen;
  enhancedOpen_ = w.enhancedOpen;
  if (hand_ && handEnd_ < 0) {
    if (w.wordEnds != 0)
      handEnd_ = offset + std::countr_zero(w.wordEnds);
    else
      handLong_ = true;  // no separator in the whole window
  }
  if (w.starts == 0) return goesOn(sink, offset + 64);
  std::uint64_t candidates = 0;
  if (options.detail == WordDetail::Candidates) {
    for (std::uint64_t c = w.candidates; c != 0; c &= c - 1)
      if (wanted(sink, p + std::countr_zero(c), dataEnd_)) candidates |= c & -c;
  }
  for (std::uint64_t s = w.starts; s != 0; s &= s - 1) {
    const int b = std::countr_zero(s);
    const std::int64_t at = offset + b;
    if (at >= until_) {
      // The first word of the next range ends this one.
      const bool more = !hand_ || emit(sink, (w.simple >> b) & 1, (w.enhanced >> b) & 1);
      hand_ = false;
      flushRun(sink);
      stopped_ = !more;
      return false;
    }
    if (hand_ && !emit(sink, (w.simple >> b) & 1, (w.enhanced >> b) & 1)) {
      stopped_ = true;
      return false;
    }
    if (at >= from_)
      take(p + b, at, w.wordEnds >> b,
           options.detail == WordDetail::All || ((candidates >> b) & 1) != 0);
  }
  return goesOn(sink, offset + 64);
}

template <class Sink>
void BlockScanner<Sink>::take(const unsigned char* p, std::int64_t offset, std::uint64_t endsAfter,
                              bool detail) {
  hand_ = true;
  handStart_ = offset;
  handEnd_ = endsAfter != 0 ? offset + std::countr_zero(endsAfter) : -1;
  handText_ = p;
  handKept_ = 0;
  handDetail_ = detail;
  handLong_ = false;
}

template <class Sink>
bool BlockScanner<Sink>::goesOn(Sink& sink, std::int64_t end) {
  if (end < until_) return true;
  if (!hand_) {
    flushRun(sink);
    return false;
  }
  // Past the range with the word in hand in its gap: once the sentence ends
  // asked for are decided, the rest of the gap changes nothing.
  const ScanOptions& options = setup_.Options();
  const bool simpleRun = options.runRule == SentenceRule::Simple;
  const bool needSimple = options.simple || simpleRun,
             needEnhanced = options.enhanced || !simpleRun;
  if (handEnd_ < 0 || (needSimple && !simpleOpen_) || (needEnhanced && !enhancedOpen_)) return true;
  const bool more = emit(sink, needSimple, needEnhanced);
  hand_ = false;
  flushRun(sink);
  stopped_ = !more;
  return false;
}

template <class Sink>
bool BlockScanner<Sink>::emit(Sink& sink, bool simpleEnd, bool enhancedEnd) {
  if (!handDetail_ && !handLong_) {
    const bool end = setup_.Options().runRule == SentenceRule::Simple ? simpleEnd : enhancedEnd;
    runEnds_ |= std::uint64_t{end} << runCount_;
    if (++runCount_ == 64) flushRun(sink);
    return true;
  }
  flushRun(sink);
  return handOver(sink, handText_, handKept_, handStart_, handEnd_, simpleEnd, enhancedEnd);
}

template <class Sink>
bool BlockScanner<Sink>::handOver(Sink& sink, const unsigned char* bytes, std::size_t kept,
                                  std::int64_t start, std::int64_t end, bool simpleEnd,
                                  bool enhancedEnd) {
  ScanWord word;
  word.offset = start;
  word.simpleEnd = simpleEnd;
  word.enhancedEnd = enhancedEnd;
  const auto length = static_cast<std::size_t>(end - start);
  const auto* text = reinterpret_cast<const char*>(bytes);
  if (length <= kMaxTextLength) {
    word.text = std::string_view(text, length);
  } else {
    // More than 255 bytes: the first 255 characters, and whether more follow.
    const std::size_t known = kept > 0 ? std::min(length, kept) : length;
    const Encoding encoding = setup_.Utf8() ? Encoding::Utf8 : Encoding::Windows1252;
    const std::size_t first = prefixBytes({text, known}, kMaxTextLength, encoding);
    word.text = std::string_view(text, first);
    word.cut = first < length;
  }
  return sink.Word(word);
}

template <class Sink>
bool BlockScanner<Sink>::endOfFile(Sink& sink, std::int64_t size) {
  bool more = true;
  if (hand_) {
    if (handEnd_ < 0) handEnd_ = size;
    more = emit(sink, true, true);
    hand_ = false;
  }
  flushRun(sink);
  return more;
}

template <class Sink>
void BlockScanner<Sink>::roll() {
  std::int64_t keepFrom = next_;
  if (hand_ && handKept_ == 0 && handStart_ < next_) {
    if (handStart_ >= next_ - static_cast<std::int64_t>(kKeep)) {
      keepFrom = handStart_;
    } else {
      // A long word (or one followed by a long gap): its first bytes are
      // copied, the rest of it is not needed.
      const std::int64_t known = handEnd_ >= 0 ? handEnd_ : next_;
      handKept_ = static_cast<std::size_t>(std::min<std::int64_t>(known - handStart_, kKeep));
      std::memcpy(copy_, handText_, handKept_);
      handText_ = copy_;
    }
  }
  const auto shift = static_cast<std::size_t>(keepFrom - bufferAt_);
  std::memmove(buffer_.get(), buffer_.get() + shift, bufferLength_ - shift);
  bufferLength_ -= shift;
  bufferAt_ = keepFrom;
  if (hand_ && handKept_ == 0) handText_ -= shift;
}

}  // namespace lexvane::text
