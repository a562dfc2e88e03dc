// QuietWindows: the block scanner's short way over windows where nothing
// is handed over whole. A scan that wants only candidate words (a
// concordance for a rare mask) spends nearly all of its time on windows
// with no candidate start; for them the words are only counted, with the
// sentence end of each by the simple rule. This path classifies such a
// window and counts its words in one pass, in registers, instead of going
// through the masks of WindowMasker and the scanner's word logic, and gives
// the same counts, sentence ends and word in hand.
//
// It serves a scan by bytes that reads only the simple rule, on a processor
// with AVX-512 (byte lookups, with bit extraction) or AVX2 (nibble
// lookups); it stops before the first window that needs more: a word start
// that may be a candidate (by its first byte, and by its second where the
// scan gives the candidates' second bytes), a lead byte of a character of
// the sets beyond ASCII, or no separator at all.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text/nibble_lookup.h"
#include "text/scan_setup.h"

namespace lexvane::text {

class QuietWindows {
 public:
  // What the scanner carries through the quiet windows.
  struct State {
    // The masker's: the separators of the window before, and whether the
    // gap reaching its end holds a simple sentence end.
    std::uint64_t separators = 0;
    std::uint64_t simpleGap = 0;
    // The word in hand (its end -1 while not read yet).
    std::int64_t handStart = 0;
    std::int64_t handEnd = -1;
    const unsigned char* handText = nullptr;
    std::size_t handKept = 0;  // bytes of a copied word (0: in the block)
    // The run of counted words (bit k: the k-th ends its sentence).
    std::uint64_t runEnds = 0;
    unsigned runCount = 0;
  };
  // The most windows one Read reads; its runs of 64 words filled (at most
  // one per window) go to an array of kMostWindows + 1.
  static constexpr std::size_t kMostWindows = 64;

  explicit QuietWindows(const ScanSetup& setup);

  // The masks of one quiet window, as the classifiers give them.
  struct Masks {
    std::uint64_t separators, simple;
  };
  // The classes of each byte, as a byte table (AVX-512) and per class as
  // nibble tables (AVX2).
  struct Tables {
    enum : std::uint8_t {
      kSeparator = 1,
      kSimple = 2,
      kCandidate = 4,
      kWideLead = 8,
      kSecond = 16,  // may stand second in a candidate word
    };
    alignas(64) unsigned char bytes[256];
    NibbleTables separators, simple, candidates, wideLeads, seconds;
    NibbleTables stops;  // candidates and wide leads
  };

  // Whether the path serves scans of this setup.
  bool Applies() const { return level_ != Level::None; }

  // Reads windows from p (file offset `offset`, the first after the window
  // `state.separators` came from) while they are quiet, at most `most` of
  // them (up to kMostWindows; 64 * most + 1 readable bytes). Each run that
  // reaches 64 words goes to full[0 .., fullCount), which has room for
  // kMostWindows + 1. Returns the windows read. REQUIRES: Applies(), a
  // word in hand.
  std::size_t Read(const unsigned char* p, std::size_t most, std::int64_t offset, State& state,
                   std::uint64_t* full, std::size_t& fullCount) const;

 private:
  enum class Level { None, Avx2, Avx2Extract, Avx512 };
  Tables tables_;
  Level level_;
};

}  // namespace lexvane::text
