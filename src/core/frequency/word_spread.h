// What a word frequency list's optional Range and DP columns need: how each
// word type spreads over the corpus files. A build that counts them (the list
// told so by SetCountSpread) counts each file apart, hands the file's counts
// to a FileSpread, and merges them into the list's counts; at the end each
// type's record becomes a TWordSpreadInfo carrying its range (files in which
// it occurs) and Gries's DP over the files (concordance/dispersion.h, the one
// home of the formula). Kept sparsely: memory grows with the pairs of type
// and file that occur, never with types x files, and the pairs are released
// once the figures are worked out. A build that does not count them takes
// none of this path.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "corpus/corpus_settings.h"
#include "frequency/token_count.h"
#include "frequency/word_info.h"
#include "text/progress.h"

namespace lexvane::text {
class ScanSetup;
}

namespace lexvane::frequency {

class TokenFold;

// A word type of a list counted with its spread.
class TWordSpreadInfo : public TOneWordInfo {
 public:
  TWordSpreadInfo(TOneWordInfo&& info, std::int32_t range, double dp)
      : TOneWordInfo(std::move(info)), Range(range), DP(dp) {}

  std::int32_t Range = 0;  // files in which the type occurs
  double DP = 0;           // Gries's DP over the files, each sized by its words
};

// Gives each distinct word a dense number, in the order the words first come.
class TypeIndex {
 public:
  TypeIndex();
  std::uint32_t IdOf(std::string_view word);  // numbers a new word
  std::optional<std::uint32_t> Find(std::string_view word) const;
  std::size_t Size() const { return lengths_.size(); }

 private:
  struct Slot {
    std::uint32_t tag = 0;  // high hash bits, never 0; 0 marks an empty slot
    std::uint32_t id = 0;
  };
  std::string_view wordOf(std::uint32_t id) const {
    return {arena_.data() + offsets_[id], lengths_[id]};
  }
  void grow();

  std::vector<Slot> slots_;
  std::uint64_t mask_ = 0;
  std::string arena_;
  std::vector<std::uint64_t> offsets_;
  std::vector<std::uint32_t> lengths_;
};

// The counts of the files of one build, one file after another in corpus
// order (a file may come in several consecutive parts).
class FileSpread {
 public:
  // Records the counts of (a part of) file `file`: every type of `counter`
  // with its frequency there, and the words counted.
  void AddFile(std::size_t file, const WordCounter& counter, std::int64_t words);
  // Works out every type's range and DP and releases the pairs.
  void Finish();

  struct Spread {
    std::int32_t Range = 0;
    double DP = 0;
  };
  // After Finish: the spread of `word` (a word never counted has none).
  Spread Of(std::string_view word) const;
  // Pairs of type and file held now (for measurements).
  std::size_t Pairs() const { return pairs_.size(); }

 private:
  struct Pair {
    std::uint32_t type;
    std::uint32_t file;
    std::uint64_t count;
  };
  TypeIndex types_;
  std::vector<Pair> pairs_;
  std::vector<std::int64_t> fileWords_;
  std::vector<Spread> spreads_;
};

// The build's pass when the spread is counted: each file of `files` counted
// on its own into a fresh count, handed to `spread`, then merged into
// `total` in corpus order, so that a type keeps the class of its first
// occurrence. The indicator shows the file and the counts every 1000 words;
// Cancel stops after the token in hand and keeps what was counted. A file
// that cannot be opened is reported and skipped; the files in which a word
// was cut to 255 characters are appended to `cutWordFiles`.
struct SpreadCountInput {
  const std::vector<std::string>& files;
  const text::ScanSetup& setup;  // the block scanner's, simple sentence ends
  const TokenFold& fold;
  const TokenRules& rules;
};
void CountFilesApart(const SpreadCountInput& input, text::OperationHost& host,
                     std::vector<std::string>& cutWordFiles, CorpusCounts& total,
                     FileSpread& spread);

}  // namespace lexvane::frequency
