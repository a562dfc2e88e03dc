// TFormSearchInd: the search indicator of corpus scans (concordance building,
// word frequency list). Modeless, above the main window, centred on the
// screen; Cancel and Esc set the cancel flag, the close box only hides it.
//
// The engine may call it from a worker thread: the flag is atomic, the other
// calls are carried to the GUI thread (several updates waiting there show as
// the latest one). Called on the GUI thread, an update point lets pending
// events run, which is when a Cancel press is seen.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include <QDialog>

#include "text/progress.h"

class QLabel;
class QPushButton;

namespace lexvane::gui {

class TFormSearchInd : public QDialog, public text::SearchIndicator {
  Q_OBJECT

 public:
  explicit TFormSearchInd(QWidget* parent = nullptr);

 public:  // text::SearchIndicator, any thread
  void Start(std::string_view foundLabel) override;
  void SetFile(std::string_view fileName) override;
  void SetCounts(std::int64_t words, std::int64_t sentences, std::int64_t found) override;
  bool Cancelled() const override { return cancelled_.load(); }
  void Finish() override;

 public:  // controls, for tests
  QLabel* Label4 = nullptr;
  QLabel* LabelFile = nullptr;
  QLabel* LabelWords = nullptr;
  QLabel* LabelSentences = nullptr;
  QLabel* LabelFoundWords = nullptr;
  QPushButton* ButtonCancel = nullptr;

 public Q_SLOTS:
  void ButtonCancelClick() { cancelled_.store(true); }
  // Esc: the same as Cancel; the window stays.
  void reject() override { ButtonCancelClick(); }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void showCounts();

  std::atomic<bool> cancelled_{false};
  std::mutex mutex_;  // guards the counts below
  std::int64_t words_ = 0, sentences_ = 0, found_ = 0;
  bool countsPending_ = false;
};

// Centres a top-level window on the screen it is on.
void CentreOnScreen(QWidget* window);

}  // namespace lexvane::gui
