#include "app/preferences_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>

#include "app/app_settings.h"

namespace kestrova::app {

PreferencesDialog::PreferencesDialog(QWidget* parent)
    : QDialog(parent), emulator_(new QLineEdit(this)), autosave_(new QSpinBox(this)) {
  setObjectName("PreferencesDialog");
  setWindowTitle("Preferences");
  emulator_->setObjectName("EmulatorCommand");
  emulator_->setPlaceholderText("fuse, fuse-gtk or fuse-sdl from the path");
  emulator_->setToolTip(
      "The command \"Run in Emulator\" starts, as a shell splits simple words; %f stands for the file, otherwise it "
      "goes at the end. KESTROVA_EMULATOR in the environment comes first.");
  autosave_->setObjectName("AutosaveSeconds");
  autosave_->setRange(kLeastAutosaveSeconds, kMostAutosaveSeconds);
  autosave_->setSuffix(" s");
  autosave_->setToolTip("How soon after the last edit unsaved changes are kept for a crash or a power cut.");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName("PreferencesButtons");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout(this);
  form->addRow("Emulator command:", emulator_);
  form->addRow("Keep unsaved changes after:", autosave_);
  form->addRow(buttons);
}

}  // namespace kestrova::app
