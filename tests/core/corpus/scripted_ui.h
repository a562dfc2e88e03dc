// Scripted answers for the core's user-interface and list-dialog interfaces:
// each call takes the next answer of its script and records what was asked.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "corpus/list_file_commands.h"
#include "text/user_interface.h"

namespace lexvane::corpus::testing {

struct AskedMessage {
  std::string caption;
  std::string text;
  text::Buttons buttons;
  text::Icon icon;
};

class ScriptedUserInterface : public text::UserInterface {
 public:
  explicit ScriptedUserInterface(std::deque<text::Answer> answers = {})
      : answers_(std::move(answers)) {}

  text::Answer Ask(std::string_view caption, std::string_view text, text::Buttons buttons,
                   text::Icon icon) override {
    asked.push_back({std::string(caption), std::string(text), buttons, icon});
    if (answers_.empty()) {
      ADD_FAILURE() << "unexpected message: " << text;
      return text::Answer::Cancel;
    }
    text::Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::vector<AskedMessage> asked;

 private:
  std::deque<text::Answer> answers_;
};

class ScriptedDialogs : public ListFileDialogs {
 public:
  std::optional<std::string> AskOpenPath() override { return next(openPaths, openCalls); }
  std::optional<std::string> AskSavePath() override { return next(savePaths, saveCalls); }

  std::deque<std::optional<std::string>> openPaths;
  std::deque<std::optional<std::string>> savePaths;
  int openCalls = 0;
  int saveCalls = 0;

 private:
  static std::optional<std::string> next(std::deque<std::optional<std::string>>& script,
                                         int& calls) {
    ++calls;
    if (script.empty()) {
      ADD_FAILURE() << "unexpected file dialog";
      return std::nullopt;
    }
    std::optional<std::string> path = script.front();
    script.pop_front();
    return path;
  }
};

}  // namespace lexvane::corpus::testing
