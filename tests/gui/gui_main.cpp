// The GUI tests run the real widgets on Qt's offscreen platform unless a
// platform is named in the environment.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The window's settings and side files go to a folder of the run's own:
  // no test reads or changes the person's.
  const QTemporaryDir home;
  for (const char* variable : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"}) {
    qputenv(variable, (home.path() + "/" + variable).toUtf8());
  }
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
