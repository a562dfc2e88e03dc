// RecentListsMenu: the "Recent lists" submenu at the end of the File menu.
// It shows the list files opened or saved last (corpus::LoadRecentLists),
// most recent first and numbered; a file that no longer exists is shown
// disabled (it may be on a drive that is not mounted) and stays until it
// falls off the end; "Clear recent lists" below them empties the section.
// The entries are read from the settings file each time the File menu opens,
// so lists recorded by another running program show too. A settings file
// that cannot be written loses a new entry without a message (the list
// itself was opened or saved); a failed "Clear recent lists" is shown.
// GUI thread only.
#pragma once

#include <string>
#include <vector>

#include <QMenu>
#include <QString>

namespace lexvane::gui {

class RecentListsMenu : public QMenu {
  Q_OBJECT

 public:
  explicit RecentListsMenu(QWidget* parent = nullptr);

 public:  // commands
  // Puts `path` first in the settings file and shows the new entries.
  void Record(const QString& path);
  // Reads the entries from the settings file again.
  void Rebuild();

 Q_SIGNALS:
  // The user chose the entry of `path`.
  void openRequested(const QString& path);

 private:
  void showEntries(const std::vector<std::string>& lists);
  void clearAll();
};

}  // namespace lexvane::gui
