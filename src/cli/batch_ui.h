#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ports/ui.h"

namespace kestrova::cli {

// The CLI never asks. File dialogs are answered from a list of paths given on
// the command line; the overwrite question is answered by --force; input
// boxes take their defaults. Every message box is kept for the caller. The
// command line never edits interactively, so it has no unsaved changes to
// ask about; should the question come, it is cancelled and kept as an error,
// never answered with Discard.
class BatchUi : public Ui {
 public:
  struct Shown {
    std::string text;
    std::string title;
    MessageIcon icon;
    MessageButtons buttons;
  };

  std::deque<std::string> paths;  // answers to the file dialogs, in order
  bool force = false;             // answer to OK/Cancel questions
  std::vector<Shown> messages;

  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::string InputBox(const std::string& title, const std::string& prompt, const std::string& defaultText) override;
  MessageAnswer Message(const std::string& text, const std::string& title, MessageIcon icon,
                        MessageButtons buttons) override;
  SaveChangesAnswer AskSaveChanges(const std::string& text, const std::string& title) override;

  // True when an error box or a refused question was shown.
  bool Failed() const;
  // Prints the message boxes to standard error.
  void PrintMessages() const;
};

}  // namespace kestrova::cli
