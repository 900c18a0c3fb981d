#include "cli/session.h"

#include <algorithm>

namespace kestrova::cli {

namespace {

std::optional<std::string> Next(std::deque<std::string>& answers) {
  if (answers.empty()) return std::nullopt;
  std::string answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

std::optional<std::string> BatchUi::OpenFile(const FileDialogRequest&) { return Next(paths); }
std::optional<std::string> BatchUi::SaveFile(const FileDialogRequest&) { return Next(paths); }

std::string BatchUi::InputBox(const InputBoxRequest& request) {
  if (std::optional<std::string> reply = Next(replies)) return *reply;
  if (++defaultReplies > kMostDefaultReplies) {
    // A refused answer is why the prompt came back: the tool says what it takes.
    const std::string why = request.refusal.empty() ? "" : ": " + request.refusal;
    throw Error{"the prompt \"" + request.title + "\" took none of its answers" + why};
  }
  return request.defaultText;
}

MessageAnswer BatchUi::Message(const std::string& text, const std::string& title, MessageIcon icon,
                               MessageButtons buttons) {
  messages.push_back({text, title, icon, buttons});
  if (buttons == MessageButtons::OkCancel) return force ? MessageAnswer::Ok : MessageAnswer::Cancel;
  return MessageAnswer::Ok;
}

SaveChangesAnswer BatchUi::AskSaveChanges(const std::string& text, const std::string& title) {
  messages.push_back({text, title, MessageIcon::Error, MessageButtons::Ok});
  return SaveChangesAnswer::Cancel;
}

Session::Session(std::string command, bool force) : command_(std::move(command)) {
  ui_.force = force;
  editor_.UseSnapshotFormats(formats_);
}

bool Session::Report(const std::string& file) {
  bool ok = true;
  for (BatchUi::Shown& shown : ui_.messages) {
    if (shown.buttons == MessageButtons::OkCancel) {
      if (ui_.force) continue;
      PrintError(command_, file, "already exists; --force replaces it");
    } else if (shown.icon == MessageIcon::Error) {
      ReplaceAll(shown.text, files_.Placeholder(), file);
      // A box's further lines (the reason after "Load Error") go on the same line.
      ReplaceAll(shown.text, "!\n", "! ");
      ReplaceAll(shown.text, "\n", ": ");
      PrintError(command_, file,
                 shown.text + (shown.text.find(' ') == std::string::npos ? " (" + shown.title + ")" : ""));
    } else {
      continue;
    }
    ok = false;
  }
  ui_.messages.clear();
  return ok;
}

bool Session::Load(const std::string& path) {
  ui_.paths = {path};
  editor_.LoadSnapshot();
  if (!Report(path)) return false;
  if (!editor_.HasSnapshot()) {
    const std::vector<std::string_view> extensions = ReadSnapshotExtensions();
    PrintError(command_, path, "not read: a snapshot's name must end in " + ListedAlternatives(extensions));
    return false;
  }
  return true;
}

bool Session::LoadScreen(const std::string& path) {
  ui_.paths = {path};
  editor_.LoadScreen();
  return Report(path) && editor_.Place().loadedScreen;
}

bool Session::Save(bool (Editor::*handler)(), const std::string& target, const std::string& extension) {
  ui_.paths = {files_.Redirect(target, extension)};
  (editor_.*handler)();
  return Report(OutputName(target));
}

}  // namespace kestrova::cli
