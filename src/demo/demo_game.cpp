#include "demo/demo_game.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "demo/demo_addresses.h"
#include "demo/demo_art.h"
#include "demo/demo_levels.h"
#include "demo/demo_memory.h"
#include "level/game_settings.h"
#include "level/level_stream.h"
#include "render/screen_tables.h"
#include "snapshot/check_table.h"
#include "snapshot/sna.h"

namespace kestrova {

namespace {

using demo::DemoMemory;
using demo::DemoMemoryConflict;

// The palette draws its pictures from records beyond the level area and
// reads each operand from the byte after the record: these operands place
// every picture inside the window the palette converts.
struct SampleOperand {
  std::uint32_t sample;
  std::uint8_t operand;
};
constexpr SampleOperand kSampleOperands[] = {
    {0x98E3, 0x40},  // cliff edge with jumping soldiers, column 0
    {0x98E5, 0x80},  // mirrored cliff and cliff edge, column 0
    {0x9906, 0x00},  // second log of the crossing drag picture: logs at 0 and 7
    {0x9907, 0xC0},  // mirrored cliff edge with jumping soldiers
    {0x990F, 8},     // boulder, sandbags right, cave, log crossing
    {0x9927, 4},     // sandbags middle
    {0x992A, 0},     // land space, lorry, cliff, spawn point, alarm off, road and the drag pictures
    {0x993F, 5},     // tree
    {0x9942, 1},     // drag pictures: tree, large hut, alarm on, rocket attack start
    {0x9970, 3},     // rocket launcher: the operand does not place it
    {0x9A03, 28},    // left mortar
    {0x9A14, 20},    // quintuple grenade, trench right, barracks, fortress gates
    {0x9A42, 16},    // triple grenade, trench middle
    {0x9CAA, 24},    // right mortar
    {0xA01D, 12},    // single grenade, trench left, bunker, prisoner of war, tunnel
    {0xA02A, 0xE0},  // mirrored double cliff edge with jumping soldiers
    {0xA0C3, 25},    // hut
    {0xA0CE, 0x60},  // double cliff edge with jumping soldiers
};

// The land-space drawer looks back 1, 3 and 5 records for a tunnel or a log
// crossing; no sample may find one there.
constexpr std::array<std::uint32_t, 3> kLookBack = {2, 6, 10};

struct SettingByte {
  std::string_view name;
  std::uint32_t address;
  std::uint8_t value;
};
constexpr std::uint8_t kDemoLives = 3;
constexpr SettingByte kSettings[] = {
    {"fortress byte", kFortressByte, 1},
    {"start column", kStartColumn, 14},
    {"pixels down", kPixelsDown, 60},
    {"starting lives", kStartingLives, kDemoLives},
    {"lives digit", kLivesDigit, '0' + kDemoLives},
    {"bombs digit", kBombsDigit, '1' + kDemoLives},
    {"enemy delay", kEnemyDelay, 50},
};

// EI; HALT; JR back to the EI. The HALT is the game's second recognition byte.
constexpr std::uint8_t kCodeLoopBytes[] = {0xFB, 0x76, 0x18, 0xFC};

// Registers of a machine idling in that loop under the ROM's interrupt mode 1.
constexpr std::uint8_t kRegisterI = 0x3F;
constexpr std::uint16_t kRegisterIY = 0x5C3A;  // the ROM's interrupt routine expects its system variables here
constexpr std::uint8_t kInterruptsEnabled = 0x04;
constexpr std::uint8_t kInterruptMode = 1;
constexpr std::uint8_t kBorderYellow = 6;
constexpr std::uint16_t kRegisterAF = 0x0044;
constexpr std::uint8_t kPort7FFD = 0x10;  // 48K BASIC ROM, bank 0 at 0xC000

// Bank 1 of the 128K variant: 16-byte lines "B1:hhhh KESTROVA", hhhh the
// line's offset in the bank.
constexpr std::string_view kBankLineText = " KESTROVA";
constexpr std::size_t kBankLineLength = 16;

// The snapshot's own screen, shown while it runs in an emulator: yellow
// paper, the name in the banner's colours and a line of text.
constexpr std::uint8_t kScreenPaper = 0x30;
constexpr std::uint8_t kScreenTitleColour = 0x17;
struct ScreenLine {
  int row;
  std::string_view text;
  std::uint8_t colour;
};
constexpr ScreenLine kScreenLines[] = {
    {9, " KESTROVA ", kScreenTitleColour},
    {12, "A DEMO GAME", 0x32},
    {14, "OUR OWN LEVELS AND ART", kScreenPaper},
};

std::string Hex4(std::uint32_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
  return text;
}

void WritePaletteSamples(DemoMemory& memory) {
  for (const SampleOperand& sample : kSampleOperands) {
    memory.Write(sample.sample + 1, sample.operand, "palette sample 0x" + Hex4(sample.sample));
  }
}

void CheckSampleLookBacks(const SnapshotImage& image) {
  for (const SampleOperand& sample : kSampleOperands) {
    for (std::uint32_t back : kLookBack) {
      const std::uint8_t code = image.Read(sample.sample - back);
      if (code == static_cast<std::uint8_t>(ObjectCode::Tunnel) ||
          code == static_cast<std::uint8_t>(ObjectCode::LogCrossing)) {
        throw DemoMemoryConflict("palette sample 0x" + Hex4(sample.sample) + " would find a tunnel or crossing at 0x" +
                                 Hex4(sample.sample - back));
      }
    }
  }
}

void WriteSettings(DemoMemory& memory) {
  for (const SettingByte& setting : kSettings) memory.Write(setting.address, setting.value, setting.name);
  memory.Write(kRecognitionAddress, kRecognitionValue, "recognition byte");
  for (std::uint32_t i = 0; i < sizeof kCodeLoopBytes; ++i) {
    memory.Write(demo::kCodeLoop + i, kCodeLoopBytes[i], "code loop");
  }
  if (memory.Image().Read(kAlternateRecognitionAddress) != kAlternateRecognitionValue) {
    throw DemoMemoryConflict("the code loop does not hold the second recognition byte");
  }
}

std::uint32_t DisplayAddress(int characterRow, int pixelRow, int column) {
  return kScreenAreaStart + static_cast<std::uint32_t>(((characterRow & 0x18) << 8) | (pixelRow << 8) |
                                                       ((characterRow & 7) << 5) | column);
}

std::uint32_t GlyphOf(char character) {
  if (character >= 'A' && character <= 'Z') return demo::LetterGlyph(character);
  return kGlyphBlank;
}

void WriteScreen(DemoMemory& memory) {
  SnapshotImage& image = memory.Image();
  for (const ScreenLine& line : kScreenLines) {
    const int first = (kScreenColumns - static_cast<int>(line.text.size())) / 2;
    for (std::size_t i = 0; i < line.text.size(); ++i) {
      const int column = first + static_cast<int>(i);
      const std::uint32_t glyph = GlyphOf(line.text[i]);
      for (int pixelRow = 0; pixelRow < 8; ++pixelRow) {
        memory.Write(DisplayAddress(line.row, pixelRow, column),
                     image.Read(glyph + static_cast<std::uint32_t>(pixelRow)), "title screen");
      }
      memory.Write(kAttributeFileStart + static_cast<std::uint32_t>(line.row * kScreenColumns + column), line.colour,
                   "title screen");
    }
  }
  for (std::uint32_t a = kAttributeFileStart; a < kScreenAreaStart + kScreenAreaSize; ++a) {
    if (!memory.Used(a)) memory.Write(a, kScreenPaper, "title screen");
  }
}

void ReserveCheckTable(DemoMemory& memory) {
  for (std::uint32_t i = 0; i < 256; ++i) memory.Write(kCheckTableStart + i, 0, "check table");
}

void WriteHeader(SnapshotImage& image, DemoMemory& memory, DemoMachine machine) {
  image.WriteOffset(kHeaderI, kRegisterI);
  image.WriteOffsetWord(kHeaderIY, kRegisterIY);
  image.WriteOffset(kHeaderInterrupts, kInterruptsEnabled);
  image.WriteOffsetWord(kHeaderAF, kRegisterAF);
  image.WriteOffset(kHeaderIM, kInterruptMode);
  image.WriteOffset(kHeaderBorder, kBorderYellow);
  if (machine == DemoMachine::Spectrum48K) {
    // A 48K snapshot keeps the PC on the stack.
    image.WriteOffsetWord(kHeaderSP, static_cast<std::uint16_t>(demo::kStackPointer));
    memory.WriteWord(demo::kStackPointer, static_cast<std::uint16_t>(demo::kCodeLoop), "stacked PC");
    return;
  }
  // The same machine state with the PC in the 128K extension.
  image.WriteOffsetWord(kHeaderSP, static_cast<std::uint16_t>(demo::kStackPointer + 2));
  memory.WriteWord(demo::kStackPointer, 0, "stack");
  image.WriteOffsetWord(kOffset128KPc, static_cast<std::uint16_t>(demo::kCodeLoop));
  image.WriteOffset(kOffset128KPort7FFD, kPort7FFD);
  image.WriteOffset(kOffset128KTrDos, 0);
}

void WriteBankOne(SnapshotImage& image) {
  for (std::size_t line = 0; line < kPageSize; line += kBankLineLength) {
    const std::string text = "B1:" + Hex4(static_cast<std::uint32_t>(line)) + std::string(kBankLineText);
    for (std::size_t i = 0; i < kBankLineLength; ++i) {
      image.WriteOffset(kOffsetBank1 + line + i, static_cast<std::uint8_t>(text[i]));
    }
  }
}

}  // namespace

SnapshotImage MakeDemoSnapshot(DemoMachine machine) {
  SnapshotImage image(
      std::vector<std::uint8_t>(machine == DemoMachine::Spectrum48K ? kSnapshotSize48K : kSnapshotSize128K, 0));
  DemoMemory memory(image);
  demo::WriteDemoArt(memory);
  demo::WriteDemoLevels(memory);
  WritePaletteSamples(memory);
  WriteSettings(memory);
  WriteScreen(memory);
  ReserveCheckTable(memory);
  WriteHeader(image, memory, machine);
  if (machine == DemoMachine::Spectrum128K) WriteBankOne(image);
  CheckSampleLookBacks(image);
  UpdateCheckTable(image);
  return image;
}

}  // namespace kestrova
