// Conversions between the engine's corpus text (Windows-1252 or UTF-8) and Qt
// strings, and between file paths and Qt strings. Every window converts
// through these.
#pragma once

#include <string>
#include <string_view>

#include <QString>

#include "text/encoding.h"
#include "text/utf8.h"

namespace lexvane::corpus {
struct CorpusSettings;
}

namespace lexvane::gui {

// Engine text (Windows-1252) for display, and typed text back (characters
// Windows-1252 cannot hold become '?').
QString FromAnsi(std::string_view ansi);
std::string ToAnsi(const QString& text);

// UTF-8 corpus text for display (an invalid byte shows as U+FFFD), and typed
// text back.
QString FromUtf8Text(std::string_view utf8);
std::string ToUtf8Text(const QString& text);

// The pair of conversions a window uses for the text of one corpus or table
// (its contexts, keywords and masks), chosen by the encoding so that windows
// never name an encoding themselves. 8-bit corpus text is held as
// Windows-1252 (DOS text is converted while it is read).
struct TextCodec {
  QString (*Decode)(std::string_view text) = &FromAnsi;
  std::string (*Encode)(const QString& text) = &ToAnsi;
  bool IsUtf8() const { return Decode == &FromUtf8Text; }
};
// The codec of text in `encoding`: UTF-8, else Windows-1252.
TextCodec CodecFor(text::Encoding encoding);
// The codec of the corpus's current encoding: for what is typed for the next
// build or search. A table's own text decodes with CodecFor(its encoding).
TextCodec CorpusCodec(const corpus::CorpusSettings& corpus);

// Text of `from` as the user sees it, encoded in `to` as if typed again
// (characters Windows-1252 cannot hold become '?').
std::string Recode(std::string_view text, text::Encoding from, text::Encoding to);

// A block of UTF-8 text read from the middle of a file may begin and end
// inside a character: the bytes of such cut characters at its two ends,
// which display shows whole or not at all (text/utf8.h's rules).
inline std::size_t CutLeadingBytes(std::string_view utf8) {
  return text::leadingContinuationBytes(utf8);
}
inline std::size_t CutTrailingBytes(std::string_view utf8) {
  return text::IncompleteTail(utf8);
}

// File paths keep the bytes of the file system's own encoding.
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace lexvane::gui
