// Conversions between the engine's Windows-1252 text and Qt strings, and
// between file paths and Qt strings. Every window converts through these.
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace lexvane::corpus {
struct CorpusSettings;
}

namespace lexvane::gui {

// Engine text (Windows-1252) for display, and typed text back (characters
// Windows-1252 cannot hold become '?').
QString FromAnsi(std::string_view ansi);
std::string ToAnsi(const QString& text);

// The pair of conversions a window uses for the text of one corpus (its
// contexts, keywords and masks), chosen once by the corpus's encoding so that
// windows never name an encoding themselves. Corpus text is held as
// Windows-1252 (DOS text is converted while it is read).
struct TextCodec {
  QString (*Decode)(std::string_view text) = &FromAnsi;
  std::string (*Encode)(const QString& text) = &ToAnsi;
};
TextCodec CorpusCodec(const corpus::CorpusSettings& corpus);

// File paths keep the bytes of the file system's own encoding.
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace lexvane::gui
