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
#include <string_view>

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
  // Writes the token lower-cased into out (room for 4 * 255 bytes) and
  // returns its length.
  std::size_t Fold(std::string_view token, char* out) const;

 private:
  bool lower_;
  bool utf8_;
  std::array<char, 256> table_{};
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
    } else {
      std::string_view token = word.text;
      char folded[text::kMaxTextLength * 4 + 8];
      if (fold_.Folds()) token = {folded, fold_.Fold(word.text, folded)};
      if (pipelined_)
        pipeline_.Count(token, word.simpleEnd);
      else
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
