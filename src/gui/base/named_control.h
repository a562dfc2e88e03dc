// Gives a control its object name (the name the program's code knows it by)
// and its accessible name (its label or caption without the mnemonic '&', or
// the object name where it shows no text), which screen readers read and the
// program's tests find it by.
#pragma once

#include <QString>
#include <QWidget>

namespace lexvane::gui {

template <class Widget>
Widget* Named(Widget* widget, const char* objectName, const QString& accessibleName = {}) {
  widget->setObjectName(QLatin1String(objectName));
  QString name = accessibleName.isEmpty() ? QLatin1String(objectName) : accessibleName;
  widget->setAccessibleName(name.remove(QLatin1Char('&')));
  return widget;
}

}  // namespace lexvane::gui
