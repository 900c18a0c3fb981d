// kestrova-editor [FILE]: the level editor's window, with FILE loaded at
// start when one is named.
#include <QApplication>
#include <QStringList>

#include "app/main_window.h"
#include "app/qt_ui.h"
#include "qtio/qt_files.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("kestrova-editor");
  kestrova::app::QtUi ui;
  kestrova::QtFiles files;
  kestrova::app::TForm1 window(ui, files);
  ui.SetWindow(&window);
  window.show();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) window.OpenAtStart(arguments.at(1));
  return QApplication::exec();
}
