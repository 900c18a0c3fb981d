#pragma once

#include <optional>
#include <string>

namespace kestrova {

enum class MessageIcon { Error, Information };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };
enum class SaveChangesAnswer { Save, Discard, Cancel };
enum class RestoreAnswer { Restore, Discard, Later };

// Each kind of file dialog starts in the folder where one of its kind was
// last used.
enum class FileDialogKind { Snapshot, Screen, Tape, Listing };
inline constexpr int kFileDialogKinds = 4;

struct FileDialogRequest {
  std::string title;
  std::string filterText;  // "Spectrum Snapshots (*.szx) (*.sna)"
  std::string pattern;     // "*.szx; *.sna"
  std::string initialFolder;
  std::string initialName;  // the file name filled in; empty for none
  FileDialogKind kind = FileDialogKind::Snapshot;
};

// A number prompt: the reply comes back as text. Once a reply was refused
// the prompt shows again with `refusal`, a line under the field saying what
// is accepted; empty on the first showing.
struct InputBoxRequest {
  std::string title;
  std::string prompt;
  std::string defaultText;
  std::string refusal;
};

// How the Editor asks the person something. The window implements it with
// Qt dialogs; tests with a scripted fake.
class Ui {
 public:
  virtual ~Ui() = default;
  // The chosen path, or nothing when the dialog was cancelled.
  virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
  // The reply; Cancel gives the default text back.
  virtual std::string InputBox(const InputBoxRequest& request) = 0;
  virtual MessageAnswer Message(const std::string& text, const std::string& title, MessageIcon icon,
                                MessageButtons buttons) = 0;
  // The question before unsaved changes would be lost, with the buttons
  // Save, Discard and Cancel.
  virtual SaveChangesAnswer AskSaveChanges(const std::string& text, const std::string& title) = 0;
  // A text to read, longer than a message box holds (a list), with a
  // button that closes it. Without a place of its own it is a message.
  virtual void ShowText(const std::string& text, const std::string& title) {
    Message(text, title, MessageIcon::Information, MessageButtons::Ok);
  }
  // The question at start about the unsaved work of an editor that did not
  // end cleanly, with the buttons Restore, Discard and Later. Only the
  // window restores work; any other Ui keeps the work for it (Later).
  virtual RestoreAnswer AskRestore(const std::string& text, const std::string& title) {
    (void)text;
    (void)title;
    return RestoreAnswer::Later;
  }
};

}  // namespace kestrova
