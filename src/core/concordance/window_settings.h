// ConcordanceWindowSettings: the layout that every concordance window of a run
// starts with (column widths, current-sentence pane, maximized), read once at
// start-up from the settings file's section "Concordance Window" and written
// by a window's "Save settings". Word frequency windows follow its maximized
// flag. Owned by the desktop program for the whole run.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lexvane::concordance {

struct ConcordanceWindowSettings {
  // Pixels; a width of 0 in column 0 means no widths were saved.
  std::array<std::int32_t, 5> ColWidths{};
  bool ShowCurSent = true;
  bool Maximized = false;
};

// The settings file: $LEXVANE_SETTINGS when set, else
// $XDG_CONFIG_HOME/lexvane/lexvane.ini, else ~/.config/lexvane/lexvane.ini.
std::string SettingsFilePath();

// Reads the section "Concordance Window" (keys Col0..Col4, ShowCurSent,
// Maximized); a missing file, section or key, or a value that is not a
// number, gives the default.
ConcordanceWindowSettings LoadConcordanceWindowSettings(const std::string& path);

// "Save settings": writes the seven keys in the order Col0..Col4, ShowCurSent,
// Maximized; other sections and keys stay. Throws text::Error
// "Unable to write to <path>" when the file cannot be written.
void SaveConcordanceWindowSettings(const ConcordanceWindowSettings& settings,
                                   const std::string& path);

}  // namespace lexvane::concordance
