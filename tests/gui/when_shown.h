// Answering the next modal dialog in the desktop program's QtTests.
#pragma once

#include <functional>

#include <QDialog>
#include <QTimer>

namespace lexvane::gui::testing {

// Runs `answer` on `dialog` as soon as it shows modally (it must close it).
inline void WhenShown(QDialog* dialog, std::function<void()> answer) {
  auto* timer = new QTimer(dialog);
  timer->setInterval(0);
  QObject::connect(timer, &QTimer::timeout, dialog, [dialog, timer, answer] {
    if (!dialog->isVisible()) return;
    timer->deleteLater();
    answer();
  });
  timer->start();
}

}  // namespace lexvane::gui::testing
