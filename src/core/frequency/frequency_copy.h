// The copy of both frequency tables as delimited lines, each ended by CR LF,
// to the clipboard (gathered in one buffer of at most 65520 bytes) or to a
// file (written line by line). The caller shows the options dialog, picks
// the rows and supplies the sink; this file builds and delivers the text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "frequency/colloc_table.h"
#include "frequency/word_frequency_list.h"
#include "text/progress.h"

namespace lexvane::frequency {

// The options of the copy dialog ("Copy Options"), kept between uses.
struct CopyOptions {
  bool ToFile = false;            // "Save to a file (instead of Clipboard)"
  bool SelectedOnly = false;      // "Copy selected rows only"
  bool ZeroToSpace = true;        // "Store zero (0) as space marker (  )", collocates
  bool SaveWordListOnly = false;  // "Save the Word List only", word frequencies
  std::string Delimiter = "|";    // its first character separates the fields;
                                  // empty: the fields are written without one
  // Word frequencies counted with their spread: the Range and DP columns
  // shown, written after the other fields.
  bool WithRange = false;
  bool WithDP = false;
};

inline constexpr std::size_t kClipboardBufferSize = 65520;
inline constexpr std::size_t kMaxLineLength = 255;
inline constexpr std::string_view kClipboardOverflow =
    "Data too large - only a part copied to the Clipboard.";

// Where copied text goes. For the clipboard the whole text arrives in one
// Write that replaces the clipboard's content; for a file each line arrives
// as it is built. A write failure throws text::Error.
class CopySink {
 public:
  virtual ~CopySink() = default;
  virtual void Write(std::string_view bytes) = 0;
};

enum class CopyDestination { Clipboard, File };

// The lines of one row, CR LF included, at most 255 characters: a longer
// line keeps its first 253 characters and its CR LF.
std::string WordFrequencyLine(const WordFrequencyList& list, std::int32_t index,
                              const CopyOptions& options);
std::string CollocateLine(const CollocTable& table, std::int32_t index, const CopyOptions& options);

// Copies the entries first..last (0-based, inclusive) under the progress
// indicator "Copying...". A cancel delivers the lines built so far. A
// clipboard overflow keeps the lines that fit and warns through host.ui
// before the text is delivered. Nothing happens for an empty table.
void CopyWordFrequencies(const WordFrequencyList& list, std::int32_t first, std::int32_t last,
                         const CopyOptions& options, CopyDestination destination, CopySink& sink,
                         text::OperationHost& host);
void CopyCollocates(const CollocTable& table, std::int32_t first, std::int32_t last,
                    const CopyOptions& options, CopyDestination destination, CopySink& sink,
                    text::OperationHost& host);

// The copy of any table of `count` rows as both copies above run it: the
// lines of the entries first..last built by lineOf(index, line), each
// written to a file as it is built or gathered for the clipboard.
void CopyLines(std::int32_t count, std::int32_t first, std::int32_t last,
               const std::function<void(std::int32_t, std::string&)>& lineOf,
               CopyDestination destination, CopySink& sink, text::OperationHost& host);

}  // namespace lexvane::frequency
