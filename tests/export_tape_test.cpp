#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "export/tape_image.h"
#include "export/tape_templates.h"

namespace kestrova {
namespace {

// One block of a .tap file as stored: length, flag, payload, checksum.
struct TapBlock {
  std::uint8_t flag;
  std::vector<std::uint8_t> payload;
  bool checksumOk;
};

std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

// Splits a tape into blocks; a block running past the end fails the test.
std::vector<TapBlock> Blocks(std::span<const std::uint8_t> tape) {
  std::vector<TapBlock> blocks;
  std::size_t at = 0;
  while (at < tape.size()) {
    if (tape.size() - at < 2) {
      ADD_FAILURE() << "dangling byte at " << at;
      break;
    }
    const std::size_t length = Word(tape, at);
    if (length < 2 || at + 2 + length > tape.size()) {
      ADD_FAILURE() << "block at " << at << " runs past the end";
      break;
    }
    const auto body = tape.subspan(at + 2, length);
    const std::uint8_t x = std::accumulate(body.begin(), body.end() - 1, std::uint8_t{0},
                                           [](std::uint8_t a, std::uint8_t b) { return std::uint8_t(a ^ b); });
    blocks.push_back({body[0], std::vector<std::uint8_t>(body.begin() + 1, body.end() - 1), x == body.back()});
    at += 2 + length;
  }
  return blocks;
}

std::string HeaderName(const TapBlock& header) {
  return std::string(header.payload.begin() + 1, header.payload.begin() + 11);
}

struct HeaderFields {
  std::uint8_t type;
  const char* name;
  std::uint16_t length, parameter1, parameter2;
};

void ExpectHeader(const TapBlock& block, const HeaderFields& expected) {
  ASSERT_EQ(block.flag, 0x00);
  ASSERT_EQ(block.payload.size(), 17u);
  EXPECT_EQ(block.payload[0], expected.type);
  EXPECT_EQ(HeaderName(block), expected.name);
  EXPECT_EQ(Word(block.payload, 11), expected.length);
  EXPECT_EQ(Word(block.payload, 13), expected.parameter1);
  EXPECT_EQ(Word(block.payload, 15), expected.parameter2);
  EXPECT_TRUE(block.checksumOk);
}

TEST(TapeTemplates, LoadersAreAProgramHeaderAndOneBasicLineWithGoodChecksums) {
  struct Case {
    std::span<const std::uint8_t> bytes;
    std::size_t size;
    HeaderFields header;
  };
  const Case cases[] = {
      {kLoader48K, 78, {0, "kestrova  ", 53, 1, 53}},
      {kLoader48KWithScreen, 83, {0, "Kestrova  ", 58, 1, 58}},
      {kLoader128K, 135, {0, "Kestrova  ", 110, 1, 110}},
      {kLoader128KWithScreen, 140, {0, "Kestrova  ", 115, 1, 115}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    EXPECT_EQ(c.bytes.size(), c.size);
    const std::vector<TapBlock> blocks = Blocks(c.bytes);
    ASSERT_EQ(blocks.size(), 2u);
    ExpectHeader(blocks[0], c.header);
    const TapBlock& program = blocks[1];
    EXPECT_EQ(program.flag, 0xFF);
    EXPECT_TRUE(program.checksumOk);
    ASSERT_EQ(program.payload.size(), c.header.length);
    // Line 1, big-endian; its length counts the text and the final ENTER.
    EXPECT_EQ(program.payload[0], 0x00);
    EXPECT_EQ(program.payload[1], 0x01);
    EXPECT_EQ(Word(program.payload, 2), c.header.length - 4u);
    EXPECT_EQ(program.payload.back(), 0x0D);
  }
}

TEST(TapeTemplates, CodeTemplatesAreAHeaderAndTheStartOfTheirDataBlock) {
  struct Case {
    std::span<const std::uint8_t> bytes;
    HeaderFields header;
  };
  const Case cases[] = {
      {kMain48KTemplate, {3, "main      ", 40536, 25000, 32768}},
      {kMain128KTemplate, {3, "main      ", 40448, 25088, 32768}},
      {kPageTemplate, {3, "page      ", 16384, 49152, 32768}},
      {kScreenTemplate, {3, "screen    ", 6912, 16384, 32819}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header.length);
    ASSERT_EQ(c.bytes.size(), 24u);
    const std::vector<TapBlock> blocks = Blocks(c.bytes.first(21));
    ASSERT_EQ(blocks.size(), 1u);
    ExpectHeader(blocks[0], c.header);
    EXPECT_EQ(Word(c.bytes, 21), c.header.length + 2u);
    EXPECT_EQ(c.bytes[23], 0xFF);
  }
}

// An image whose every byte tells where it came from.
SnapshotImage PatternImage(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8));
  return SnapshotImage(std::move(bytes));
}

std::vector<std::uint8_t> PatternScreen() {
  std::vector<std::uint8_t> screen(kScreenAreaSize);
  for (std::size_t i = 0; i < screen.size(); ++i) screen[i] = static_cast<std::uint8_t>(i * 13 + 1);
  return screen;
}

std::vector<std::uint8_t> MemoryFrom(const SnapshotImage& image, std::uint32_t start) {
  std::vector<std::uint8_t> bytes;
  for (std::uint32_t a = start; a <= 0xFFFF; ++a) bytes.push_back(image.Read(a));
  return bytes;
}

TEST(BuildTapeImage, WritesTheBlocksForEachMachineWithAndWithoutAScreen) {
  const std::vector<std::uint8_t> screenBytes = PatternScreen();
  const TapeScreen screen(screenBytes.data(), kScreenAreaSize);
  struct Case {
    std::uint32_t size;
    bool withScreen;
    std::size_t tapeSize;
    std::vector<std::string> names;  // header names, in order
  };
  const Case cases[] = {
      {kSnapshotSize48K, false, 40639, {"kestrova  ", "main      "}},
      {kSnapshotSize48K, true, 47581, {"Kestrova  ", "screen    ", "main      "}},
      {kSnapshotSize128K, false, 57017, {"Kestrova  ", "page      ", "main      "}},
      {kSnapshotSize128K, true, 63959, {"Kestrova  ", "screen    ", "page      ", "main      "}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tapeSize);
    const SnapshotImage image = PatternImage(c.size);
    const std::vector<std::uint8_t> tape =
        BuildTapeImage(image, c.size, c.withScreen ? std::optional<TapeScreen>(screen) : std::nullopt);
    EXPECT_EQ(tape.size(), c.tapeSize);
    const std::vector<TapBlock> blocks = Blocks(tape);
    ASSERT_EQ(blocks.size(), 2 * c.names.size());
    for (std::size_t i = 0; i < c.names.size(); ++i) {
      const TapBlock& header = blocks[2 * i];
      const TapBlock& data = blocks[2 * i + 1];
      EXPECT_EQ(HeaderName(header), c.names[i]);
      EXPECT_TRUE(header.checksumOk) << i;
      EXPECT_TRUE(data.checksumOk) << i;
      EXPECT_EQ(data.flag, 0xFF);
      EXPECT_EQ(data.payload.size(), Word(header.payload, 11)) << i;
      if (c.names[i] == "screen    ") {
        EXPECT_EQ(data.payload, screenBytes);
      }
      if (c.names[i] == "page      ") {
        const auto bank1 = image.Range(kOffsetBank1, kPageSize);
        EXPECT_EQ(data.payload, std::vector<std::uint8_t>(bank1.begin(), bank1.end()));
      }
      if (c.names[i] == "main      ") {
        const std::uint32_t start = c.size == kSnapshotSize48K ? 0x61A8 : 0x6200;
        EXPECT_EQ(Word(header.payload, 13), start);
        EXPECT_EQ(data.payload, MemoryFrom(image, start));
      }
    }
  }
}

TEST(BuildTapeImage, TakesAnyOtherSizeAs128KAndFillsWhatTheImageLacksWithZero) {
  // A .sna held at its own odd length: bank 1 is cut short.
  const std::size_t size = kOffsetBank1 + 100;
  const SnapshotImage image = PatternImage(size);
  const std::vector<std::uint8_t> tape = BuildTapeImage(image, static_cast<std::uint32_t>(size), std::nullopt);
  ASSERT_EQ(tape.size(), 57017u);
  const std::vector<TapBlock> blocks = Blocks(tape);
  ASSERT_EQ(blocks.size(), 6u);
  EXPECT_EQ(HeaderName(blocks[2]), "page      ");
  const std::vector<std::uint8_t>& page = blocks[3].payload;
  ASSERT_EQ(page.size(), kPageSize);
  for (std::size_t i = 0; i < kPageSize; ++i) {
    ASSERT_EQ(page[i], i < 100 ? image.ReadOffset(kOffsetBank1 + i) : 0) << i;
  }
  EXPECT_TRUE(blocks[3].checksumOk);
}

TEST(TapeDataChecksum, IsTheFlagXorEveryByte) {
  EXPECT_EQ(TapeDataChecksum({}), 0xFF);
  const std::uint8_t bytes[] = {0x0F, 0xF0, 0x01};
  EXPECT_EQ(TapeDataChecksum(bytes), 0xFF ^ 0x0F ^ 0xF0 ^ 0x01);
}

}  // namespace
}  // namespace kestrova
