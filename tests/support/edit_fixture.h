#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "level/level_addresses.h"
#include "level/level_table.h"
#include "snapshot/sna.h"
#include "support/memory_files.h"
#include "support/scripted_ui.h"

namespace kestrova::testing {

// Filler of the free bytes and of the bytes after the level area, so that
// moved and copied bytes can be told apart.
constexpr std::uint8_t kFreeFiller = 0xEE;
constexpr std::uint8_t AfterAreaByte(std::uint32_t address) {
  return static_cast<std::uint8_t>(0xA0 + (address & 0x0F));
}

// An editor holding a 48K image whose level area starts with a given
// stream, set up as a load leaves it: bytes free counted, the level table
// rebuilt and level 1 chosen.
class EditFixture {
 public:
  static constexpr const char* kPath = "/in/level.sna";
  ScriptedUi ui;
  MemoryFiles files;
  Editor editor{ui, files};

  void LoadStream(const std::vector<std::uint8_t>& stream) {
    SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
    for (std::uint32_t a = kLevelAreaStart; a <= kLevelAreaLast; ++a) image.Write(a, kFreeFiller);
    for (std::uint32_t a = kLevelAreaLast + 1; a < kLevelAreaLast + 0x40; ++a) image.Write(a, AfterAreaByte(a));
    for (std::size_t i = 0; i < stream.size(); ++i)
      image.Write(kLevelAreaStart + static_cast<std::uint32_t>(i), stream[i]);
    LoadImage(std::move(image));
  }

  // "Load Snapshot" of the image as a .sna file; an image without an
  // end-of-levels marker is put in place by hand, as no load accepts it.
  void LoadImage(SnapshotImage image) {
    image.Write(kRecognitionAddress, kRecognitionValue);
    if (CountFreeBytesAndFindLevelOne(image)) {
      files.files[kPath] = std::vector<std::uint8_t>(image.Bytes().begin(), image.Bytes().end());
      ui.fileAnswers.push_back(kPath);
      editor.LoadSnapshot();
    } else {
      editor.Image() = std::move(image);
      editor.RebuildLevels();
      editor.ChooseLevel(0);
    }
    ui.questions.clear();
  }

  // Puts a drawn cell under map pixel (x, y) of the 512 x 384 view.
  void PutTile(int x, int y, std::uint32_t tile, std::uint32_t owner, std::uint32_t land = 0) {
    const std::uint32_t cell =
        editor.Tables().rowStart[static_cast<std::size_t>(y / 2)] + static_cast<std::uint32_t>(x / 16);
    editor.Grid().tileId[cell] = tile;
    editor.Grid().ownerPos[cell] = owner;
    editor.Grid().landPos[cell] = land;
  }

  // Presses a button on a cell that holds the given tile and record.
  void PressOn(MouseButton button, std::uint32_t tile, std::uint32_t owner, std::uint32_t land = 0, int x = 100,
               int y = 200) {
    PutTile(x, y, tile, owner, land);
    editor.PressMap(button, x, y);
  }

  // The pointer moved over map column `column`, then a right press on a cell
  // the record at `record` drew: the record and column an insertion takes.
  void PointAt(std::uint32_t record, int column, int y = 200) {
    editor.MovePointerOverMap(column * 16, y);
    PressOn(MouseButton::Right, 0, record, record, column * 16, y);
  }

  std::uint8_t At(std::uint32_t address) const { return editor.Image().Read(address); }
  std::vector<std::uint8_t> Bytes(std::uint32_t from, std::size_t count) const {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < count; ++i) bytes.push_back(At(from + static_cast<std::uint32_t>(i)));
    return bytes;
  }
  // The marker's address by the load-time scan.
  std::uint32_t Marker() const {
    const auto last = FindFirstLastEndRecord(editor.Image(), kFirstMovableRecord);
    return last ? *last + 2 : 0;
  }
};

// A scripted Ui that first lets the test look at the editor whenever an
// input box is shown (with its title).
class PeekingUi : public ScriptedUi {
 public:
  std::function<void(const std::string& title)> onInput;
  std::string InputBox(const InputBoxRequest& request) override {
    if (onInput) onInput(request.title);
    return ScriptedUi::InputBox(request);
  }
};

// Concatenates byte lists: Stream({0x83, 5}, {0x22, 1, 0xFF}).
inline std::vector<std::uint8_t> Stream(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> bytes;
  for (const auto& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
  return bytes;
}

}  // namespace kestrova::testing
