// The program's icons, drawn for the project so that the set looks the same on
// every desktop: the application icon and one icon per tool bar button.
#pragma once

#include <QIcon>
#include <QString>

namespace lexvane::gui {

// The application icon: a concordance, lines of text around a keyword column.
QIcon AppIcon();

// The icon of a tool bar button by the button's name ("SpeedButtonFileNew",
// ...); a blank icon for an unknown name.
QIcon ToolBarIcon(const QString& buttonName);

}  // namespace lexvane::gui
