#include "edit/wipes.h"
#include "editor/command_captions.h"
#include "editor/step_recorder.h"

namespace kestrova {

namespace {

bool IsLastLevel(const LevelTable& table, int index) {
  return index + 1 >= kLevelTableSize || table[static_cast<std::size_t>(index + 1)] == 0;
}

}  // namespace

void Editor::ChooseLevel(int index) {
  if (index < 0 || index >= kLevelTableSize || levelTable_[static_cast<std::size_t>(index)] == 0) return;
  view_.mapHasFocus = true;
  view_.chooserIndex = index;
  if (static_cast<std::size_t>(index) < view_.chooserEntries.size())
    view_.chooserText = view_.chooserEntries[static_cast<std::size_t>(index)];
  state_.currentLevelIndex = index;
  state_.scrollOffset = 0;
  state_.levelStart = levelTable_[static_cast<std::size_t>(index)];
  state_.streamCursor = static_cast<std::int32_t>(state_.levelStart);
  if (const auto end = LevelEndByBoundsRule(image_, levelTable_, index)) state_.levelEnd = *end;
  const std::int32_t height = LevelHeight(image_, state_.levelStart, state_.levelEnd);
  view_.scrollMaximum = height;
  view_.scrollPosition = height;
  RedrawLevelOverview();
  state_.scrollOffset = 0;
  Refresh();
  UpdateWipeButton();
}

void Editor::UpdateWipeButton() {
  view_.wipeButtonEnabled = !(options_.WipeAllAfterCurrentLevel() && IsLastLevel(levelTable_, state_.currentLevelIndex));
}

void Editor::ClickWipeCurrentLevel() {
  options_.wipe.currentLevel.checked = true;
  options_.wipe.allAfterCurrentLevel.checked = false;
  view_.wipeButtonEnabled = true;
}

void Editor::ClickWipeAllAfter() {
  options_.wipe.currentLevel.checked = false;
  options_.wipe.allAfterCurrentLevel.checked = true;
  view_.wipeButtonEnabled = !IsLastLevel(levelTable_, state_.currentLevelIndex);
}

void Editor::WipeLevels() {
  const StepRecorder step(*this, kWipeLevelsCaption);
  WipeResult result;
  if (!options_.WipeAllAfterCurrentLevel()) {
    result = WipeCurrentLevel(image_, state_.levelStart, state_.levelEnd);
  } else if (!IsLastLevel(levelTable_, state_.currentLevelIndex)) {
    result = WipeAllAfterCurrentLevel(image_, state_.levelStart, state_.levelEnd);
  } else {
    return;
  }
  state_.bytesFree += result.removed;
  state_.levelEnd = result.levelEnd;
  state_.savedScrollOffset = 0;
  RebuildLevels();
  view_.scrollPosition = view_.scrollMaximum;
  Refresh();
}

}  // namespace kestrova
