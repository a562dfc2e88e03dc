// TFormProgressInd: the progress indicator of passes over tables (retrieving
// sentences, sorting, deleting duplicates, copying, extracting collocates):
// a percentage gauge and Cancel (also Esc). Modeless, above the main window,
// centred on the screen, without a close box; the caption is the title given
// to Start (StartProgress).
//
// Threads as for TFormSearchInd: the flag is atomic, the rest is carried to
// the GUI thread; on the GUI thread an update point lets pending events run.
#pragma once

#include <atomic>

#include <QDialog>

#include "text/progress.h"

class QProgressBar;
class QPushButton;

namespace lexvane::gui {

class TFormProgressInd : public QDialog, public text::ProgressIndicator {
  Q_OBJECT

 public:
  explicit TFormProgressInd(QWidget* parent = nullptr);

 public:  // text::ProgressIndicator, any thread
  void Start(std::string_view title) override;
  void SetGauge(int percent) override;
  bool Cancelled() const override { return cancelled_.load(); }
  void Finish() override;

 public:  // controls, for tests
  QProgressBar* Gauge = nullptr;
  QPushButton* ButtonCancel = nullptr;

 public Q_SLOTS:
  void ButtonCancelClick() { cancelled_.store(true); }
  void reject() override { ButtonCancelClick(); }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::atomic<bool> cancelled_{false};
  std::atomic<int> percent_{0};
  std::atomic<bool> gaugePending_{false};
};

}  // namespace lexvane::gui
