// `kestrova info` on the demo snapshots, checked against the memory that
// libspectrum reads from the same files, and on files the editor refuses.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <libspectrum.h>
#include "support/ref_shell.h"

namespace {

namespace fs = std::filesystem;
using kestrova::testing::ReadWholeFile;
using kestrova::testing::WriteWholeFile;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

fs::path TempFolder() {
  const fs::path folder = fs::temp_directory_path() / ("kestrova-info-test-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  return folder;
}

CliRun RunCli(const std::string& arguments) {
  const fs::path folder = TempFolder();
  const fs::path out = folder / "stdout.txt";
  const fs::path err = folder / "stderr.txt";
  const std::string command =
      std::string("'") + KESTROVA_CLI + "' " + arguments + " >'" + out.string() + "' 2>'" + err.string() + "'";
  CliRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadText(out);
  run.err = ReadText(err);
  return run;
}

// Whether libspectrum finds a RAM page in the file that a 48K machine lacks.
bool HoldsPagesBeyond48K(const std::vector<unsigned char>& file, const std::string& name) {
  libspectrum_init();
  libspectrum_snap* snap = libspectrum_snap_alloc();
  EXPECT_EQ(libspectrum_snap_read(snap, file.data(), file.size(), LIBSPECTRUM_ID_UNKNOWN, name.c_str()),
            LIBSPECTRUM_ERROR_NONE);
  bool found = false;
  for (int page : {1, 3, 4, 6, 7}) found = found || libspectrum_snap_pages(snap, page) != nullptr;
  libspectrum_snap_free(snap);
  return found;
}

// Spectrum memory 0x4000-0xFFFF as libspectrum reads the file: pages 5 and 2,
// then the page at 0xC000 (the paged one in a .sna; page 0 from a .szx, as
// the editor lays a .szx out).
std::function<unsigned(unsigned)> MemoryOf(const std::vector<unsigned char>& file, const std::string& name, bool szx,
                                           std::vector<unsigned char>& memory) {
  libspectrum_init();
  libspectrum_snap* snap = libspectrum_snap_alloc();
  EXPECT_EQ(libspectrum_snap_read(snap, file.data(), file.size(), LIBSPECTRUM_ID_UNKNOWN, name.c_str()),
            LIBSPECTRUM_ERROR_NONE);
  const bool is48K = libspectrum_snap_machine(snap) == LIBSPECTRUM_MACHINE_48;
  const int top = is48K || szx ? 0 : (libspectrum_snap_out_128_memoryport(snap) & 7);
  memory.assign(0x10000, 0);
  const int pages[3] = {5, 2, top};
  for (int i = 0; i < 3; ++i) {
    const libspectrum_byte* page = libspectrum_snap_pages(snap, pages[i]);
    if (page) std::copy(page, page + 0x4000, memory.begin() + 0x4000 * (i + 1));
  }
  libspectrum_snap_free(snap);
  return [&memory](unsigned address) { return static_cast<unsigned>(memory[address & 0xFFFF]); };
}

// The expected report, walked record by record from 0x9236: each end record
// closes a level, and the next byte is either the marker or the next level.
std::string ExpectedJson(const std::function<unsigned(unsigned)>& read, const std::string& format, std::size_t size) {
  std::vector<std::pair<unsigned, unsigned>> levels;
  unsigned start = 0x9236;
  unsigned marker = 0;
  for (unsigned p = start; p <= 0x98CC; p += 2) {
    if (read(p) == 0x22 && read(p + 1) == 0x01) {
      levels.emplace_back(start, p);
      if (read(p + 2) == 0xFF) {
        marker = p + 2;
        break;
      }
      start = p + 2;
    }
  }
  EXPECT_NE(marker, 0u) << "the demo has an end-of-levels marker";

  // QJsonDocument writes the keys of an object in sorted order.
  std::string json =
      "{\"bytesFree\":" + std::to_string(0x98CE - marker) + ",\"format\":\"" + format + "\",\"levels\":[";
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const auto [s, e] = levels[i];
    int height = 0;
    for (unsigned p = s; p <= e; p += 2) {
      if (read(p) == 0) height += 2 * static_cast<int>(read(p + 1)) + 2;
    }
    height = (height + 191) / 192 * 192;
    char chooser[64];
    std::snprintf(chooser, sizeof chooser, "Level %zu $%04X (%u)", i + 1, s, s);
    if (i) json += ",";
    json += "{\"chooserText\":\"" + std::string(chooser) + "\",\"end\":" + std::to_string(e) +
            ",\"height\":" + std::to_string(height) + ",\"number\":" + std::to_string(i + 1) +
            ",\"records\":" + std::to_string((e - s) / 2 + 1) + ",\"start\":" + std::to_string(s) + "}";
  }
  const unsigned b = read(0xE327);
  std::string listed;
  std::size_t count = 0;
  for (std::size_t n = 1; n <= levels.size(); ++n) {
    if ((n & b) == 0) {
      listed += (count++ ? ", " : "") + std::to_string(n);
    }
  }
  const std::string head = "Fortress Byte: " + std::to_string(b) + " (levels ";
  const std::string hint = head +
                           (count == levels.size() ? std::string("ALL")
                            : count == 0           ? std::string("NONE")
                                                   : listed) +
                           ")";
  const std::string label = hint.size() > 60 ? hint.substr(0, 60) + "..." : hint;
  json += "],\"machine\":\"" + std::string(size == 49179 ? "48K" : "128K") +
          "\",\"schema\":\"kestrova-info/1\",\"settings\":{\"enemyDelay\":" + std::to_string(read(0xDD3B)) +
          ",\"fortressByte\":" + std::to_string(b) + ",\"fortressHint\":\"" + hint + "\",\"fortressLabel\":\"" + label +
          "\",\"lives\":" + std::to_string(read(0x7983)) + ",\"pixelsDown\":" + std::to_string(read(0xDCFA)) +
          ",\"startColumn\":" + std::to_string(read(0xDCF7)) + "},\"snapshotSize\":" + std::to_string(size) + "}\n";
  return json;
}

TEST(KestrovaInfo, ListsTheDemosLevelsAndSettings) {
  for (const char* name :
       {"kestrova-demo.sna", "kestrova-demo-128k.sna", "kestrova-demo.szx", "kestrova-demo-128k.szx"}) {
    const fs::path path = fs::path(KESTROVA_DEMO_DIR) / name;
    if (!fs::exists(path)) continue;  // the .szx demos come with the .szx writer
    const bool szx = path.extension() == ".szx";
    const std::vector<unsigned char> file = ReadWholeFile(path);
    ASSERT_FALSE(file.empty()) << path;
    std::vector<unsigned char> memory;
    const auto read = MemoryOf(file, path.string(), szx, memory);
    // A .szx is taken as 128K from 35000 bytes of file on, or when it holds a
    // page a 48K machine lacks; otherwise as 48K.
    const bool szx128K = file.size() >= 35000 || HoldsPagesBeyond48K(file, path.string());
    const std::size_t size = !szx ? file.size() : szx128K ? 131103 : 49179;

    const CliRun json = RunCli("info '" + path.string() + "' --json");
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.err, "");
    EXPECT_EQ(json.out, ExpectedJson(read, szx ? "szx" : "sna", size)) << name;

    const CliRun text = RunCli("info '" + path.string() + "'");
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("bytes free: "), std::string::npos);
    EXPECT_NE(text.out.find("Level 1 $9236 (37430)"), std::string::npos);
  }
}

TEST(KestrovaInfo, ARefusedFileGivesTheEditorsMessageAndStatus1) {
  const fs::path demo = fs::path(KESTROVA_DEMO_DIR) / "kestrova-demo.sna";
  const std::vector<unsigned char> good = ReadWholeFile(demo);
  ASSERT_EQ(good.size(), 49179u);
  const fs::path folder = TempFolder();
  const auto offset = [](unsigned address) { return address - 0x4000 + 27; };

  std::vector<unsigned char> stranger = good;  // neither recognition byte
  stranger[offset(0x751D)] = 0;
  stranger[offset(0x7A93)] = 0;
  WriteWholeFile(folder / "stranger.sna", stranger);
  const CliRun notGame = RunCli("info '" + (folder / "stranger.sna").string() + "' --json");
  EXPECT_EQ(notGame.status, 1);
  EXPECT_EQ(notGame.err, "kestrova info: " + (folder / "stranger.sna").string() + ": Not a Kestrova Snapshot!\n");
  EXPECT_EQ(notGame.out, "");

  std::vector<unsigned char> noMarker = good;  // level area without 22 01 FF
  for (unsigned a = 0x9236; a <= 0x98CE; ++a) noMarker[offset(a)] = 0x83;
  WriteWholeFile(folder / "nomarker.sna", noMarker);
  const CliRun unmarked = RunCli("info '" + (folder / "nomarker.sna").string() + "'");
  EXPECT_EQ(unmarked.status, 1);
  EXPECT_EQ(unmarked.err,
            "kestrova info: " + (folder / "nomarker.sna").string() + ": No end-of-levels marker in the level data.\n");
  EXPECT_EQ(unmarked.out, "");

  const CliRun usage = RunCli("info");
  EXPECT_EQ(usage.status, 2);
  fs::remove_all(folder);
}

}  // namespace
