#include "cli/edit_runner.h"

#include <cstdio>

#include "edit/drag_step.h"
#include "level/level_stream.h"
#include "render/map_geometry.h"

namespace kestrova::cli {

namespace {

using Kind = EditCommand::Kind;

bool IsDelete(MenuCommand command) {
  return command == MenuCommand::DeletePlain || command == MenuCommand::DeleteRiverCrossing ||
         command == MenuCommand::DeleteTunnel || command == MenuCommand::DeleteFortress;
}

// The first enabled item anywhere in the menu for which `wanted` holds.
template <typename Wanted>
const MenuItem* FindItem(const std::vector<MenuItem>& items, const Wanted& wanted) {
  for (const MenuItem& item : items) {
    if (item.enabled && wanted(item)) return &item;
    if (const MenuItem* child = FindItem(item.children, wanted)) return child;
  }
  return nullptr;
}

// Done when the address is a record of a level; refused when it is in none
// or is an operand byte.
Outcome IsARecord(const Editor& editor, std::uint32_t address) {
  const LevelTable& table = editor.Levels();
  for (int i = 0; i < LevelCount(table); ++i) {
    const std::uint32_t start = table[static_cast<std::size_t>(i)];
    const auto end = LevelEndByBoundsRule(editor.Image(), table, i);
    if (!end || address < start || address > *end) continue;
    if ((address - start) % kRecordSize != 0) return Error{AddressText(address) + " is an operand byte, not a record"};
    return Outcome::Done();
  }
  return Error{AddressText(address) + " is not a record of any level"};
}

}  // namespace

Outcome EditRunner::Run(const EditCommand& command) {
  ui_.replies.clear();
  switch (command.kind) {
    case Kind::Lives:
      ui_.replies = {std::to_string(command.numbers[0])};
      editor_.Lives();
      return Outcome::Done();
    case Kind::Spawn:
      ui_.replies = {std::to_string(command.numbers[0]), std::to_string(command.numbers[1])};
      editor_.Spawn();
      return Outcome::Done();
    case Kind::Delay:
      ui_.replies = {std::to_string(command.numbers[0])};
      editor_.Delay();
      return Outcome::Done();
    case Kind::Fortress:
      editor_.ClickFortressByte(command.numbers[0]);
      return Outcome::Done();
    case Kind::Insert:
      return Insert(command);
    case Kind::Before:
      return Before(command);
    case Kind::InsertHere:
      return InsertHere(command);
    case Kind::Delete:
      return Delete(command);
    case Kind::Change:
      return Change(command);
    case Kind::Ink:
    case Kind::Paper:
      return Colour(command);
    case Kind::WipeCurrent:
    case Kind::WipeAllAfter:
      return Wipe(command);
  }
  return Outcome::Done();
}

Outcome EditRunner::Point(std::uint32_t address, std::optional<int> column, MapPixel& pixel) {
  if (Outcome record = IsARecord(editor_, address); !record) return record;
  const std::optional<MapPixel> shown = editor_.ShowRecord(address, column);
  if (!shown) {
    return Error{"the record at " + AddressText(address) + " draws nothing on the map" +
                 (column ? " in column " + std::to_string(*column) : std::string()) +
                 " to point at (it belongs to a group, or is a level's end)"};
  }
  pixel = *shown;
  return Outcome::Done();
}

Outcome EditRunner::OpenPopup(std::uint32_t address, std::optional<int> column) {
  MapPixel pixel;
  if (Outcome pointed = Point(address, column, pixel); !pointed) return pointed;
  editor_.PressMap(MouseButton::Right, pixel.x, pixel.y);
  if (editor_.Popup().empty()) return Error{"the record at " + AddressText(address) + " has no menu"};
  return Outcome::Done();
}

Outcome EditRunner::Insert(const EditCommand& command) {
  MapPixel pixel;
  if (Outcome pointed = Point(command.address, command.column, pixel); !pointed) return pointed;
  if (command.value) ui_.replies = {std::to_string(*command.value)};
  return editor_.DropObject(command.tag, pixel.x, pixel.y);
}

Outcome EditRunner::Before(const EditCommand& command) {
  if (command.numbers.empty()) {
    if (Outcome record = IsARecord(editor_, command.address); !record) return record;
    here_ = command.address;
    return Outcome::Done();
  }
  const int level = command.numbers[0];
  const int count = LevelCount(editor_.Levels());
  if (level > count)
    return Error{"there is no level " + std::to_string(level) + "; the game has " + std::to_string(count)};
  here_ = editor_.Levels()[static_cast<std::size_t>(level - 1)];
  return Outcome::Done();
}

Outcome EditRunner::InsertHere(const EditCommand& command) {
  if (!here_) return Error{"an insert without 'at' goes after a 'before ADDRESS' or 'before level N' line"};
  const RecordClip clip{{command.bytes}};
  if (Outcome pasted = editor_.PasteBefore(clip, *here_); !pasted) return pasted;
  // The record named moved on by what went in front of it.
  *here_ += static_cast<std::uint32_t>(clip.Bytes());
  return Outcome::Done();
}

Outcome EditRunner::Delete(const EditCommand& command) {
  if (Outcome pointed = OpenPopup(command.address); !pointed) return pointed;
  const MenuItem* item = FindItem(editor_.Popup(), [](const MenuItem& i) { return IsDelete(i.command); });
  if (!item) return Error{"the record at " + AddressText(command.address) + " has no delete in its menu"};
  const MenuItem chosen = *item;
  return editor_.RunMenuCommand(chosen);
}

Outcome EditRunner::Change(const EditCommand& command) {
  if (Outcome pointed = OpenPopup(command.address); !pointed) return pointed;
  const MenuItem* item = FindItem(editor_.Popup(), [](const MenuItem& i) { return i.command == MenuCommand::Change; });
  if (!item) return Error{"the record at " + AddressText(command.address) + " has nothing to change"};
  const int value = command.numbers[0];
  const PointerState& state = editor_.Pointer();
  if (value < state.rangeMin || value > state.rangeMax)
    return Error{"\"" + item->caption + "\" takes " + std::to_string(state.rangeMin) + " to " +
                 std::to_string(state.rangeMax) + ", not " + std::to_string(value)};
  const MenuItem chosen = *item;
  ui_.replies = {std::to_string(value)};
  return editor_.RunMenuCommand(chosen);
}

Outcome EditRunner::Colour(const EditCommand& command) {
  MapPixel shown;
  if (Outcome pointed = Point(command.address, command.column, shown); !pointed) return pointed;
  const std::string holder = command.kind == Kind::Ink ? "Ink" : "Paper";
  const auto offered = [&](const MenuItem& i) {
    return i.caption == holder && !i.children.empty() && i.children[0].enabled;
  };
  // An object drawn from several tiles has a colour byte (and a menu) for
  // each: the first of its cells from the top, column by column (in the
  // column given), whose menu offers the colour is the one clicked.
  const MenuItem* menu = nullptr;
  FindCellOwnedBy(editor_.Grid(), editor_.Tables(), command.address, command.column, [&](MapCell cell) {
    const MapPixel pixel = MapPixelOfCell(cell);
    editor_.PressMap(MouseButton::Right, pixel.x, pixel.y);
    return (menu = FindItem(editor_.Popup(), offered)) != nullptr;
  });
  if (!menu)
    return Error{"the object at " + AddressText(command.address) + " has no " + holder + " to set" +
                 (command.column ? " in column " + std::to_string(*command.column) : std::string())};
  const MenuItem* item = FindItem(menu->children, [&](const MenuItem& i) {
    return i.command == MenuCommand::Attribute && i.caption == command.colour;
  });
  if (!item) return Error{holder + " of the object at " + AddressText(command.address) + " has no " + command.colour};
  const MenuItem chosen = *item;
  return editor_.RunMenuCommand(chosen);
}

Outcome EditRunner::Wipe(const EditCommand& command) {
  const int level = command.numbers[0];
  const int count = LevelCount(editor_.Levels());
  if (level > count)
    return Error{"there is no level " + std::to_string(level) + "; the game has " + std::to_string(count)};
  editor_.ChooseLevel(level - 1);
  if (command.kind == Kind::WipeCurrent) {
    editor_.ClickWipeCurrentLevel();
  } else {
    editor_.ClickWipeAllAfter();
  }
  return editor_.WipeLevels();
}

}  // namespace kestrova::cli
