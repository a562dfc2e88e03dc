#include "gui/app/recent_lists_menu.h"

#include <exception>
#include <string>
#include <vector>

#include <QAction>
#include <QFileInfo>

#include "concordance/window_settings.h"
#include "corpus/recent_lists.h"
#include "gui/base/text_codec.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 140;
// Wider paths lose their middle in the menu; the tool tip holds them whole.
constexpr int kMaxCaptionWidth = 480;

}  // namespace

RecentListsMenu::RecentListsMenu(QWidget* parent) : QMenu(QStringLiteral("&Recent lists"), parent) {
  setObjectName(QStringLiteral("MenuRecentlists"));
  menuAction()->setObjectName(QStringLiteral("MenuRecentlists"));
  setToolTipsVisible(true);
  SetHelpContext(this, kHelpContext);
  SetHelpContext(menuAction(), kHelpContext);
  Rebuild();
}

void RecentListsMenu::Record(const QString& path) {
  try {
    showEntries(corpus::RecordRecentList(concordance::SettingsFilePath(), ToPath(path)));
  } catch (const std::exception&) {
    Rebuild();
  }
}

void RecentListsMenu::Rebuild() {
  showEntries(corpus::LoadRecentLists(concordance::SettingsFilePath()));
}

void RecentListsMenu::showEntries(const std::vector<std::string>& lists) {
  clear();
  int number = 0;
  for (const std::string& list : lists) {
    const QString path = FromPath(list);
    ++number;
    QString caption = fontMetrics().elidedText(path, Qt::ElideMiddle, kMaxCaptionWidth);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* entry =
        addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(caption) : caption);
    entry->setObjectName(QStringLiteral("MenuRecentlist%1").arg(number));
    entry->setData(path);
    entry->setToolTip(path);
    SetHelpContext(entry, kHelpContext);
    entry->setEnabled(QFileInfo(path).isFile());
    connect(entry, &QAction::triggered, this, [this, path] { Q_EMIT openRequested(path); });
  }
  if (!lists.empty()) {
    addSeparator();
    QAction* clearEntry = addAction(QStringLiteral("&Clear recent lists"));
    clearEntry->setObjectName(QStringLiteral("MenuClearrecentlists"));
    SetHelpContext(clearEntry, kHelpContext);
    connect(clearEntry, &QAction::triggered, this, &RecentListsMenu::clearAll);
  }
  menuAction()->setEnabled(!lists.empty());
}

void RecentListsMenu::clearAll() {
  try {
    corpus::ClearRecentLists(concordance::SettingsFilePath());
  } catch (const std::exception& e) {  // "Unable to write to <settings file>"
    GuiUserInterface::ShowErrorIn(window(), e.what());
  }
  Rebuild();
}

}  // namespace lexvane::gui
