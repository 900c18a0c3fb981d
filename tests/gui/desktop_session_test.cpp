// What the window keeps between runs and adds as a desktop program: the
// settings (in a temporary file only), "Open Recent", dropped files, "Help",
// the About box and the controls' hints.
#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QSpinBox>
#include <QUrl>

#include <functional>

#include "app/desktop_session.h"
#include "app/option_object_names.h"
#include "app/qt_recovery_store.h"
#include "gui/window_fixture.h"

namespace kestrova::testing {
namespace {

// Runs `answer` on the modal dialog `run` opens, once it shows; a run that
// opens none fails the test.
void AnswerModal(const std::function<void()>& run, const std::function<void(QWidget*)>& answer) {
  bool answered = false;
  QObject waiting;  // a timer not yet fired goes with it: nothing runs after this returns
  QTimer::singleShot(0, &waiting, [&] {
    if (QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000)) {
      answer(QApplication::activeModalWidget());
      answered = true;
    }
  });
  run();
  EXPECT_TRUE(answered) << "no dialog was shown";
}

class DesktopSessionTest : public ::testing::Test {
 protected:
  DesktopSessionTest() {
    EXPECT_TRUE(QDir(root.path()).mkpath("games"));
    for (const char* name : {"kestrova-demo.sna", "kestrova-demo.szx"}) {
      EXPECT_TRUE(QFile::copy(QString::fromStdString(DemoPath(name)), root.filePath(QString("games/") + name)));
    }
    Start();
  }

  struct Run {
    ScriptedUi ui;
    QtFiles files;
    app::TForm1 window{ui, files};
    app::AppSettings settings;
    QtRecoveryStore store;
    app::DesktopSession session{window, settings, store, files};
    Run(const QString& settingsPath, const QString& stateFolder) : settings(settingsPath), store(stateFolder) {
      window.show();
      QApplication::setActiveWindow(&window);
    }
  };
  void Start() { run = std::make_unique<Run>(root.filePath("settings.ini"), root.filePath("state")); }
  void Restart() {
    run.reset();
    Start();
  }
  ScriptedUi& Ui() { return run->ui; }
  app::TForm1& Window() { return run->window; }
  std::string Game(const char* name = "kestrova-demo.sna") {
    return root.filePath(QString("games/") + name).toStdString();
  }
  void Load(const std::string& path) {
    Ui().fileAnswers.push_back(path);
    QTest::keyClick(&Window(), Qt::Key_J, Qt::ControlModifier);
  }
  QMenu* RecentMenu() {
    QMenu* menu = Window().findChild<QMenu*>("OpenRecent1");
    emit menu->aboutToShow();
    return menu;
  }

  QTemporaryDir root;
  std::unique_ptr<Run> run;
};

TEST_F(DesktopSessionTest, SettingsOfOneRunAreThereInTheNext) {
  Load(Game());
  Ui().fileAnswers.push_back(root.filePath("tapes/game.tap").toStdString());
  ASSERT_TRUE(QDir(root.path()).mkpath("tapes"));
  QTest::keyClick(&Window(), Qt::Key_T, Qt::ControlModifier);
  AnswerModal([&] { Window().findChild<QAction*>("Preferences1")->trigger(); },
              [](QWidget* dialog) {
                ASSERT_EQ(dialog->objectName(), "PreferencesDialog");
                dialog->findChild<QLineEdit*>("EmulatorCommand")->setText("xspect -load %f");
                dialog->findChild<QSpinBox*>("AutosaveSeconds")->setValue(30);
                static_cast<QDialog*>(dialog)->accept();
              });
  EXPECT_EQ(Window().EmulatorPort().PreferredCommand(), "xspect -load %f");
  EXPECT_EQ(run->session.Autosave().IntervalSeconds(), 30);
  Window().move(40, 50);
  Restart();

  EXPECT_EQ(Window().EmulatorPort().PreferredCommand(), "xspect -load %f");
  EXPECT_EQ(run->session.Autosave().IntervalSeconds(), 30);
  EXPECT_EQ(Window().Core().LastFolder(FileDialogKind::Snapshot), root.filePath("games").toStdString());
  EXPECT_EQ(Window().Core().LastFolder(FileDialogKind::Tape), root.filePath("tapes").toStdString());
  Ui().fileAnswers.push_back(std::nullopt);
  QTest::keyClick(&Window(), Qt::Key_J, Qt::ControlModifier);
  ASSERT_EQ(Ui().questions.size(), 1u);
  EXPECT_EQ(Ui().questions[0].dialog.initialFolder, root.filePath("games").toStdString());
  EXPECT_EQ(run->settings.RecentFiles(), std::vector<std::string>{Game()});
}

TEST_F(DesktopSessionTest, LayoutAndZoomKeptWithinTheirRange) {
  app::AppSettings& settings = run->settings;
  // The program's own defaults: the resizable window at 2x.
  EXPECT_FALSE(settings.ClassicLayout());
  EXPECT_EQ(settings.Zoom(), 2);
  settings.SetClassicLayout(true);
  settings.SetZoom(9);
  EXPECT_TRUE(settings.ClassicLayout());
  EXPECT_EQ(settings.Zoom(), 4);
}

TEST_F(DesktopSessionTest, TheWindowsZoomAndLayoutAreKeptBetweenRuns) {
  Window().SetZoom(3);
  Window().SetClassicLayout(true);
  Restart();
  EXPECT_TRUE(run->settings.ClassicLayout());
  EXPECT_EQ(Window().Zoom(), 3);  // the next run's window starts at the kept zoom
  Window().SetClassicLayout(false);
  Window().SetZoom(1);
  Restart();
  EXPECT_FALSE(run->settings.ClassicLayout());
  EXPECT_EQ(Window().Zoom(), 1);
}

// The person's own settings are never the tests': the program's default
// file lies in the temporary XDG_CONFIG_HOME the test program set.
TEST_F(DesktopSessionTest, DefaultSettingsLiveUnderXdgConfigHome) {
  const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  ASSERT_FALSE(config.isEmpty());
  EXPECT_TRUE(app::AppSettings().Path().startsWith(config)) << app::AppSettings().Path().toStdString();
  EXPECT_TRUE(RecoveryFolder().startsWith(qEnvironmentVariable("XDG_STATE_HOME")));
}

TEST_F(DesktopSessionTest, OpenRecentListsGreysAndClears) {
  Load(Game("kestrova-demo.szx"));
  Load(Game());
  Load(Game("kestrova-demo.szx"));  // again: first, once
  ASSERT_TRUE(QFile::remove(QString::fromStdString(Game())));
  QMenu* menu = RecentMenu();
  const std::string expected = "&1 " + Game("kestrova-demo.szx") + "\n&2 " + Game() + " (not found)-\n\nClear\n";
  EXPECT_EQ(Outline(*menu), expected);

  // Choosing an entry opens it as "Load Snapshot" would.
  Load(root.filePath("games/missing.sna").toStdString());  // refused: the list keeps the .szx first
  Ui().questions.clear();
  Window().Core().ClickFortressByte(6);
  Window().Sync();
  Ui().saveChangesAnswers.push_back(SaveChangesAnswer::Discard);
  menu->actions().front()->trigger();
  EXPECT_EQ(Ui().SaveChangesQuestions().size(), 1u) << "unsaved changes are asked about first";
  EXPECT_FALSE(Window().isWindowModified());
  EXPECT_EQ(Window().Core().SnapshotPath(), Game("kestrova-demo.szx"));

  Window().findChild<QAction*>("ClearRecent1")->trigger();
  EXPECT_EQ(Outline(*RecentMenu()), "\nClear-\n");
}

// Real drag-and-drop events carrying file URLs, as a file manager sends them.
class DropTest : public DesktopSessionTest {
 protected:
  // Whether the window took the drag; the drop follows when it did.
  bool DropOnWindow(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QWidget* target = &Window();
    const QPoint at(200, 200);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QApplication::processEvents();
    return drop.isAccepted();
  }
};

TEST_F(DropTest, DroppedSnapshotOpensAfterTheUnsavedQuestion) {
  EXPECT_TRUE(DropOnWindow({QUrl::fromLocalFile(QString::fromStdString(Game()))}));
  EXPECT_EQ(Window().Core().SnapshotPath(), Game());
  Window().Core().ClickFortressByte(6);
  Window().Sync();
  Ui().saveChangesAnswers.push_back(SaveChangesAnswer::Cancel);
  EXPECT_TRUE(DropOnWindow({QUrl::fromLocalFile(QString::fromStdString(Game("kestrova-demo.szx")))}));
  EXPECT_EQ(Ui().SaveChangesQuestions().size(), 1u);
  EXPECT_EQ(Window().Core().SnapshotPath(), Game()) << "Cancel keeps the work";
  EXPECT_TRUE(Window().isWindowModified());
}

TEST_F(DropTest, OtherFilesAreRefusedWithAMessage) {
  const QString picture = QString::fromStdString(DemoPath("title.png"));
  EXPECT_TRUE(DropOnWindow({QUrl::fromLocalFile(picture)}));
  ASSERT_EQ(Ui().Messages().size(), 1u);
  EXPECT_NE(Ui().Messages()[0].text.find("is not a snapshot the editor reads"), std::string::npos);
  EXPECT_FALSE(Window().Core().HasSnapshot());
  // Nothing on this computer to open: the drag is not taken at all.
  EXPECT_FALSE(DropOnWindow({QUrl("https://example.org/kestrova.sna")}));
  EXPECT_EQ(Ui().Messages().size(), 1u);
}

TEST_F(DesktopSessionTest, HelpMenuOpensTheGuideListsShortcutsAndTellsTheVersion) {
  QUrl opened;
  run->session.Help().SetUrlOpener([&](const QUrl& url) {
    opened = url;
    return true;
  });
  QTest::keyClick(&Window(), Qt::Key_F1);
  ASSERT_TRUE(opened.isLocalFile());
  EXPECT_TRUE(opened.toLocalFile().endsWith("guide.html"));
  EXPECT_TRUE(QFile::exists(opened.toLocalFile()));

  // Both of Help's texts go through the Ui port, as every other question does.
  Window().findChild<QAction*>("KeyboardShortcuts1")->trigger();
  ASSERT_EQ(Ui().Texts().size(), 1u);
  EXPECT_EQ(Ui().Texts()[0].title, "Keyboard Shortcuts");
  const std::string shortcuts = Ui().Texts()[0].text;
  for (const char* line : {"File > Save Snapshot\tCtrl+S", "Edit > Undo\tCtrl+Z", "Edit > Redo\tCtrl+Y, Ctrl+Shift+Z",
                           "Options > Disassembly > Save Disassembly\tCtrl+D", "Help > User Guide\tF1"}) {
    EXPECT_NE(shortcuts.find(line), std::string::npos) << line << "\n" << shortcuts;
  }
  // Read from the actions as they stand: a shortcut changed shows at once.
  Window().findChild<QAction*>("SaveTAP1")->setShortcut(QKeySequence("Ctrl+Alt+T"));
  Window().findChild<QAction*>("KeyboardShortcuts1")->trigger();
  ASSERT_EQ(Ui().Texts().size(), 2u);
  EXPECT_NE(Ui().Texts()[1].text.find("File > Save TAP\tCtrl+Alt+T"), std::string::npos) << Ui().Texts()[1].text;

  Window().findChild<QAction*>("About1")->trigger();
  ASSERT_EQ(Ui().Messages().size(), 1u);
  const ScriptedUi::Question about = Ui().Messages()[0];
  EXPECT_EQ(about.title, "About Kestrova Editor");
  EXPECT_EQ(about.icon, MessageIcon::Information);
  EXPECT_EQ(about.text.rfind("Kestrova Editor 0.1, ", 0), 0u) << about.text;
  EXPECT_NE(about.text.find("GPL-3.0-or-later"), std::string::npos);
}

TEST_F(DesktopSessionTest, EveryControlHasAHint) {
  Load(Game());
  // A screen held for the next tape, so that its label shows too.
  QFile screen(root.filePath("title.scr"));
  ASSERT_TRUE(screen.open(QIODevice::WriteOnly));
  screen.write(QByteArray(static_cast<int>(kScreenAreaSize), '\0'));
  screen.close();
  Ui().fileAnswers.push_back(screen.fileName().toStdString());
  Window().findChild<QAction*>("LoadScreen1")->trigger();
  ASSERT_TRUE(Window().findChild<QWidget*>("HeldScreenLabel")->isVisible());
  for (QWidget* owner :
       {static_cast<QWidget*>(Window().centralWidget()), static_cast<QWidget*>(&Window().Properties())}) {
    for (const QWidget* control : owner->findChildren<QWidget*>()) {
      const QString name = control->objectName();
      // Named controls are the window's own; Qt's inner parts have no names
      // or names of Qt's ("qt_...").
      if (name.isEmpty() || name.startsWith("qt_") || name == "ClientArea") continue;
      EXPECT_FALSE(control->toolTip().isEmpty()) << name.toStdString();
    }
  }
  const QString hut = QString::fromUtf8(app::ObjectNameOf(OptionId::HutSmall).data());
  EXPECT_TRUE(Window().Properties().findChild<QWidget*>(hut)->toolTip().contains("Hut"));
}

}  // namespace
}  // namespace kestrova::testing
