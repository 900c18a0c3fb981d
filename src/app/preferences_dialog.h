#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>

namespace kestrova::app {

// "Options" > "Preferences…": the emulator's command and how soon after an
// edit the unsaved work is kept for a crash.
class PreferencesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PreferencesDialog(QWidget* parent);

  QString EmulatorCommand() const { return emulator_->text().trimmed(); }
  void SetEmulatorCommand(const QString& command) { emulator_->setText(command); }
  int AutosaveSeconds() const { return autosave_->value(); }
  void SetAutosaveSeconds(int seconds) { autosave_->setValue(seconds); }

 private:
  QLineEdit* emulator_;
  QSpinBox* autosave_;
};

}  // namespace kestrova::app
