// Undo and redo of the editing handlers, and the question before unsaved
// changes would be lost.
#include <optional>
#include <string_view>

#include "edit/context_menu.h"
#include "editor/step_recorder.h"
#include "snapshot/check_table.h"

namespace kestrova {

namespace {

constexpr const char* kSaveChangesTitle = "Unsaved Changes";

// The caption of the item among `items` that runs `command` with `tag`,
// after the caption of the submenu that holds it: "Delete Tree", "Ink Blue".
std::optional<std::string> FindCaption(const std::vector<MenuItem>& items, MenuCommand command, int tag,
                                       const std::string& submenu) {
  for (const MenuItem& item : items) {
    if (item.command == command && item.tag == tag)
      return submenu.empty() ? item.caption : submenu + " " + item.caption;
    if (auto found = FindCaption(item.children, command, tag, item.caption)) return found;
  }
  return std::nullopt;
}

// A drag moves the object its popup would delete: "Move Tree".
std::string DragStepName(std::uint32_t tile) {
  const std::optional<std::string> kind = ObjectKindOf(tile);
  return kind ? "Move " + *kind : "Move";
}

}  // namespace

std::vector<ByteRun> Editor::NotEditedRuns() {
  return {{ImageOffsetOf(kScreenAreaStart), kScreenAreaSize}, {ImageOffsetOf(kCheckTableStart), kCheckTableSize}};
}

StepPlace Editor::CurrentPlace() const {
  return {state_.place.levelStart,        state_.place.levelEnd,     state_.place.bytesFree,
          state_.place.currentLevelIndex, state_.place.scrollOffset, view_.scrollPosition};
}

void Editor::ShowPlace(const StepPlace& place) {
  state_.place.levelStart = place.levelStart;
  state_.place.levelEnd = place.levelEnd;
  state_.place.bytesFree = place.bytesFree;
  view_.chooserIndex = place.levelIndex;
  state_.place.savedScrollOffset = place.scrollOffset;
  RebuildLevels();
  view_.scrollPosition = place.scrollPosition;
  ShowFortressByte();
  Refresh();
}

void Editor::RecordStep(std::string name, const StepPlace& before) {
  history_.Record(std::move(name), image_.Bytes(), before, CurrentPlace());
  ShowHistory();
}

void Editor::ShowHistory() {
  const std::string fileName = FileNameOf(snapshotPath_, PathSeparators::Slash);
  view_.caption = snapshotPath_.empty() ? kProgramCaption : fileName + "[*] - " + kProgramCaption;
  view_.modified = IsModified();
  view_.editMenuVisible = HasSnapshot();
  view_.canUndo = CanUndo();
  view_.canRedo = CanRedo();
  view_.undoText = CanUndo() ? std::string(kUndoCaption) + " " + UndoName() : kUndoCaption;
  view_.redoText = CanRedo() ? std::string(kRedoCaption) + " " + RedoName() : kRedoCaption;
}

void Editor::StartHistory() {
  openDrag_.reset();
  history_.Reset(image_.Bytes());
  ShowHistory();
}

void Editor::OpenDragStep(std::uint32_t tile) {
  CloseDragStep();
  openDrag_ = OpenStep{DragStepName(tile), CurrentPlace()};
}

void Editor::CloseDragStep() {
  if (!openDrag_) return;
  OpenStep drag = std::move(*openDrag_);
  openDrag_.reset();
  RecordStep(std::move(drag.name), drag.before);
}

std::string Editor::PopupCaption(MenuCommand command, int tag, const char* fallback) const {
  return FindCaption(popup_, command, tag, {}).value_or(fallback);
}

std::string Editor::UndoName() const {
  const UndoStep* step = history_.NextUndo();
  return step ? step->name : std::string();
}

std::string Editor::RedoName() const {
  const UndoStep* step = history_.NextRedo();
  return step ? step->name : std::string();
}

void Editor::Undo() {
  // A drag still held would go on moving a record the undo may have moved.
  CloseDragStep();
  state_.pointer.dragFlag = false;
  if (const UndoStep* step = history_.Undo(image_.MutableBytes())) ShowPlace(step->placeBefore);
  ShowHistory();
}

void Editor::Redo() {
  CloseDragStep();
  state_.pointer.dragFlag = false;
  if (const UndoStep* step = history_.Redo(image_.MutableBytes())) ShowPlace(step->placeAfter);
  ShowHistory();
}

bool Editor::MaybeSave() {
  CloseDragStep();
  if (!IsModified()) return true;
  const std::string name = snapshotPath_.empty() ? "the snapshot" : "\"" + FileNameOf(snapshotPath_) + "\"";
  const std::string text = "Save the changes to " + name + "?";
  switch (ui_->AskSaveChanges(text, kSaveChangesTitle)) {
    case SaveChangesAnswer::Save:
      return SaveSnapshot();
    case SaveChangesAnswer::Discard:
      return true;
    case SaveChangesAnswer::Cancel:
      break;
  }
  return false;
}

}  // namespace kestrova
