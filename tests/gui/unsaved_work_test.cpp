// Undo and redo in the window, its caption, and the question before
// "Exit", the close box or another "Load Snapshot" drops unsaved changes.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>

#include "gui/window_fixture.h"

namespace kestrova::testing {
namespace {

constexpr const char* kCaption = "Xev Kestrova Editor";

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class UnsavedWorkTest : public WindowTwin {
 protected:
  // "Lives" through its prompt on both: one step in the history.
  void ChangeLivesInBoth(const char* lives) {
    windowUi.inputAnswers.push_back(lives);
    directUi.inputAnswers.push_back(lives);
    Find<QAction>("Lives1")->trigger();
    direct.Lives();
    ExpectSame();
  }

  void ExpectEditMenu(const char* undo, bool canUndo, const char* redo, bool canRedo) {
    EXPECT_EQ(Find<QAction>("Undo1")->text(), undo);
    EXPECT_EQ(Find<QAction>("Undo1")->isEnabled(), canUndo);
    EXPECT_EQ(Find<QAction>("Redo1")->text(), redo);
    EXPECT_EQ(Find<QAction>("Redo1")->isEnabled(), canRedo);
  }

  void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers) { QTest::keyClick(&window, key, modifiers); }
};

TEST_F(UnsavedWorkTest, CaptionAndEditMenuFollowTheHistory) {
  EXPECT_EQ(window.windowTitle(), kCaption);
  EXPECT_FALSE(Find<QMenu>("Edit1")->menuAction()->isVisible());
  LoadDemoInBoth();
  EXPECT_EQ(window.windowTitle(), QString("kestrova-demo.sna[*] - ") + kCaption);
  EXPECT_FALSE(window.isWindowModified());
  EXPECT_TRUE(Find<QMenu>("Edit1")->menuAction()->isVisible());
  ExpectEditMenu("Undo", false, "Redo", false);

  ChangeLivesInBoth("5");
  EXPECT_TRUE(window.isWindowModified());
  ExpectEditMenu("Undo Lives", true, "Redo", false);

  Keys(Qt::Key_Z, Qt::ControlModifier);
  direct.Undo();
  ExpectSame();
  EXPECT_FALSE(window.isWindowModified());  // back where it was loaded
  ExpectEditMenu("Undo", false, "Redo Lives", true);

  for (const Qt::KeyboardModifiers redo :
       {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)}) {
    Keys(redo == Qt::ControlModifier ? Qt::Key_Y : Qt::Key_Z, redo);
    direct.Redo();
    ExpectSame();
    EXPECT_TRUE(window.isWindowModified());
    ExpectEditMenu("Undo Lives", true, "Redo", false);
    Keys(Qt::Key_Z, Qt::ControlModifier);
    direct.Undo();
    ExpectSame();
  }
}

TEST_F(UnsavedWorkTest, NothingModifiedAsksNothing) {
  LoadDemoInBoth();
  windowUi.fileAnswers.push_back(DemoPath("kestrova-demo.szx"));
  QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier);
  EXPECT_EQ(window.windowTitle(), QString("kestrova-demo.szx[*] - ") + kCaption);
  QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(windowUi.SaveChangesQuestions().empty());
}

// How the person leaves the work: "Exit", the close box, "Load Snapshot".
enum class Leave { Exit, CloseBox, Load };

struct QuestionCase {
  Leave leave;
  SaveChangesAnswer answer;
  bool saveFails;  // the file's folder is gone by the time Save writes
  bool left;       // the window closed, or the other snapshot came in
  bool saved;      // the changes reached the file
};

class SaveQuestionTest : public UnsavedWorkTest, public ::testing::WithParamInterface<QuestionCase> {};

// "Save" in the question saves as Ctrl+S does: straight to the file loaded,
// no dialog; the window goes on only when that worked.
TEST_P(SaveQuestionTest, AsksBeforeDroppingChanges) {
  const QuestionCase c = GetParam();
  const QTemporaryDir folder;
  ASSERT_TRUE(QDir(folder.path()).mkdir("games"));
  const QString loadedPath = folder.filePath("games/kestrova-demo.sna");
  ASSERT_TRUE(QFile::copy(QString::fromStdString(DemoPath()), loadedPath));
  const QByteArray loadedBytes = ReadAll(loadedPath);
  windowUi.fileAnswers.push_back(loadedPath.toStdString());
  QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier);
  directUi.fileAnswers.push_back(loadedPath.toStdString());
  direct.LoadSnapshot();
  ChangeLivesInBoth("7");
  if (c.saveFails) {
    ASSERT_TRUE(QDir(folder.filePath("games")).removeRecursively());
  }
  windowUi.questions.clear();
  windowUi.saveChangesAnswers.push_back(c.answer);
  // The other snapshot is a copy too: a save gone astray must not reach the demo.
  const QString otherPath = folder.filePath("kestrova-demo-128k.sna");
  ASSERT_TRUE(QFile::copy(QString::fromStdString(DemoPath("kestrova-demo-128k.sna")), otherPath));
  if (c.leave == Leave::Load) windowUi.fileAnswers.push_back(otherPath.toStdString());

  switch (c.leave) {
    case Leave::Exit:
      QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
      break;
    case Leave::CloseBox:
      window.close();
      break;
    case Leave::Load:
      QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier);
      break;
  }

  ASSERT_EQ(windowUi.SaveChangesQuestions().size(), 1u);
  EXPECT_NE(windowUi.SaveChangesQuestions()[0].text.find("kestrova-demo.sna"), std::string::npos);
  for (const auto& question : windowUi.questions) EXPECT_NE(question.kind, ScriptedUi::Question::Kind::SaveFile);
  EXPECT_EQ(QFile::exists(loadedPath) && ReadAll(loadedPath) != loadedBytes, c.saved);
  EXPECT_EQ(windowUi.Messages().size(), c.saveFails ? 1u : 0u) << "a failed save says so";
  if (c.leave == Leave::Load) {
    EXPECT_EQ(window.Core().Place().snapshotSize == 131103u, c.left);
    EXPECT_EQ(window.isWindowModified(), !c.left);
  } else {
    EXPECT_EQ(window.isVisible(), !c.left);
  }
  if (!c.left) {
    EXPECT_EQ(window.Core().UndoName(), "Lives");  // nothing of the work was lost
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryWayOut, SaveQuestionTest,
    ::testing::Values(QuestionCase{Leave::Exit, SaveChangesAnswer::Save, false, true, true},
                      QuestionCase{Leave::Exit, SaveChangesAnswer::Save, true, false, false},
                      QuestionCase{Leave::Exit, SaveChangesAnswer::Discard, false, true, false},
                      QuestionCase{Leave::Exit, SaveChangesAnswer::Cancel, false, false, false},
                      QuestionCase{Leave::CloseBox, SaveChangesAnswer::Save, false, true, true},
                      QuestionCase{Leave::CloseBox, SaveChangesAnswer::Save, true, false, false},
                      QuestionCase{Leave::CloseBox, SaveChangesAnswer::Discard, false, true, false},
                      QuestionCase{Leave::CloseBox, SaveChangesAnswer::Cancel, false, false, false},
                      QuestionCase{Leave::Load, SaveChangesAnswer::Save, false, true, true},
                      QuestionCase{Leave::Load, SaveChangesAnswer::Save, true, false, false},
                      QuestionCase{Leave::Load, SaveChangesAnswer::Discard, false, true, false},
                      QuestionCase{Leave::Load, SaveChangesAnswer::Cancel, false, false, false}));

}  // namespace
}  // namespace kestrova::testing
