// The long-operation protocol. An operation resets the cancel flag, shows its
// indicator, polls the flag at every step and reports at fixed update points
// (every 1000 words of a corpus scan, every 100 items of a table pass); the
// front end refreshes its window there and, in a single-threaded front end,
// lets pending events run, which is when a Cancel press is seen.
//
// The engine may call an indicator from a worker thread; implementations make
// Cancelled() safe to call from it while the front end sets the flag.
#pragma once

#include <cstdint>
#include <string_view>

#include "text/user_interface.h"

namespace lexvane::text {

// The search indicator of corpus scans (concordance building, word frequency
// list): file name, words, sentences and hits or types so far.
class SearchIndicator {
 public:
  virtual ~SearchIndicator() = default;
  // Sets the caption of the found-count line ("Words found:" or "Types:"),
  // shows the indicator with its value lines empty and clears the flag.
  virtual void Start(std::string_view foundLabel) = 0;
  // The file being scanned, without its folder ("" when between files).
  virtual void SetFile(std::string_view fileName) = 0;
  // An update point: the current counts.
  virtual void SetCounts(std::int64_t words, std::int64_t sentences, std::int64_t found) = 0;
  virtual bool Cancelled() const = 0;
  virtual void Finish() = 0;
};

// The progress indicator of table passes: a percentage gauge.
class ProgressIndicator {
 public:
  virtual ~ProgressIndicator() = default;
  // StartProgress: clears the flag, sets the gauge to 0, shows the title.
  virtual void Start(std::string_view title) = 0;
  // An update point: the gauge in percent (0 to 100).
  virtual void SetGauge(int percent) = 0;
  virtual bool Cancelled() const = 0;
  virtual void Finish() = 0;
};

// Indicators that show nothing and are never cancelled.
class SilentSearchIndicator : public SearchIndicator {
 public:
  void Start(std::string_view) override {}
  void SetFile(std::string_view) override {}
  void SetCounts(std::int64_t, std::int64_t, std::int64_t) override {}
  bool Cancelled() const override { return false; }
  void Finish() override {}
};

class SilentProgressIndicator : public ProgressIndicator {
 public:
  void Start(std::string_view) override {}
  void SetGauge(int) override {}
  bool Cancelled() const override { return false; }
  void Finish() override {}
};

// Everything a long operation may ask of its front end.
struct OperationHost {
  UserInterface& ui;
  SearchIndicator& search;
  ProgressIndicator& progress;
};

}  // namespace lexvane::text
