// Paths that are not small regular files, as input to "Load Snapshot",
// "Load Screen$" and every reader of the tool: each is refused at once with
// a message that names the file and says why, and nothing changes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "qtio/qt_files.h"
#include "support/ref_shell.h"
#include "support/scripted_ui.h"

namespace kestrova {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using testing::ReadWholeFile;
using testing::RunShell;
using testing::ShellQuoted;
using testing::TemporaryFolder;
using testing::WriteWholeFile;

const std::string kDemo = KESTROVA_DEMO_DIR "/kestrova-demo.sna";

// A kind of strange path, made with a given name, and the words its refusal gives.
struct StrangePath {
  const char* kind;
  const char* reason;
  void (*make)(const fs::path& path);
};

void MakePipe(const fs::path& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }
void MakeDeviceLink(const fs::path& path) { fs::create_symlink("/dev/zero", path); }
void MakeFolder(const fs::path& path) { fs::create_directory(path); }
void MakeDanglingLink(const fs::path& path) { fs::create_symlink(path.string() + ".gone", path); }
void MakeHuge(const fs::path& path) {  // 5 GiB: its length does not fit 32 bits
  WriteWholeFile(path, {});
  fs::resize_file(path, std::uintmax_t{5} << 30);
}
void MakeJustOverTheBound(const fs::path& path) {
  WriteWholeFile(path, {});
  fs::resize_file(path, kLargestReadFile + 1);
}

const StrangePath kStrangePaths[] = {
    {"pipe", "it is a named pipe, not a regular file", MakePipe},
    {"device", "it is a device, not a regular file", MakeDeviceLink},
    {"folder", "it is a folder, not a file", MakeFolder},
    {"dangling", "it is a symbolic link to a file that does not exist", MakeDanglingLink},
    {"huge", "it holds 5368709120 bytes, and no file larger than 1 MiB is read", MakeHuge},
    {"over", "it holds 1048577 bytes, and no file larger than 1 MiB is read", MakeJustOverTheBound},
};

// Every case must come back at once; a read that waits on a pipe ends the
// test program instead of hanging it.
class StrangeFiles : public ::testing::Test {
 protected:
  void SetUp() override { alarm(60); }
  void TearDown() override { alarm(0); }

  fs::path Make(const StrangePath& strange, const std::string& extension) {
    const fs::path path = folder / (std::string(strange.kind) + extension);
    strange.make(path);
    return path;
  }

  TemporaryFolder folder;
};

using Clock = std::chrono::steady_clock;
constexpr auto kAtOnce = std::chrono::seconds(2);

TEST_F(StrangeFiles, ReadTakesRegularFilesAndLinksToThemUpToTheBound) {
  QtFiles files;
  const fs::path exact = folder / "exact.bin";
  WriteWholeFile(exact, Bytes(kLargestReadFile, 0x5A));
  const auto read = files.Read(exact);
  ASSERT_TRUE(read) << read.ErrorMessage();
  EXPECT_EQ(read->size(), kLargestReadFile);

  const fs::path link = folder / "link.sna";
  fs::create_symlink(kDemo, link);
  const auto linked = files.Read(link);
  ASSERT_TRUE(linked) << linked.ErrorMessage();
  EXPECT_EQ(*linked, ReadWholeFile(kDemo));

  for (const StrangePath& strange : kStrangePaths) {
    const auto start = Clock::now();
    const auto refused = files.Read(Make(strange, ".bin"));
    EXPECT_LT(Clock::now() - start, kAtOnce) << strange.kind;
    ASSERT_FALSE(refused) << strange.kind;
    EXPECT_NE(refused.ErrorMessage().find(strange.reason), std::string::npos) << refused.ErrorMessage();
  }
}

class StrangeFilesInTheEditor : public StrangeFiles {
 protected:
  void Load(const std::string& path) {
    ui.fileAnswers.push_back(path);
    editor.LoadSnapshot();
  }
  void LoadScreen(const std::string& path) {
    ui.fileAnswers.push_back(path);
    editor.LoadScreen();
  }

  // The one message the last command showed: an error naming the file and the reason.
  void ExpectRefusal(const fs::path& path, const StrangePath& strange, const std::string& title) {
    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u) << strange.kind;
    EXPECT_EQ(messages[0].title, title);
    EXPECT_EQ(messages[0].icon, MessageIcon::Error);
    EXPECT_NE(messages[0].text.find("\"" + path.string() + "\""), std::string::npos) << messages[0].text;
    EXPECT_NE(messages[0].text.find(strange.reason), std::string::npos) << messages[0].text;
    ui.questions.clear();
  }

  testing::ScriptedUi ui;
  QtFiles files;
  Editor editor{ui, files};
};

TEST_F(StrangeFilesInTheEditor, LoadSnapshotRefusesThemAndKeepsTheSnapshotItHolds) {
  Load(kDemo);
  ASSERT_TRUE(editor.HasSnapshot());
  ui.questions.clear();
  editor.ChooseLevel(2);
  const Bytes image(editor.Image().Bytes().begin(), editor.Image().Bytes().end());
  const EditorState state = editor.State();
  for (const char* extension : {".sna", ".szx"}) {
    for (const StrangePath& strange : kStrangePaths) {
      const fs::path path = Make(strange, extension);
      const auto start = Clock::now();
      Load(path);
      EXPECT_LT(Clock::now() - start, kAtOnce) << path;
      ExpectRefusal(path, strange, "Error Loading Kestrova Snapshot");
      EXPECT_TRUE(std::equal(image.begin(), image.end(), editor.Image().Bytes().begin(), editor.Image().Bytes().end()))
          << path;
      EXPECT_EQ(editor.Place().snapshotSize, state.place.snapshotSize);
      EXPECT_EQ(editor.Place().currentLevelIndex, 2);
      EXPECT_EQ(editor.Place().levelStart, state.place.levelStart);
    }
  }
}

TEST_F(StrangeFilesInTheEditor, LoadScreenRefusesThemAndKeepsTheScreenItHolds) {
  Load(kDemo);
  const fs::path good = folder / "good.scr";
  Bytes screen(kScreenAreaSize);
  for (std::size_t i = 0; i < screen.size(); ++i) screen[i] = static_cast<std::uint8_t>(i * 7);
  WriteWholeFile(good, screen);
  LoadScreen(good);
  ASSERT_TRUE(editor.Place().loadedScreen);
  ui.questions.clear();
  for (const StrangePath& strange : kStrangePaths) {
    const fs::path path = Make(strange, ".scr");
    const auto start = Clock::now();
    LoadScreen(path);
    EXPECT_LT(Clock::now() - start, kAtOnce) << path;
    ExpectRefusal(path, strange, "Error Loading Screen");
    EXPECT_TRUE(editor.Place().loadedScreen);
    EXPECT_TRUE(std::equal(screen.begin(), screen.end(), editor.LoadedScreen().begin()));
  }
}

// Every command of the tool that reads a file, with the strange path in the
// place of that file. The tool is given ten seconds; `timeout` ends a hang
// with status 124.
struct ToolReader {
  const char* name;
  const char* extension;  // of the strange path
  std::string (*arguments)(const std::string& strange, const std::string& output);
};

const ToolReader kToolReaders[] = {
    {"info", ".sna", [](const std::string& in, const std::string&) { return "info " + in; }},
    {"info --json", ".szx", [](const std::string& in, const std::string&) { return "info " + in + " --json"; }},
    {"list", ".sna", [](const std::string& in, const std::string&) { return "list " + in; }},
    {"check", ".szx", [](const std::string& in, const std::string&) { return "check " + in; }},
    {"diff A", ".sna",
     [](const std::string& in, const std::string&) { return "diff " + in + " " + ShellQuoted(kDemo); }},
    {"diff B", ".szx",
     [](const std::string& in, const std::string&) { return "diff " + ShellQuoted(kDemo) + " " + in; }},
    {"render", ".sna",
     [](const std::string& in, const std::string& out) { return "render " + in + " --scr " + out + ".scr"; }},
    {"save", ".szx", [](const std::string& in, const std::string& out) { return "save " + in + " " + out + ".sna"; }},
    {"asm", ".sna", [](const std::string& in, const std::string& out) { return "asm " + in + " -o " + out + ".asm"; }},
    {"tap", ".sna", [](const std::string& in, const std::string& out) { return "tap " + in + " -o " + out + ".tap"; }},
    {"tap --screen", ".scr",
     [](const std::string& in, const std::string& out) {
       return "tap " + ShellQuoted(kDemo) + " -o " + out + ".tap --screen " + in;
     }},
    {"edit", ".sna",
     [](const std::string& in, const std::string& out) { return "edit " + in + " -e 'lives 3' -o " + out + ".sna"; }},
    {"edit --script", ".txt",
     [](const std::string& in, const std::string& out) {
       return "edit " + ShellQuoted(kDemo) + " --script " + in + " -o " + out + ".sna";
     }},
};

TEST_F(StrangeFiles, EveryReaderOfTheToolRefusesThemAtOnceAndWritesNothing) {
  for (const ToolReader& reader : kToolReaders) {
    for (const StrangePath& strange : kStrangePaths) {
      const fs::path path = Make(strange, reader.extension);
      const fs::path output = folder / "out";
      const std::string command = "timeout 10 " + ShellQuoted(KESTROVA_CLI) + " " +
                                  reader.arguments(ShellQuoted(path.string()), ShellQuoted(output.string()));
      const auto start = Clock::now();
      const testing::ShellOutcome run = RunShell(command);
      EXPECT_LT(Clock::now() - start, kAtOnce) << command;
      EXPECT_EQ(run.status, 1) << command << "\n" << run.output;
      EXPECT_NE(run.output.find(path.string()), std::string::npos) << command << "\n" << run.output;
      EXPECT_NE(run.output.find(strange.reason), std::string::npos) << command << "\n" << run.output;
      for (const char* written : {".scr", ".sna", ".asm", ".tap"}) {
        EXPECT_FALSE(fs::exists(output.string() + written)) << command;
      }
      fs::remove(path);
    }
  }
}

}  // namespace
}  // namespace kestrova
