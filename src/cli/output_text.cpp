#include "cli/output_text.h"

#include <algorithm>
#include <array>

#include "cli/corpus_encoding.h"
#include "text/encoding.h"

namespace lexvane::cli {

namespace {

// The options whose values are text the user typed, by long name.
constexpr std::array<std::string_view, 7> kTypedTextOptions = {
    "mask",       "column",    "collocate-mask",      "word-separators",
    "delimiters", "delimiter", "sentence-separators",
};

bool takesTypedText(const CLI::Option& option) {
  for (const std::string& name : option.get_lnames())
    if (std::find(kTypedTextOptions.begin(), kTypedTextOptions.end(), name) !=
        kTypedTextOptions.end())
      return true;
  return false;
}

}  // namespace

void TranscodeTypedText(CLI::App& app, const text::TerminalText& terminal) {
  if (terminal.PassesBytes()) return;
  for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
    // The corpus's encoding is known from the parsed arguments when values
    // are converted.
    const CLI::Validator toCorpus(
        [&terminal, command](std::string& value) {
          try {
            value = terminal.ToCorpus(value, CommandEncoding(*command));
            return std::string();
          } catch (const text::UnrepresentableCharacter& e) {
            return std::string(e.what());
          }
        },
        "", "CORPUS_TEXT");
    for (CLI::Option* option : command->get_options())
      if (takesTypedText(*option)) option->transform(toCorpus);
  }
}

void AddOutputEncoding(CLI::App& app, Streams& streams) {
  for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; }))
    command
        ->add_option("--output-encoding", streams.outputEncoding,
                     "utf-8: write an 8-bit corpus's text as UTF-8 (default: the bytes the "
                     "desktop program's copy writes; a UTF-8 corpus is always written as UTF-8)")
        ->transform(CLI::Validator(
            [command](std::string& value) {
              if (value != "utf-8") return value + " not in {utf-8}";
              // A UTF-8 corpus's text is UTF-8 already.
              if (text::IsUtf8(CommandEncoding(*command))) value.clear();
              return std::string();
            },
            "{utf-8}", "OUTPUT_ENCODING"));
}

std::string OutputText(std::string_view corpusText, const Streams& streams) {
  return streams.Utf8Output() ? text::ansiToUtf8(corpusText) : std::string(corpusText);
}

void WriteText(std::ostream& out, std::string_view corpusText, const Streams& streams) {
  if (!streams.Utf8Output()) {
    out.write(corpusText.data(), static_cast<std::streamsize>(corpusText.size()));
    return;
  }
  const std::string encoded = text::ansiToUtf8(corpusText);
  out.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
}

}  // namespace lexvane::cli
