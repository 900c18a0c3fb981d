#pragma once

// What the object drawers share: the record being drawn, colour sources,
// sprites, and the drawers of each concept file.

#include <cstdint>
#include <optional>

#include "render/drawer.h"
#include "render/screen_canvas.h"
#include "render/sprite_layouts.h"

namespace kestrova {

// Codes the drawers look for around their own record.
constexpr std::uint8_t kCodeTunnel = 0x96;

// Where an object's attribute byte comes from.
struct ColourSource {
  enum class Kind : std::uint8_t {
    kNone,         // the drawer leaves the attributes alone
    kByte,         // the byte at `value`
    kInkOnYellow,  // the byte at `value` plus 0x30 (yellow paper)
    kConstant,     // `value` itself
  };
  Kind kind = Kind::kNone;
  std::uint32_t value = 0;
};

constexpr ColourSource ColourByteAt(std::uint32_t address) { return {ColourSource::Kind::kByte, address}; }
constexpr ColourSource InkOnYellowAt(std::uint32_t address) { return {ColourSource::Kind::kInkOnYellow, address}; }
constexpr ColourSource ConstantColour(std::uint8_t attribute) { return {ColourSource::Kind::kConstant, attribute}; }
constexpr ColourSource kNoColour{};

constexpr std::uint8_t kYellowPaper = 0x30;

std::optional<std::uint8_t> ReadColour(const SnapshotImage& image, ColourSource source);

// The record a drawer is called for. Constructing it saves the current row
// and moves the stream cursor to the operand; destroying it moves the cursor
// past the operand and puts the current row back, so every drawer advances
// the cursor by exactly 2 and leaves the row as it found it.
class RecordDrawing {
 public:
  explicit RecordDrawing(DrawContext& context);
  ~RecordDrawing();
  RecordDrawing(const RecordDrawing&) = delete;
  RecordDrawing& operator=(const RecordDrawing&) = delete;

  std::uint32_t Address() const { return address_; }
  std::uint8_t Operand() const { return operand_; }
  // The bottom line the object stands on.
  int Row() const { return row_; }
  // The byte `offset` bytes from the record's code byte.
  std::uint8_t ByteAt(std::int64_t offset) const;

  std::uint8_t Read(std::uint32_t address) const { return context_.canvas.Image().Read(address); }
  std::optional<std::uint8_t> Colour(ColourSource source) const { return ReadColour(context_.canvas.Image(), source); }
  // A paint with this record as owner.
  BytePaint Paint(std::uint32_t tile, ColourSource colour) const;

  ScreenCanvas& Canvas() { return context_.canvas; }
  WalkMemory& Walk() { return context_.walk; }

 private:
  DrawContext& context_;
  std::uint32_t address_;
  std::uint8_t operand_;
  int row_;
};

// Draws a whole sprite with its byte 0 in `column` and its bottom line on
// `bottomRow`, reading the graphic bytes from the image.
void DrawSprite(ScreenCanvas& canvas, const SpriteShape& shape, int column, int bottomRow, const BytePaint& paint);

// object_drawers_sprites.cpp: simple sprites, objects at fixed columns and
// the prisoner of war; nullptr for other codes.
DrawerFunction FindSpriteDrawer(std::uint8_t code);

// object_drawers_scenery.cpp
void DrawTree(DrawContext& context);
void DrawCliff(DrawContext& context);
void DrawCliffEdge(DrawContext& context);
void DrawHut(DrawContext& context);

// object_drawers_water.cpp
void DrawLogCrossing(DrawContext& context);
void DrawWater(DrawContext& context);
void DrawWaterStrip1(DrawContext& context);
void DrawWaterStrip2(DrawContext& context);

// object_drawers_structures.cpp
void DrawWall(DrawContext& context);
void DrawRoadOnBridge(DrawContext& context);
void DrawBridgeSection(DrawContext& context);
void DrawFortressGates(DrawContext& context);
void DrawRoadBottomEdging(DrawContext& context);
void DrawRoadTopEdging(DrawContext& context);

}  // namespace kestrova
