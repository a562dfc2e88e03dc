#include "corpus/recent_lists.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "io/ini_file.h"

namespace lexvane::corpus {

namespace {

std::string fileKey(std::size_t number) {
  return "File" + std::to_string(number);
}

std::vector<std::string> readSection(const io::IniFile& ini) {
  std::vector<std::string> lists;
  for (std::size_t n = 1; lists.size() < kMaxRecentLists; ++n) {
    std::string path = ini.ReadString(kRecentListsSection, fileKey(n));
    if (path.empty()) break;
    if (std::find(lists.begin(), lists.end(), path) == lists.end())
      lists.push_back(std::move(path));
  }
  return lists;
}

void writeSectionAndSave(io::IniFile& ini, const std::vector<std::string>& lists) {
  ini.EraseSection(kRecentListsSection);
  for (std::size_t i = 0; i < lists.size(); ++i)
    ini.WriteString(kRecentListsSection, fileKey(i + 1), lists[i]);
  // The settings folder of a first run may not exist yet.
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(ini.Path()).parent_path(), ignored);
  ini.Save();
}

}  // namespace

std::vector<std::string> PushRecentList(std::vector<std::string> lists, const std::string& path,
                                        std::size_t limit) {
  lists.erase(std::remove(lists.begin(), lists.end(), path), lists.end());
  lists.insert(lists.begin(), path);
  if (lists.size() > limit) lists.resize(limit);
  return lists;
}

std::vector<std::string> LoadRecentLists(const std::string& settingsPath) {
  return readSection(io::IniFile::Load(settingsPath));
}

std::vector<std::string> RecordRecentList(const std::string& settingsPath,
                                          const std::string& listPath) {
  io::IniFile ini = io::IniFile::Load(settingsPath);
  std::vector<std::string> lists = readSection(ini);
  // Such a path would come back cut or not at all.
  if (listPath.empty() || listPath.find('\n') != std::string::npos ||
      listPath.size() > io::IniFile::kMaxValueLength)
    return lists;
  lists = PushRecentList(std::move(lists), listPath);
  writeSectionAndSave(ini, lists);
  return lists;
}

void ClearRecentLists(const std::string& settingsPath) {
  io::IniFile ini = io::IniFile::Load(settingsPath);
  if (!ini.SectionExists(kRecentListsSection)) return;
  ini.EraseSection(kRecentListsSection);
  ini.Save();
}

}  // namespace lexvane::corpus
