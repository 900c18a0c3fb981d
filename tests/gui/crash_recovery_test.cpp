// Unsaved work through a crash: the real program makes edits under the
// offscreen platform and is killed with SIGKILL; the next start offers the
// work back. Settings and side files live in temporary folders only.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "app/desktop_session.h"
#include "app/qt_recovery_store.h"
#include "gui/window_fixture.h"
#include "support/cli_run.h"

namespace kestrova::testing {
namespace {

// Edits that ask nothing, so the program runs them unattended.
constexpr const char* kScript =
    "fortress 9\n"
    "insert Tree at $9308 column 9\n"
    "ink $9306 Red\n";

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class CrashRecoveryTest : public ::testing::Test {
 protected:
  CrashRecoveryTest() {
    EXPECT_TRUE(QDir(root.path()).mkpath("games"));
    EXPECT_TRUE(QFile::copy(QString::fromStdString(DemoPath()), game));
    EXPECT_TRUE(WriteAll(scriptPath, kScript));
    // Settings of this test's own: the side file a second after an edit.
    EXPECT_TRUE(QDir(root.path()).mkpath("config/kestrova-editor"));
    EXPECT_TRUE(WriteAll(settingsPath, "[recovery]\ninterval=1\n"));
  }

  QStringList SideFiles(const char* pattern = "*.recovery") const {
    return QDir(stateFolder).entryList({pattern}, QDir::Files);
  }

  QProcessEnvironment Environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", root.path());
    environment.insert("XDG_CONFIG_HOME", root.filePath("config"));
    environment.insert("XDG_STATE_HOME", root.filePath("state"));
    environment.insert("XDG_CACHE_HOME", root.filePath("cache"));
    environment.remove("KESTROVA_EDITOR_QUIT_AFTER_START");
    return environment;
  }

  // The real program loads the game, runs the script, keeps the work in its
  // side file, and is killed.
  void EditThenKill() {
    QProcess editor;
    QProcessEnvironment environment = Environment();
    environment.insert("KESTROVA_EDITOR_EDIT_SCRIPT", scriptPath);
    editor.setProcessEnvironment(environment);
    editor.start(KESTROVA_EDITOR, {game});
    ASSERT_TRUE(editor.waitForStarted(10000));
    const bool kept = QTest::qWaitFor([&] { return !SideFiles().isEmpty(); }, 30000);
    // While it runs, its side file is no one else's to offer.
    QtRecoveryStore other(stateFolder);
    const std::vector<std::string> orphans = other.Orphans();
    editor.kill();  // SIGKILL
    editor.waitForFinished(10000);
    ASSERT_TRUE(kept) << "no side file; the program said: " << editor.readAllStandardError().toStdString();
    EXPECT_TRUE(orphans.empty()) << "the side file of a running editor was offered";
    EXPECT_EQ(editor.exitStatus(), QProcess::CrashExit);
    ASSERT_EQ(SideFiles().size(), 1);
  }

  // The next start, as the program makes it, with the scripted Ui.
  struct NextStart {
    ScriptedUi ui;
    QtFiles files;
    app::TForm1 window{ui, files};
    app::AppSettings settings;
    QtRecoveryStore store;
    std::unique_ptr<app::DesktopSession> session;
    NextStart(const QString& settingsPath, const QString& stateFolder) : settings(settingsPath), store(stateFolder) {
      session = std::make_unique<app::DesktopSession>(window, settings, store, files);
      window.show();
      QApplication::setActiveWindow(&window);
    }
  };

  QTemporaryDir root;
  const QString game = root.filePath("games/kestrova-demo.sna");
  const QString scriptPath = root.filePath("edits.txt");
  const QString settingsPath = root.filePath("config/kestrova-editor/kestrova-editor.ini");
  const QString stateFolder = root.filePath("state/kestrova-editor");
};

TEST_F(CrashRecoveryTest, RestoreGivesBackTheWorkOfTheKilledEditor) {
  EditThenKill();
  const QByteArray original = ReadAll(game);
  // What the killed editor held, as the tool makes the same edits.
  const QString expected = root.filePath("expected.sna");
  ASSERT_EQ(RunKestrova(root.path().toStdString(), {"edit", game.toStdString(), "--script", scriptPath.toStdString(),
                                                    "-o", expected.toStdString()})
                .status,
            0);

  NextStart next(settingsPath, stateFolder);
  next.ui.restoreAnswers.push_back(RestoreAnswer::Restore);
  next.session->OfferRecovery();

  ASSERT_EQ(next.ui.RestoreQuestions().size(), 1u);
  EXPECT_EQ(next.ui.RestoreQuestions()[0].title, "Restore Unsaved Changes");
  EXPECT_NE(next.ui.RestoreQuestions()[0].text.find(game.toStdString()), std::string::npos);
  EXPECT_TRUE(next.window.isWindowModified());
  EXPECT_EQ(next.window.windowTitle(), "kestrova-demo.sna[*] - Xev Kestrova Editor");
  EXPECT_EQ(ReadAll(game), original) << "restoring wrote the file";
  // The work is this editor's now: its own side file holds it, the killed
  // one's is gone.
  EXPECT_EQ(SideFiles().size(), 1);
  EXPECT_EQ(QtRecoveryStore(stateFolder).Orphans().size(), 0u);

  // Save writes the original file: byte for byte what the killed editor held.
  EXPECT_TRUE(next.window.Core().SaveSnapshot());
  next.window.Sync();
  EXPECT_EQ(ReadAll(game), ReadAll(expected));
  EXPECT_TRUE(SideFiles().isEmpty()) << "a save leaves no side file";
}

TEST_F(CrashRecoveryTest, DiscardRemovesTheSideFileAndLaterKeepsIt) {
  EditThenKill();
  {
    NextStart later(settingsPath, stateFolder);
    later.session->OfferRecovery();  // no answer scripted: Later
    EXPECT_EQ(later.ui.RestoreQuestions().size(), 1u);
    EXPECT_FALSE(later.window.Core().HasSnapshot());
  }
  EXPECT_EQ(SideFiles().size(), 1);
  NextStart next(settingsPath, stateFolder);
  next.ui.restoreAnswers.push_back(RestoreAnswer::Discard);
  next.session->OfferRecovery();
  EXPECT_EQ(next.ui.RestoreQuestions().size(), 1u);
  EXPECT_FALSE(next.window.Core().HasSnapshot());
  EXPECT_TRUE(SideFiles().isEmpty());
}

TEST_F(CrashRecoveryTest, DamagedSideFileIsSetAsideWithAMessage) {
  EditThenKill();
  const QString side = QDir(stateFolder).filePath(SideFiles().front());
  QByteArray bytes = ReadAll(side);
  bytes.truncate(bytes.size() / 2);  // a power cut in the middle of a copy
  ASSERT_TRUE(WriteAll(side, bytes));

  NextStart next(settingsPath, stateFolder);
  next.ui.restoreAnswers.push_back(RestoreAnswer::Restore);
  next.session->OfferRecovery();
  EXPECT_TRUE(next.ui.RestoreQuestions().empty());
  EXPECT_FALSE(next.window.Core().HasSnapshot());
  ASSERT_EQ(next.ui.Messages().size(), 1u);
  const std::string message = next.ui.Messages()[0].text;
  EXPECT_NE(message.find("checksum"), std::string::npos) << message;
  ASSERT_EQ(SideFiles("*.damaged").size(), 1);
  EXPECT_NE(message.find(SideFiles("*.damaged").front().toStdString()), std::string::npos) << message;
  EXPECT_EQ(ReadAll(QDir(stateFolder).filePath(SideFiles("*.damaged").front())), bytes) << "kept as it was";
  EXPECT_TRUE(SideFiles().isEmpty());
}

// In the window: a side file a moment after an edit, none once the edit is
// undone, and none after a clean exit that discards the changes; a second
// editor running keeps its own.
TEST_F(CrashRecoveryTest, CleanExitLeavesNoSideFile) {
  auto first = std::make_unique<NextStart>(settingsPath, stateFolder);
  first->ui.fileAnswers.push_back(game.toStdString());
  QTest::keyClick(&first->window, Qt::Key_J, Qt::ControlModifier);
  ASSERT_TRUE(first->window.Core().HasSnapshot());
  first->window.Core().ClickFortressByte(3);
  first->window.Sync();
  ASSERT_TRUE(first->window.isWindowModified());
  EXPECT_TRUE(QTest::qWaitFor([&] { return SideFiles().size() == 1; }, 5000));
  {
    NextStart second(settingsPath, stateFolder);
    second.ui.fileAnswers.push_back(game.toStdString());
    QTest::keyClick(&second.window, Qt::Key_J, Qt::ControlModifier);
    ASSERT_TRUE(second.window.Core().HasSnapshot());
    second.window.Core().ClickFortressByte(4);
    second.window.Sync();
    EXPECT_TRUE(QTest::qWaitFor([&] { return SideFiles().size() == 2; }, 5000)) << "one side file each";
    second.session->OfferRecovery();
    EXPECT_TRUE(second.ui.RestoreQuestions().empty()) << "the other editor still runs";
    second.window.Core().Undo();
    second.window.Sync();
    EXPECT_EQ(SideFiles().size(), 1) << "back as the file is: nothing to keep";
  }
  first->ui.saveChangesAnswers.push_back(SaveChangesAnswer::Discard);
  first->window.close();  // the close box
  EXPECT_EQ(first->ui.SaveChangesQuestions().size(), 1u);
  EXPECT_FALSE(first->window.isVisible());
  first.reset();
  EXPECT_TRUE(SideFiles().isEmpty());
  EXPECT_TRUE(SideFiles("*.lock").isEmpty());
}

}  // namespace
}  // namespace kestrova::testing
