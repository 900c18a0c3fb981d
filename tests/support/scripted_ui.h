#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ports/ui.h"

namespace kestrova::testing {

// A Ui that records every question and answers from scripted lists. An
// input box with no scripted reply answers as Cancel does (the default);
// a dialog with no scripted answer is cancelled; a message box is OK'd; the
// save-changes question with no scripted answer is cancelled.
// A prompt that repeats until its reply is acceptable would ask forever when
// the default is never acceptable and the replies have run out: past
// `unscriptedInputLimit` unscripted replies the fake throws, which fails the
// test instead of hanging it.
class ScriptedUi : public Ui {
 public:
  struct Question {
    enum class Kind { OpenFile, SaveFile, Input, Message, SaveChanges, Restore, Text } kind;
    FileDialogRequest dialog;                     // file dialogs
    std::string title, text, defaultText;         // input box, message box, save-changes question
    MessageIcon icon = MessageIcon::Information;  // message box
    MessageButtons buttons = MessageButtons::Ok;  // message box
    std::string refusal{};                        // input box: the line under its field
  };

  std::deque<std::optional<std::string>> fileAnswers;   // nullopt = cancel
  std::deque<std::optional<std::string>> inputAnswers;  // nullopt = Cancel
  std::deque<MessageAnswer> messageAnswers;
  std::deque<SaveChangesAnswer> saveChangesAnswers;
  std::deque<RestoreAnswer> restoreAnswers;  // none left: Later
  int unscriptedInputLimit = 100;
  int unscriptedInputs = 0;  // input boxes answered with the default for want of a reply
  std::vector<Question> questions;

  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::string InputBox(const InputBoxRequest& request) override;
  MessageAnswer Message(const std::string& text, const std::string& title, MessageIcon icon,
                        MessageButtons buttons) override;
  SaveChangesAnswer AskSaveChanges(const std::string& text, const std::string& title) override;
  void ShowText(const std::string& text, const std::string& title) override;
  RestoreAnswer AskRestore(const std::string& text, const std::string& title) override;

  // The message boxes shown so far.
  std::vector<Question> Messages() const;
  std::vector<Question> Inputs() const;
  std::vector<Question> SaveChangesQuestions() const;
  std::vector<Question> RestoreQuestions() const;
  std::vector<Question> Texts() const;  // the texts shown to read

 private:
  std::vector<Question> OfKind(Question::Kind kind) const;
};

}  // namespace kestrova::testing
