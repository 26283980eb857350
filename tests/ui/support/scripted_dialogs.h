#pragma once
// Message boxes for window tests: every call is recorded with its kind and text, and the Yes/No
// questions take their answers from a queue the test fills beforehand. A question with no answer
// queued fails the test (and answers No), so an unexpected box never goes unnoticed.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "ui/ui_dialogs.h"

namespace kestrova::testing {

class ScriptedDialogs : public ui::UiDialogs {
 public:
  enum class Kind { Warning, WarningYesNo, Confirm, Message, Error };

  struct Call {
    Kind kind;
    std::string text;
  };

  // Answers for warningYesNo and confirm, used in the order given.
  void answer(bool yes) { answers_.push_back(yes); }
  void answerYes() { answer(true); }
  void answerNo() { answer(false); }
  std::size_t unusedAnswers() const { return answers_.size(); }

  void warning(const std::string& text) override { record(Kind::Warning, text); }
  bool warningYesNo(const std::string& text) override {
    record(Kind::WarningYesNo, text);
    return next();
  }
  bool confirm(const std::string& text) override {
    record(Kind::Confirm, text);
    return next();
  }
  void message(const std::string& text) override { record(Kind::Message, text); }
  void error(const std::string& text) override { record(Kind::Error, text); }

  const std::vector<Call>& calls() const { return calls_; }
  void clear() {
    calls_.clear();
    answers_.clear();
  }

  // The texts of the calls of one kind, in order.
  std::vector<std::string> texts(Kind kind) const {
    std::vector<std::string> result;
    for (const Call& call : calls_)
      if (call.kind == kind) result.push_back(call.text);
    return result;
  }
  std::vector<std::string> errors() const { return texts(Kind::Error); }
  std::vector<std::string> messages() const { return texts(Kind::Message); }
  std::vector<std::string> confirmations() const { return texts(Kind::Confirm); }
  std::vector<std::string> warnings() const { return texts(Kind::Warning); }

 private:
  void record(Kind kind, const std::string& text) { calls_.push_back({kind, text}); }
  bool next() {
    if (answers_.empty()) {
      ADD_FAILURE() << "a question was asked with no answer queued: " << calls_.back().text;
      return false;
    }
    bool yes = answers_.front();
    answers_.pop_front();
    return yes;
  }

  std::vector<Call> calls_;
  std::deque<bool> answers_;
};

}  // namespace kestrova::testing
