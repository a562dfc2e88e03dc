// The byte classifier: its vector code (AVX2, AVX-512 where the processor
// has them) and its portable code give the same masks for every byte and
// every class, and the scanning classes it is given follow the rules.
#include <gtest/gtest.h>

#include <random>

#include "text/byte_classifier.h"
#include "text/scan_rules.h"

namespace lexvane::text {
namespace {

TEST(ByteClassifier, EveryLevelGivesThePortableMasksForEveryByte) {
  std::mt19937 random(7);
  std::array<std::uint8_t, 256> table{};
  for (auto& classes : table) classes = static_cast<std::uint8_t>(random() & random());
  const ByteClassifier portable(table, 0xFF, ByteClassifier::Level::Portable);
  const ByteClassifier avx2(table, 0xFF, ByteClassifier::Level::Avx2);
  const ByteClassifier avx512(table, 0xFF, ByteClassifier::Level::Avx512);
  unsigned char bytes[64 * 3];
  for (int round = 0; round < 2000; ++round) {
    for (std::size_t i = 0; i < sizeof bytes; ++i)
      bytes[i] = static_cast<unsigned char>(round < 4 ? round * 64 + i % 64 : random());
    WindowMasks expected[3], got[3];
    portable.Classify(bytes, 3, expected);
    for (int w = 0; w < 3; ++w)
      for (int i = 0; i < 64; ++i) {
        const unsigned char b = bytes[64 * w + i];
        for (int k = 0; k < 8; ++k)
          ASSERT_EQ((expected[w].cls[k] >> i) & 1, (table[b] >> k) & 1u)
              << int(b) << " class " << k;
        ASSERT_EQ((expected[w].blank >> i) & 1, b == ' ' ? 1u : 0u);
      }
    for (const ByteClassifier* fast : {&avx2, &avx512}) {
      fast->Classify(bytes, 3, got);
      for (int w = 0; w < 3; ++w) {
        for (int k = 0; k < 8; ++k) ASSERT_EQ(got[w].cls[k], expected[w].cls[k]) << k;
        ASSERT_EQ(got[w].blank, expected[w].blank);
      }
    }
  }
}

TEST(ByteClassifier, ScanningClassesFollowTheRules) {
  const CharacterSets sets =
      CharacterSets::Derive(kDefaultWordSeparators, kDefaultSentenceSeparators, false);
  std::array<bool, 256> candidates{}, leads{};
  candidates['w'] = candidates['.'] = true;
  for (const bool crlf : {false, true}) {
    const auto table = ScanClassTable(ClassifyBytes(sets), crlf, candidates, leads);
    const auto in = [&](unsigned char c, int k) { return (table[c] >> k) & 1; };
    EXPECT_TRUE(in('.', kScanSeparator) && in('.', kScanSimple) && in('.', kScanSentence));
    EXPECT_EQ(in('\n', kScanSimple), crlf);
    EXPECT_EQ(in('\r', kScanLineBreak), crlf);
    EXPECT_TRUE(in('\t', kScanNotWord) && in(' ', kScanNotWord) && !in('a', kScanNotWord));
    EXPECT_TRUE(in('"', kScanClosing) && !in('"', kScanNotWord));
    // A separator starts no word: no candidate.
    EXPECT_TRUE(in('w', kScanCandidate) && !in('.', kScanCandidate));
  }
}

// The mask form of the enhanced rule marks the blanks the byte form ends
// sentences at, for every pair of characters in front.
TEST(ScanRules, EnhancedTriggersOnMasksAgreeWithTheByteRule) {
  const CharacterSets sets = CharacterSets::Derive(" .,'\"a", ".!a\"", false);
  const ByteClassTable classes = ClassifyBytes(sets);
  const std::string pool = ".!,'\"ab \x01";
  for (const char c0 : pool)
    for (const char c1 : pool)
      for (const bool wordStart : {false, true}) {
        const auto b0 = static_cast<unsigned char>(c0), b1 = static_cast<unsigned char>(c1);
        const bool separator1 = classes[b1] & kSeparatorByte;
        if (wordStart && separator1) continue;
        const bool expected =
            wordStart
                ? EnhancedEndAtBlank(0, classes[0], classes[b1], WordCharacter::NoControlNoPlain)
                : EnhancedEndAtBlank(b0, classes[b0], classes[b1], WordCharacter::NoControlNoPlain);
        const auto bit = [](bool on) { return on ? std::uint64_t{4} : 0; };
        const bool notWord0 = (classes[b0] & kPlainByte) || b0 < 32;
        const std::uint64_t got = EnhancedTriggers(
            4, 0, bit(classes[b1] & kSentenceByte), bit(classes[b0] & kSentenceByte), bit(notWord0),
            bit(classes[b1] & kClosingByte), bit(wordStart), classes[0] & kSentenceByte);
        EXPECT_EQ(got != 0, expected) << int(b0) << ' ' << int(b1) << ' ' << wordStart;
      }
}

TEST(ScanRules, GapsEndSentencesWhereTheirRunHeldATrigger) {
  // Runs of separators at 2..4 (trigger at 3), 8..9 (none), 20..63 and on
  // (trigger at 40): ends at the word starts 5 and, in the next window, 1.
  std::uint64_t carry = 0;
  const std::uint64_t separators = 0b11100 | (0b11ull << 8) | (~0ull << 20);
  const std::uint64_t triggers = (1ull << 3) | (1ull << 40);
  EXPECT_EQ(EndsBehindGaps(separators, triggers, carry), 1ull << 5);
  EXPECT_EQ(carry, 1u);
  EXPECT_EQ(EndsBehindGaps(0b1, 0, carry), 0b10u);
  EXPECT_EQ(carry, 0u);
}

}  // namespace
}  // namespace lexvane::text
