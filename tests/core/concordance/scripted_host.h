// An operation host for tests: records the messages, and presses Cancel on
// the search indicator when the shown word count reaches a given value, or
// on the progress indicator at a given gauge update.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "text/progress.h"

namespace lexvane::concordance::testing {

class RecordingUi : public text::UserInterface {
 public:
  text::Answer Ask(std::string_view caption, std::string_view text, text::Buttons,
                   text::Icon) override {
    messages.push_back(std::string(caption) + ": " + std::string(text));
    return text::Answer::Ok;
  }
  std::vector<std::string> messages;
};

class ScriptedSearch : public text::SearchIndicator {
 public:
  void Start(std::string_view label) override {
    this->label = label;
    cancelled = false;
  }
  void SetFile(std::string_view name) override { files.emplace_back(name); }
  void SetCounts(std::int64_t words, std::int64_t, std::int64_t) override {
    updates.push_back(words);
    if (cancelAtWords > 0 && words >= cancelAtWords) cancelled = true;
  }
  bool Cancelled() const override { return cancelled; }
  void Finish() override { finished = true; }

  std::int64_t cancelAtWords = 0;
  bool cancelled = false;
  bool finished = false;
  std::string label;
  std::vector<std::string> files;
  std::vector<std::int64_t> updates;
};

class ScriptedProgress : public text::ProgressIndicator {
 public:
  void Start(std::string_view title) override {
    titles.emplace_back(title);
    cancelled = false;
    gauges.clear();
  }
  void SetGauge(int percent) override {
    gauges.push_back(percent);
    if (cancelAtUpdate > 0 && static_cast<int>(gauges.size()) == cancelAtUpdate) cancelled = true;
  }
  bool Cancelled() const override { return cancelled; }
  void Finish() override {}

  int cancelAtUpdate = 0;  // the n-th gauge update (from 1) presses Cancel
  bool cancelled = false;
  std::vector<std::string> titles;
  std::vector<int> gauges;
};

struct ScriptedHost {
  RecordingUi ui;
  ScriptedSearch search;
  ScriptedProgress progress;
  text::OperationHost host{ui, search, progress};
};

}  // namespace lexvane::concordance::testing
