// F5 and Shift+F5 on the window, with the stand-in emulator in Fuse's place.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "app/main_window.h"
#include "qtio/qt_files.h"
#include "support/scripted_ui.h"
#include "support/stand_in_emulator.h"

namespace kestrova::testing {
namespace {

QByteArray FileContent(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class RunInEmulatorTest : public ::testing::Test {
 protected:
  RunInEmulatorTest() {
    window->show();
    QApplication::setActiveWindow(window.get());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  void LoadDemo(const char* name) {
    ui.fileAnswers.push_back(std::string(KESTROVA_DEMO_DIR) + "/" + name);
    QTest::keyClick(window.get(), Qt::Key_J, Qt::ControlModifier);
    ASSERT_TRUE(window->Core().HasSnapshot());
  }
  // A key press on the window, which must return while the emulator runs.
  void PressQuickly(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QElapsedTimer pressed;
    pressed.start();
    QTest::keyClick(window.get(), key, modifiers);
    EXPECT_LT(pressed.elapsed(), 5000);
  }
  QAction* Action(const char* name) { return window->findChild<QAction*>(name); }

  StandInEmulator standIn;  // outlives the window, as an emulator does
  ScriptedUi ui;
  QtFiles files;
  std::unique_ptr<app::TForm1> window = std::make_unique<app::TForm1>(ui, files, nullptr, app::MapLayout::Classic);
};

TEST_F(RunInEmulatorTest, F5AndShiftF5HandOverWhatTheSavesWriteWhileTheWindowGoesOn) {
  LoadDemo("kestrova-demo-128k.sna");
  ui.inputAnswers.push_back("5");
  Action("Lives1")->trigger();
  ASSERT_TRUE(window->isWindowModified());
  EXPECT_EQ(Action("RunInEmulator1")->text(), "Run in Emulator");
  EXPECT_EQ(Action("RunTAPInEmulator1")->text(), "Run TAP in Emulator");

  standIn.Hold(60);
  PressQuickly(Qt::Key_F5, Qt::NoModifier);
  const std::optional<StandInRun> snapshotRun = standIn.NextRun();
  ASSERT_TRUE(snapshotRun);
  ASSERT_EQ(snapshotRun->words.size(), 2);
  const QString snapshotFile = snapshotRun->words[1];
  EXPECT_TRUE(snapshotFile.endsWith(".szx"));
  // The first emulator still runs: the window takes the next key all the same.
  PressQuickly(Qt::Key_F5, Qt::ShiftModifier);
  const std::optional<StandInRun> tapeRun = standIn.NextRun();
  ASSERT_TRUE(tapeRun);
  EXPECT_TRUE(snapshotRun->Running());
  ASSERT_EQ(tapeRun->words.size(), 2);
  EXPECT_TRUE(tapeRun->words[1].endsWith(".tap"));
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_TRUE(window->isWindowModified()) << "a run is not a save";

  const QTemporaryDir saves;
  ui.fileAnswers.push_back(saves.filePath("saved.szx").toStdString());
  Action("SaveSnapshotAs1")->trigger();
  ui.fileAnswers.push_back(saves.filePath("saved.tap").toStdString());
  Action("SaveTAP1")->trigger();
  EXPECT_EQ(snapshotRun->copy, FileContent(saves.filePath("saved.szx")));
  EXPECT_EQ(tapeRun->copy, FileContent(saves.filePath("saved.tap")));

  const QString scratch = QFileInfo(snapshotFile).absolutePath();
  EXPECT_TRUE(QFileInfo(scratch).isDir());
  window.reset();
  EXPECT_FALSE(QFileInfo::exists(scratch)) << "the scratch folder goes with the window";
}

TEST_F(RunInEmulatorTest, WithNoEmulatorAMessageSaysHowToGetOne) {
  qunsetenv("KESTROVA_EMULATOR");
  qputenv("PATH", "");
  LoadDemo("kestrova-demo.sna");
  QTest::keyClick(window.get(), Qt::Key_F5);
  QTest::keyClick(window.get(), Qt::Key_F5, Qt::ShiftModifier);
  const std::vector<ScriptedUi::Question> messages = ui.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].title, "Run in Emulator");
  EXPECT_EQ(messages[1].title, "Run TAP in Emulator");
  for (const ScriptedUi::Question& message : messages) {
    for (const char* part : {"fuse-emulator-gtk", "opense-basic", "spectrum-roms", "KESTROVA_EMULATOR"}) {
      EXPECT_NE(message.text.find(part), std::string::npos) << part;
    }
  }
}

}  // namespace
}  // namespace kestrova::testing
