#include <algorithm>

#include "edit/attribute_command.h"
#include "edit/change_command.h"
#include "edit/context_menu.h"
#include "edit/deletes.h"
#include "edit/drag_step.h"
#include "edit/ground_menu.h"
#include "edit/insertion.h"
#include "edit/prompt_numbers.h"
#include "edit/record_shift.h"
#include "editor/step_recorder.h"

namespace kestrova {

void Editor::PressMap(MouseButton button, int x, int y) {
  if (state_.pointer.dragFlag) {
    // Another button while an object is dragged: no popup, whose grab would
    // swallow the release, and the grabbed object's record stays the one
    // under the pointer. A release of any button still ends the drag.
    popup_.clear();
    popupPlacement_ = PopupPlacement::None;
    return;
  }
  if (!IsInMapView(x, y)) return;
  const int column = ColumnOfMapX(x);
  const int row = RowOfMapY(y);
  const std::uint32_t cell = tables_.rowStart[static_cast<std::size_t>(row)] + static_cast<std::uint32_t>(column);
  const std::uint32_t tile = grid_.tileId[cell];
  state_.pointer.cellUnderPointer = cell;
  state_.pointer.recordUnderPointer = grid_.ownerPos[cell];
  state_.pointer.previousLand = grid_.landPos[cell];
  // A plain left press starts afresh; a drag would move records the selection names by place.
  if (button == MouseButton::Left) selection_.Clear();
  if (button == MouseButton::Left) StartDrag(tile, column, row);
  if (button == MouseButton::Right) BuildPopup(tile);
}

void Editor::StartDrag(std::uint32_t tile, int column, int row) {
  const auto range = DragColumnRange(tile);
  if (!range) return;
  state_.pointer.dragFlag = true;
  state_.pointer.grabbedColumn = column;
  state_.pointer.grabbedRow = row;
  state_.pointer.rangeMin = range->minimum;
  state_.pointer.rangeMax = range->maximum;
  OpenDragStep(tile);
}

void Editor::BuildPopup(std::uint32_t tile) {
  popup_.clear();
  popupPlacement_ = PopupPlacement::None;
  if (tile == 0) {
    state_.pointer.changeLabel = kDistanceLabel;
    state_.pointer.rangeMin = kDistanceMinimum;
    state_.pointer.rangeMax = kDistanceMaximum;
    popup_ = BuildGroundMenu(
        {state_.pointer.recordUnderPointer != 0, state_.place.bytesFree, levelTable_[kLevelTableSize - 1] == 0});
    popupPlacement_ = PopupPlacement::ContextMenu;
    return;
  }
  auto object = BuildObjectPopup(image_, tile, state_.pointer.recordUnderPointer, CurrentLevel());
  if (!object) return;
  state_.pointer.rangeMin = object->rangeMin;
  state_.pointer.rangeMax = object->rangeMax;
  if (object->changeColumn) state_.pointer.changeLabel = kColumnLabel;
  if (object->attributeAddress) state_.pointer.attributeAddress = *object->attributeAddress;
  popup_ = std::move(object->items);
  popupPlacement_ = PopupPlacement::AtCursor;
}

Outcome Editor::RunMenuCommand(const MenuItem& item) {
  if (!item.enabled) return Tell(Error{"\"" + item.caption + "\" cannot be used here"});
  switch (item.command) {
    case MenuCommand::InsertSinglePair:
    case MenuCommand::InsertCaveWithSpace:
    case MenuCommand::InsertLogCrossing:
    case MenuCommand::InsertTunnelWithoutMotorbike:
    case MenuCommand::InsertTunnelWithMotorbike:
    case MenuCommand::InsertFullRoad:
    case MenuCommand::InsertFortress:
      return InsertObject(item.tag);
    case MenuCommand::DeletePlain:
      return DeletePlain();
    case MenuCommand::DeleteRiverCrossing:
      return DeleteRiverCrossing();
    case MenuCommand::DeleteTunnel:
      return DeleteTunnel(item.tag);
    case MenuCommand::DeleteFortress:
      return DeleteFortress();
    case MenuCommand::Change:
      return ChangeValue();
    case MenuCommand::Attribute:
      return SetAttribute(item.tag);
    case MenuCommand::None:
      break;
  }
  return Tell(Error{"\"" + item.caption + "\" does nothing by itself"});
}

Outcome Editor::InsertObject(int tag) {
  const StepRecorder step(*this, "Insert " + std::string(InsertionCaption(tag)));
  const int size = InsertionSize(tag);
  const std::uint32_t at = state_.pointer.recordUnderPointer;
  // The callers test room and position; this only keeps a faulty caller from
  // pushing the end-of-levels marker out of the area or writing outside the
  // current level.
  if (size == 0) return Tell(Error{"no object is inserted by number " + std::to_string(tag)});
  if (!InLevelArea(at) || at < state_.place.levelStart || at > state_.place.levelEnd)
    return Tell(Error{"there is no record of this level under the pointer"});
  if (state_.place.bytesFree < size) return Tell(Error{TooFewBytesReason(tag, size, state_.place.bytesFree)});
  if (const Outcome opened = OpenGap(image_, at, static_cast<std::uint32_t>(size)); !opened) return Tell(opened);
  WriteInsertion(image_, state_.pointer, tag, at, [this](const PromptedTag& prompt, int minimum, int maximum) {
    return AskInsertionNumber(*ui_, std::string(prompt.title), std::string(prompt.message), minimum, maximum);
  });
  return RefreshAfterInsert(size, IsFortressTag(tag));
}

Outcome Editor::RefreshAfterInsert(int size, bool endsALevel) {
  if (!endsALevel) {
    EditRefresh(size);
    return Outcome::Done();
  }
  // A fortress ends its level where it went in: the level table follows.
  BookStreamChange(size);
  SettleLevelEndAfterFortress();
  ShowFortressByte();
  Refresh();
  return Outcome::Done();
}

Outcome Editor::RefreshAfterDelete(const Result<int>& removed) {
  if (!removed) return Tell(Error{removed.ErrorMessage()});
  EditRefresh(-*removed);
  return Outcome::Done();
}

Outcome Editor::DeletePlain() {
  const StepRecorder step(*this, PopupCaption(MenuCommand::DeletePlain, 0, "Delete"));
  return RefreshAfterDelete(DeletePlainRecord(image_, state_.pointer.recordUnderPointer, CurrentLevel()));
}

Outcome Editor::DeleteRiverCrossing() {
  const std::string name = PopupCaption(MenuCommand::DeleteRiverCrossing, 0, "Delete");
  const StepRecorder step(*this, name);
  const Result<int> removed = DeleteRiverCrossingGroup(image_, state_.pointer.recordUnderPointer, CurrentLevel());
  if (const Outcome refreshed = RefreshAfterDelete(removed); !refreshed) return refreshed;
  NoteGroupDeleted(name, *removed);
  return Outcome::Done();
}

Outcome Editor::DeleteTunnel(int size) {
  const std::string name = PopupCaption(MenuCommand::DeleteTunnel, size, "Delete");
  const StepRecorder step(*this, name);
  const Result<int> removed = DeleteTunnelGroup(image_, state_.pointer.recordUnderPointer, size, CurrentLevel());
  if (const Outcome refreshed = RefreshAfterDelete(removed); !refreshed) return refreshed;
  NoteGroupDeleted(name, *removed);
  return Outcome::Done();
}

Outcome Editor::DeleteFortress() {
  const std::string name = PopupCaption(MenuCommand::DeleteFortress, 0, "Delete");
  const StepRecorder step(*this, name);
  const Result<int> removed = DeleteFortressGroup(image_, state_.pointer.recordUnderPointer, CurrentLevel());
  if (!removed) return Tell(Error{removed.ErrorMessage()});
  BookStreamChange(-*removed);
  SettleLevelEndAfterFortress();
  Refresh();
  NoteGroupDeleted(name, *removed);
  return Outcome::Done();
}

void Editor::NoteGroupDeleted(const std::string& step, int removedBytes) {
  Note(step + ": " + std::to_string(removedBytes / static_cast<int>(kRecordSize)) +
       " records of its group went. Ctrl+Z undoes it.");
}

Outcome Editor::ChangeValue() {
  const StepRecorder step(*this, PopupCaption(MenuCommand::Change, 0, "Change"));
  const std::uint32_t record = state_.pointer.recordUnderPointer;
  if (!InLevelArea(record)) return Tell(Error{"there is no record under the pointer"});
  const std::uint8_t operand = image_.Read(record + 1);
  const ChangePrompt prompt =
      MakeChangePrompt(state_.pointer.changeLabel, state_.pointer.rangeMin, state_.pointer.rangeMax, operand);
  const int value = AskChangeValue(*ui_, prompt, state_.pointer.rangeMin, state_.pointer.rangeMax);
  image_.Write(record + 1, ChangedOperand(state_.pointer.changeLabel, operand, value));
  Refresh();
  return Outcome::Done();
}

Outcome Editor::SetAttribute(int tag) {
  const StepRecorder step(*this, PopupCaption(MenuCommand::Attribute, tag, "Attribute"));
  const std::uint32_t tile =
      grid_.tileId[std::min<std::uint32_t>(state_.pointer.cellUnderPointer, kDisplayFileSize - 1)];
  const Outcome applied = ApplyAttribute(image_, state_.pointer.attributeAddress, tile, tag);
  RedrawOverview();
  // The colour byte is the game's for every object of the kind, not this one's.
  if (applied) {
    Note(PopupCaption(MenuCommand::Attribute, tag, "Colour") + ": the colour of every " +
         ObjectKindOf(tile).value_or("object") + " changed. Ctrl+Z undoes it.");
  }
  return Tell(applied);
}

namespace {

bool IsDeleteCommand(MenuCommand command) {
  return command == MenuCommand::DeletePlain || command == MenuCommand::DeleteRiverCrossing ||
         command == MenuCommand::DeleteTunnel || command == MenuCommand::DeleteFortress;
}

const MenuItem* EnabledDeleteItem(const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    if (item.enabled && IsDeleteCommand(item.command)) return &item;
    if (const MenuItem* inner = EnabledDeleteItem(item.children)) return inner;
  }
  return nullptr;
}

}  // namespace

Outcome Editor::DeleteUnderPointer() {
  if (!HasSnapshot()) return Tell(Error{"no snapshot is loaded"});
  if (!state_.pointer.onMap) return Tell(Error{"the pointer is not over the map"});
  // The right press a person would make first: the same record, limits and
  // popup, so the delete is the one choosing its item runs.
  PressMap(MouseButton::Right, state_.pointer.mapX, state_.pointer.mapY);
  popupPlacement_ = PopupPlacement::None;  // built, not shown
  const MenuItem* item = EnabledDeleteItem(popup_);
  if (!item) return Tell(Error{"nothing to delete here"});
  const MenuItem chosen = *item;  // the command reads the popup it came from
  return RunMenuCommand(chosen);
}

void Editor::Note(std::string text) {
  view_.lastNotice.reason = std::move(text);
  ++view_.lastNotice.count;
}

Outcome Editor::Tell(Outcome outcome) {
  if (!outcome) {
    view_.lastRefusal.reason = outcome.ErrorMessage();
    ++view_.lastRefusal.count;
  }
  return outcome;
}

LevelBounds Editor::CurrentLevel() const { return {state_.place.levelStart, state_.place.levelEnd}; }

void Editor::SettleLevelEndAfterFortress() {
  const int maximum = view_.scrollMaximum;
  if (const auto end = LevelEndByBoundsRule(image_, levelTable_, state_.place.currentLevelIndex))
    state_.place.levelEnd = *end;
  RebuildLevels();
  view_.scrollPosition += view_.scrollMaximum - maximum;
}

}  // namespace kestrova
