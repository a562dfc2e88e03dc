#include "cli/corpus_encoding.h"

#include <filesystem>

#include "corpus/corpus_settings.h"
#include "corpus/list_files.h"

namespace lexvane::cli {

namespace {

const CLI::Option* optionNamed(const CLI::App& command, const std::string& name) {
  try {
    return command.get_option(name);
  } catch (const CLI::OptionNotFound&) {
    return nullptr;
  }
}

text::Encoding listEncoding(const std::string& list) {
  try {
    const std::string path = std::filesystem::absolute(list).lexically_normal().string();
    return corpus::ReadListEncoding(path);
  } catch (...) {
    return text::Encoding::Windows1252;
  }
}

}  // namespace

text::Encoding EncodingOfOption(std::string_view value) {
  if (value == kEncodingUtf8) return text::Encoding::Utf8;
  if (value == kEncodingCp850) return text::Encoding::Dos850;
  return text::Encoding::Windows1252;
}

text::Encoding CommandEncoding(const CLI::App& command) {
  text::Encoding encoding = text::Encoding::Windows1252;
  const CLI::Option* list = optionNamed(command, "--list");
  if (list != nullptr && list->count() > 0 && !list->results().back().empty())
    encoding = listEncoding(list->results().back());
  const CLI::Option* encodingOption = optionNamed(command, "--encoding");
  const CLI::Option* dos = optionNamed(command, "--dos");
  // The last of --encoding, --dos and --no-dos on the command line wins.
  const CLI::Option* last = nullptr;
  for (const CLI::Option* given : command.parse_order())
    if (given == encodingOption || given == dos) last = given;
  if (last == nullptr) return encoding;
  if (last == encodingOption) return EncodingOfOption(encodingOption->results().back());
  return dos->as<bool>() ? text::Encoding::Dos850 : text::Encoding::Windows1252;
}

}  // namespace lexvane::cli
