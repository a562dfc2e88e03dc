// Copy and export of concordance rows as plain text: one running paragraph,
// one line per row, or the contexts justified to a width; optionally with
// the source file name and with one-character marks around the keyword and
// some words on each side. The text goes to a sink the caller gives (the
// clipboard's text or a file); the table is only read. Words (those of
// text/string_words.h) are cut with the sets LatestScanSets::SetsFor chooses
// from the caller's (the most recent build's) and the table's own ScanSets.
// The text is in the table's encoding; justified widths count its
// characters.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "concordance/concordance_table.h"
#include "text/character_sets.h"
#include "text/progress.h"
#include "text/user_interface.h"

namespace lexvane::concordance {

enum class CopyFormat {
  OneParagraph,   // "All sentences to one paragraph"
  EachParagraph,  // "Each sentence as one paragraph"
  Justify,        // "Justify left and right part to"
};

// The copy options dialog ("Copy Options"); kept by the caller.
struct CopyOptions {
  CopyFormat Format = CopyFormat::EachParagraph;
  std::string Width = "40";  // the text of the width field
  bool ToFile = false;
  bool IncludeSource = false;
  bool SelectedOnly = true;
  bool SaveWithDelimiters = false;
  std::string LeftDelimiter = "|";  // at most one character
  std::string RightDelimiter = "|";
  bool DelimAround = false;  // "Delimiters also to M words left and N words right"
  int M = 1;                 // 0 to 10
  int N = 1;
};

enum class Side { Left, Right };

// Marks the k words of a context nearest the keyword with `d` (a left
// context's last words, a right context's first ones); missing words get
// their marks at the outer end. At most 255 characters.
std::string DelimitWords(std::string_view s, char d, int k, Side side,
                         const text::CharacterSets& sets);
// The same with a mark of one character of the sets' encoding (its bytes);
// UTF-8 text counts the 255 in characters.
std::string DelimitWords(std::string_view s, std::string_view d, int k, Side side,
                         const text::CharacterSets& sets);

// The width field converted (text::Error on a non-number) and kept to 1..254.
int CopyWidth(const CopyOptions& options);

// The size estimate of rows first..last (0-based, inclusive) that decides
// whether the clipboard may take them.
std::int64_t CopyEstimate(const ConcordanceTable& table, std::int32_t first, std::int32_t last,
                          const CopyOptions& options, int width);

inline constexpr std::int64_t kClipboardLimit = 65530;
// "Selection is too large (<kB> kB). Use "Save to file" option for
// selections larger than 64 kB."
std::string SelectionTooLargeMessage(std::int64_t estimate);

// Receives the text in pieces, in order.
using TextSink = std::function<void(std::string_view)>;

// Builds the text of rows first..last. With `chunked` the text goes to the
// sink whenever more than 8191 characters are pending after a row (and the
// rest at the end), otherwise all at once. The bytes are exactly the text.
// With a `progress` indicator the rows are a table pass under "Copying...":
// a cancel ends it before the next row, and the rows built so far are
// delivered. Returns false when cancelled.
bool WriteRows(const ConcordanceTable& table, std::int32_t first, std::int32_t last,
               const CopyOptions& options, const text::CharacterSets& sets, bool chunked,
               const TextSink& sink, text::ProgressIndicator* progress = nullptr);

// The clipboard target: the whole text, or nothing after the refusal message
// (shown through ui) when the estimate exceeds 65 530. Throws text::Error on
// an invalid width. Returns false when refused. A `progress` indicator as
// for WriteRows.
bool CopyRowsToText(const ConcordanceTable& table, std::int32_t first, std::int32_t last,
                    const CopyOptions& options, const text::CharacterSets& sets,
                    text::UserInterface& ui, std::string& out,
                    text::ProgressIndicator* progress = nullptr);

// The file target: creates (or empties) `path` and writes the text in pieces.
// "Cannot create file <path>" through ui when it cannot be created (false).
// Throws text::Error on an invalid width and when writing fails. A
// `progress` indicator as for WriteRows (a cancelled copy leaves the rows
// written so far).
bool CopyRowsToFile(const ConcordanceTable& table, std::int32_t first, std::int32_t last,
                    const CopyOptions& options, const text::CharacterSets& sets,
                    const std::string& path, text::UserInterface& ui,
                    text::ProgressIndicator* progress = nullptr);

}  // namespace lexvane::concordance
