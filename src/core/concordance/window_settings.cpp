#include "concordance/window_settings.h"

#include <cstdlib>
#include <fstream>
#include <optional>

namespace lexvane::concordance {

namespace {

// TODO(corpus INI module): read through corpus/ini_file.h once it lands; this
// reader keeps its rules for the few keys read here (case-insensitive names,
// trimmed values, decimal or hexadecimal integers).
std::string trimmed(const std::string& s) {
  auto begin = s.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return {};
  auto end = s.find_last_not_of(" \t\r\n");
  return s.substr(begin, end - begin + 1);
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::optional<std::int64_t> parseInteger(const std::string& value) {
  std::string v = value;
  bool negative = false;
  if (!v.empty() && (v[0] == '-' || v[0] == '+')) {
    negative = v[0] == '-';
    v.erase(0, 1);
  }
  int base = 10;
  if (v.size() > 2 && (v.compare(0, 2, "0x") == 0 || v.compare(0, 2, "0X") == 0)) {
    base = 16;
    v.erase(0, 2);
  } else if (v.size() > 1 && v[0] == '$') {
    base = 16;
    v.erase(0, 1);
  }
  if (v.empty()) return std::nullopt;
  char* end = nullptr;
  long long n = std::strtoll(v.c_str(), &end, base);
  if (*end != '\0') return std::nullopt;
  return negative ? -n : n;
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
  ConcordanceWindowSettings settings;
  std::ifstream in(path, std::ios::binary);
  if (!in) return settings;
  bool inSection = false;
  std::string line;
  while (std::getline(in, line)) {
    line = trimmed(line);
    if (line.empty()) continue;
    if (line.front() == '[') {
      auto close = line.find(']');
      inSection = close != std::string::npos &&
                  sameIgnoringCase(trimmed(line.substr(1, close - 1)), "Concordance Window");
      continue;
    }
    auto eq = line.find('=');
    if (!inSection || eq == std::string::npos) continue;
    std::string key = trimmed(line.substr(0, eq));
    std::optional<std::int64_t> n = parseInteger(trimmed(line.substr(eq + 1)));
    if (!n) continue;
    for (int c = 0; c < 5; ++c)
      if (sameIgnoringCase(key, "Col" + std::to_string(c)))
        settings.ColWidths[c] = static_cast<std::int32_t>(*n);
    if (sameIgnoringCase(key, "ShowCurSent")) settings.ShowCurSent = *n != 0;
    if (sameIgnoringCase(key, "Maximized")) settings.Maximized = *n != 0;
  }
  return settings;
}

}  // namespace lexvane::concordance
