// The .szx layer against libspectrum and snapconv (fuse-emulator-utils).
#include <gtest/gtest.h>
#include <libspectrum.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "snapshot/ram_banks.h"
#include "snapshot/sna.h"
#include "snapshot/szx_snapshot.h"
#include "snapshot/szx_writer.h"
#include "support/libspectrum_snap.h"
#include "support/ref_shell.h"
#include "support/snapshot_fixtures.h"

namespace kestrova {
namespace {

using testing::Bytes;
namespace fs = std::filesystem;
using kestrova::testing::ReadWholeFile;
using kestrova::testing::WriteWholeFile;

class SzxReference : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { libspectrum_init(); }

  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("kestrova-szx-ref-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // snapconv IN OUT (with `options`), the result's bytes.
  Bytes Snapconv(std::span<const std::uint8_t> sna, const std::string& options) {
    const fs::path in = folder_ / "in.sna";
    const fs::path out = folder_ / "out.szx";
    WriteWholeFile(in, Bytes(sna.begin(), sna.end()));
    const std::string command = "snapconv " + options + " '" + in.string() + "' '" + out.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return ReadWholeFile(out);
  }

  fs::path folder_;
};

using testing::Snap;

Snap ReadWithLibspectrum(const Bytes& file, libspectrum_id_t type) {
  Snap snap(libspectrum_snap_alloc());
  if (libspectrum_snap_read(snap.get(), file.data(), file.size(), type, nullptr) != LIBSPECTRUM_ERROR_NONE) {
    return nullptr;
  }
  return snap;
}

// Every bank the image holds, as libspectrum holds it.
void ExpectTheSameBanks(libspectrum_snap* snap, const SnapshotImage& image) {
  for (const std::uint8_t bank : BanksOf(image)) {
    const libspectrum_byte* page = libspectrum_snap_pages(snap, bank);
    ASSERT_NE(page, nullptr) << int{bank};
    const auto held = BankBytes(image, bank);
    ASSERT_EQ(held.size(), kPageSize) << int{bank};
    EXPECT_TRUE(std::equal(held.begin(), held.end(), page)) << "bank " << int{bank};
  }
}

// What libspectrum reads from a .szx of ours must be the image: machine,
// registers, border, paging and every bank.
void ExpectLibspectrumSeesTheImage(const Bytes& szx, const SnapshotImage& image, std::uint16_t sp, std::uint16_t pc) {
  const Snap snap = ReadWithLibspectrum(szx, LIBSPECTRUM_ID_SNAPSHOT_SZX);
  ASSERT_TRUE(snap);
  const bool is48K = image.Is48K();
  EXPECT_EQ(libspectrum_snap_machine(snap.get()), is48K ? LIBSPECTRUM_MACHINE_48 : LIBSPECTRUM_MACHINE_128);
  libspectrum_snap* s = snap.get();
  auto word = [&](std::size_t offset) { return image.ReadOffsetWord(offset); };
  EXPECT_EQ(libspectrum_snap_a(s) << 8 | libspectrum_snap_f(s), word(kHeaderAF));
  EXPECT_EQ(libspectrum_snap_bc(s), word(kHeaderBC));
  EXPECT_EQ(libspectrum_snap_de(s), word(kHeaderDE));
  EXPECT_EQ(libspectrum_snap_hl(s), word(kHeaderHL));
  EXPECT_EQ(libspectrum_snap_a_(s) << 8 | libspectrum_snap_f_(s), word(kHeaderAFAlt));
  EXPECT_EQ(libspectrum_snap_bc_(s), word(kHeaderBCAlt));
  EXPECT_EQ(libspectrum_snap_de_(s), word(kHeaderDEAlt));
  EXPECT_EQ(libspectrum_snap_hl_(s), word(kHeaderHLAlt));
  EXPECT_EQ(libspectrum_snap_ix(s), word(kHeaderIX));
  EXPECT_EQ(libspectrum_snap_iy(s), word(kHeaderIY));
  EXPECT_EQ(libspectrum_snap_i(s), image.ReadOffset(kHeaderI));
  EXPECT_EQ(libspectrum_snap_r(s), image.ReadOffset(kHeaderR));
  const bool enabled = (image.ReadOffset(kHeaderInterrupts) & kInterruptsEnabled) != 0;
  EXPECT_EQ(libspectrum_snap_iff1(s), enabled ? 1 : 0);
  EXPECT_EQ(libspectrum_snap_iff2(s), enabled ? 1 : 0);
  EXPECT_EQ(libspectrum_snap_im(s), image.ReadOffset(kHeaderIM));
  EXPECT_EQ(libspectrum_snap_sp(s), sp);
  EXPECT_EQ(libspectrum_snap_pc(s), pc);
  EXPECT_EQ(libspectrum_snap_out_ula(s) & 0x07, image.ReadOffset(kHeaderBorder) & 0x07);
  if (!is48K) {
    EXPECT_EQ(libspectrum_snap_out_128_memoryport(s), image.ReadOffset(kOffset128KPort7FFD));
  }
  ExpectTheSameBanks(s, image);
}

SnapshotImage DemoImage(const char* name) { return SnapshotImage(ReadWholeFile(fs::path(KESTROVA_DEMO_DIR) / name)); }

TEST_F(SzxReference, SnapconvOfThe48KDemoLoadsToTheSnaItself) {
  for (const SnapshotImage& sna : {DemoImage("kestrova-demo.sna"), testing::FixtureImage(DemoMachine::Spectrum48K)}) {
    ASSERT_EQ(sna.Size(), kSnapshotSize48K);
    // libspectrum pops the PC off the stack; our reader pushes it back.
    const Bytes szx = Snapconv(sna.Bytes(), "");
    ASSERT_LT(szx.size(), kSzx128KFileLength);
    const auto load = ReadSzxSnapshot(szx, {}, {});
    ASSERT_TRUE(load.Ok());
    EXPECT_TRUE(
        std::equal(sna.Bytes().begin(), sna.Bytes().end(), load->image.Bytes().begin(), load->image.Bytes().end()));
  }
}

TEST_F(SzxReference, SnapconvOfThe128KDemoLoadsToTheSnaItself) {
  for (const SnapshotImage& sna :
       {DemoImage("kestrova-demo-128k.sna"), testing::FixtureImage(DemoMachine::Spectrum128K)}) {
    ASSERT_EQ(sna.Size(), kSnapshotSize128K);
    ASSERT_EQ(sna.ReadOffset(kOffset128KPort7FFD) & 0x07, 0) << "bank 0 paged at 0xC000";
    // Raw pages, so that the file's length makes it a 128K snapshot.
    const Bytes szx = Snapconv(sna.Bytes(), "-n");
    ASSERT_GE(szx.size(), kSzx128KFileLength);
    const auto load = ReadSzxSnapshot(szx, {}, {});
    ASSERT_TRUE(load.Ok());
    ASSERT_EQ(load->image.Size(), kSnapshotSize128K);
    // Every bank, the PC, port 0x7FFD and the TR-DOS byte.
    EXPECT_TRUE(
        std::equal(sna.Bytes().begin(), sna.Bytes().end(), load->image.Bytes().begin(), load->image.Bytes().end()));
  }
}

TEST_F(SzxReference, LibspectrumReadsWhatWeWrite) {
  for (const SnapshotImage& image :
       {testing::FixtureImage(DemoMachine::Spectrum48K), testing::FixtureImage(DemoMachine::Spectrum128K)}) {
    const std::uint16_t sp = image.ReadOffsetWord(kHeaderSP);
    const bool is48K = image.Is48K();
    ExpectLibspectrumSeesTheImage(BuildSzxFile(image, std::nullopt), image,
                                  is48K ? static_cast<std::uint16_t>(sp + 2) : sp,
                                  is48K ? image.ReadWord(sp) : image.ReadOffsetWord(kOffset128KPc));
  }
  // The demo files the build wrote.
  for (const char* name : {"kestrova-demo", "kestrova-demo-128k"}) {
    const SnapshotImage image = DemoImage((std::string(name) + ".sna").c_str());
    const Bytes szx = ReadWholeFile(fs::path(KESTROVA_DEMO_DIR) / (std::string(name) + ".szx"));
    const std::uint16_t sp = image.ReadOffsetWord(kHeaderSP);
    const bool is48K = image.Is48K();
    ExpectLibspectrumSeesTheImage(szx, image, is48K ? static_cast<std::uint16_t>(sp + 2) : sp,
                                  is48K ? image.ReadWord(sp) : image.ReadOffsetWord(kOffset128KPc));
  }
}

// libspectrum writes the 128K demo as a .sna taken with `port7FFD`, every
// bank marked at the same place with its own number.
Bytes Marked128KSnaFromLibspectrum(std::uint8_t port7FFD) {
  const Snap snap = ReadWithLibspectrum(ReadWholeFile(fs::path(KESTROVA_DEMO_DIR) / "kestrova-demo-128k.sna"),
                                        LIBSPECTRUM_ID_SNAPSHOT_SNA);
  if (!snap) return {};
  for (int bank = 0; bank < 8; ++bank)
    libspectrum_snap_pages(snap.get(), bank)[0x3F00] = static_cast<libspectrum_byte>(0xB0 + bank);
  libspectrum_snap_set_out_128_memoryport(snap.get(), port7FFD);
  libspectrum_byte* buffer = nullptr;
  std::size_t length = 0;
  int flags = 0;
  if (libspectrum_snap_write(&buffer, &length, &flags, snap.get(), LIBSPECTRUM_ID_SNAPSHOT_SNA, nullptr, 0) !=
      LIBSPECTRUM_ERROR_NONE) {
    return {};
  }
  Bytes file(buffer, buffer + length);
  libspectrum_free(buffer);
  return file;
}

TEST_F(SzxReference, A128KGameWithAnyBankPagedKeepsEveryBankAndItsPagingThroughBothFormats) {
  for (const std::uint8_t port : {std::uint8_t{0x10}, std::uint8_t{0x13}, std::uint8_t{0x17}, std::uint8_t{0x15}}) {
    const Bytes file = Marked128KSnaFromLibspectrum(port);
    ASSERT_FALSE(file.empty());
    const auto sna = ReadSna(file);
    ASSERT_TRUE(sna.Ok()) << sna.ErrorMessage();
    // The game's banks where the editor edits them, whatever was paged in.
    EXPECT_EQ(sna->Read(0xFF00), 0xB0) << "bank 0 at 0xC000";
    EXPECT_EQ(sna->Read(0xBF00), 0xB2) << "bank 2 at 0x8000";
    const Snap original = ReadWithLibspectrum(file, LIBSPECTRUM_ID_SNAPSHOT_SNA);
    ASSERT_TRUE(original);
    ExpectTheSameBanks(original.get(), *sna);
    // Written back as .sna: the file libspectrum wrote.
    EXPECT_EQ(SnaFileFromImage(*sna), file) << "port " << int{port};
    // As .szx: libspectrum finds every bank, the paging and the flags.
    const Snap szx = ReadWithLibspectrum(BuildSzxFile(*sna, std::nullopt), LIBSPECTRUM_ID_SNAPSHOT_SZX);
    ASSERT_TRUE(szx);
    ExpectTheSameBanks(szx.get(), *sna);
    EXPECT_EQ(libspectrum_snap_out_128_memoryport(szx.get()), port);
    EXPECT_EQ(libspectrum_snap_iff1(szx.get()), libspectrum_snap_iff1(original.get()));
    EXPECT_EQ(libspectrum_snap_iff2(szx.get()), libspectrum_snap_iff2(original.get()));
    EXPECT_EQ(libspectrum_snap_im(szx.get()), libspectrum_snap_im(original.get()));
    EXPECT_EQ(libspectrum_snap_pc(szx.get()), libspectrum_snap_pc(original.get()));
    EXPECT_EQ(libspectrum_snap_sp(szx.get()), libspectrum_snap_sp(original.get()));
    // And that .szx read back gives the .sna again.
    const auto back = ReadSzxSnapshot(BuildSzxFile(*sna, std::nullopt), {}, {});
    ASSERT_TRUE(back.Ok());
    EXPECT_EQ(SnaFileFromImage(back->image), file) << "port " << int{port};
  }
}

TEST_F(SzxReference, KeptBlocksGiveLibspectrumTheRegistersOfTheOriginal) {
  const SnapshotImage sna = testing::FixtureImage(DemoMachine::Spectrum48K);
  const Bytes original = Snapconv(sna.Bytes(), "");
  const auto load = ReadSzxSnapshot(original, {}, {});
  ASSERT_TRUE(load.Ok());
  const Snap before = ReadWithLibspectrum(original, LIBSPECTRUM_ID_SNAPSHOT_SZX);
  const Snap after = ReadWithLibspectrum(BuildSzxFile(load->image, load->kept), LIBSPECTRUM_ID_SNAPSHOT_SZX);
  ASSERT_TRUE(before && after);
  libspectrum_snap* b = before.get();
  libspectrum_snap* a = after.get();
  EXPECT_EQ(libspectrum_snap_machine(a), libspectrum_snap_machine(b));
  EXPECT_EQ(libspectrum_snap_sp(a), libspectrum_snap_sp(b));
  EXPECT_EQ(libspectrum_snap_pc(a), libspectrum_snap_pc(b));
  EXPECT_EQ(libspectrum_snap_hl_(a), libspectrum_snap_hl_(b));
  EXPECT_EQ(libspectrum_snap_iy(a), libspectrum_snap_iy(b));
  EXPECT_EQ(libspectrum_snap_iff2(a), libspectrum_snap_iff2(b));
  EXPECT_EQ(libspectrum_snap_out_ula(a), libspectrum_snap_out_ula(b));
  for (int page : {5, 2, 0}) {
    EXPECT_TRUE(std::equal(libspectrum_snap_pages(a, page), libspectrum_snap_pages(a, page) + kPageSize,
                           libspectrum_snap_pages(b, page)))
        << page;
  }
}

TEST_F(SzxReference, TheDemoCommandWritesTheBuildsDemoFiles) {
  for (const std::string& options : {std::string(), std::string("--128k ")}) {
    for (const char* extension : {".sna", ".szx"}) {
      const fs::path out = folder_ / (std::string("demo") + extension);
      const std::string command = std::string(KESTROVA_CLI) + " demo " + options + "--force -o '" + out.string() + "'";
      ASSERT_EQ(std::system(command.c_str()), 0) << command;
      const std::string name = std::string(options.empty() ? "kestrova-demo" : "kestrova-demo-128k") + extension;
      EXPECT_EQ(ReadWholeFile(out), ReadWholeFile(fs::path(KESTROVA_DEMO_DIR) / name)) << name;
    }
  }
  const std::string refused =
      std::string(KESTROVA_CLI) + " demo -o '" + (folder_ / "demo.tap").string() + "' 2>/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(refused.c_str())), 2);
  EXPECT_FALSE(fs::exists(folder_ / "demo.tap"));
}

}  // namespace
}  // namespace kestrova
