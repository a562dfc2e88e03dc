// The INI reader and writer: any text parses; writing what was read and
// reading it back gives the same values; a written value reads back as it
// was; writing one entry changes no other.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_support.h"
#include "io/ini_file.h"
#include "text/error.h"

using lexvane::fuzz::Check;
using lexvane::io::IniFile;

namespace {

const char* const kSections[] = {"Scan", "File list", "List 1", "Common", "Concordance Window", ""};

// What reading gives back for a written value: the value itself, cut to
// 1023 characters.
std::string readBack(const std::string& value) {
  return value.substr(0, IniFile::kMaxValueLength);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(20);
  const std::string key = input.ConsumeRandomLengthString(20);
  const std::string value = input.ConsumeRandomLengthString(1100);
  const std::string text = input.ConsumeRemainingBytesAsString();

  const IniFile read = IniFile::FromText("/nonexistent/fuzz.ini", text);
  const IniFile again = IniFile::FromText("/nonexistent/fuzz.ini", read.Text());
  Check(again.Text() == read.Text(), "writing what was read is stable");
  for (const char* s : kSections)
    for (const std::string& k : read.Keys(s))
      Check(again.ReadString(s, k) == read.ReadString(s, k), "a value survives a round trip");

  IniFile changed = read;
  if (value.find('\n') != std::string::npos) {
    // No line can hold a line feed: the write is refused and changes nothing.
    bool refused = false;
    try {
      changed.WriteString(section, key, value);
    } catch (const lexvane::text::Error&) {
      refused = true;
    }
    Check(refused && changed.Text() == read.Text(), "a line feed is refused");
    return 0;
  }
  changed.WriteString(section, key, value);
  const IniFile reread = IniFile::FromText("/nonexistent/fuzz.ini", changed.Text());
  // Only names the format can hold as they are: no line breaks, no bracket
  // in a section name, no equals sign in a key, no blanks at either end, and
  // no key that reads as a comment or a section.
  const auto trimmed = [](const std::string& name) {
    return !name.empty() && name.front() != ' ' && name.front() != '\t' && name.back() != ' ' &&
           name.back() != '\t';
  };
  const bool plainNames =
      trimmed(section) && trimmed(key) && section.find_first_of("\r\n]") == std::string::npos &&
      key.find_first_of("\r\n=") == std::string::npos && key[0] != ';' && key[0] != '[';
  if (plainNames) {
    Check(reread.ReadString(section, key) == readBack(value), "a written value reads back");
    for (const char* s : kSections)
      for (const std::string& k : read.Keys(s))
        if (!(IniFile::FromText("", "[" + std::string(s) + "]\r\n" + k + "=x\r\n")
                  .KeyExists(section, key)))
          Check(reread.ReadString(s, k) == read.ReadString(s, k), "other entries stay");
  }
  return 0;
}
