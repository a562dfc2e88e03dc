#include "gui/runner/operation_runner.h"

#include <exception>

#include <QEventLoop>
#include <QThread>
#include <QWidget>

#include "gui/base/thread_handover.h"
#include "gui/runner/command_boundary.h"

namespace lexvane::gui {

// The indicators as the work sees them: the windows' calls, with the runner's
// own abort flag added to the window's cancel flag.
class OperationRunner::SearchProxy : public text::SearchIndicator {
 public:
  SearchProxy(text::SearchIndicator& real, std::atomic<bool>& abort) : real_(real), abort_(abort) {}
  void Start(std::string_view foundLabel) override { real_.Start(foundLabel); }
  void SetFile(std::string_view fileName) override { real_.SetFile(fileName); }
  void SetCounts(std::int64_t words, std::int64_t sentences, std::int64_t found) override {
    real_.SetCounts(words, sentences, found);
  }
  bool Cancelled() const override { return abort_.load() || real_.Cancelled(); }
  void Finish() override { real_.Finish(); }

 private:
  text::SearchIndicator& real_;
  std::atomic<bool>& abort_;
};

class OperationRunner::ProgressProxy : public text::ProgressIndicator {
 public:
  ProgressProxy(text::ProgressIndicator& real, std::atomic<bool>& abort)
      : real_(real), abort_(abort) {}
  void Start(std::string_view title) override { real_.Start(title); }
  void SetGauge(int percent) override { real_.SetGauge(percent); }
  bool Cancelled() const override { return abort_.load() || real_.Cancelled(); }
  void Finish() override { real_.Finish(); }

 private:
  text::ProgressIndicator& real_;
  std::atomic<bool>& abort_;
};

// The user interface as the work sees it: a question is carried to the GUI
// thread (the thread of `gui`), and once the operation is aborted it gets its
// escape answer without a box. The flag is read there, just before the box
// would show, so an abort that comes while the question travels still counts.
class OperationRunner::UiProxy : public text::UserInterface {
 public:
  UiProxy(text::UserInterface& real, std::atomic<bool>& abort, QObject* gui)
      : real_(real), abort_(abort), gui_(gui) {}
  text::Answer Ask(std::string_view caption, std::string_view text, text::Buttons buttons,
                   text::Icon icon) override {
    auto ask = [&] {
      return abort_.load() ? lexvane::text::EscapeAnswer(buttons)
                           : real_.Ask(caption, text, buttons, icon);
    };
    if (QThread::currentThread() == gui_->thread()) return ask();
    text::Answer answer = lexvane::text::EscapeAnswer(buttons);
    QMetaObject::invokeMethod(gui_, Hand([&] { answer = ask(); }), Qt::BlockingQueuedConnection);
    TakeOver();
    return answer;
  }

 private:
  text::UserInterface& real_;
  std::atomic<bool>& abort_;
  QObject* gui_;
};

OperationRunner::OperationRunner(text::UserInterface& ui, text::SearchIndicator& search,
                                 text::ProgressIndicator& progress, QObject* parent)
    : QObject(parent),
      ui_(ui),
      askUi_(std::make_unique<UiProxy>(ui, abort_, this)),
      search_(std::make_unique<SearchProxy>(search, abort_)),
      progress_(std::make_unique<ProgressProxy>(progress, abort_)) {}

OperationRunner::~OperationRunner() {
  stop();
}

bool OperationRunner::start(Work work, Done done, QObject* owner) {
  if (busy() || stopping_) return false;
  abort_.store(false);
  done_ = std::move(done);
  hasOwner_ = owner != nullptr;
  owner_ = owner;
  if (owner != nullptr) ownerGone_ = connect(owner, &QObject::destroyed, this, [this] { abort(); });
  thread_ = QThread::create([this, work = std::move(work)] {
    text::OperationHost host{*askUi_, *search_, *progress_};
    bool completed = true;
    std::string error;
    try {
      work(host);
    } catch (const std::exception& e) {
      completed = false;
      error = e.what();
    } catch (...) {
      // Nothing may leave the thread's function: that would end the program.
      completed = false;
      error = "The operation failed.";
    }
    QMetaObject::invokeMethod(this, Hand([this, completed, error] { finished(completed, error); }),
                              Qt::QueuedConnection);
  });
  thread_->start();
  Q_EMIT busyChanged(true);
  return true;
}

void OperationRunner::finished(bool completed, const std::string& error) {
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  // Both indicators are hidden whatever way the work ended.
  search_->Finish();
  progress_->Finish();
  disconnect(ownerGone_);
  const bool ownerGone = hasOwner_ && owner_.isNull();
  QWidget* const ownerWindow = qobject_cast<QWidget*>(owner_.data());
  hasOwner_ = false;
  owner_ = nullptr;
  if (!completed) ui_.ShowError(error);
  Done done = std::move(done_);
  done_ = {};
  // The completion is the owner's command: its error is shown here.
  if (done && !ownerGone) RunCommand(ownerWindow, [&] { done(completed); });
  // A completion may have started the next operation.
  if (!busy()) Q_EMIT busyChanged(false);
}

void OperationRunner::waitForIdle() {
  if (!busy()) return;
  QEventLoop loop;
  connect(this, &OperationRunner::busyChanged, &loop, [&](bool nowBusy) {
    if (!nowBusy) loop.quit();
  });
  loop.exec();
}

void OperationRunner::stop() {
  if (!busy()) return;
  stopping_ = true;
  abort();
  waitForIdle();
  stopping_ = false;
}

}  // namespace lexvane::gui
