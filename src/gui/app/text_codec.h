// Conversions between the engine's Windows-1252 text and Qt strings, and
// between file paths and Qt strings. Every window converts through these.
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace lexvane::gui {

// Engine text (Windows-1252) for display, and typed text back (characters
// Windows-1252 cannot hold become '?').
QString FromAnsi(std::string_view ansi);
std::string ToAnsi(const QString& text);

// File paths keep the bytes of the file system's own encoding.
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace lexvane::gui
