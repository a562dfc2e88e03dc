// The reference corpus of a keyword list, read from one of three kinds of
// file and brought into the study corpus's form (its encoding, its capitals
// rule), so that a word type is the same string on both sides:
//
// - a list file (".CTL", ".CFL"): its corpus is counted as a word frequency
//   list with its own separators, encoding and tags, but with the study
//   corpus's capitals rule;
// - a word frequency list saved by the frequency copy: lines of word,
//   frequency and percentage (and, sorted by frequency, cumulative frequency
//   and percentage) separated by one delimiter character;
// - a text of lines word<TAB>frequency, the first of which may be a heading.
//
// A text file is UTF-8 when it starts with the UTF-8 byte order mark or
// when all its bytes form valid UTF-8; otherwise it is Windows-1252 (what the
// copy writes for an 8-bit corpus, DOS included). Its words are lower-cased
// when the study corpus ignores capitals, and cut to 255 characters. A word
// the study corpus's encoding cannot hold cannot occur in the study corpus:
// it counts towards the reference size only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "frequency/word_counts.h"
#include "text/encoding.h"
#include "text/progress.h"

namespace lexvane::keywords {

enum class ReferenceKind { ListFile, SavedFrequencyList, FrequencyText };

// What the study corpus asks of its reference's words.
struct StudyForm {
  text::Encoding encoding = text::Encoding::Windows1252;
  bool ignoreCapital = true;
};

struct Reference {
  ReferenceKind kind = ReferenceKind::FrequencyText;
  // The word types in the study corpus's form; null when a list file's count
  // was cancelled.
  std::shared_ptr<const frequency::WordCounts> counts;
  // The reference size d: a list's TotalWords, a text's sum of frequencies.
  std::int64_t words = 0;
  // Types whose words the study corpus's encoding cannot hold.
  std::int64_t droppedTypes = 0;
};

// True for a name ending in ".ctl" or ".cfl" (any case).
bool IsListFileName(std::string_view path);

// The encoding of a reference text: UTF-8 (byte order mark or all valid),
// else Windows-1252.
text::Encoding DetectTextEncoding(std::string_view bytes);

// Reads a reference text (the file's bytes). Throws text::Error naming the
// first line that is neither kind, or the file when it holds no word.
Reference ReadReferenceText(std::string_view bytes, std::string_view path, const StudyForm& study);

// Reads any reference file: list files are counted through `cache` (under
// host.search) and their word lists converted to the study's form. Throws
// text::Error when the file cannot be read or is not a reference.
Reference LoadReference(const std::string& path, const StudyForm& study,
                        frequency::WordCountsCache& cache, const text::Collator& collator,
                        text::OperationHost& host);

// The counts `counts` brought into the study's form: converted to its
// encoding and, when it ignores capitals, lower-cased (types that fall
// together add up). Returns `counts` itself when nothing changes.
std::shared_ptr<const frequency::WordCounts> InStudyForm(
    std::shared_ptr<const frequency::WordCounts> counts, bool alreadyFolded, const StudyForm& study,
    std::int64_t& droppedTypes);

}  // namespace lexvane::keywords
