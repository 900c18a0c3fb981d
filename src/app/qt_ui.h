#pragma once

#include <QPointer>
#include <QWidget>

#include "ports/ui.h"

namespace kestrova::app {

// The Ui port through Qt's dialogs: file dialogs, message boxes and the
// input box, each modal over the window they belong to.
class QtUi : public Ui {
 public:
  void SetWindow(QWidget* window) { window_ = window; }

  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::string InputBox(const InputBoxRequest& request) override;
  MessageAnswer Message(const std::string& text, const std::string& title, MessageIcon icon,
                        MessageButtons buttons) override;
  SaveChangesAnswer AskSaveChanges(const std::string& text, const std::string& title) override;
  void ShowText(const std::string& text, const std::string& title) override;
  RestoreAnswer AskRestore(const std::string& text, const std::string& title) override;

 private:
  QPointer<QWidget> window_;
};

// The filter line of a file dialog: the handler's filter text, then its
// patterns ("*.szx; *.sna") in the form Qt reads them.
QString DialogFilter(const FileDialogRequest& request);

}  // namespace kestrova::app
