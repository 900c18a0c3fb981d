#include "cli/batch_ui.h"

#include <cstdio>

namespace kestrova::cli {

namespace {
std::optional<std::string> NextPath(std::deque<std::string>& paths) {
  if (paths.empty()) return std::nullopt;
  std::string path = paths.front();
  paths.pop_front();
  return path;
}
}  // namespace

std::optional<std::string> BatchUi::OpenFile(const FileDialogRequest&) { return NextPath(paths); }
std::optional<std::string> BatchUi::SaveFile(const FileDialogRequest&) { return NextPath(paths); }

std::string BatchUi::InputBox(const std::string&, const std::string&, const std::string& defaultText) {
  return defaultText;
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

bool BatchUi::Failed() const {
  for (const Shown& shown : messages) {
    if (shown.icon == MessageIcon::Error) return true;
    if (shown.buttons == MessageButtons::OkCancel && !force) return true;
  }
  return false;
}

void BatchUi::PrintMessages() const {
  for (const Shown& shown : messages) std::fprintf(stderr, "%s: %s\n", shown.title.c_str(), shown.text.c_str());
}

}  // namespace kestrova::cli
