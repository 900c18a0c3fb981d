#include "snapshot/szx.h"

#include <gtest/gtest.h>

#include <string>

#include "snapshot/szx_snapshot.h"
#include "snapshot/szx_writer.h"
#include "support/memory_files.h"
#include "support/snapshot_fixtures.h"

namespace kestrova {
namespace {

using testing::Bytes;
using testing::CompressedRampBody;
using testing::PaddingBlock;
using testing::RawRampBody;
using testing::SpcrBody;
using testing::SzxBlock;
using testing::SzxFile;
using testing::Z80rBody;

struct Delivered {
  std::string id;
  Bytes block;  // the first 8 + body-size bytes at the block pointer
  Bytes payload;
};

// Loads and records every delivered block.
Outcome LoadRecording(const Bytes& file, std::vector<Delivered>& delivered) {
  return LoadSZXStateFromBytes(file, [&](const std::uint8_t* block, const std::uint8_t* data, std::uint32_t length) {
    const std::uint32_t size = block[4] | block[5] << 8 | block[6] << 16 | static_cast<std::uint32_t>(block[7]) << 24;
    delivered.push_back({std::string(block, block + 4), Bytes(block, block + 8 + size), Bytes(data, data + length)});
    return 0u;
  });
}

Bytes Filled(std::uint8_t value) { return Bytes(kSzxPageSize, value); }

Bytes Counting() {
  Bytes page(kSzxPageSize);
  for (std::size_t i = 0; i < page.size(); ++i) page[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  return page;
}

TEST(SzxLayer, RefusesMalformedFiles) {
  Bytes sizeRunsPast = SzxFile(1, {SzxBlock("CRTR", Bytes(36, 0))});
  sizeRunsPast[12] = 37;  // body size one past the end
  Bytes hugeSize = SzxFile(1, {SzxBlock("XXXX", Bytes(4, 0))});
  for (int i = 12; i < 16; ++i) hugeSize[static_cast<std::size_t>(i)] = 0xFF;
  Bytes badMagic = SzxFile(1, {});
  badMagic[3] = 'X';
  const Bytes garbage = {1, 0, 5, 0x78, 0x9C, 0xDE, 0xAD, 0xBE, 0xEF};

  // Each refusal says where the file goes wrong: the block, its page, the
  // byte it starts at and where the file ends.
  struct Malformed {
    const char* name;
    Bytes file;
    const char* reason;
  };
  const Malformed cases[] = {
      {"empty", {}, "the file holds 0 bytes; a .szx file begins with an 8-byte header"},
      {"short magic", {'Z', 'X', 'S'}, "the file holds 3 bytes; a .szx file begins with an 8-byte header"},
      {"bad magic", badMagic, "the file does not begin with \"ZXST\": it is not a .szx file"},
      {"block header cut short",
       [] {
         Bytes f = SzxFile(1, {});
         f.insert(f.end(), {'R', 'A', 'M', 'P', 3});
         return f;
       }(),
       "the file ends at byte 13, inside the header of a block that begins at byte 8"},
      {"block size runs past the end", sizeRunsPast,
       "the \"CRTR\" block at byte 8 says it holds 37 bytes, but the file ends 36 bytes into it, at byte 52"},
      {"block size 0xFFFFFFFF", hugeSize,
       "the \"XXXX\" block at byte 8 says it holds 4294967295 bytes, but the file ends 4 bytes into it, at byte 20"},
      {"Z80R body of 36", SzxFile(1, {SzxBlock("Z80R", Bytes(36, 0))}),
       "the \"Z80R\" block at byte 8 holds 36 bytes; its fields need 37"},
      {"SPCR body of 7", SzxFile(1, {SzxBlock("SPCR", Bytes(7, 0))}),
       "the \"SPCR\" block at byte 8 holds 7 bytes; its fields need 8"},
      {"RAMP body of 2", SzxFile(1, {SzxBlock("RAMP", Bytes(2, 0))}),
       "the \"RAMP\" block at byte 8 holds 2 bytes; its fields need 3"},
      {"page inflating to 16383", SzxFile(1, {SzxBlock("RAMP", CompressedRampBody(5, Bytes(16383, 1)))}),
       "the \"RAMP\" block of page 5 at byte 8 inflates to 16383 bytes, not to one page of 16384"},
      {"page inflating to 16385", SzxFile(1, {SzxBlock("RAMP", CompressedRampBody(3, Bytes(16385, 1)))}),
       "the \"RAMP\" block of page 3 at byte 8 inflates to more than 16384 bytes, not to one page of 16384"},
      {"compressed page that is not zlib", SzxFile(1, {SzxBlock("RAMP", garbage)}),
       "the \"RAMP\" block of page 5 at byte 8 holds compressed data that is damaged or cut short"},
      {"compressed page with no data", SzxFile(1, {SzxBlock("RAMP", Bytes{1, 0, 5})}),
       "the \"RAMP\" block of page 5 at byte 8 holds compressed data that is damaged or cut short"},
      {"good block, then a bad one", SzxFile(1, {SzxBlock("Z80R", Z80rBody(0x8000, 0)), SzxBlock("SPCR", Bytes(3, 0))}),
       "the \"SPCR\" block at byte 53 holds 3 bytes; its fields need 8"},
  };
  for (const Malformed& c : cases) {
    std::vector<Delivered> delivered;
    const Outcome fault = LoadRecording(c.file, delivered);
    ASSERT_FALSE(fault.Ok()) << c.name;
    EXPECT_EQ(fault.ErrorMessage(), c.reason) << c.name;
  }
  // A snapshot's refusal keeps the box's described text first.
  const auto load = ReadSzxSnapshot(cases[9].file, {}, {});
  ASSERT_FALSE(load.Ok());
  EXPECT_EQ(load.ErrorMessage(), std::string("Load Error\n") + cases[9].reason);
}

TEST(SzxLayer, DeliversEveryBlockAsStoredWithItsPayload) {
  const Bytes page = Counting();
  const Bytes compressed = CompressedRampBody(2, page);
  const Bytes file =
      SzxFile(2, {SzxBlock("CRTR", Bytes(36, 'k')), SzxBlock("ABCD", Bytes{9, 8, 7}),
                  SzxBlock("Z80R", Z80rBody(0x8000, 0x1234)), SzxBlock("SPCR", SpcrBody(3, 0x17)),
                  SzxBlock("RAMP", compressed), SzxBlock("RAMP", RawRampBody(5, 0x55)), SzxBlock("EMPT", {})});
  std::vector<Delivered> delivered;
  ASSERT_TRUE(LoadRecording(file, delivered).Ok());
  ASSERT_EQ(delivered.size(), 7u);
  const char* ids[] = {"CRTR", "ABCD", "Z80R", "SPCR", "RAMP", "RAMP", "EMPT"};
  for (std::size_t i = 0; i < delivered.size(); ++i) EXPECT_EQ(delivered[i].id, ids[i]);
  EXPECT_EQ(delivered[1].payload, (Bytes{9, 8, 7}));
  EXPECT_EQ(delivered[2].block, SzxBlock("Z80R", Z80rBody(0x8000, 0x1234)));
  // A compressed page: the block as stored, the page inflated.
  EXPECT_EQ(delivered[4].block, SzxBlock("RAMP", compressed));
  EXPECT_EQ(delivered[4].payload, page);
  // A raw page comes as it is.
  EXPECT_EQ(delivered[5].payload, Filled(0x55));
  EXPECT_TRUE(delivered[6].payload.empty());

  std::vector<Delivered> none;
  EXPECT_TRUE(LoadRecording(SzxFile(1, {}), none).Ok());
  EXPECT_TRUE(none.empty());
}

TEST(SzxLayer, ReadsThroughTheFilesPort) {
  testing::MemoryFiles files;
  files.files["a.szx"] = SzxFile(1, {SzxBlock("SPCR", SpcrBody(2, 0))});
  files.files["locked.szx"] = files.files["a.szx"];
  files.unreadable.insert("locked.szx");
  int blocks = 0;
  const auto count = [&](const std::uint8_t*, const std::uint8_t*, std::uint32_t) {
    return static_cast<std::uint32_t>(++blocks);
  };
  EXPECT_TRUE(LoadSZXStateFromFile(files, "a.szx", count).Ok());
  EXPECT_EQ(blocks, 1);
  EXPECT_FALSE(LoadSZXStateFromFile(files, "locked.szx", count).Ok());
  EXPECT_FALSE(LoadSZXStateFromFile(files, "missing.szx", count).Ok());
  EXPECT_EQ(blocks, 1);
}

TEST(SzxLayer, WriterFillsSizeFieldsWhateverTheBufferHolds) {
  std::vector<std::uint8_t> sink;
  auto buffer = [](const char* id, std::uint32_t sizeField) {
    SzxBlockBuffer block{};
    std::copy_n(id, 4, block.begin());
    for (std::size_t i = 0; i < 4; ++i) block[4 + i] = static_cast<std::uint8_t>(sizeField >> (8 * i));
    for (std::size_t i = 8; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i);
    return block;
  };
  SzxBlockBuffer header = buffer("ZXST", 0x00020001);
  SaveSZXBlockToFilehandle(sink, header, nullptr, 0);
  SaveSZXBlockToFilehandle(sink, buffer("CRTR", 0xDEADBEEF), nullptr, 0);
  SaveSZXBlockToFilehandle(sink, buffer("Z80R", 0), nullptr, 0);
  SaveSZXBlockToFilehandle(sink, buffer("SPCR", 1000), nullptr, 0);
  const std::uint8_t extra[] = {1, 2, 3};
  SaveSZXBlockToFilehandle(sink, buffer("XTRA", 4), extra, 3);
  SaveSZXBlockToFilehandle(sink, buffer("XBIG", 100000), nullptr, 0);

  ASSERT_EQ(Bytes(sink.begin(), sink.begin() + 8), Bytes(header.begin(), header.begin() + 8));
  std::vector<Delivered> delivered;
  ASSERT_TRUE(LoadRecording(Bytes(sink.begin(), sink.end()), delivered).Ok());
  ASSERT_EQ(delivered.size(), 5u);
  const std::size_t bodySizes[] = {36, 37, 8, 4 + 3, 248};
  for (std::size_t i = 0; i < delivered.size(); ++i) {
    ASSERT_EQ(delivered[i].block.size(), 8 + bodySizes[i]) << delivered[i].id;
    EXPECT_EQ(delivered[i].block[8], 8) << "fields follow the size: " << delivered[i].id;
  }
  EXPECT_EQ(Bytes(delivered[3].block.end() - 3, delivered[3].block.end()), (Bytes{1, 2, 3}));
}

TEST(SzxLayer, RampPagesRoundTripCompressedOrRaw) {
  const Bytes page = Counting();
  std::vector<std::uint8_t> sink;
  SzxBlockBuffer header{'Z', 'X', 'S', 'T', 1, 0, 1, 0};
  SaveSZXBlockToFilehandle(sink, header, nullptr, 0);
  for (std::uint8_t flags : {std::uint8_t{1}, std::uint8_t{0}}) {
    SzxBlockBuffer ramp{'R', 'A', 'M', 'P', 0xAA, 0xAA, 0xAA, 0xAA, flags, 0, 7};
    SaveSZXBlockToFilehandle(sink, ramp, page.data(), static_cast<std::uint32_t>(page.size()));
  }
  std::vector<Delivered> delivered;
  ASSERT_TRUE(LoadRecording(Bytes(sink.begin(), sink.end()), delivered).Ok());
  ASSERT_EQ(delivered.size(), 2u);
  EXPECT_LT(delivered[0].block.size(), 8 + 3 + kSzxPageSize) << "compressed";
  EXPECT_EQ(delivered[1].block.size(), 8 + 3 + kSzxPageSize) << "raw";
  for (const Delivered& d : delivered) {
    EXPECT_EQ(d.block[10], 7);
    EXPECT_EQ(d.payload, page);
  }
}

// ---- Filling the image from the blocks ----

Bytes Page48K(std::uint8_t page, std::uint8_t fill) { return SzxBlock("RAMP", CompressedRampBody(page, Filled(fill))); }

// 48K by length: small, compressed pages.
Bytes File48K(std::uint16_t sp, std::uint16_t pc, std::vector<Bytes> pages) {
  std::vector<Bytes> blocks = {SzxBlock("Z80R", Z80rBody(sp, pc)), SzxBlock("SPCR", SpcrBody(6, 0x13))};
  blocks.insert(blocks.end(), pages.begin(), pages.end());
  return SzxFile(1, blocks);
}

// Padded to exactly `length` bytes with a block of unknown id.
Bytes PaddedTo(Bytes file, std::size_t length) {
  const Bytes pad = PaddingBlock(length - file.size());
  file.insert(file.end(), pad.begin(), pad.end());
  return file;
}

SnapshotImage Loaded(const Bytes& file, const SnapshotImage& held = {}) {
  auto load = ReadSzxSnapshot(file, held, {});
  EXPECT_TRUE(load.Ok());
  return load.Ok() ? load->image : SnapshotImage();
}

TEST(SzxSnapshot, FillsTheHeaderFromTheRegisterBlocks) {
  Bytes z80r = Z80rBody(0x8002, 0x4321);
  const Bytes file = SzxFile(1, {SzxBlock("Z80R", z80r), SzxBlock("SPCR", SpcrBody(6, 0x13))});
  const auto load = ReadSzxSnapshot(file, {}, {});
  ASSERT_TRUE(load.Ok());
  const SnapshotImage& image = load->image;
  const std::uint8_t expected[27] = {0x3F, 0x10, 0x0F, 0x0E, 0x0D, 0x0C, 0x0B, 0x0A, 0x09, 0x08, 0x07, 0x06, 0x05, 0x04,
                                     0x03, 0x14, 0x13, 0x12, 0x11, 0x04, 0x7E, 0x02, 0x01, 0x00, 0x80, 0x01, 0x06};
  EXPECT_EQ(Bytes(image.Bytes().begin(), image.Bytes().begin() + 27), Bytes(expected, expected + 27));
  EXPECT_EQ(Bytes(load->kept.z80r.begin(), load->kept.z80r.end()), SzxBlock("Z80R", z80r));
  EXPECT_EQ(Bytes(load->kept.spcr.begin(), load->kept.spcr.end()), SzxBlock("SPCR", SpcrBody(6, 0x13)));
  EXPECT_EQ(load->kept.port7FFD, 0x13);

  z80r[26] = 0;  // IFF1
  const auto disabled = ReadSzxSnapshot(SzxFile(1, {SzxBlock("Z80R", z80r)}), {}, {});
  ASSERT_TRUE(disabled.Ok());
  EXPECT_EQ(disabled->image.ReadOffset(kHeaderInterrupts), 0);
}

struct StackCase {
  std::uint16_t sp;
  std::uint16_t headerSp;
  bool pcWritten;
};

TEST(SzxSnapshot, A48KImageGetsSpMinusTwoAndThePcOnItsStack) {
  const StackCase cases[] = {
      {0x8001, 0x7FFF, true},
      {0x0000, 0xFFFE, true},
      {0xC002, 0xC000, true},
      {0x4001, 0x3FFF, false},  // the stack would lie in ROM
  };
  for (const StackCase& c : cases) {
    const SnapshotImage image = Loaded(File48K(c.sp, 0xBEEF, {Page48K(5, 0x55), Page48K(2, 0x22), Page48K(0, 0x77)}));
    ASSERT_EQ(image.Size(), kSnapshotSize48K);
    EXPECT_EQ(image.ReadOffsetWord(kHeaderSP), c.headerSp) << c.sp;
    if (c.pcWritten) {
      EXPECT_EQ(image.ReadWord(c.headerSp), 0xBEEF) << c.sp;
    } else {
      EXPECT_EQ(image.Read(0x4000), 0x55) << "page 5 untouched";
    }
  }
  // SP 1: the low byte lands at 0xFFFF, the high byte has no place.
  const SnapshotImage top = Loaded(File48K(0x0001, 0xBEEF, {Page48K(0, 0x77)}));
  EXPECT_EQ(top.Size(), kSnapshotSize48K);
  EXPECT_EQ(top.Read(0xFFFF), 0xEF);
  EXPECT_EQ(top.Read(0xFFFE), 0x77);
}

TEST(SzxSnapshot, ThePcIsWrittenAgainAfterEveryPage) {
  // Page 0 covers the stack at 0xC000 and is delivered after the PC was first
  // written; the PC is written over it again.
  const SnapshotImage image = Loaded(File48K(0xC002, 0xBEEF, {Page48K(2, 0x22), Page48K(0, 0x77), Page48K(5, 0x44)}));
  EXPECT_EQ(image.ReadWord(0xC000), 0xBEEF);
  EXPECT_EQ(image.Read(0xC002), 0x77);
}

TEST(SzxSnapshot, AShortFileWithA128KPageIs128K) {
  // Our own writer compresses pages: a 128K file is far below 35000 bytes.
  SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize128K, 0));
  image.WriteOffsetWord(kHeaderSP, 0x8002);
  image.WriteOffsetWord(kOffset128KPc, 0xBEEF);
  image.WriteOffset(kOffsetBank1 + 5, 0x5A);
  const Bytes file = BuildSzxFile(image, std::nullopt);
  ASSERT_LT(file.size(), kSzx128KFileLength);
  const SnapshotImage loaded = Loaded(file);
  ASSERT_EQ(loaded.Size(), kSnapshotSize128K);
  EXPECT_EQ(loaded.ReadOffset(kOffsetBank1 + 5), 0x5A);
  EXPECT_EQ(loaded.ReadOffsetWord(kOffset128KPc), 0xBEEF);
  EXPECT_EQ(loaded.ReadOffsetWord(kHeaderSP), 0x8002);
}

TEST(SzxSnapshot, TheFileLengthChoosesTheMachine) {
  // A 128K machine id below the limit: the length decides. At the limit the
  // file is 128K unless its header names a 48K machine.
  Bytes justBelow = PaddedTo(File48K(0x8002, 0xBEEF, {Page48K(5, 0x55)}), kSzx128KFileLength - 1);
  justBelow[6] = kSzxMachine128K;
  Bytes atLimit = PaddedTo(File48K(0x8002, 0xBEEF, {Page48K(5, 0x55)}), kSzx128KFileLength);
  atLimit[6] = kSzxMachine128K;
  Bytes named48K = atLimit;
  named48K[6] = kSzxMachine48K;
  EXPECT_EQ(Loaded(named48K).Size(), kSnapshotSize48K);

  const SnapshotImage small = Loaded(justBelow);
  EXPECT_EQ(small.Size(), kSnapshotSize48K);
  EXPECT_EQ(small.ReadOffsetWord(kHeaderSP), 0x8000);

  const SnapshotImage large = Loaded(atLimit);
  EXPECT_EQ(large.Size(), kSnapshotSize128K);
  EXPECT_EQ(large.ReadOffsetWord(kHeaderSP), 0x8002);
  EXPECT_EQ(large.ReadOffsetWord(kOffset128KPc), 0xBEEF);
  EXPECT_EQ(large.ReadOffset(kOffset128KPort7FFD), 0x13);
  EXPECT_EQ(large.ReadOffset(kOffset128KTrDos), 0);
  EXPECT_EQ(large.ReadWord(0x8000), 0) << "no PC on a 128K stack";
}

TEST(SzxSnapshot, KeepsEveryPageByItsNumber) {
  std::vector<Bytes> pages;
  for (std::uint8_t page = 0; page < 8; ++page) pages.push_back(Page48K(page, static_cast<std::uint8_t>(0xA0 + page)));
  const SnapshotImage held(Bytes(kSnapshotSize128K, 0x3C));
  const SnapshotImage image = Loaded(PaddedTo(File48K(0x8000, 0xBEEF, pages), 40000), held);
  ASSERT_EQ(image.Size(), kSnapshotSize128K);
  const auto all = [&](std::size_t offset, std::size_t length, std::uint8_t value) {
    const auto range = image.Range(offset, length);
    return std::all_of(range.begin(), range.end(), [&](std::uint8_t b) { return b == value; });
  };
  // The layout of a .sna taken with bank 0 paged in: 5, 2, 0, then 1, 3, 4, 6, 7.
  EXPECT_TRUE(all(ImageOffsetOf(0x4000), kPageSize, 0xA5));
  EXPECT_TRUE(all(ImageOffsetOf(0x8000), kPageSize, 0xA2));
  EXPECT_TRUE(all(ImageOffsetOf(0xC000), kPageSize, 0xA0));
  const std::uint8_t trailing[] = {1, 3, 4, 6, 7};
  for (std::size_t slot = 0; slot < 5; ++slot) {
    EXPECT_TRUE(all(kOffsetBank1 + slot * kPageSize, kPageSize, static_cast<std::uint8_t>(0xA0 + trailing[slot])))
        << "page " << int{trailing[slot]};
  }

  // A short file that holds page 1 is a 128K file: its page 1 is kept, the
  // pages it does not hold keep what was held.
  const SnapshotImage small = Loaded(File48K(0x8000, 0xBEEF, {Page48K(1, 0xA1)}), held);
  EXPECT_EQ(small.Size(), kSnapshotSize128K);
  EXPECT_TRUE(std::all_of(small.Bytes().begin() + kOffsetBank1, small.Bytes().begin() + kOffsetBank1 + kPageSize,
                          [](std::uint8_t b) { return b == 0xA1; }));
  EXPECT_EQ(small.ReadOffset(kOffsetBank1 + kPageSize), 0x3C);
}

TEST(SzxSnapshot, PagesMissingFromTheFileKeepWhatTheImageHeld) {
  SnapshotImage held(Bytes(kSnapshotSize48K, 0x3C));
  const SnapshotImage image = Loaded(File48K(0x4002, 0xBEEF, {Page48K(5, 0x55), Page48K(0, 0x77)}), held);
  for (std::uint32_t a : {0x8000u, 0x9236u, 0xBFFFu}) EXPECT_EQ(image.Read(a), 0x3C) << a;
  EXPECT_EQ(image.Read(0x4002), 0x55);
  EXPECT_EQ(image.Read(0xC000), 0x77);

  const SnapshotImage fresh = Loaded(File48K(0x4002, 0xBEEF, {Page48K(5, 0x55)}));
  EXPECT_EQ(fresh.Read(0x8000), 0);
}

TEST(SzxSnapshot, ARawPageNeverSpillsIntoTheNextOne) {
  Bytes overlong = RawRampBody(5, 0x55);
  overlong.resize(overlong.size() + 100, 0x99);
  const SnapshotImage held(Bytes(kSnapshotSize128K, 0x3C));
  const SnapshotImage image =
      Loaded(SzxFile(1, {SzxBlock("Z80R", Z80rBody(0x4000, 0)), SzxBlock("RAMP", overlong)}), held);
  EXPECT_EQ(image.Read(0x7FFF), 0x55);
  EXPECT_EQ(image.Read(0x8000), 0x3C);
}

TEST(SzxWriter, WritesTheBlocksInOrderWithTheirFields) {
  const SnapshotImage image = testing::FixtureImage(DemoMachine::Spectrum48K);
  const Bytes file = BuildSzxFile(image, std::nullopt);
  ASSERT_GE(file.size(), 8u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 8), (Bytes{'Z', 'X', 'S', 'T', 1, 0, 1, 0}));
  std::vector<Delivered> delivered;
  ASSERT_TRUE(LoadRecording(file, delivered).Ok());
  std::vector<std::string> ids;
  for (const Delivered& d : delivered) ids.push_back(d.id + (d.id == "RAMP" ? std::to_string(d.block[10]) : ""));
  EXPECT_EQ(ids, (std::vector<std::string>{"CRTR", "Z80R", "SPCR", "RAMP5", "RAMP2", "RAMP0"}));
  EXPECT_EQ(std::string(delivered[0].block.begin() + 8, delivered[0].block.begin() + 40),
            std::string("Kestrova Editor BETA") + std::string(12, '\0'));
  const Bytes& z80r = delivered[1].block;
  EXPECT_EQ(z80r[28] | z80r[29] << 8, 0xFF02) << "SP + 2";
  EXPECT_EQ(z80r[30] | z80r[31] << 8, 0x8123) << "PC from the stack";
  EXPECT_EQ(z80r[34], 1) << "IFF1 from bit 2 of header byte 19";
  EXPECT_EQ(z80r[35], 1) << "IFF2 likewise";
  EXPECT_EQ(delivered[2].block[8], 5) << "border";
  EXPECT_EQ(delivered[2].block[9], 0) << "port 0x7FFD";
  for (std::size_t i = 3; i < 6; ++i) EXPECT_EQ(delivered[i].block[8], 1) << "compressed";
}

TEST(SzxWriter, A48KImageRoundTripsByteForByte) {
  const SnapshotImage image = testing::FixtureImage(DemoMachine::Spectrum48K);
  const SnapshotImage back = Loaded(BuildSzxFile(image, std::nullopt));
  EXPECT_TRUE(std::equal(image.Bytes().begin(), image.Bytes().end(), back.Bytes().begin(), back.Bytes().end()));
}

TEST(SzxWriter, A128KImageRoundTripsWithEveryBankAndItsPaging) {
  SnapshotImage image = testing::FixtureImage(DemoMachine::Spectrum128K);
  // Bytes that do not compress, so that the file reaches the 128K length.
  std::uint32_t noise = 12345;
  for (std::size_t offset = kSnaHeaderSize + 0x2000; offset < kSnapshotSize128K; ++offset) {
    noise = noise * 1103515245u + 12345u;
    const bool levelArea = offset >= ImageOffsetOf(0x9236) && offset <= ImageOffsetOf(0x98CE);
    const bool state128K = offset >= kOffset128KPc && offset < kOffsetBank1;
    if (!levelArea && !state128K) {
      image.WriteOffset(offset, static_cast<std::uint8_t>(noise >> 16));
    }
  }
  image.WriteOffset(kOffset128KPort7FFD, 0x13);
  const Bytes file = BuildSzxFile(image, std::nullopt);
  ASSERT_GE(file.size(), kSzx128KFileLength);
  EXPECT_EQ(file[6], kSzxMachine128K);
  const SnapshotImage back = Loaded(file);
  ASSERT_EQ(back.Size(), kSnapshotSize128K);
  const auto mismatch = std::mismatch(image.Bytes().begin(), image.Bytes().end(), back.Bytes().begin());
  EXPECT_EQ(mismatch.first - image.Bytes().begin(), kSnapshotSize128K) << "first difference";
}

TEST(SzxWriter, KeptBlocksAreWrittenBackUnchanged) {
  const Bytes original = File48K(0x9000, 0x1357, {Page48K(5, 0x55), Page48K(2, 0x22), Page48K(0, 0x77)});
  const auto load = ReadSzxSnapshot(original, {}, {});
  ASSERT_TRUE(load.Ok());
  const Bytes written = BuildSzxFile(load->image, load->kept);
  std::vector<Delivered> before;
  std::vector<Delivered> after;
  ASSERT_TRUE(LoadRecording(original, before).Ok());
  ASSERT_TRUE(LoadRecording(written, after).Ok());
  ASSERT_GE(after.size(), 3u);
  EXPECT_EQ(after[1].block, before[0].block);  // Z80R
  EXPECT_EQ(after[2].block, before[1].block);  // SPCR
}

}  // namespace
}  // namespace kestrova
