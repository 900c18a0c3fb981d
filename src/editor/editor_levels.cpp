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

Outcome Editor::WipeLevels() {
  const StepRecorder step(*this, kWipeLevelsCaption);
  if (options_.WipeAllAfterCurrentLevel() && IsLastLevel(levelTable_, state_.currentLevelIndex))
    return Tell(Error{"level " + std::to_string(state_.currentLevelIndex + 1) + " is the last: nothing comes after it"});
  const Result<WipeResult> wiped = options_.WipeAllAfterCurrentLevel()
                                       ? WipeAllAfterCurrentLevel(image_, state_.levelStart, state_.levelEnd)
                                       : WipeCurrentLevel(image_, state_.levelStart, state_.levelEnd);
  // A refused wipe still ends as a wipe does: at the level's foot, refreshed.
  const WipeResult result = wiped ? *wiped : WipeResult{0, state_.levelEnd};
  state_.bytesFree += result.removed;
  state_.levelEnd = result.levelEnd;
  state_.savedScrollOffset = 0;
  RebuildLevels();
  view_.scrollPosition = view_.scrollMaximum;
  Refresh();
  return wiped ? Outcome::Done() : Tell(Error{wiped.ErrorMessage()});
}

}  // namespace kestrova
