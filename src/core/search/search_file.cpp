// Word search files (".cws"): sections "List 1" to "List 5" (keys Line1,
// Line2, ...) and "Common". Both search dialogs read and write the same
// format, each the part it knows; a save changes the file in place, so a
// simple save over an advanced file keeps its lists 2 to 5 and settings.
#include <algorithm>
#include <limits>

#include "io/ini_file.h"
#include "search/search_dialogs.h"
#include "text/encoding.h"

namespace lexvane::search {

namespace {

constexpr std::string_view kCommon = "Common";
constexpr std::int64_t kDefaultLoadedMaxListSize = 2000;

std::string listSection(int column) {
  return "List " + std::to_string(column + 1);
}

// Reads Line1, Line2, ... up to the first missing or empty value, each
// kept to 255 characters of the dialog's encoding.
std::vector<std::string> readList(const io::IniFile& file, int column, text::Encoding encoding) {
  std::vector<std::string> masks;
  const std::string section = listSection(column);
  for (int n = 1;; ++n) {
    const std::string value = file.ReadString(section, "Line" + std::to_string(n));
    if (value.empty()) break;
    masks.push_back(text::keepFirst(value, text::kMaxTextLength, encoding));
  }
  return masks;
}

void writeList(io::IniFile& file, int column, const std::vector<std::string>& masks) {
  const std::string section = listSection(column);
  for (std::size_t n = 0; n < masks.size(); ++n)
    file.WriteString(section, "Line" + std::to_string(n + 1), masks[n]);
}

// Writes "MaxListSize" and saves; an invalid field still saves what was
// written before it, then fails with the conversion message.
void writeMaxListSizeAndSave(io::IniFile& file, const std::string& maxListSize) {
  const auto value = ParseIntegerField(maxListSize);
  if (!value) {
    file.Save();
    IntegerFieldValue(maxListSize);  // throws the conversion message
  }
  file.WriteInteger(kCommon, "MaxListSize", *value);
  file.Save();
}

std::string loadedMaxListSize(const io::IniFile& file) {
  return std::to_string(file.ReadInteger(kCommon, "MaxListSize", kDefaultLoadedMaxListSize));
}

int clampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

}  // namespace

void SimpleSearchModel::SaveTo(const std::string& path) {
  LastFileName = path;
  io::IniFile file = io::IniFile::Load(path);
  file.EraseSection(listSection(0));
  writeList(file, 0, Masks);
  writeMaxListSizeAndSave(file, MaxListSize);
}

void SimpleSearchModel::LoadFrom(const std::string& path) {
  LastFileName = path;
  const io::IniFile file = io::IniFile::Load(path);
  Edit.clear();
  Masks = readList(file, 0, TextEncoding);
  MaxListSize = loadedMaxListSize(file);
}

void AdvancedSearchModel::SaveTo(const std::string& path) {
  LastFileName = path;
  io::IniFile file = io::IniFile::Load(path);
  for (int k = 0; k < kColumns; ++k) file.EraseSection(listSection(k));
  for (int k = 0; k < kColumns; ++k) writeList(file, k, Masks[k]);
  file.WriteInteger(kCommon, "WordToMiddle", MiddleRadio);
  for (int k = 0; k < kColumnPairs; ++k)
    file.WriteString(kCommon, "Rank" + std::to_string(k + 1), InOrder[k] ? "1" : "0");
  for (int k = 0; k < kColumnPairs; ++k)
    file.WriteInteger(kCommon, "WordDistance" + std::to_string(k + 1), Distances[k]);
  writeMaxListSizeAndSave(file, MaxListSize);
}

void AdvancedSearchModel::LoadFrom(const std::string& path) {
  LastFileName = path;
  const io::IniFile file = io::IniFile::Load(path);
  for (int k = 0; k < kColumns; ++k) {
    Edits[k].clear();
    Masks[k] = readList(file, k, TextEncoding);
  }
  const std::int64_t middle = file.ReadInteger(kCommon, "WordToMiddle", 1);
  if (middle >= 1 && middle <= kColumns) MiddleRadio = static_cast<int>(middle);
  for (int k = 0; k < kColumnPairs; ++k)
    InOrder[k] = file.ReadBool(kCommon, "Rank" + std::to_string(k + 1), true);
  for (int k = 0; k < kColumnPairs; ++k)
    Distances[k] = clampToInt(file.ReadInteger(kCommon, "WordDistance" + std::to_string(k + 1), 0));
  MaxListSize = loadedMaxListSize(file);
}

bool HoldsAdvancedQuery(const std::string& path) {
  const io::IniFile file = io::IniFile::Load(path);
  for (int k = 1; k < kColumns; ++k)
    if (!file.ReadString(listSection(k), "Line1").empty()) return true;
  if (file.KeyExists(kCommon, "WordToMiddle")) return true;
  for (int k = 1; k <= kColumnPairs; ++k)
    if (file.KeyExists(kCommon, "Rank" + std::to_string(k)) ||
        file.KeyExists(kCommon, "WordDistance" + std::to_string(k)))
      return true;
  return false;
}

}  // namespace lexvane::search
