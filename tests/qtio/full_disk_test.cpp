// Every kind of file the editor and the tool write, written where the disk
// is full: the write fails with a message that names the file and the
// system's reason, and the file that was there stays byte for byte. Run on a
// small tmpfs filled to the last byte when the test may mount one, and
// always with a file-size limit of 0, which fails the same writes below the
// Files port.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "qtio/qt_files.h"
#include "support/full_folder.h"
#include "support/ref_shell.h"
#include "support/scripted_ui.h"

namespace kestrova {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using testing::ReadWholeFile;
using testing::RunShell;
using testing::ShellQuoted;
using testing::WriteWholeFile;

const std::string kDemo48K = KESTROVA_DEMO_DIR "/kestrova-demo.sna";
const std::string kDemo128K = KESTROVA_DEMO_DIR "/kestrova-demo-128k.sna";

enum class Fault { FullFileSystem, FileSizeLimit };

class FullDisk : public ::testing::TestWithParam<Fault> {
 protected:
  void SetUp() override {
    if (GetParam() == Fault::FullFileSystem) {
      tmpfs_ = std::make_unique<testing::FullTmpfs>();
      if (!tmpfs_->Mounted()) GTEST_SKIP() << "no tmpfs can be mounted here; the file-size limit covers these writes";
      folder_ = tmpfs_->Path();
    } else {
      temporary_ = std::make_unique<testing::TemporaryFolder>();
      folder_ = *temporary_ / "";
    }
  }

  fs::path Out(const std::string& name) const { return folder_ / name; }

  // A file of that name as it was before the save: small, and different from
  // anything a save would write.
  Bytes PlaceOld(const std::string& name) {
    Bytes old;
    for (char c : "the old " + name + ", kept") old.push_back(static_cast<std::uint8_t>(c));
    WriteWholeFile(Out(name), old);
    return old;
  }

  // An old file for every case's name, then the disk filled.
  template <typename Case, std::size_t N>
  void PlaceOldFilesAndFillTheDisk(const Case (&cases)[N]) {
    for (const Case& each : cases) olds_[each.name] = PlaceOld(each.name);
    if (tmpfs_) {
      ASSERT_TRUE(tmpfs_->Fill());
    }
  }
  const Bytes& Old(const std::string& name) const { return olds_.at(name); }

  std::string Reason() const {
    return GetParam() == Fault::FullFileSystem ? "No space left on device" : "File too large";
  }

  // The limit for the writes of this process or of a command, when it is the fault.
  bool Limited() const { return GetParam() == Fault::FileSizeLimit; }
  std::string LimitPrefix() const { return Limited() ? testing::NoFileGrowth::Prefix() : ""; }

  // Nothing in the folder but the old files and the filler: no temporary
  // file was left behind.
  void ExpectOnlyTheOldFiles() const {
    for (const auto& entry : fs::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(name == "filler" || olds_.count(name) != 0) << name;
    }
  }

 private:
  std::unique_ptr<testing::FullTmpfs> tmpfs_;
  std::unique_ptr<testing::TemporaryFolder> temporary_;
  fs::path folder_;
  std::map<std::string, Bytes> olds_;
};

// ---- Through the Editor with QtFiles, as the window saves ----

struct EditorSave {
  const char* name;  // the file written, and what the case is called
  const std::string* snapshot;
  bool (Editor::*handler)();  // true when it wrote
};

const EditorSave kEditorSaves[] = {
    {"game48.sna", &kDemo48K, &Editor::SaveSnapshotAs},    // 49179 bytes
    {"game128.sna", &kDemo128K, &Editor::SaveSnapshotAs},  // 131103 bytes
    {"game48.szx", &kDemo48K, &Editor::SaveSnapshotAs},    // a few KB
    {"game128.szx", &kDemo128K, &Editor::SaveSnapshotAs}, {"game48.tap", &kDemo48K, &Editor::SaveTap},
    {"game128.tap", &kDemo128K, &Editor::SaveTap},        {"game48.asm", &kDemo48K, &Editor::SaveDisassembly},
};

TEST_P(FullDisk, EverySaveOfTheEditorFailsVisiblyAndKeepsTheOldFile) {
  PlaceOldFilesAndFillTheDisk(kEditorSaves);
  for (const EditorSave& save : kEditorSaves) {
    testing::ScriptedUi ui;
    QtFiles files;
    Editor editor(ui, files);
    ui.fileAnswers.push_back(*save.snapshot);
    editor.LoadSnapshot();
    ASSERT_TRUE(editor.HasSnapshot());
    const std::string path = Out(save.name).string();
    ui.fileAnswers.push_back(path);
    ui.messageAnswers.push_back(MessageAnswer::Ok);  // "Overwrite?"
    {
      const testing::NoFileGrowth limit(Limited());
      EXPECT_FALSE((editor.*save.handler)()) << save.name;
    }
    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 2u) << save.name;
    EXPECT_EQ(messages[0].title, "Overwrite?");
    EXPECT_EQ(messages[1].title, "Error Saving Snapshot");
    EXPECT_EQ(messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(messages[1].text,
              "Could not write \"" + path + "\": " + Reason() + ". Any file of that name is unchanged.");
    EXPECT_EQ(ReadWholeFile(path), Old(save.name)) << save.name;
  }
  ExpectOnlyTheOldFiles();
}

// ---- Through the tool ----

struct ToolWrite {
  const char* name;       // the file written
  const char* arguments;  // IN and OUT stand for the snapshot and the file written
  const std::string* snapshot;
};

const ToolWrite kToolWrites[] = {
    {"save48.sna", "save IN OUT --force", &kDemo48K},
    {"save128.sna", "save IN OUT --force", &kDemo128K},
    {"save48.szx", "save IN OUT --force", &kDemo48K},
    {"save128.szx", "save IN OUT --force", &kDemo128K},
    {"tool.tap", "tap IN -o OUT --force", &kDemo48K},
    {"tool.asm", "asm IN -o OUT --force", &kDemo128K},
    {"map.scr", "render IN --scr OUT --force", &kDemo48K},    // 6912 bytes
    {"map.png", "render IN --png OUT --force", &kDemo48K},    // a few KB
    {"grid.bin", "render IN --grid OUT --force", &kDemo48K},  // 73728 bytes
    {"overview.png", "render IN --overview OUT --force", &kDemo48K},
    {"whole.png", "render IN --level 2 --whole OUT --force", &kDemo48K},
    {"demo.sna", "demo -o OUT --force", nullptr},
    {"demo.szx", "demo --128k -o OUT --force", nullptr},
};

std::string Substitute(std::string text, const std::string& word, const std::string& value) {
  text.replace(text.find(word), word.size(), value);
  return text;
}

TEST_P(FullDisk, EveryWriteOfTheToolFailsVisiblyAndKeepsTheOldFile) {
  PlaceOldFilesAndFillTheDisk(kToolWrites);
  for (const ToolWrite& write : kToolWrites) {
    const std::string path = Out(write.name).string();
    std::string arguments = Substitute(write.arguments, "OUT", ShellQuoted(path));
    if (write.snapshot) arguments = Substitute(arguments, "IN", ShellQuoted(*write.snapshot));
    const std::string command = LimitPrefix() + "exec " + ShellQuoted(KESTROVA_CLI) + " " + arguments;
    const testing::ShellOutcome run = RunShell(command);
    EXPECT_EQ(run.status, 1) << command << "\n" << run.output;
    EXPECT_NE(run.output.find(path), std::string::npos) << command << "\n" << run.output;
    EXPECT_NE(run.output.find(Reason()), std::string::npos) << command << "\n" << run.output;
    EXPECT_EQ(ReadWholeFile(path), Old(write.name)) << command;
  }
  ExpectOnlyTheOldFiles();
}

INSTANTIATE_TEST_SUITE_P(Faults, FullDisk, ::testing::Values(Fault::FullFileSystem, Fault::FileSizeLimit),
                         [](const ::testing::TestParamInfo<Fault>& fault) {
                           return fault.param == Fault::FullFileSystem ? "FullFileSystem" : "FileSizeLimit";
                         });

}  // namespace
}  // namespace kestrova
