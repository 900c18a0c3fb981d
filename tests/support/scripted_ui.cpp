#include "support/scripted_ui.h"

#include <stdexcept>

namespace kestrova::testing {

namespace {
// The next scripted answer, or `unscripted` once none is left.
template <typename Answer>
Answer Next(std::deque<Answer>& answers, Answer unscripted = {}) {
  if (answers.empty()) return unscripted;
  Answer answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}
}  // namespace

std::optional<std::string> ScriptedUi::OpenFile(const FileDialogRequest& request) {
  questions.push_back({Question::Kind::OpenFile, request, {}, {}, {}});
  return Next(fileAnswers);
}

std::optional<std::string> ScriptedUi::SaveFile(const FileDialogRequest& request) {
  questions.push_back({Question::Kind::SaveFile, request, {}, {}, {}});
  return Next(fileAnswers);
}

std::string ScriptedUi::InputBox(const InputBoxRequest& request) {
  Question question{Question::Kind::Input, {}, request.title, request.prompt, request.defaultText};
  question.refusal = request.refusal;
  questions.push_back(question);
  const bool scripted = !inputAnswers.empty();
  auto answer = Next(inputAnswers);
  if (!scripted && ++unscriptedInputs > unscriptedInputLimit) {
    throw std::runtime_error("ScriptedUi: input box \"" + request.title + "\" asked again with no scripted reply left");
  }
  return answer ? *answer : request.defaultText;
}

MessageAnswer ScriptedUi::Message(const std::string& text, const std::string& title, MessageIcon icon,
                                  MessageButtons buttons) {
  Question question{Question::Kind::Message, {}, title, text, {}};
  question.icon = icon;
  question.buttons = buttons;
  questions.push_back(question);
  return Next(messageAnswers, MessageAnswer::Ok);
}

SaveChangesAnswer ScriptedUi::AskSaveChanges(const std::string& text, const std::string& title) {
  questions.push_back({Question::Kind::SaveChanges, {}, title, text, {}});
  return Next(saveChangesAnswers, SaveChangesAnswer::Cancel);
}

void ScriptedUi::ShowText(const std::string& text, const std::string& title) {
  questions.push_back({Question::Kind::Text, {}, title, text, {}});
}

RestoreAnswer ScriptedUi::AskRestore(const std::string& text, const std::string& title) {
  questions.push_back({Question::Kind::Restore, {}, title, text, {}});
  return Next(restoreAnswers, RestoreAnswer::Later);
}

std::vector<ScriptedUi::Question> ScriptedUi::OfKind(Question::Kind kind) const {
  std::vector<Question> result;
  for (const auto& q : questions)
    if (q.kind == kind) result.push_back(q);
  return result;
}

std::vector<ScriptedUi::Question> ScriptedUi::Messages() const { return OfKind(Question::Kind::Message); }
std::vector<ScriptedUi::Question> ScriptedUi::Inputs() const { return OfKind(Question::Kind::Input); }
std::vector<ScriptedUi::Question> ScriptedUi::SaveChangesQuestions() const {
  return OfKind(Question::Kind::SaveChanges);
}

std::vector<ScriptedUi::Question> ScriptedUi::RestoreQuestions() const { return OfKind(Question::Kind::Restore); }
std::vector<ScriptedUi::Question> ScriptedUi::Texts() const { return OfKind(Question::Kind::Text); }

}  // namespace kestrova::testing
