// The main window driven by real input events, against the same Editor
// calls made directly.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include <fstream>
#include <functional>
#include <iterator>

#include "app/controls.h"
#include "app/qt_ui.h"
#include "demo/title_picture.h"
#include "gui/window_fixture.h"
#include "level/game_settings.h"

namespace kestrova::testing {
namespace {

constexpr std::array kLoadedOnlyControls{"ComboBox1",  "CheckBox1",  "Label1",   "Label2",   "UpDown1", "ScrollBar1",
                                         "StatusBar1", "ScrollBox1", "FastIMG1", "FastIMG2", "Button1"};

std::vector<char> FileBytes(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class MainWindowTest : public WindowTwin {};

TEST_F(MainWindowTest, AsCreatedOnlyTheTitlePictureLoadAndExit) {
  EXPECT_EQ(window.centralWidget()->size(), QSize(498, 298));
  EXPECT_TRUE(Find<QWidget>("Image1")->isVisible());
  // Made when it first paints.
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.TitlePictureMade(); }, 5000));
  EXPECT_EQ(Img("Image1")->Picture(), app::ImageOf(MakeTitlePicture()));
  for (const char* name : kLoadedOnlyControls) EXPECT_FALSE(Find<QWidget>(name)->isVisible()) << name;
  EXPECT_FALSE(Img("FastIMG4")->isVisible());
  EXPECT_TRUE(Find<QAction>("LoadSnapshot1")->isVisible());
  EXPECT_TRUE(Find<QAction>("Exit1")->isVisible());
  for (const char* name :
       {"SaveSnapshot1", "SaveSnapshotAs1", "SaveTAP1", "LoadScreen1", "RunInEmulator1", "RunTAPInEmulator1"}) {
    EXPECT_FALSE(Find<QAction>(name)->isVisible()) << name;
  }
  EXPECT_FALSE(Find<QMenu>("Options1")->menuAction()->isVisible());
  EXPECT_EQ(window.windowTitle(), "Xev Kestrova Editor");

  // The shortcuts of hidden entries do nothing.
  for (Qt::Key key : {Qt::Key_S, Qt::Key_T, Qt::Key_K, Qt::Key_D}) QTest::keyClick(&window, key, Qt::ControlModifier);
  QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(windowUi.questions.empty());
}

TEST_F(MainWindowTest, LoadThroughTheMenuShowsTheWholeWindow) {
  LoadDemoInBoth();
  EXPECT_EQ(window.centralWidget()->size(), QSize(595, 513));
  EXPECT_FALSE(Find<QWidget>("Image1")->isVisible());
  for (const char* name : kLoadedOnlyControls) EXPECT_TRUE(Find<QWidget>(name)->isVisible()) << name;
  EXPECT_FALSE(Img("FastIMG4")->isVisible());
  for (const char* name :
       {"SaveSnapshot1", "SaveSnapshotAs1", "SaveTAP1", "LoadScreen1", "RunInEmulator1", "RunTAPInEmulator1"}) {
    EXPECT_TRUE(Find<QAction>(name)->isVisible()) << name;
  }
  const ViewState& view = window.Core().View();
  auto* chooser = Find<QComboBox>("ComboBox1");
  ASSERT_EQ(chooser->count(), static_cast<int>(view.chooserEntries.size()));
  EXPECT_EQ(chooser->currentText().toStdString(), view.chooserEntries.front());
  EXPECT_EQ(Find<QLabel>("Label1")->text().toStdString(), view.bytesFreeCaption);
  EXPECT_EQ(Find<QLabel>("Label2")->text().toStdString(), view.fortressCaption);
  EXPECT_EQ(Find<QLabel>("Label2")->toolTip().toStdString(), view.fortressHint);
  auto* bar = Find<QScrollBar>("ScrollBar1");
  EXPECT_EQ(bar->maximum(), view.scrollMaximum);
  EXPECT_EQ(bar->value(), view.scrollMaximum);
  EXPECT_EQ(bar->pageStep(), 176);
  EXPECT_EQ(Img("FastIMG3")->Picture(), app::ImageOf(window.Core().PaletteBitmap()));
}

TEST_F(MainWindowTest, StartArgumentLoadsAsTheMenuDoes) {
  window.OpenAtStart(QString::fromStdString(DemoPath("kestrova-demo-128k.szx")));
  direct.OpenAtStart(DemoPath("kestrova-demo-128k.szx"));
  ExpectSame();
  EXPECT_TRUE(window.Core().HasSnapshot());
}

TEST_F(MainWindowTest, RefusedStartArgumentLeavesTheWindowAsCreated) {
  const QTemporaryDir folder;
  const QString bad = folder.filePath("short.sna");
  QFile file(bad);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a snapshot");
  file.close();
  for (const QString& path : {bad, folder.filePath("missing.szx"), folder.filePath("notes.txt")}) {
    window.OpenAtStart(path);
    direct.OpenAtStart(path.toStdString());
    ExpectSame();
  }
  EXPECT_FALSE(window.Core().HasSnapshot());
  EXPECT_EQ(windowUi.Messages().size(), 3u);
  EXPECT_TRUE(Find<QWidget>("Image1")->isVisible());
  EXPECT_EQ(window.centralWidget()->size(), QSize(498, 298));
}

TEST_F(MainWindowTest, RefusedLoadKeepsTheLoadedSnapshot) {
  LoadDemoInBoth();
  const QTemporaryDir folder;
  const QString bad = folder.filePath("bad.sna");
  QFile file(bad);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(49179, '\0'));
  file.close();
  const std::vector<std::uint8_t> before(window.Core().Image().Bytes().begin(), window.Core().Image().Bytes().end());
  windowUi.fileAnswers.push_back(bad.toStdString());
  QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier);
  directUi.fileAnswers.push_back(bad.toStdString());
  direct.LoadSnapshot();
  ExpectSame();
  EXPECT_TRUE(std::ranges::equal(window.Core().Image().Bytes(), before));
  ASSERT_EQ(windowUi.Messages().size(), 1u);
  EXPECT_EQ(windowUi.Messages()[0].title, directUi.Messages()[0].title);
}

TEST_F(MainWindowTest, ChoosingLevelsWithTheKeyboard) {
  LoadDemoInBoth();
  auto* chooser = Find<QComboBox>("ComboBox1");
  chooser->setFocus();
  for (int index = 1; index < chooser->count(); ++index) {
    QTest::keyClick(chooser, Qt::Key_Down);
    direct.ChooseLevel(index);
    ExpectSame();
    EXPECT_EQ(chooser->currentIndex(), index);
  }
  QTest::keyClick(chooser, Qt::Key_Home);
  direct.ChooseLevel(0);
  ExpectSame();
}

TEST_F(MainWindowTest, DraggingTheThumbRefreshesOnEveryMove) {
  LoadDemoInBoth();
  Find<QComboBox>("ComboBox1")->setFocus();
  QTest::keyClick(Find<QComboBox>("ComboBox1"), Qt::Key_End);  // a tall level
  direct.ChooseLevel(window.Core().View().chooserIndex);
  auto* bar = Find<QScrollBar>("ScrollBar1");
  std::vector<int> dragged;  // where the person's drag put the thumb
  QObject::connect(bar, &QScrollBar::sliderMoved, [&dragged](int position) { dragged.push_back(position); });
  const QPoint start = ThumbCentre(bar);
  QTest::mousePress(bar, Qt::LeftButton, {}, start);
  for (int dy = 10; dy <= 60; dy += 10) {
    QTest::mouseMove(bar, start - QPoint(0, dy));
    // Tracking: the map follows the thumb while the button is held.
    ASSERT_FALSE(dragged.empty());
    direct.ScrollTo(dragged.back());
    ExpectSame();
  }
  QTest::mouseRelease(bar, Qt::LeftButton, {}, start - QPoint(0, 60));
  EXPECT_LT(bar->value(), bar->maximum());
  ExpectSame();
}

TEST_F(MainWindowTest, WheelScrollsOnlyOverTheMap) {
  LoadDemoInBoth();
  const int lines = QApplication::wheelScrollLines();
  for (int angle : {120, 120, -120, 240, -360, -120}) {
    Wheel(Img("FastIMG1"), QPoint(100, 100), angle);
    for (int notch = 0; notch < std::abs(angle) / 120; ++notch) direct.TurnWheel(angle, true, lines);
    ExpectSame();
  }
  // Half notches add up to one.
  Wheel(Img("FastIMG1"), QPoint(100, 100), 60);
  ExpectSame();
  Wheel(Img("FastIMG1"), QPoint(100, 100), 60);
  direct.TurnWheel(120, true, lines);
  ExpectSame();
  // Over the overview or the scroll bar the wheel does not scroll the map.
  const int offset = window.Core().Place().scrollOffset;
  Wheel(Img("FastIMG2"), QPoint(10, 10), 120);
  EXPECT_EQ(window.Core().Place().scrollOffset, offset);
  ExpectSame();
}

TEST_F(MainWindowTest, OverviewClickBringsTheRowToTheMiddle) {
  LoadDemoInBoth();
  QTest::keyClick(Find<QComboBox>("ComboBox1"), Qt::Key_End);
  direct.ChooseLevel(window.Core().View().chooserIndex);
  for (int y : {0, 100, 383}) {
    QTest::mouseClick(Img("FastIMG2"), Qt::LeftButton, {}, QPoint(20, y));
    direct.PressOverview(MouseButton::Left, y);
    ExpectSame();
  }
  QTest::mouseClick(Img("FastIMG2"), Qt::RightButton, {}, QPoint(20, 200));
  direct.PressOverview(MouseButton::Right, 200);
  ExpectSame();
}

TEST_F(MainWindowTest, ShowLandSpaceTicksAndUnticks) {
  LoadDemoInBoth();
  auto* box = Find<QCheckBox>("CheckBox1");
  for (bool checked : {true, false}) {
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    direct.SetShowLandSpace(checked);
    ExpectSame();
    EXPECT_EQ(box->isChecked(), checked);
  }
}

TEST_F(MainWindowTest, FortressUpDownWritesTheByteAndTheLabel) {
  LoadDemoInBoth();
  auto* up = Find<QToolButton>("UpDown1Up");
  auto* down = Find<QToolButton>("UpDown1Down");
  int position = window.Core().View().fortressByte;
  for (QToolButton* arrow : {up, up, down, down, down}) {
    QTest::mouseClick(arrow, Qt::LeftButton);
    position = std::clamp(position + (arrow == up ? 1 : -1), 0, 15);
    direct.ClickFortressByte(position);
    ExpectSame();
    EXPECT_EQ(Find<QLabel>("Label2")->text().toStdString(), window.Core().View().fortressCaption);
    EXPECT_EQ(Find<QLabel>("Label2")->toolTip().toStdString(), window.Core().View().fortressHint);
  }
}

TEST_F(MainWindowTest, SpawnLivesAndDelayAskThroughTheirPrompts) {
  LoadDemoInBoth();
  const std::vector<std::pair<const char*, std::vector<std::optional<std::string>>>> cases{
      {"Spawn1", {"12", "40"}}, {"Lives1", {"7"}}, {"Delay1", {"abc", std::nullopt}}, {"Delay1", {"3"}}};
  for (const auto& [name, answers] : cases) {
    for (const auto& answer : answers) {
      windowUi.inputAnswers.push_back(answer);
      directUi.inputAnswers.push_back(answer);
    }
    Find<QAction>(name)->trigger();
    if (std::string(name) == "Spawn1") direct.Spawn();
    if (std::string(name) == "Lives1") direct.Lives();
    if (std::string(name) == "Delay1") direct.Delay();
    ExpectSame();
  }
  ASSERT_EQ(windowUi.Inputs().size(), directUi.Inputs().size());
  for (std::size_t i = 0; i < windowUi.Inputs().size(); ++i) {
    EXPECT_EQ(windowUi.Inputs()[i].title, directUi.Inputs()[i].title);
    EXPECT_EQ(windowUi.Inputs()[i].text, directUi.Inputs()[i].text);
    EXPECT_EQ(windowUi.Inputs()[i].defaultText, directUi.Inputs()[i].defaultText);
  }
}

TEST_F(MainWindowTest, SavesWriteTheSameFilesAsTheEditor) {
  LoadDemoInBoth();
  const QTemporaryDir windowFolder;
  const QTemporaryDir directFolder;
  // A loading screen for the tape, from a file of 6912 bytes.
  for (const QTemporaryDir* folder : {&windowFolder, &directFolder}) {
    QFile screen(folder->filePath("title.scr"));
    ASSERT_TRUE(screen.open(QIODevice::WriteOnly));
    QByteArray bytes(6912, '\0');
    for (int i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    screen.write(bytes);
  }
  struct Save {
    Qt::Key key;
    const char* file;
    std::function<void(Editor&)> call;
    Qt::KeyboardModifiers keys = Qt::ControlModifier;
  };
  const Qt::KeyboardModifiers saveAs = Qt::ControlModifier | Qt::ShiftModifier;
  for (const Save& save :
       {Save{Qt::Key_K, "title.scr", &Editor::LoadScreen},
        Save{Qt::Key_S, "mod.v2.szx", &Editor::SaveSnapshotAs, saveAs},
        Save{Qt::Key_S, "mod.sna", &Editor::SaveSnapshotAs, saveAs}, Save{Qt::Key_T, "mod.tap", &Editor::SaveTap},
        Save{Qt::Key_D, "mod.asm", &Editor::SaveDisassembly}}) {
    windowUi.fileAnswers.push_back(windowFolder.filePath(save.file).toStdString());
    QTest::keyClick(&window, save.key, save.keys);
    directUi.fileAnswers.push_back(directFolder.filePath(save.file).toStdString());
    save.call(direct);
    ExpectSame();
    const std::vector<char> written = FileBytes(windowFolder.filePath(save.file));
    EXPECT_FALSE(written.empty()) << save.file;
    EXPECT_EQ(written, FileBytes(directFolder.filePath(save.file))) << save.file;
  }
  EXPECT_TRUE(windowUi.Messages().empty());
}

// Ctrl+S writes straight to the file loaded; "Save Snapshot As…" (menu or
// Ctrl+Shift+S) asks, starting at that file.
TEST_F(MainWindowTest, SaveWritesTheLoadedFileAndSaveAsAsksForAName) {
  const QTemporaryDir folder;
  const QString loaded = folder.filePath("kestrova-demo.sna");
  ASSERT_TRUE(QFile::copy(QString::fromStdString(DemoPath()), loaded));
  windowUi.fileAnswers.push_back(loaded.toStdString());
  QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier);
  const QList<QAction*> file = Find<QMenu>("File1")->actions();
  const qsizetype save = file.indexOf(Find<QAction>("SaveSnapshot1"));
  ASSERT_GE(save, 0);
  EXPECT_EQ(file.value(save + 1), Find<QAction>("SaveSnapshotAs1"));
  EXPECT_EQ(Find<QAction>("SaveSnapshotAs1")->text(), "Save Snapshot As…");

  windowUi.inputAnswers.push_back("5");
  Find<QAction>("Lives1")->trigger();
  ASSERT_TRUE(window.isWindowModified());
  const std::vector<char> before = FileBytes(loaded);
  windowUi.questions.clear();
  QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(windowUi.questions.empty()) << "no dialog, no question";
  EXPECT_FALSE(window.isWindowModified());
  const std::vector<char> after = FileBytes(loaded);
  EXPECT_EQ(after.size(), before.size());
  EXPECT_NE(after, before);

  for (const std::function<void()>& saveAs : std::initializer_list<std::function<void()>>{
           [&] { Find<QAction>("SaveSnapshotAs1")->trigger(); },
           [&] { QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); }}) {
    windowUi.questions.clear();
    windowUi.fileAnswers.push_back(std::nullopt);
    saveAs();
    ASSERT_EQ(windowUi.questions.size(), 1u);
    EXPECT_EQ(windowUi.questions[0].kind, ScriptedUi::Question::Kind::SaveFile);
    EXPECT_EQ(windowUi.questions[0].dialog.initialFolder, folder.path().toStdString());
    EXPECT_EQ(windowUi.questions[0].dialog.initialName, "kestrova-demo.sna");
  }
  EXPECT_EQ(FileBytes(loaded), after);
}

TEST_F(MainWindowTest, StatusTextFollowsThePointer) {
  LoadDemoInBoth();
  auto* status = Find<app::StatusPanel>("StatusBar1");
  int described = 0;
  for (int y = 20; y < 384; y += 37) {
    for (int x = 5; x < 512; x += 45) {
      QTest::mouseMove(Img("FastIMG1"), QPoint(x, y));
      direct.MovePointerOverMap(x, y);
      ExpectSame();
      EXPECT_EQ(status->Text().toStdString(), window.Core().View().statusText);
      described += status->Text().isEmpty() ? 0 : 1;
    }
  }
  EXPECT_GT(described, 0);
}

TEST_F(MainWindowTest, ARefusedNumberBringsThePromptBackSayingWhatItTakes) {
  LoadDemoInBoth();
  windowUi.inputAnswers = {"9", "x", "3"};
  Find<QAction>("Lives1")->trigger();
  directUi.inputAnswers = {"9", "x", "3"};
  direct.Lives();
  ExpectSame();
  const std::vector<ScriptedUi::Question> inputs = windowUi.Inputs();
  ASSERT_EQ(inputs.size(), 3u);
  EXPECT_EQ(inputs[0].refusal, "");
  for (std::size_t i : {1u, 2u}) {
    EXPECT_EQ(inputs[i].title, "Lives");
    EXPECT_EQ(inputs[i].refusal, "Enter a number from 1 to 8.");
  }
  EXPECT_EQ(window.Core().Image().Read(kStartingLives), 3);
}

// The Qt input box shows the line under its field, above its buttons, and
// only after a refusal.
TEST(QtInputBox, ShowsTheRefusalLineUnderTheField) {
  app::QtUi ui;
  for (const std::string refusal : {"", "Enter a number from 1 to 8."}) {
    QString shown;
    bool underTheField = false;
    bool answered = false;
    QTimer::singleShot(0, [&] {
      if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000)) return;
      QWidget* box = QApplication::activeModalWidget();
      auto* field = box->findChild<QLineEdit*>();
      if (auto* line = box->findChild<QLabel*>("RefusalLine")) {
        shown = line->text();
        underTheField = field && line->isVisible() && line->geometry().top() >= field->geometry().bottom();
      }
      field->setText("4");
      QTest::keyClick(field, Qt::Key_Return);
      answered = true;
    });
    EXPECT_EQ(ui.InputBox({"Lives", "Enter amount of lives to start with (1-8)", "3", refusal}), "4");
    EXPECT_TRUE(answered);
    EXPECT_EQ(shown.toStdString(), refusal);
    EXPECT_EQ(underTheField, !refusal.empty());
  }
}

// A screen loaded for the next tape stays named in the status bar until a
// tape takes it.
TEST_F(MainWindowTest, TheScreenHeldForTheNextTapeIsNamedUntilATapeTakesIt) {
  LoadDemoInBoth();
  QTemporaryDir folder;
  const QString screen = folder.filePath("title.scr");
  {
    QFile file(screen);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(static_cast<int>(kScreenAreaSize), '\x55'));
  }
  auto* label = Find<QLabel>("HeldScreenLabel");
  EXPECT_FALSE(label->isVisible());

  windowUi.fileAnswers.push_back(screen.toStdString());
  QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier);
  directUi.fileAnswers.push_back(screen.toStdString());
  direct.LoadScreen();
  ExpectSame();
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), "Loading screen: title.scr");
  EXPECT_EQ(label->toolTip().toStdString(), window.Core().View().heldScreenHint);
  EXPECT_TRUE(label->toolTip().contains("next tape"));
  // A passing notice over the bar leaves the label in place.
  QTest::mouseMove(Img("FastIMG1"), QPoint(100, 100));
  EXPECT_TRUE(label->isVisible());

  windowUi.fileAnswers.push_back(folder.filePath("game.tap").toStdString());
  QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
  EXPECT_FALSE(window.Core().Place().loadedScreen);
  EXPECT_FALSE(label->isVisible());
  EXPECT_TRUE(QFile::exists(folder.filePath("game.tap")));
}

// The scroll bar repaints only where its thumb was and is: after steps and
// a page it shows what a whole repaint of it shows.
TEST_F(MainWindowTest, TheScrollBarShowsItsThumbWhereItIsAfterSteps) {
  LoadDemoInBoth();
  auto* bar = Find<QScrollBar>("ScrollBar1");
  QApplication::processEvents();
  const auto stepAndCompare = [&](QAbstractSlider::SliderAction action, int times) {
    for (int i = 0; i < times; ++i) {
      bar->triggerAction(action);
      QApplication::processEvents();
    }
    const QImage shown = OnScreen(bar);
    const QImage whole = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), whole.size());
    int differences = 0;
    for (const QRect& part : bar->mask()) {
      for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) differences += shown.pixel(x, y) != whole.pixel(x, y);
      }
    }
    EXPECT_EQ(differences, 0) << "value " << bar->value();
  };
  stepAndCompare(QAbstractSlider::SliderSingleStepSub, 60);
  stepAndCompare(QAbstractSlider::SliderPageStepSub, 1);
  stepAndCompare(QAbstractSlider::SliderToMinimum, 1);
  stepAndCompare(QAbstractSlider::SliderSingleStepAdd, 5);
}

// A file named at start hides the title picture before the window first
// paints: the picture is never made.
TEST(TitlePicture, IsNotMadeWhenAFileOpensBeforeTheWindowPaints) {
  ScriptedUi ui;
  QtFiles files;
  app::TForm1 window(ui, files, nullptr, app::MapLayout::Classic);
  window.show();
  window.OpenAtStart(DemoPath());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QApplication::processEvents();
  EXPECT_FALSE(window.findChild<QWidget*>("Image1")->isVisible());
  EXPECT_FALSE(window.TitlePictureMade());
}

TEST_F(MainWindowTest, ExitClosesTheWindow) {
  LoadDemoInBoth();
  QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace kestrova::testing
