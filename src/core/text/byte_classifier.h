// ByteClassifier: sorts text 64 bytes at a time into up to eight classes
// given by a table (bit k of table[c]: byte c belongs to class k) and hands
// back, for each class, a 64-bit mask (bit i: byte i belongs to it), and the
// mask of the blanks. The first step of the block scanner (block_scanner.h).
//
// Runs on AVX-512 (one table lookup gives every class at once), on AVX2 (one
// nibble lookup per class) or on portable code; the processor is asked once,
// so the build needs none of them. Thread-safe after construction.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "text/nibble_lookup.h"

namespace lexvane::text {

// The classes of one window of 64 bytes.
struct WindowMasks {
  std::uint64_t cls[8];  // cls[k]: the bytes of class k
  std::uint64_t blank;   // the bytes equal to ' '
};

class ByteClassifier {
 public:
  enum class Level { Portable, Avx2, Avx512 };
  // The best level this processor runs.
  static Level Best();
  // Whether the processor has the population count instruction.
  static bool CountsBits();
  // Whether it extracts bits (BMI2's pext) in a few cycles: AMD's
  // processors before family 19h do it in microcode, slower than by hand.
  static bool ExtractsBitsFast();

  // `table`: the classes of each byte. `wanted`: bit k set when class k is
  // read (the others may come back as anything). `most`: the highest level
  // to use (the tests compare the levels).
  explicit ByteClassifier(const std::array<std::uint8_t, 256>& table, std::uint8_t wanted = 0xFF,
                          Level most = Best());
  ByteClassifier() : ByteClassifier(std::array<std::uint8_t, 256>{}) {}

  Level Used() const { return level_; }

  // Classifies `windows` windows of 64 bytes from p into out[0 .. windows).
  // REQUIRES: 64 * windows readable bytes at p.
  void Classify(const unsigned char* p, std::size_t windows, WindowMasks* out) const;

 private:
  void classifyPortable(const unsigned char* p, std::size_t windows, WindowMasks* out) const;
  void classifyAvx2(const unsigned char* p, std::size_t windows, WindowMasks* out) const;
  void classifyAvx512(const unsigned char* p, std::size_t windows, WindowMasks* out) const;

  alignas(64) std::array<std::uint8_t, 256> table_;
  NibbleTables nibbles_[8];  // of each class, for the AVX2 code
  std::uint8_t wanted_;
  Level level_;
};

}  // namespace lexvane::text
