// Classifies 64 bytes at once into three bit masks (bit i for byte i): the
// word separators, the bytes that can make a sentence end (sentence
// separators, and line breaks when they end sentences), and the bytes a
// matching word can begin with. Uses AVX2 where the processor has it. For
// the fast concordance scan.
#pragma once

#include <array>
#include <cstdint>

namespace lexvane::concordance {

struct ByteMasks {
  std::uint64_t separators;
  std::uint64_t triggers;
  std::uint64_t candidates;
};

class ByteClassifier {
 public:
  // Each set given as 256 flags. `allowAvx2` false keeps to the portable
  // code (for the tests).
  ByteClassifier(const std::array<bool, 256>& separators, const std::array<bool, 256>& triggers,
                 const std::array<bool, 256>& candidates, bool allowAvx2 = true);
  // REQUIRES: 64 readable bytes at p.
  ByteMasks Classify(const unsigned char* p) const;

 private:
  struct Tables {
    alignas(32) std::uint8_t low[32];   // bytes 0..127: bit h for high nibble h
    alignas(32) std::uint8_t high[32];  // bytes 128..255: bit h - 8
  };
  static Tables makeTables(const std::array<bool, 256>& set);
  ByteMasks classifyScalar(const unsigned char* p) const;
  ByteMasks classifyAvx2(const unsigned char* p) const;

  Tables tables_[3];
  std::array<std::uint8_t, 256> bits_{};  // bit k: in set k (scalar path)
  bool avx2_;
};

}  // namespace lexvane::concordance
