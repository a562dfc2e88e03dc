// The word frequency list's sink of the block scanner (text/
// block_scanner.h): every word counted as token_count.h says, capitals
// folded when asked, the types counted in the hash table a few words behind
// the scan (PipelinedCounter). `Watch` is told of each word: it may stop the
// scan and show the counts (the calling thread's indicator, or a worker's
// figures for it).
//   bool Watch::Go();                          before each word: false stops
//   void Watch::Counted(const CorpusCounts&);  after each word
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "frequency/token_count.h"
#include "text/block_scanner.h"
#include "text/encoding.h"
#include "text/utf8_classes.h"

namespace lexvane::frequency {

// How tokens are folded before they are counted: one setup per build.
class TokenFold {
 public:
  TokenFold(const text::CharacterSets& sets, bool lowerCase);
  bool Folds() const { return lower_; }
  // The bytes' map of the pipelined count (CountMapped): lower case, or the
  // bytes themselves; in UTF-8 text, where it lower-cases ASCII only, only
  // for tokens of ASCII (AsciiOnly).
  const char* ByteMap() const { return lower_ ? table_.data() : same_.data(); }
  bool AsciiOnly() const { return lower_ && utf8_; }
  // Writes the token lower-cased into out (room for 4 * 255 bytes) and
  // returns its length.
  std::size_t Fold(std::string_view token, char* out) const {
    if (utf8_) return foldUtf8(token, out);
    const auto* bytes = reinterpret_cast<const unsigned char*>(token.data());
    for (std::size_t i = 0; i < token.size(); ++i) out[i] = table_[bytes[i]];
    return token.size();
  }

 private:
  std::size_t foldUtf8(std::string_view token, char* out) const;

  bool lower_;
  bool utf8_;
  std::array<char, 256> table_{};
  std::array<char, 256> same_{};
  // UTF-8: for each code point from U+0080 to U+07FF (two bytes), the bytes
  // of its lower case, packed from the lowest byte up, their number in the
  // top byte.
  std::vector<std::uint32_t> lowerTwo_;
  text::ByteClassTable classes_{};
  text::Utf8Classes wide_;
};

template <class Watch>
class CountSink {
 public:
  // `pipelined`: types are counted a few words behind (the counts' Types()
  // lag until Flush); else each word at once.
  CountSink(CorpusCounts& counts, const TokenRules& rules, const TokenFold& fold, Watch& watch,
            bool pipelined)
      : counts_(counts),
        rules_(rules),
        fold_(fold),
        watch_(watch),
        pipeline_(counts),
        pipelined_(pipelined && !rules.tagged) {}
  CountSink(const CountSink&) = delete;
  CountSink& operator=(const CountSink&) = delete;
  ~CountSink() { pipeline_.Flush(); }

  // Whether a word longer than 255 characters was cut since the last call.
  bool TakeCut() {
    const bool cut = cut_;
    cut_ = false;
    return cut;
  }
  // Counts the types still in the pipeline.
  void Flush() { pipeline_.Flush(); }

 public:  // the block scanner's calls
  bool Word(const text::ScanWord& word) {
    if (!watch_.Go()) return false;
    cut_ = cut_ || word.cut;
    if (rules_.tagged) {
      CountToken(counts_, word.text, word.simpleEnd, rules_);
    } else if (pipelined_) {
      // Mapped byte by byte into the pipeline; UTF-8 beyond ASCII folded
      // character by character.
      if (!pipeline_.CountMapped(word.text, fold_.ByteMap(), fold_.AsciiOnly(), word.simpleEnd)) {
        char* into = pipeline_.Reserve();
        pipeline_.Commit(fold_.Fold(word.text, into), word.simpleEnd);
      }
    } else {
      std::string_view token = word.text;
      char folded[text::kMaxTextLength * 4 + 8];
      if (fold_.Folds()) token = {folded, fold_.Fold(word.text, folded)};
      CountPlainToken(counts_, token, word.simpleEnd);
    }
    watch_.Counted(counts_);
    return true;
  }

 private:
  CorpusCounts& counts_;
  const TokenRules& rules_;
  const TokenFold& fold_;
  Watch& watch_;
  PipelinedCounter pipeline_;
  bool pipelined_;
  bool cut_ = false;
};

}  // namespace lexvane::frequency
