// Outputs that must not be replaced or must not be reported written: a pipe,
// a device or a socket of our own (and links to them) as the file a save
// writes, and saves whose last steps fail below the program (injected with
// strace into the real tool). Each is refused or failed with one line that
// says why, and what was there stays as it was.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "qtio/qt_files.h"
#include "support/cli_run.h"
#include "support/ref_shell.h"
#include "support/scripted_ui.h"

namespace kestrova {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using testing::CliOutcome;
using testing::ReadWholeFile;
using testing::RunKestrova;
using testing::TemporaryFolder;
using testing::WriteWholeFile;

const std::string kDemo = KESTROVA_DEMO_DIR "/kestrova-demo.sna";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// ---- Outputs that are not regular files ----

// A node of one kind, made at a path; false (with errno) when the system
// does not let this process make it.
struct NodeKind {
  const char* name;
  const char* reason;
  mode_t type;
  bool (*make)(const fs::path& path);
};

bool MakePipe(const fs::path& path) { return mkfifo(path.c_str(), 0600) == 0; }
// The null device's numbers: were it opened, it would swallow the write
// silently, so only its kind still being a device shows it was left alone.
bool MakeDevice(const fs::path& path) { return mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0; }
bool MakeSocket(const fs::path& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (fd < 0 || path.string().size() >= sizeof address.sun_path) return false;
  std::strcpy(address.sun_path, path.c_str());
  const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);  // the socket's name stays in the folder
  return bound;
}

const NodeKind kNodeKinds[] = {
    {"pipe", "it is a named pipe, not a regular file", S_IFIFO, MakePipe},
    {"device", "it is a device, not a regular file", S_IFCHR, MakeDevice},
    {"socket", "it is a socket, not a regular file", S_IFSOCK, MakeSocket},
};

// Each kind, named directly or through a symbolic link to it.
struct Output {
  const NodeKind* kind;
  bool throughLink;
};

void PrintTo(const Output& output, std::ostream* out) {
  *out << output.kind->name << (output.throughLink ? " through a link" : "");
}

class NotRegularOutput : public ::testing::TestWithParam<Output> {
 protected:
  void SetUp() override { alarm(120); }  // a write that waits on the pipe ends the program
  void TearDown() override { alarm(0); }

  // The node, and the path a write is given: the node or a link to it.
  fs::path Make(const std::string& name) {
    const NodeKind& kind = *GetParam().kind;
    const fs::path node = folder / ("node-" + name);
    if (!kind.make(node)) {
      skipped = std::string("this process may not make a ") + kind.name + " here: " + std::strerror(errno);
      return {};
    }
    if (!GetParam().throughLink) return node;
    const fs::path link = folder / name;
    fs::create_symlink(node, link);
    return link;
  }

  // The node is still a node of its kind, and a link still leads to it.
  void ExpectUntouched(const fs::path& path) {
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0) << path;
    EXPECT_EQ(info.st_mode & S_IFMT, GetParam().kind->type) << path;
    EXPECT_EQ(fs::is_symlink(path), GetParam().throughLink) << path;
  }

  TemporaryFolder folder;
  std::string skipped;
};

TEST_P(NotRegularOutput, TheFilesPortRefusesItAndTouchesNothing) {
  const fs::path path = Make("out.sna");
  if (!skipped.empty()) GTEST_SKIP() << skipped;
  const std::vector<std::string> before = Names(folder / "");
  QtFiles files;
  const Outcome refused = files.Write(path, Bytes{1, 2, 3});
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.ErrorMessage(), GetParam().kind->reason);
  ExpectUntouched(path);
  EXPECT_EQ(Names(folder / ""), before) << "nothing made beside it";
}

TEST_P(NotRegularOutput, TheWindowsSaveShowsOneBoxWithTheReason) {
  const fs::path path = Make("out.sna");
  if (!skipped.empty()) GTEST_SKIP() << skipped;
  testing::ScriptedUi ui;
  QtFiles files;
  Editor editor(ui, files);
  ui.fileAnswers.push_back(kDemo);
  editor.LoadSnapshot();
  ASSERT_TRUE(editor.HasSnapshot());
  ui.questions.clear();
  ui.fileAnswers.push_back(path.string());
  ui.messageAnswers.push_back(MessageAnswer::Ok);  // "Overwrite?": it exists
  EXPECT_FALSE(editor.SaveSnapshotAs());
  const auto messages = ui.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].title, "Error Saving Snapshot");
  EXPECT_EQ(messages[1].text, "Could not write \"" + path.string() + "\": " + GetParam().kind->reason +
                                  ". Any file of that name is unchanged.");
  ExpectUntouched(path);
}

// Every command of the tool that writes through a save handler.
struct ToolSave {
  const char* output;                  // the name of the output node
  std::vector<std::string> arguments;  // OUT stands for it
};

const ToolSave kToolSaves[] = {
    {"out.asm", {"asm", kDemo, "-o", "OUT", "--force"}},
    {"out.tap", {"tap", kDemo, "-o", "OUT", "--force"}},
    {"out.sna", {"save", kDemo, "OUT", "--force"}},
    {"out.szx", {"edit", kDemo, "-e", "lives 5", "-o", "OUT", "--force"}},
    {"out.png", {"render", kDemo, "--png", "OUT", "--force"}},
    {"out.szx", {"demo", "-o", "OUT", "--force"}},
};

TEST_P(NotRegularOutput, EveryWriteOfTheToolIsRefusedInOneLine) {
  for (const ToolSave& save : kToolSaves) {
    const fs::path path = Make(save.output);
    if (!skipped.empty()) GTEST_SKIP() << skipped;
    std::vector<std::string> arguments = save.arguments;
    std::replace(arguments.begin(), arguments.end(), std::string("OUT"), path.string());
    const CliOutcome run = RunKestrova(folder / "", arguments, "", "timeout 20 ");
    EXPECT_EQ(run.status, 1) << arguments[0] << "\n" << run.err;
    const std::vector<std::string> lines = Lines(run.err);
    ASSERT_EQ(lines.size(), 1u) << run.err;
    EXPECT_EQ(lines[0].find("kestrova " + arguments[0] + ": " + path.string() + ": "), 0u) << lines[0];
    EXPECT_NE(lines[0].find(GetParam().kind->reason), std::string::npos) << lines[0];
    ExpectUntouched(path);
    fs::remove(path);
    fs::remove(folder / ("node-" + std::string(save.output)));
    EXPECT_TRUE(fs::is_empty(folder / ""))
        << "nothing made beside it: " << ::testing::PrintToString(Names(folder / ""));
  }
}

std::vector<Output> AllOutputs() {
  std::vector<Output> outputs;
  for (const NodeKind& kind : kNodeKinds) {
    outputs.push_back({&kind, false});
    outputs.push_back({&kind, true});
  }
  return outputs;
}

INSTANTIATE_TEST_SUITE_P(Kinds, NotRegularOutput, ::testing::ValuesIn(AllOutputs()),
                         [](const ::testing::TestParamInfo<Output>& output) {
                           return std::string(output.param.kind->name) + (output.param.throughLink ? "Link" : "");
                         });

// ---- Links and the file's permission bits ----

class RegularOutput : public ::testing::Test {
 protected:
  TemporaryFolder folder;
  QtFiles files;
};

TEST_F(RegularOutput, ALinkToAFileWritesThatFileAndStaysALink) {
  const fs::path file = folder / "real.sna";
  WriteWholeFile(file, {'o', 'l', 'd'});
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::path link = folder / "link.sna";
  fs::create_symlink("real.sna", link);  // relative, as links usually are
  ASSERT_TRUE(files.Write(link, Bytes{'n', 'e', 'w'}));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), "real.sna");
  EXPECT_EQ(ReadWholeFile(file), (Bytes{'n', 'e', 'w'}));
  EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Names(folder / ""), (std::vector<std::string>{"link.sna", "real.sna"}));
}

TEST_F(RegularOutput, ANewFileIsMadeAsTheUmaskSays) {
  const mode_t previous = umask(027);
  const Outcome written = files.Write(folder / "new.sna", Bytes{1});
  umask(previous);
  ASSERT_TRUE(written) << written.ErrorMessage();
  EXPECT_EQ(fs::status(folder / "new.sna").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A link that leads nowhere is not followed: a save would otherwise make a
// file at a place the person never named, or replace the link itself.
TEST_F(RegularOutput, ALinkThatLeadsNowhereIsRefused) {
  const fs::path link = folder / "gone.sna";
  fs::create_symlink(folder / "elsewhere" / "x.sna", link);
  fs::create_directory(folder / "elsewhere");
  const Outcome refused = files.Write(link, Bytes{1});
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.ErrorMessage(), "it is a symbolic link to a file that does not exist");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::is_empty(folder / "elsewhere"));
}

// ---- Failures injected below the program ----

// strace runs the real tool and makes the named system call fail. The
// syncs fail at every call: only the save makes them. A close fails only
// where the save closes its new file (the loader checks its own closes, and
// would end the program first): a run with no fault is traced, and the
// number of that close among the closes of its process is the one injected,
// so no count is written here that a change in Qt or the C library breaks.
struct Fault {
  const char* inject;
  const char* reason;
  bool atTheSavesClose;
};

const Fault kFaults[] = {
    {"fdatasync:error=EIO", "Input/output error", false},
    {"fdatasync:error=ENOSPC", "No space left on device", false},
    {"fsync:error=EIO", "Input/output error", false},  // the folder's, after the new file was put in place
    {"renameat2:error=EIO", "Input/output error", false},
    {"close:error=EIO", "Input/output error", true},
    {"close:error=ENOSPC", "No space left on device", true},
};

struct FaultedWrite {
  const char* output;
  std::vector<std::string> arguments;  // OUT stands for the output
};

const FaultedWrite kFaultedWrites[] = {
    {"out.sna", {"save", kDemo, "OUT", "--force"}},            // through "Save Snapshot"
    {"out.asm", {"asm", kDemo, "-o", "OUT", "--force"}},       // through "Save Disassembly"
    {"demo.szx", {"demo", "--128k", "-o", "OUT", "--force"}},  // straight to the file
};

// Which close of its process closes the new file of `output`, in a trace of
// openat and close written by strace -f; 0 when there is none.
int NumberOfTheClose(const std::string& trace, const std::string& output) {
  std::string pid, fd;
  int closes = 0;
  for (const std::string& line : Lines(trace)) {
    const std::size_t space = line.find(' ');
    if (space == std::string::npos) continue;
    const std::string linePid = line.substr(0, space);
    // strace pads the pid to a width: short pids are followed by more spaces.
    const std::size_t callStart = line.find_first_not_of(' ', space);
    if (callStart == std::string::npos) continue;
    const std::string call = line.substr(callStart);
    if (pid.empty()) {
      if (call.starts_with("openat(") && call.find("\"." + output + ".kestrova-") != std::string::npos) {
        pid = linePid;
        fd = call.substr(call.rfind("= ") + 2);
      }
    }
    if (!pid.empty() && linePid != pid) continue;
    if (call.starts_with("close(")) ++closes;
    if (!pid.empty() && call.starts_with("close(" + fd + ")")) return closes;
  }
  return 0;
}

class InjectedFault : public ::testing::Test {
 protected:
  void SetUp() override {
    if (testing::RunShell("strace -f -qq -o /dev/null true").status != 0)
      GTEST_SKIP() << "strace cannot trace here (missing, or no ptrace allowed)";
  }

  CliOutcome Run(const FaultedWrite& write, const std::string& options) {
    std::vector<std::string> arguments = write.arguments;
    std::replace(arguments.begin(), arguments.end(), std::string("OUT"), std::string(write.output));
    return RunKestrova(folder / "", arguments, "", "timeout 60 strace -f -qq " + options + " ");
  }

  std::string Injection(const Fault& fault, const FaultedWrite& write) {
    std::string inject = fault.inject;
    if (fault.atTheSavesClose) {
      const fs::path trace = folder / ".trace";
      Run(write, "-o " + trace.string() + " -e trace=openat,close");
      const int number = NumberOfTheClose(testing::ReadText(trace), write.output);
      fs::remove(trace);
      WriteWholeFile(folder / write.output, old);
      EXPECT_GT(number, 0) << "the save's close is not in the trace";
      inject += ":when=" + std::to_string(number);
    }
    return "-o /dev/null -e inject=" + inject;
  }

  TemporaryFolder folder;
  const Bytes old{'t', 'h', 'e', ' ', 'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'};
};

TEST_F(InjectedFault, WithoutTheFaultTheWriteSucceeds) {
  for (const FaultedWrite& write : kFaultedWrites) {
    WriteWholeFile(folder / write.output, old);
    const CliOutcome run = Run(write, "-o /dev/null");
    EXPECT_EQ(run.status, 0) << write.arguments[0] << "\n" << run.err;
    EXPECT_NE(ReadWholeFile(folder / write.output), old) << write.arguments[0];
    EXPECT_EQ(Names(folder / ""), std::vector<std::string>{write.output});
    fs::remove(folder / write.output);
  }
}

TEST_F(InjectedFault, EachFailsTheWriteInOneLineAndKeepsTheOldFile) {
  for (const Fault& fault : kFaults) {
    for (const FaultedWrite& write : kFaultedWrites) {
      const std::string what = std::string(fault.inject) + " " + write.arguments[0];
      WriteWholeFile(folder / write.output, old);
      const CliOutcome run = Run(write, Injection(fault, write));
      EXPECT_EQ(run.status, 1) << what << "\n" << run.err;
      const std::vector<std::string> lines = Lines(run.err);
      ASSERT_EQ(lines.size(), 1u) << what << "\n" << run.err;
      EXPECT_EQ(lines[0].find("kestrova " + write.arguments[0] + ": " + write.output + ": "), 0u) << what << "\n"
                                                                                                  << lines[0];
      EXPECT_NE(lines[0].find(fault.reason), std::string::npos) << what << "\n" << lines[0];
      EXPECT_EQ(ReadWholeFile(folder / write.output), old) << what;
      EXPECT_EQ(Names(folder / ""), std::vector<std::string>{write.output}) << what << ": no temporary left";
      fs::remove(folder / write.output);
    }
  }
}

// ---- Standard input as a script ----

TEST(ScriptFromStandardInput, AnEndlessStreamIsRefusedAtTheBound) {
  TemporaryFolder folder;
  const auto start = std::chrono::steady_clock::now();
  const CliOutcome run =
      RunKestrova(folder / "", {"edit", kDemo, "--script", "-", "-o", "e.sna"}, "</dev/zero", "timeout 20 ");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.err,
            "kestrova edit: standard input: could not read: it holds more than 1 MiB, and nothing larger is read\n");
  EXPECT_FALSE(fs::exists(folder / "e.sna"));
}

}  // namespace
}  // namespace kestrova
