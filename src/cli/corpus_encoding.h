// The text encoding of a command's corpus as its arguments give it, known as
// soon as the command line is parsed (before any option's value is used): a
// list file's encoding, then --encoding and --dos/--no-dos, the last one
// given winning. Typed text (masks, separators, delimiters) is converted to
// this encoding, and --output-encoding is a no-op for a UTF-8 corpus.
#pragma once

#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

#include "text/encoding.h"

namespace lexvane::cli {

// The values --encoding takes.
inline constexpr std::string_view kEncodingCp1252 = "cp1252";
inline constexpr std::string_view kEncodingCp850 = "cp850";
inline constexpr std::string_view kEncodingUtf8 = "utf-8";

// The encoding named by a value of --encoding.
text::Encoding EncodingOfOption(std::string_view value);

// The encoding of `command`'s corpus from the raw results of its --list,
// --encoding and --dos options. A list that cannot be read counts as
// Windows-1252 (reading the corpus reports it later).
text::Encoding CommandEncoding(const CLI::App& command);

}  // namespace lexvane::cli
