// The source text of a concordance hit: the piece of its corpus file that a
// source window shows (about 4 kB around the hit, the keyword's position in
// it), prepared for a text field, and the same piece with its word-class tags
// stripped. Reads the file when asked; the table is not needed afterwards.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/encoding.h"

namespace lexvane::concordance {

// The block holds at most this many bytes of the file, starting this many
// bytes before the hit (or at the file's start).
inline constexpr std::int64_t kSourceBlockSize = 4096;
inline constexpr std::int64_t kSourceLead = 2048;

struct SourceBlock {
  // The bytes read, DOS text converted, up to the first zero byte.
  std::string Text;
  // Where the keyword starts in Text: the hit's offset when it lies within
  // the first 2048 bytes of the file, else 2048. May lie at or beyond the end
  // of Text when the file is shorter or a zero byte cut the block.
  std::int64_t KeywordStart = 0;
};

// Reads the block around the byte `offset` of `path`, converting DOS (code
// page 850) text when `oemToAnsi`. Nullopt when the file cannot be opened
// or read, or is no regular file (a directory, a FIFO).
std::optional<SourceBlock> ReadSourceBlock(const std::string& path, std::int64_t offset,
                                           bool oemToAnsi);
// The same for text of any encoding. UTF-8 text counts the block in
// characters (2048 before the keyword, 4096 in all, a byte-order mark at the
// file's start left out); Text keeps its bytes and KeywordStart counts them.
std::optional<SourceBlock> ReadSourceBlock(const std::string& path, std::int64_t offset,
                                           text::Encoding encoding);

// The text as a text field takes it: every CR LF, and every CR alone, becomes
// one LF. `position` (a position in the block's text, such as KeywordStart)
// is moved to the same character of the result.
std::string FieldText(std::string_view text, std::int64_t& position);

// The field text with its word-class tags stripped: every line (between LFs)
// loses the tags of its blank-separated words (text::StripTag), pass after
// pass while some line still holds both '<' and '>', until a pass changes
// nothing more. Lines are never cut. The text is in `encoding`.
std::string StripSourceText(std::string_view fieldText,
                            text::Encoding encoding = text::Encoding::Windows1252);

}  // namespace lexvane::concordance
