// kestrova-editor [FILE]: the level editor's window, with FILE loaded at
// start when one is named.
#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <QTimer>

#include "app/main_window.h"
#include "app/qt_ui.h"
#include "qtio/qt_files.h"

#ifndef KESTROVA_VERSION
#define KESTROVA_VERSION "0"
#endif
#ifndef KESTROVA_APP_ID
#define KESTROVA_APP_ID "kestrova-editor"
#endif

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("kestrova-editor");
  QApplication::setApplicationVersion(KESTROVA_VERSION);
  QApplication::setDesktopFileName(KESTROVA_APP_ID);
  QCommandLineParser parser;
  parser.setApplicationDescription("The level editor for the ZX Spectrum game Kestrova.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("FILE", "a snapshot of the game (.sna or .szx) to load at start", "[FILE]");
  parser.process(application);

  kestrova::app::QtUi ui;
  kestrova::QtFiles files;
  kestrova::app::TForm1 window(ui, files);
  ui.SetWindow(&window);
  window.show();
  const QStringList named = parser.positionalArguments();
  if (!named.isEmpty()) window.OpenAtStart(named.first());
  // For the installation checks: quit as soon as the window is up and FILE
  // loaded. A refused FILE leaves its message box open, so the editor does
  // not quit on its own then.
  if (qEnvironmentVariableIsSet("KESTROVA_EDITOR_QUIT_AFTER_START"))
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
  return QApplication::exec();
}
