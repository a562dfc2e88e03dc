// Scripted front ends for the frequency tests: a user interface that records
// every message, and indicators that record their updates and cancel on cue.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "text/progress.h"
#include "text/user_interface.h"

namespace lexvane::frequency::testing {

struct Message {
  std::string caption, text;
  text::Buttons buttons;
};

class RecordingUi : public text::UserInterface {
 public:
  text::Answer answer = text::Answer::Ok;
  std::vector<Message> messages;
  text::Answer Ask(std::string_view caption, std::string_view message, text::Buttons buttons,
                   text::Icon) override {
    messages.push_back({std::string(caption), std::string(message), buttons});
    return answer;
  }
};

class RecordingSearch : public text::SearchIndicator {
 public:
  std::string label;
  std::vector<std::string> files;
  std::vector<std::int64_t> wordUpdates;
  int cancelAfterUpdates = -1;  // cancel once this many count updates were shown
  bool finished = false;
  void Start(std::string_view foundLabel) override { label = foundLabel; }
  void SetFile(std::string_view name) override { files.emplace_back(name); }
  void SetCounts(std::int64_t words, std::int64_t, std::int64_t) override {
    wordUpdates.push_back(words);
  }
  bool Cancelled() const override {
    return cancelAfterUpdates >= 0 && static_cast<int>(wordUpdates.size()) >= cancelAfterUpdates;
  }
  void Finish() override { finished = true; }
};

class RecordingProgress : public text::ProgressIndicator {
 public:
  std::string title;
  std::vector<int> gauges;
  int cancelAtGauge = -1;  // cancel once this many gauge updates were shown
  void Start(std::string_view t) override {
    title = t;
    gauges.clear();
  }
  void SetGauge(int percent) override { gauges.push_back(percent); }
  bool Cancelled() const override {
    return cancelAtGauge >= 0 && static_cast<int>(gauges.size()) >= cancelAtGauge;
  }
  void Finish() override {}
};

// n distinct four-letter words from "aaaa" on, each followed by a blank
// (digits would be separators).
inline std::string distinctWords(int n, int first = 0) {
  std::string text;
  for (int i = first; i < first + n; ++i) {
    std::string w(4, 'a');
    for (int k = 3, v = i; k >= 0; --k, v /= 26) w[k] = static_cast<char>('a' + v % 26);
    text += w + " ";
  }
  return text;
}

struct Host {
  RecordingUi ui;
  RecordingSearch search;
  RecordingProgress progress;
  text::OperationHost operation() { return {ui, search, progress}; }
};

}  // namespace lexvane::frequency::testing
