// The command line's own text on its way in and corpus text on its way out:
// masks, separators and delimiters typed in the terminal's encoding become
// corpus text, and --output-encoding utf-8 decodes what the commands write.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "text/terminal_text.h"

namespace lexvane::cli {

// Makes every option of `app`'s subcommands that takes typed text (masks,
// separators, delimiters; never file names) turn its values into corpus
// text. A character the corpus's encoding lacks is a usage error naming
// it. `terminal` must outlive the parse.
void TranscodeTypedText(CLI::App& app, const text::TerminalText& terminal);

// Adds --output-encoding to every subcommand of `app`, stored in
// streams.outputEncoding.
void AddOutputEncoding(CLI::App& app, Streams& streams);

// Corpus text as the output encoding of `streams` has it.
std::string OutputText(std::string_view corpusText, const Streams& streams);
// Writes corpus text to `out` in the output encoding of `streams`.
void WriteText(std::ostream& out, std::string_view corpusText, const Streams& streams);

}  // namespace lexvane::cli
