// Recent lists: the list files that the desktop program opened or saved
// last, most recent first, kept in the settings file in a section of their
// own ("Recent lists", keys File1, File2, ... in order). Every change reads
// the file anew, changes only that section and saves, so two running
// programs do not lose each other's entries and the other sections of the
// file ("Concordance Window") keep their bytes. The desktop program's File
// menu shows them; nothing else reads them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::corpus {

inline constexpr std::string_view kRecentListsSection = "Recent lists";
// The most entries kept; the oldest goes when a new one comes.
inline constexpr std::size_t kMaxRecentLists = 8;

// `lists` with `path` put first: an equal entry (the same bytes; Linux names
// are case-sensitive) moves to the front, and only the first `limit` stay.
std::vector<std::string> PushRecentList(std::vector<std::string> lists, const std::string& path,
                                        std::size_t limit = kMaxRecentLists);

// The entries of the settings file at `settingsPath`: File1, File2, ... up
// to the first missing or empty key, without repeats, at most
// kMaxRecentLists. A missing file or section gives none.
std::vector<std::string> LoadRecentLists(const std::string& settingsPath);

// Puts `listPath` first in the file's section and returns the new entries.
// A path that a settings value cannot hold whole (one with a line feed, or
// longer than a value may be) is not recorded. Throws text::Error "Unable to
// write to <settingsPath>" when the file cannot be written; the file is then
// as it was.
std::vector<std::string> RecordRecentList(const std::string& settingsPath,
                                          const std::string& listPath);

// Empties the section (it is removed from the file). Throws as
// RecordRecentList does.
void ClearRecentLists(const std::string& settingsPath);

}  // namespace lexvane::corpus
