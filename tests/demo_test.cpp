#include "demo/demo_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "demo/demo_art.h"
#include "demo/demo_memory.h"
#include "demo/sprite_encoders.h"
#include "level/game_settings.h"
#include "level/level_stream.h"
#include "level/level_table.h"
#include "snapshot/check_table.h"
#include "snapshot/sna.h"

namespace kestrova {
namespace {

using Bytes = std::vector<std::uint8_t>;
using demo::DemoMemory;
using demo::DemoMemoryConflict;
using demo::Mirrored;
using demo::ParsePicture;
using demo::Picture;
using demo::SpriteByteAddress;
using demo::SpriteLayout;
using demo::SpriteShape;

const SnapshotImage& Demo48K() {
  static const SnapshotImage image = MakeDemoSnapshot(DemoMachine::Spectrum48K);
  return image;
}
const SnapshotImage& Demo128K() {
  static const SnapshotImage image = MakeDemoSnapshot(DemoMachine::Spectrum128K);
  return image;
}

Bytes Hex(const std::string& text) {
  Bytes bytes;
  for (std::size_t i = 0; i + 1 < text.size(); i += 3)
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
  return bytes;
}

// The records of every level, each level from its start to its end record.
std::vector<std::vector<ObjectRecord>> LevelRecords(const SnapshotImage& image) {
  const LevelTable table = ScanLevelTable(image);
  std::vector<std::vector<ObjectRecord>> levels;
  for (int i = 0; i < LevelCount(table); ++i) {
    const auto end = LevelEndByBoundsRule(image, table, i);
    EXPECT_TRUE(end.has_value()) << "level " << i + 1;
    if (!end) break;
    std::vector<ObjectRecord> records;
    for (std::uint32_t p = table[static_cast<std::size_t>(i)]; p <= *end; p = NextRecord(p))
      records.push_back(ReadRecord(image, p));
    levels.push_back(records);
  }
  return levels;
}

// Record-aligned occurrences of `bytes` (a group) in any level; `wildcard`
// is an index whose byte may be anything (a cave's column), or -1.
int CountGroup(const SnapshotImage& image, const Bytes& bytes, int wildcard = -1) {
  int count = 0;
  for (const auto& level : LevelRecords(image)) {
    Bytes stream;
    for (const ObjectRecord& record : level) {
      stream.push_back(record.code);
      stream.push_back(record.operand);
    }
    for (std::size_t at = 0; at + bytes.size() <= stream.size(); at += 2) {
      bool match = true;
      for (std::size_t i = 0; i < bytes.size() && match; ++i) {
        match = static_cast<int>(i) == wildcard || stream[at + i] == bytes[i];
      }
      if (match) ++count;
    }
  }
  return count;
}

TEST(DemoGame, IsARecognisedSnapshotOfEitherMachine) {
  for (const SnapshotImage* image : {&Demo48K(), &Demo128K()}) {
    EXPECT_EQ(image->Read(0x751D), 0xAE);
    EXPECT_EQ(image->Read(0x7A93), 0x76);
    const Result<SnapshotImage> read = ReadSna(image->Bytes());
    ASSERT_TRUE(read.Ok());
    EXPECT_EQ(read->Size(), image->Size());
  }
  EXPECT_EQ(Demo48K().Size(), kSnapshotSize48K);
  EXPECT_EQ(Demo128K().Size(), kSnapshotSize128K);
}

TEST(DemoGame, The48KHeaderStacksThePcOfARunnableLoop) {
  const SnapshotImage& image = Demo48K();
  const std::uint16_t sp = image.ReadOffsetWord(kHeaderSP);
  EXPECT_GE(sp, 0x5B00);  // above the screen, inside RAM
  EXPECT_LE(sp, 0xFFFE);
  const std::uint16_t pc = image.ReadWord(sp);
  // EI; HALT; JR back to the EI: the HALT is the second recognition byte.
  EXPECT_EQ(pc, 0x7A92);
  EXPECT_EQ(image.Read(pc), 0xFB);
  EXPECT_EQ(image.Read(pc + 1), 0x76);
  EXPECT_EQ(image.Read(pc + 2), 0x18);
  EXPECT_EQ(image.Read(pc + 3), 0xFC);
  EXPECT_EQ(image.ReadOffset(kHeaderIM), 1);
  EXPECT_EQ(image.ReadOffset(kHeaderInterrupts) & 0x04, 0x04);
  EXPECT_EQ(image.ReadOffsetWord(kHeaderIY), 0x5C3A);
  EXPECT_LE(image.ReadOffset(kHeaderBorder), 7);
}

TEST(DemoGame, The128KVariantHasThePcPortAndARecognisableBankOne) {
  const SnapshotImage& big = Demo128K();
  const SnapshotImage& small = Demo48K();
  EXPECT_EQ(big.ReadOffsetWord(kOffset128KPc), small.ReadWord(small.ReadOffsetWord(kHeaderSP)));
  EXPECT_EQ(big.ReadOffsetWord(kHeaderSP), small.ReadOffsetWord(kHeaderSP) + 2);  // the PC is not on the stack
  EXPECT_EQ(big.ReadOffset(kOffset128KPort7FFD), 0x10);
  EXPECT_EQ(big.ReadOffset(kOffset128KTrDos), 0);
  for (std::size_t line = 0; line < kPageSize; line += 16) {
    char expected[17];
    std::snprintf(expected, sizeof expected, "B1:%04X KESTROVA", static_cast<unsigned>(line));
    const auto bytes = big.Range(kOffsetBank1 + line, 16);
    ASSERT_EQ(std::string(bytes.begin(), bytes.end()), expected) << "bank 1 offset " << line;
  }
  // The further bank slots are room only.
  for (std::size_t offset = kOffsetBank1 + kPageSize; offset < kSnapshotSize128K; ++offset) {
    ASSERT_EQ(big.ReadOffset(offset), 0) << offset;
  }
  // The same game: the RAM differs only in the 48K image's stacked PC.
  const std::uint16_t sp = small.ReadOffsetWord(kHeaderSP);
  for (std::uint32_t a = kRamStart; a <= kRamEnd; ++a) {
    if (a == sp || a == sp + 1u) continue;
    ASSERT_EQ(big.Read(a), small.Read(a)) << std::hex << a;
  }
}

TEST(DemoGame, IsTheSameOnEveryRunAndIsWhatTheBuildWrote) {
  EXPECT_TRUE(std::ranges::equal(MakeDemoSnapshot(DemoMachine::Spectrum48K).Bytes(), Demo48K().Bytes()));
  EXPECT_TRUE(std::ranges::equal(MakeDemoSnapshot(DemoMachine::Spectrum128K).Bytes(), Demo128K().Bytes()));
  const std::pair<const char*, const SnapshotImage*> files[] = {{"/kestrova-demo.sna", &Demo48K()},
                                                                {"/kestrova-demo-128k.sna", &Demo128K()}};
  for (const auto& [name, image] : files) {
    std::ifstream in(std::string(KESTROVA_DEMO_DIR) + name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(std::ranges::equal(file, image->Bytes())) << name;
  }
}

TEST(DemoGame, TheCheckTableMatchesTheData) {
  for (const SnapshotImage* image : {&Demo48K(), &Demo128K()}) {
    SnapshotImage copy = *image;
    UpdateCheckTable(copy);
    EXPECT_TRUE(std::ranges::equal(copy.Bytes(), image->Bytes()));
    std::uint8_t any = 0;
    for (std::uint32_t i = 0; i < 256; ++i) any |= image->Read(kCheckTableStart + i);
    EXPECT_NE(any, 0);  // the data is not all zero
  }
}

TEST(DemoGame, HasAtLeastSixLevelsAndLeavesSomeBytesFree) {
  const SnapshotImage& image = Demo48K();
  const auto loaded = CountFreeBytesAndFindLevelOne(image);
  ASSERT_TRUE(loaded.has_value());
  EXPECT_GE(loaded->bytesFree, 100);
  EXPECT_LE(loaded->bytesFree, 400);
  const LevelTable table = ScanLevelTable(image);
  EXPECT_GE(LevelCount(table), 6);
  EXPECT_EQ(image.Read(static_cast<std::uint32_t>(kLastEndRecordScan - loaded->bytesFree + 2)), kEndOfLevelsMarker);
  // Heights of several screens, one level of about ten for the overview.
  std::int32_t tallest = 0;
  for (int i = 0; i < LevelCount(table); ++i) {
    const std::int32_t height =
        LevelHeight(image, table[static_cast<std::size_t>(i)], *LevelEndByBoundsRule(image, table, i));
    EXPECT_GE(height, 2 * 192) << "level " << i + 1;
    tallest = std::max(tallest, height);
  }
  EXPECT_EQ(tallest, 10 * 192);
  // Level 1 opens with its spawn point, which the map cannot select.
  EXPECT_EQ(image.Read(kLevelAreaStart), kCodeSpawnPoint);
  EXPECT_EQ(image.Read(kLevelAreaStart + 1), 0);
}

TEST(DemoGame, UsesEveryObjectCodeOnlyKnownCodesAndTheEveryVariant) {
  std::set<std::uint8_t> codes;
  std::set<std::pair<std::uint8_t, std::uint8_t>> variants;  // code, flag bits or on/off
  for (const auto& level : LevelRecords(Demo48K())) {
    for (const ObjectRecord& record : level) {
      EXPECT_NE(FindObjectCode(record.code), nullptr) << int(record.code);
      codes.insert(record.code);
      if (record.code == 0x26 || record.code == 0x82 || record.code == 0x94) {
        variants.insert({record.code, static_cast<std::uint8_t>(record.operand & 0xE0)});
      }
      if (record.code == 0x27 || record.code == 0x22) variants.insert({record.code, record.operand});
      if (record.code == 0x28) variants.insert({record.code, static_cast<std::uint8_t>(record.operand == 0 ? 0 : 1)});
      if (record.code == 0x81) variants.insert({record.code, static_cast<std::uint8_t>(record.operand > 14 ? 1 : 0)});
      if (record.code == 0x1E && record.operand == 0) variants.insert({record.code, 0});
    }
  }
  codes.insert(Demo48K().Read(
      static_cast<std::uint32_t>(kLastEndRecordScan - CountFreeBytesAndFindLevelOne(Demo48K())->bytesFree + 2)));
  for (const ObjectCodeInfo& info : kObjectCodes) {
    EXPECT_TRUE(codes.contains(static_cast<std::uint8_t>(info.code))) << info.object;
  }
  const std::pair<std::uint8_t, std::uint8_t> wanted[] = {
      {0x26, 0x00}, {0x26, 0x40}, {0x26, 0x60}, {0x26, 0x80}, {0x26, 0xC0}, {0x26, 0xE0},  // every cliff edge
      {0x82, 0x00}, {0x82, 0x80},                                                          // left and right cliff
      {0x94, 0x00}, {0x94, 0x80},                                                          // small and large hut
      {0x27, 0},    {0x27, 1},                                                             // alarm off and on
      {0x28, 0},    {0x28, 1},                                                             // attack end and start
      {0x22, 0},    {0x22, 1},                                                             // spawn point, end record
      {0x81, 0},    {0x81, 1},                                                             // both bunker images
      {0x1E, 0},                                                                           // cave main at column 0
  };
  for (const auto& [code, variant] : wanted) {
    EXPECT_TRUE(variants.contains({code, variant})) << std::hex << int(code) << " " << int(variant);
  }
}

TEST(DemoGame, HoldsEveryRecordGroupByteForByte) {
  const SnapshotImage& image = Demo48K();
  EXPECT_GE(CountGroup(image, Hex("1F 00 00 03"), 1), 1);  // cave bottom with space
  EXPECT_GE(CountGroup(image, Hex("1E 00 00 13"), 1), 1);  // cave main with space
  const char* groups[] = {
      "98 08 00 02 0D 10 00 19 19 10 00 05 0E 10",              // log crossing left
      "98 10 00 02 0D 08 00 19 19 08 00 05 0E 08",              // log crossing right
      "09 0B 09 1F 96 0C 00 17 17 1F 00 0C 08 1F",              // tunnel
      "09 0B 09 1F 96 0C 00 17 17 1F 00 01 1B 3C 00 0B 08 1F",  // tunnel with motorbike
      "05 10 00 32 04 1B 00 0C 05 00 00 0C 04 15 00 06 06 10 00 12 04 0F 00 18 04 09 00 13 06 00 00 05 04 03",
      "09 0B 09 1F 21 14 00 16 22 01",  // fortress
      "09 0B 09 1F 21 14 00 1E 22 01",  // fortress, soldiers on the gate
  };
  for (const char* group : groups) EXPECT_GE(CountGroup(image, Hex(group)), 1) << group;
}

TEST(DemoGame, AFortressClosesALevelThatIsNotTheLast) {
  const auto levels = LevelRecords(Demo48K());
  int closed = 0;
  for (std::size_t i = 0; i + 1 < levels.size(); ++i) {
    const auto& level = levels[i];
    if (level.size() >= 5 && level[level.size() - 3].code == 0x21) ++closed;
  }
  EXPECT_GE(closed, 1);
  const auto& last = levels.back();
  EXPECT_NE(last[last.size() - 3].code, 0x21);
}

TEST(DemoGame, PaletteSampleOperandsPlaceEveryPictureInItsWindow) {
  const std::pair<std::uint32_t, int> operands[] = {
      {0x98E3, 0x40}, {0x98E5, 0x80}, {0x9906, 0},    {0x9907, 0xC0}, {0x990F, 8},    {0x9927, 4},
      {0x992A, 0},    {0x993F, 5},    {0x9942, 1},    {0x9A03, 28},   {0x9A14, 20},   {0x9A42, 16},
      {0x9CAA, 24},   {0xA01D, 12},   {0xA02A, 0xE0}, {0xA0C3, 25},   {0xA0CE, 0x60},
  };
  const SnapshotImage& image = Demo48K();
  for (const auto& [sample, operand] : operands) {
    EXPECT_EQ(image.Read(sample + 1), operand) << std::hex << sample;
  }
  // No preview may find a tunnel or a crossing when it looks back.
  for (const auto& [sample, operand] : operands) {
    for (std::uint32_t back : {2u, 6u, 10u}) {
      EXPECT_NE(image.Read(sample - back), 150) << std::hex << sample;
      EXPECT_NE(image.Read(sample - back), 152) << std::hex << sample;
    }
  }
  for (std::uint32_t back : {2u, 6u, 10u}) {
    EXPECT_NE(image.Read(0x9970 - back), 150);
    EXPECT_NE(image.Read(0x9970 - back), 152);
  }
}

TEST(DemoGame, SettingsArePlausible) {
  const SnapshotImage& image = Demo48K();
  EXPECT_LE(image.Read(kFortressByte), 15);
  EXPECT_LE(image.Read(kStartColumn), 29);
  EXPECT_GE(image.Read(kPixelsDown), 1);
  EXPECT_LE(image.Read(kPixelsDown), 85);
  const std::uint8_t lives = image.Read(kStartingLives);
  EXPECT_GE(lives, 1);
  EXPECT_LE(lives, 8);
  EXPECT_EQ(image.Read(kLivesDigit), 0x30 + lives);
  EXPECT_EQ(image.Read(kBombsDigit), 0x31 + lives);
  EXPECT_GE(image.Read(kEnemyDelay), 1);
}

TEST(DemoGame, HasEveryGlyphTheLabelsUse) {
  const SnapshotImage& image = Demo48K();
  auto glyph = [&](std::uint32_t address) {
    Bytes bytes;
    for (std::uint32_t i = 0; i < 8; ++i) bytes.push_back(image.Read(address + i));
    return bytes;
  };
  EXPECT_EQ(glyph(0x7EA0), Bytes(8, 0));  // the blank
  std::set<Bytes> seen{glyph(0x7EA0)};
  for (std::uint32_t address : {0x7EF8u, 0x7F00u, 0x7F08u})
    EXPECT_TRUE(seen.insert(glyph(address)).second) << std::hex << address;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    EXPECT_TRUE(seen.insert(glyph(0x7F30 + 8 * static_cast<std::uint32_t>(letter - 'A'))).second) << letter;
  }
}

TEST(DemoGame, ColourBytesAreAttributesOrInksAsTheirDrawersRead) {
  for (const demo::ColourByte& colour : demo::DemoColours()) {
    EXPECT_EQ(Demo48K().Read(colour.address), colour.value) << colour.name;
    if (std::string_view(colour.name).ends_with(" ink")) {
      EXPECT_LE(colour.value, 7) << colour.name;
    }
  }
  for (std::uint32_t a = 0x9124; a <= 0x9131; ++a) EXPECT_NE(Demo48K().Read(a), 0x30) << std::hex << a;
}

TEST(DemoGame, EverySpriteCanBeReadBackFromItsLayout) {
  for (auto group : {demo::DemoSoldiersSprites(), demo::DemoVehiclesSprites(), demo::DemoBuildingsSprites(),
                     demo::DemoNatureSprites()}) {
    for (const demo::SpriteArt& sprite : group) {
      const Picture picture = demo::SpritePicture(sprite);
      bool inked = false;
      for (int row = 0; row < sprite.shape.height; ++row) {
        for (int byte = 0; byte < sprite.shape.width; ++byte) {
          const std::uint8_t value = picture.At(sprite.shape.height - 1 - row, byte);
          inked = inked || value != 0;
          ASSERT_EQ(Demo48K().Read(SpriteByteAddress(sprite.shape, row, byte)), value)
              << sprite.name << " row " << row << " byte " << byte;
        }
      }
      EXPECT_TRUE(inked) << sprite.name;
    }
  }
}

TEST(SpriteByteAddress, FollowsEachLayout) {
  struct Case {
    const char* name;
    SpriteShape shape;
    int row;
    int byte;
    std::uint32_t address;
  };
  constexpr std::uint32_t p = 0xC000;
  const Case cases[] = {
      {"paired, row 0", {SpriteLayout::PairedSerpentine, 3, 4, p}, 0, 2, p - 4},
      {"paired, row 1 runs back", {SpriteLayout::PairedSerpentine, 3, 4, p}, 1, 0, p - 10},
      {"paired, row 1 last", {SpriteLayout::PairedSerpentine, 3, 4, p}, 1, 2, p - 6},
      {"paired, row 2", {SpriteLayout::PairedSerpentine, 3, 4, p}, 2, 2, p - 16},
      {"plain, row 1", {SpriteLayout::PlainSerpentine, 3, 4, p}, 1, 0, p - 5},
      {"plain, row 2", {SpriteLayout::PlainSerpentine, 3, 4, p}, 2, 1, p - 7},
      {"linear with stride", {SpriteLayout::Linear, 5, 4, p, 6}, 2, 4, p - 12 + 4},
      {"strip", {SpriteLayout::Strip, 1, 40, p}, 3, 0, p - 6},
      {"truck, second column", {SpriteLayout::Truck, 7, 32, p}, 1, 1, p - 8 + 3},
      {"truck, last column", {SpriteLayout::Truck, 7, 32, p}, 0, 6, p + 6},
      {"wall, leftmost column", {SpriteLayout::Wall, 4, 50, p}, 2, 0, p - 8},
      {"wall, rightmost column", {SpriteLayout::Wall, 4, 50, p}, 0, 3, p + 3},
      {"bridge, left byte", {SpriteLayout::Bridge, 2, 12, p}, 1, 0, p - 3},
      {"bridge, right byte", {SpriteLayout::Bridge, 2, 12, p}, 1, 1, p - 2},
  };
  for (const Case& c : cases) EXPECT_EQ(SpriteByteAddress(c.shape, c.row, c.byte), c.address) << c.name;
}

TEST(ParsePicture, ReadsRowsTopFirstAndRefusesMalformedArt) {
  const Picture picture = ParsePicture(R"(
      #.......########
      ...............#
  )",
                                       2, 2, "test");
  EXPECT_EQ(picture.bytes, (Bytes{0x80, 0xFF, 0x00, 0x01}));
  EXPECT_EQ(Mirrored(picture).bytes, (Bytes{0xFF, 0x01, 0x80, 0x00}));
  EXPECT_THROW(ParsePicture("#######\n", 1, 1, "short"), std::invalid_argument);
  EXPECT_THROW(ParsePicture("########\n", 1, 2, "too few rows"), std::invalid_argument);
  EXPECT_THROW(ParsePicture("####x###\n", 1, 1, "bad character"), std::invalid_argument);
}

TEST(DemoMemory, SecondWriterMustAgreeOrItThrowsNamingBoth) {
  SnapshotImage image(Bytes(kSnapshotSize48K, 0));
  DemoMemory memory(image);
  memory.Write(0xC000, 0x3C, "boulder");
  EXPECT_NO_THROW(memory.Write(0xC000, 0x3C, "log"));  // shared bytes that agree
  EXPECT_EQ(memory.WriterOf(0xC000), "boulder");
  try {
    memory.Write(0xC000, 0x18, "cliff edge");
    FAIL() << "a conflicting write was accepted";
  } catch (const DemoMemoryConflict& conflict) {
    const std::string message = conflict.what();
    EXPECT_NE(message.find("0xC000"), std::string::npos) << message;
    EXPECT_NE(message.find("boulder"), std::string::npos) << message;
    EXPECT_NE(message.find("cliff edge"), std::string::npos) << message;
  }
  EXPECT_EQ(image.Read(0xC000), 0x3C);
  // Writing a 0 claims the byte too.
  memory.Write(0xC001, 0, "free level bytes");
  EXPECT_TRUE(memory.Used(0xC001));
  EXPECT_THROW(memory.Write(0xC001, 1, "sprite"), DemoMemoryConflict);
  EXPECT_FALSE(memory.Used(0xC002));
  EXPECT_THROW(memory.Write(0x3FFF, 1, "below the RAM"), DemoMemoryConflict);
}

}  // namespace
}  // namespace kestrova
