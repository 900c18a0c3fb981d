#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/result.h"
#include "cli/output.h"
#include "editor/editor.h"
#include "ports/ui.h"
#include "spectrumio/libspectrum_formats.h"

namespace kestrova::cli {

// The command line's Ui: it never asks. File dialogs are answered from a list
// of paths, input boxes from a list of replies (then with their default),
// the overwrite question by --force; every message box is kept. A prompt
// that keeps refusing its default once the replies ran out would ask
// forever: then its Error is thrown out of the handler rather than the tool
// hanging (the command's run turns it back into a failure).
inline constexpr int kMostDefaultReplies = 16;

class BatchUi : public Ui {
 public:
  struct Shown {
    std::string text;
    std::string title;
    MessageIcon icon;
    MessageButtons buttons;
  };

  std::deque<std::string> paths;
  std::deque<std::string> replies;
  bool force = false;
  std::vector<Shown> messages;
  int defaultReplies = 0;

  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::string InputBox(const InputBoxRequest& request) override;
  MessageAnswer Message(const std::string& text, const std::string& title, MessageIcon icon,
                        MessageButtons buttons) override;
  // The tool edits nothing it could lose: the question is kept as an error
  // and answered Cancel, never Discard.
  SaveChangesAnswer AskSaveChanges(const std::string& text, const std::string& title) override;
};

// The editor driven by one command: its handlers with the batch Ui and the
// command line's Files, and every message box reported as the command's error.
// It draws no picture unless the command turns drawing on for one it writes.
class Session {
 public:
  Session(std::string command, bool force);

  Editor& GetEditor() { return editor_; }
  BatchUi& GetUi() { return ui_; }

  // "Load Snapshot" of `path`; false (reported) when nothing was loaded.
  bool Load(const std::string& path);
  // "Load Screen$" of `path`; false (reported) when it was refused.
  bool LoadScreen(const std::string& path);
  // Runs a save handler whose output goes to `target` exactly (standard
  // output for "-"), in the format of `extension`. False (reported) when the
  // handler refused or failed.
  bool Save(bool (Editor::*handler)(), const std::string& target, const std::string& extension);

 private:
  // Prints the error boxes shown since the last call, naming `file`; true
  // when there was none.
  bool Report(const std::string& file);

  std::string command_;
  BatchUi ui_;
  CommandLineFiles files_;
  LibspectrumFormats formats_;
  Editor editor_{ui_, files_, nullptr, Editor::Drawing::Off};
};

}  // namespace kestrova::cli
