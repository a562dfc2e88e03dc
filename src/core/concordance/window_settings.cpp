#include "concordance/window_settings.h"

#include <cstdlib>
#include <filesystem>
#include <limits>
#include <system_error>

#include "io/ini_file.h"

namespace lexvane::concordance {

namespace {
constexpr std::string_view kSection = "Concordance Window";
std::string colKey(int column) {
  return "Col" + std::to_string(column);
}
// The keys hold 32-bit numbers: a value outside that range reads as the
// default, like any other value that is not such a number.
std::int32_t readInt32(const io::IniFile& ini, const std::string& key, std::int32_t defaultValue) {
  const std::int64_t value = ini.ReadInteger(kSection, key, defaultValue);
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max())
    return defaultValue;
  return static_cast<std::int32_t>(value);
}
}  // namespace

std::string SettingsFilePath() {
  if (const char* explicitPath = std::getenv("LEXVANE_SETTINGS"); explicitPath && *explicitPath)
    return explicitPath;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return std::string(config) + "/lexvane/lexvane.ini";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : ".") + "/.config/lexvane/lexvane.ini";
}

ConcordanceWindowSettings LoadConcordanceWindowSettings(const std::string& path) {
  const io::IniFile ini = io::IniFile::Load(path);
  ConcordanceWindowSettings settings;
  for (int c = 0; c < 5; ++c) settings.ColWidths[c] = readInt32(ini, colKey(c), 0);
  settings.ShowCurSent = readInt32(ini, "ShowCurSent", 1) != 0;
  settings.Maximized = readInt32(ini, "Maximized", 0) != 0;
  return settings;
}

void SaveConcordanceWindowSettings(const ConcordanceWindowSettings& settings,
                                   const std::string& path) {
  io::IniFile ini = io::IniFile::Load(path);
  for (int c = 0; c < 5; ++c) ini.WriteInteger(kSection, colKey(c), settings.ColWidths[c]);
  ini.WriteBool(kSection, "ShowCurSent", settings.ShowCurSent);
  ini.WriteBool(kSection, "Maximized", settings.Maximized);
  // The settings folder of a first run may not exist yet.
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  ini.Save();
}

}  // namespace lexvane::concordance
