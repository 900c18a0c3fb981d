// The emulator adapter with the stand-in emulator: the command it finds,
// the arguments it gives, the detached start and the scratch folder.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include "emulatorio/qt_emulator.h"
#include "support/stand_in_emulator.h"

namespace kestrova {
namespace {

using testing::StandInEmulator;
using testing::StandInRun;

class QtEmulatorTest : public ::testing::Test {
 protected:
  // A file to hand over, in the scratch folder as the Editor writes it.
  QString HandOver(const QByteArray& content, const char* name) {
    const Result<std::string> folder = emulator.ScratchFolder();
    EXPECT_TRUE(folder.Ok());
    const QString path = QString::fromStdString(*folder) + "/" + name;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
  }
  // The stand-in under another name, in a folder whose name has a space.
  QString StandInNamed(const char* name) {
    const QString link = links.path() + "/" + name;
    EXPECT_TRUE(QFile::link(StandInEmulator::Script(), link));
    return link;
  }

  StandInEmulator standIn;
  QTemporaryDir links{QDir::tempPath() + "/with space-XXXXXX"};
  QtEmulator emulator;
};

TEST_F(QtEmulatorTest, TheCommandGetsTheFileWherePercentFSaysOrAtTheEnd) {
  const QString fuse = StandInNamed("fuse-stand-in");
  const QString quotedFuse = "\"" + fuse + "\"";
  struct Case {
    QString command;
    EmulatorMedium medium;
    QStringList arguments;  // "FILE" for the file's path
  };
  const Case cases[] = {
      {StandInEmulator::Script(), EmulatorMedium::Snapshot, {"FILE"}},
      {StandInEmulator::Script() + " --machine 128", EmulatorMedium::Tape, {"--machine", "128", "FILE"}},
      {StandInEmulator::Script() + " -a %f -b", EmulatorMedium::Snapshot, {"-a", "FILE", "-b"}},
      {StandInEmulator::Script() + " --load=%f \"two words\"", EmulatorMedium::Tape, {"--load=FILE", "two words"}},
      {quotedFuse, EmulatorMedium::Tape, {"--auto-load", "--tape", "FILE"}},
      {quotedFuse + " --machine 48", EmulatorMedium::Snapshot, {"--machine", "48", "FILE"}},
      // With %f the command says how the file is taken, for Fuse too.
      {quotedFuse + " --tape %f", EmulatorMedium::Tape, {"--tape", "FILE"}},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command.toStdString());
    standIn.Name(c.command);
    const QByteArray content = "game " + QByteArray::number(++n);
    const QString path = HandOver(content, n % 2 ? "game.szx" : "game.tap");
    const EmulatorStart start = emulator.Start(c.medium, path.toStdString());
    ASSERT_EQ(start.kind, EmulatorStart::Kind::Started) << start.reason;
    const std::optional<StandInRun> run = standIn.NextRun();
    ASSERT_TRUE(run);
    QStringList expected = c.arguments;
    expected.replaceInStrings("FILE", path);
    EXPECT_EQ(run->words.mid(1), expected);
    EXPECT_EQ(run->copy, content);
  }
}

// With KESTROVA_EMULATOR unset, the first of Fuse's programs on the path;
// with none there, nothing is started and the Editor is told so.
TEST_F(QtEmulatorTest, WithoutANamedCommandFuseIsLookedForOnThePath) {
  qunsetenv("KESTROVA_EMULATOR");
  StandInNamed("fuse-sdl");
  qputenv("PATH", links.path().toLocal8Bit());
  const QString path = HandOver("tape", "game.tap");
  EXPECT_EQ(emulator.Start(EmulatorMedium::Tape, path.toStdString()).kind, EmulatorStart::Kind::Started);
  std::optional<StandInRun> run = standIn.NextRun();
  ASSERT_TRUE(run);
  EXPECT_EQ(run->words, QStringList({"fuse-sdl", "--auto-load", "--tape", path}));

  StandInNamed("fuse-gtk");
  EXPECT_EQ(emulator.Start(EmulatorMedium::Snapshot, path.toStdString()).kind, EmulatorStart::Kind::Started);
  run = standIn.NextRun();
  ASSERT_TRUE(run);
  EXPECT_EQ(run->words, QStringList({"fuse-gtk", path}));

  qputenv("PATH", "");
  EXPECT_EQ(emulator.Start(EmulatorMedium::Snapshot, path.toStdString()).kind, EmulatorStart::Kind::NotFound);
  standIn.Name("   ");  // blank is not a command
  EXPECT_EQ(emulator.Start(EmulatorMedium::Snapshot, path.toStdString()).kind, EmulatorStart::Kind::NotFound);
}

TEST_F(QtEmulatorTest, ACommandThatCannotStartSaysWhy) {
  const QString notAProgram = links.path() + "/plain-file";
  QFile plain(notAProgram);
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  const QString path = HandOver("snapshot", "game.szx");
  struct Case {
    QString command;
    std::string reason;
  };
  const Case cases[] = {
      {"no-such-emulator-here -x", "no program \"no-such-emulator-here\" is on the path"},
      {"\"" + links.path() + "/missing\"", "\"" + (links.path() + "/missing").toStdString() + "\" does not exist"},
      {"\"" + notAProgram + "\"", "\"" + notAProgram.toStdString() + "\" is not a program that may be run"},
  };
  for (const Case& c : cases) {
    standIn.Name(c.command);
    const EmulatorStart start = emulator.Start(EmulatorMedium::Snapshot, path.toStdString());
    EXPECT_EQ(start.kind, EmulatorStart::Kind::Failed);
    EXPECT_EQ(start.reason, c.reason);
    EXPECT_FALSE(start.command.empty());
  }
}

// The start returns while the emulator runs on, and the emulator outlives
// the adapter; the scratch folder, and every file in it, does not.
TEST_F(QtEmulatorTest, TheEmulatorRunsDetachedAndTheScratchFolderGoesWithTheAdapter) {
  auto adapter = std::make_unique<QtEmulator>();
  const Result<std::string> folder = adapter->ScratchFolder();
  ASSERT_TRUE(folder.Ok());
  EXPECT_EQ(*adapter->ScratchFolder(), *folder) << "one folder a run";
  const QString path = QString::fromStdString(*folder) + "/game-1.szx";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("snapshot");
  file.close();

  standIn.Hold(30);
  QElapsedTimer started;
  started.start();
  EXPECT_EQ(adapter->Start(EmulatorMedium::Snapshot, path.toStdString()).kind, EmulatorStart::Kind::Started);
  EXPECT_LT(started.elapsed(), 5000);
  const std::optional<StandInRun> run = standIn.NextRun();
  ASSERT_TRUE(run);
  EXPECT_TRUE(run->Running());

  adapter.reset();
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(*folder)));
  EXPECT_TRUE(run->Running()) << "the emulator outlives the editor";
}

}  // namespace
}  // namespace kestrova
