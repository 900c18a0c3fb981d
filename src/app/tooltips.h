#pragma once

#include <QWidget>

namespace kestrova::app {

// A hint on every control of the main window (by its objectName) and of
// "Properties" (from each option's page and caption). The fortress
// caption's hint is the Editor's, shown as the window syncs it.
void GiveTooltips(QWidget& mainWindow, QWidget& properties);

}  // namespace kestrova::app
