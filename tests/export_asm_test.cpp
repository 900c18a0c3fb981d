#include "export/asm_listing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "level/game_settings.h"

namespace kestrova {
namespace {

using Lines = std::vector<std::string>;

// A 48K image whose level area holds `levels` (each a list of records ending
// with its end record), the marker after the last, and numbered free bytes.
struct Record {
  std::uint8_t code, operand;
};

SnapshotImage LevelImage(const std::vector<std::vector<Record>>& levels) {
  SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  for (std::uint32_t a = kLevelAreaStart; a <= kLevelAreaLast; ++a) image.Write(a, static_cast<std::uint8_t>(a));
  std::uint32_t p = kLevelAreaStart;
  for (const auto& level : levels) {
    for (const Record& r : level) {
      image.Write(p, r.code);
      image.Write(p + 1, r.operand);
      p += 2;
    }
  }
  image.Write(p, kEndOfLevelsMarker);
  return image;
}

// One level ending at `end` (its end record's address), land spaces before it.
std::vector<Record> LevelEndingAt(std::uint32_t start, std::uint32_t end) {
  std::vector<Record> records((end - start) / 2, Record{0x00, 0x0A});
  records.push_back({0x22, 0x01});
  return records;
}

Lines Listing(const SnapshotImage& image) { return BuildAsmListing(image, ScanLevelTable(image)); }

// The lines after the one equal to `line`, `count` of them.
Lines After(const Lines& lines, const std::string& line, std::size_t count) {
  const auto it = std::find(lines.begin(), lines.end(), line);
  if (it == lines.end() || static_cast<std::size_t>(lines.end() - it - 1) < count) return {"<" + line + " not found>"};
  return Lines(it + 1, it + 1 + static_cast<std::ptrdiff_t>(count));
}

TEST(AsmListing, StartsWithTheTitleAndTheSettingsUnderTheirOrgs) {
  SnapshotImage image = LevelImage({LevelEndingAt(kLevelAreaStart, 0x9238)});
  image.Write(kFortressByte, 0x03);
  image.Write(kStartColumn, 0x0F);
  image.Write(kPixelsDown, 0x20);
  image.Write(kStartingLives, 0xFF);
  image.Write(kEnemyDelay, 0x0A);
  const Lines expected = {
      " ;Kestrova Levels Disassembly",
      "",
      "",
      " ;Miscellaneous game information",
      "",
      " Org $e327",
      " defb $03 ;Fortress byte",
      "",
      " Org $dcf7",
      " defb $0F ;Initial starting column",
      "",
      " Org $dcfa",
      " defb $20 ;Initial pixels down screen start point",
      "",
      " Org $7983",
      " defb $FF ;Starting lives (Starting bombs=$100)",
      "",
      " Org $dd3b",
      " defb $0A ;Enemy delay (Time until first enemy appears)",
      "",
      "",
      " ;Start of level 1 at $9236",
      "",
      " Org $9236",
      "",
      " defb $00,$0A ;$9236 (37430) ;Land Space",
      " defb $22,$01 ;$9238 (37432) ;Spawn Point",
      " defb $FF     ;$923A (37434) ;End of levels marker",
  };
  const Lines lines = Listing(image);
  ASSERT_GE(lines.size(), expected.size());
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);

  image.Write(kStartingLives, 0x04);
  EXPECT_EQ(Listing(image)[15], " defb $04 ;Starting lives (Starting bombs=$05)");
}

TEST(AsmListing, OneLevelEndingAt9300HasNoBoundaryLinesAndItsFreeBytesFrom9303) {
  const SnapshotImage image = LevelImage({LevelEndingAt(kLevelAreaStart, 0x9300)});
  const Lines lines = Listing(image);
  const auto first = std::find(lines.begin(), lines.end(), " defb $00,$0A ;$9236 (37430) ;Land Space");
  const auto end = std::find(lines.begin(), lines.end(), " defb $22,$01 ;$9300 (37632) ;Spawn Point");
  ASSERT_NE(first, lines.end());
  ASSERT_NE(end, lines.end());
  EXPECT_EQ(end - first, (0x9300 - 0x9236) / 2);  // every record on its line, nothing between
  for (const std::string& line : lines) EXPECT_EQ(line.find(" ;End   of level"), std::string::npos) << line;
  EXPECT_EQ(After(lines, " defb $22,$01 ;$9300 (37632) ;Spawn Point", 6),
            (Lines{" defb $FF     ;$9302 (37634) ;End of levels marker", "", "",
                   " ;Superfluous data required for integrity check", "",
                   " defb $03, $04, $05, $06, $07, $08, $09, $0A ;$9303 (37635)"}));
}

TEST(AsmListing, WritesTheBoundaryLinesWhereTheNextLevelStarts) {
  const SnapshotImage image = LevelImage({LevelEndingAt(kLevelAreaStart, 0x9300), {{0x83, 0x07}, {0x22, 0x01}}});
  EXPECT_EQ(After(Listing(image), " defb $22,$01 ;$9300 (37632) ;Spawn Point", 7),
            (Lines{"", " ;End   of level 1 at $9300", " ;Start of level 2 at $9302", "",
                   " defb $83,$07 ;$9302 (37634) ;A tree in column 7", " defb $22,$01 ;$9304 (37636) ;Spawn Point",
                   " defb $FF     ;$9306 (37638) ;End of levels marker"}));
}

TEST(AsmListing, FreeBytesBlockFollowsTheMarkerUpTo98CE) {
  {
    SCOPED_TRACE("marker at 0x98CE: no free bytes");
    const Lines lines = Listing(LevelImage({LevelEndingAt(kLevelAreaStart, 0x98CC)}));
    EXPECT_EQ(std::find(lines.begin(), lines.end(), " ;Superfluous data required for integrity check"), lines.end());
    EXPECT_EQ(After(lines, " defb $FF     ;$98CE (39118) ;End of levels marker", 3),
              (Lines{"", "", " ;Data integrity check"}));
  }
  {
    SCOPED_TRACE("marker at 0x98C4: eight bytes and two");
    const Lines lines = Listing(LevelImage({LevelEndingAt(kLevelAreaStart, 0x98C2)}));
    EXPECT_EQ(After(lines, " ;Superfluous data required for integrity check", 6),
              (Lines{"", " defb $C5, $C6, $C7, $C8, $C9, $CA, $CB, $CC ;$98C5 (39109)", " defb $CD, $CE ;$98CD (39117)",
                     "", "", " ;Data integrity check"}));
  }
}

TEST(AsmListing, EndsWithTheCheckTableAsTheImageHoldsIt) {
  SnapshotImage image = LevelImage({LevelEndingAt(kLevelAreaStart, 0x9300)});
  for (std::uint32_t a = 0xFA00; a <= 0xFAFF; ++a) image.Write(a, static_cast<std::uint8_t>(a + 0x10));
  const Lines lines = Listing(image);
  ASSERT_GE(lines.size(), 38u);
  const Lines tail(lines.end() - 38, lines.end());
  EXPECT_EQ(Lines(tail.begin(), tail.begin() + 6), (Lines{"", "", " ;Data integrity check", "", " Org $fa00", ""}));
  EXPECT_EQ(tail[6], " defb $10, $11, $12, $13, $14, $15, $16, $17 ;$FA00 (64000)");
  EXPECT_EQ(tail[7], " defb $18, $19, $1A, $1B, $1C, $1D, $1E, $1F ;$FA08 (64008)");
  EXPECT_EQ(tail.back(), " defb $08, $09, $0A, $0B, $0C, $0D, $0E, $0F ;$FAF8 (64248)");
}

TEST(AsmListing, ListsAStrayFFRecordWithItsOperandSoTheBytesStayInPlace) {
  const SnapshotImage image = LevelImage({{{0xFF, 0x12}, {0x83, 0x01}, {0x22, 0x01}}});
  EXPECT_EQ(After(Listing(image), " Org $9236", 5),
            (Lines{"", " defb $FF,$12 ;$9236 (37430) ;End of levels marker",
                   " defb $83,$01 ;$9238 (37432) ;A tree in column 1", " defb $22,$01 ;$923A (37434) ;Spawn Point",
                   " defb $FF     ;$923C (37436) ;End of levels marker"}));
}

TEST(AsmListing, StopsAtTheEndOfTheLevelAreaWithoutAMarker) {
  SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  const Lines lines = BuildAsmListing(image, ScanLevelTable(image));
  const std::size_t records = std::count_if(lines.begin(), lines.end(),
                                            [](const std::string& l) { return l.rfind(" defb $00,$00 ;$", 0) == 0; });
  EXPECT_EQ(records, (kLevelAreaLast - kLevelAreaStart) / 2 + 1);
  EXPECT_EQ(std::find(lines.begin(), lines.end(), " ;Superfluous data required for integrity check"), lines.end());
}

TEST(RecordDescription, NamesEveryKnownObject) {
  struct Case {
    std::uint8_t code, operand;
    const char* text;
  };
  const Case cases[] = {
      {0, 10, " ;Land Space"},
      {4, 3, " ;A road marking in column 3"},
      {5, 16, " ;A road bottom edging in column 16"},
      {6, 0, " ;A road top edging in column 0"},
      {8, 31, " ;A bridge section"},
      {9, 11, " ;A wall in column 11"},
      {13, 0, " ;Water"},
      {14, 0, " ;Water Strip 2"},
      {15, 1, " ;A single grenade in column 1"},
      {16, 2, " ;A triple grenade in column 2"},
      {17, 3, " ;A quintuple grenade in column 3"},
      {18, 4, " ;A left mortar in column 4"},
      {19, 5, " ;A right mortar in column 5"},
      {23, 31, " ;Draw Road on bridge"},
      {25, 0, " ;Water Strip 1"},
      {26, 0, " ;Truck"},
      {27, 0, " ;Motorbike"},
      {28, 0, " ;Jeep"},
      {29, 6, " ;A cave top edge in column 6"},
      {30, 7, " ;A cave main in column 7"},
      {31, 8, " ;A cave bottom edge in column 8"},
      {32, 0, " ;Prisoner of war"},
      {33, 20, " ;Fortress gates"},
      {34, 0, " ;Spawn Point"},
      {34, 1, " ;Spawn Point"},
      {35, 9, " ;A trench LHS in column 9"},
      {36, 10, " ;A trench MIDDLE in column 10"},
      {37, 11, " ;A trench RIGHT in column 11"},
      {38, 0xE5, " ;A double cliff mirrored cliff edge in column 5 with jumping soldiers"},
      {38, 0x05, " ;A cliff edge in column 5"},
      {38, 0x45, " ;A cliff edge in column 5 with jumping soldiers"},
      {38, 0x25, " ;A double cliff cliff edge in column 5"},
      {39, 1, " ;Turn the alarm ON"},
      {39, 0, " ;Turn the alarm OFF"},
      {40, 0, " ;End of NME with rocket launchers"},
      {40, 200, " ;Start of NME with rocket launchers. Ferocity:200"},
      {129, 12, " ;A bunker in column 12"},
      {130, 0x83, " ;A mirrored cliff in column 3"},
      {130, 0x23, " ;A cliff in column 3"},
      {131, 5, " ;A tree in column 5"},
      {135, 13, " ;A boulder in column 13"},
      {138, 14, " ;Sandbags LHS in column 14"},
      {139, 15, " ;Sandbags MIDDLE in column 15"},
      {140, 16, " ;Sandbags RHS in column 16"},
      {148, 0x83, " ;A large hut in column 3"},
      {148, 0x03, " ;A small hut in column 3"},
      {149, 0, " ;A barracks in column 0"},
      {150, 17, " ;A tunnel in column 17"},
      {152, 8, " ;A log crossing in column 8"},
      {255, 0, " ;End of levels marker"},
      {1, 0, ""},
      {41, 3, ""},
      {254, 3, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(RecordDescription(c.code, c.operand), c.text) << int(c.code);
}

TEST(JoinWithCrLf, EndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinWithCrLf({" ;a", "", " Org $9236"}), " ;a\r\n\r\n Org $9236\r\n");
  EXPECT_EQ(JoinWithCrLf({}), "");
}

}  // namespace
}  // namespace kestrova
