// Running a piece of work on the thread of a QObject (the GUI thread for
// windows): at once when already there, queued otherwise.
#pragma once

#include <utility>

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include "gui/base/thread_handover.h"

namespace lexvane::gui {

template <class Work>
void RunOnThreadOf(QObject* object, Work&& work) {
  if (QThread::currentThread() == object->thread()) {
    work();
  } else {
    QMetaObject::invokeMethod(object, Hand(std::forward<Work>(work)), Qt::QueuedConnection);
  }
}

inline bool OnThreadOf(const QObject* object) {
  return QThread::currentThread() == object->thread();
}

}  // namespace lexvane::gui
