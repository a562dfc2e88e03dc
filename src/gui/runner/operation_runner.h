// OperationRunner: runs one long engine operation at a time on a worker
// thread. The operation reports through the host it is given: the program's
// user interface (questions are asked on the GUI thread while the worker
// waits) and the two indicators (counts carried to the GUI thread, Cancel
// read through an atomic flag). When the operation returns, its completion
// runs on the GUI thread: that is where a window swaps in the table the
// operation built, so no window ever reads a table while it changes.
//
// Owned by the workspace; GUI thread only (the work itself runs elsewhere and
// touches nothing but what the caller handed it and the host).
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include <QObject>
#include <QPointer>
#include <string>

#include "text/progress.h"

class QThread;

namespace lexvane::gui {

class OperationRunner : public QObject {
  Q_OBJECT

 public:
  // The work: runs on the worker thread; may throw text::Error (or any
  // std::exception), which abandons it.
  using Work = std::function<void(text::OperationHost& host)>;
  // The completion, on the GUI thread: completed is false when the work
  // threw (the message has then been shown as an error).
  using Done = std::function<void(bool completed)>;

  OperationRunner(text::UserInterface& ui, text::SearchIndicator& search,
                  text::ProgressIndicator& progress, QObject* parent = nullptr);
  // Stops a running operation (its cancel flag reads set) and waits for it.
  ~OperationRunner() override;

 public:  // queries
  bool busy() const { return thread_ != nullptr; }

 public:  // commands
  // Starts the work; false (and nothing started) while another one runs.
  // `owner` is the window the work builds for: when it is destroyed before
  // the work ends, the work sees its cancel flag set and `done` is not called
  // (so the work must own, or share, whatever it writes into).
  bool start(Work work, Done done = {}, QObject* owner = nullptr);
  // Makes the running operation see its cancel flag set, as Cancel does;
  // from then on its questions are answered with their escape button
  // without a box (the program is closing, or its window went).
  void abort() { abort_.store(true); }
  // Lets events run until no operation runs (one started by a completion
  // included).
  void waitForIdle();
  // Aborts the running operation and waits for it; no new one starts
  // meanwhile, not even from its completion (the program is closing).
  void stop();

 Q_SIGNALS:
  void busyChanged(bool busy);

 private:
  class SearchProxy;
  class ProgressProxy;
  class UiProxy;
  void finished(bool completed, const std::string& error);

  text::UserInterface& ui_;
  std::unique_ptr<UiProxy> askUi_;
  std::unique_ptr<SearchProxy> search_;
  std::unique_ptr<ProgressProxy> progress_;
  std::atomic<bool> abort_{false};
  QThread* thread_ = nullptr;
  Done done_;
  bool stopping_ = false;
  bool hasOwner_ = false;
  QPointer<QObject> owner_;
  QMetaObject::Connection ownerGone_;
};

}  // namespace lexvane::gui
