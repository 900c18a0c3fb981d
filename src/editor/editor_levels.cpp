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
  selection_.Clear();
  view_.chooserIndex = index;
  if (static_cast<std::size_t>(index) < view_.chooserEntries.size())
    view_.chooserText = view_.chooserEntries[static_cast<std::size_t>(index)];
  state_.place.currentLevelIndex = index;
  state_.place.scrollOffset = 0;
  state_.place.levelStart = levelTable_[static_cast<std::size_t>(index)];
  state_.walk.PlaceCursorAt(state_.place.levelStart);
  if (const auto end = LevelEndByBoundsRule(image_, levelTable_, index)) state_.place.levelEnd = *end;
  const std::int32_t height = LevelHeight(image_, state_.place.levelStart, state_.place.levelEnd);
  view_.scrollMaximum = height;
  view_.scrollPosition = height;
  RedrawLevelOverview();
  state_.place.scrollOffset = 0;
  Refresh();
  UpdateWipeButton();
}

void Editor::UpdateWipeButton() {
  view_.wipeButtonEnabled =
      !(options_.WipeAllAfterCurrentLevel() && IsLastLevel(levelTable_, state_.place.currentLevelIndex));
}

void Editor::ClickWipeCurrentLevel() {
  options_.wipe.currentLevel.checked = true;
  options_.wipe.allAfterCurrentLevel.checked = false;
  view_.wipeButtonEnabled = true;
}

void Editor::ClickWipeAllAfter() {
  options_.wipe.currentLevel.checked = false;
  options_.wipe.allAfterCurrentLevel.checked = true;
  view_.wipeButtonEnabled = !IsLastLevel(levelTable_, state_.place.currentLevelIndex);
}

Outcome Editor::WipeLevels() {
  const StepRecorder step(*this, kWipeLevelsCaption);
  if (options_.WipeAllAfterCurrentLevel() && IsLastLevel(levelTable_, state_.place.currentLevelIndex))
    return Tell(
        Error{"level " + std::to_string(state_.place.currentLevelIndex + 1) + " is the last: nothing comes after it"});
  const Result<WipeResult> wiped =
      options_.WipeAllAfterCurrentLevel()
          ? WipeAllAfterCurrentLevel(image_, state_.place.levelStart, state_.place.levelEnd)
          : WipeCurrentLevel(image_, state_.place.levelStart, state_.place.levelEnd);
  // A refused wipe still ends as a wipe does: at the level's foot, refreshed.
  const WipeResult result = wiped ? *wiped : WipeResult{0, state_.place.levelEnd};
  state_.place.bytesFree += result.removed;
  state_.place.levelEnd = result.levelEnd;
  state_.place.savedScrollOffset = 0;
  RebuildLevels();
  view_.scrollPosition = view_.scrollMaximum;
  Refresh();
  if (!wiped) return Tell(Error{wiped.ErrorMessage()});
  const std::string level = std::to_string(state_.place.currentLevelIndex + 1);
  Note((options_.WipeAllAfterCurrentLevel() ? "Every level after level " + level + " wiped"
                                            : "Level " + level + " wiped, its land spaces kept") +
       ". Ctrl+Z undoes it.");
  return Outcome::Done();
}

}  // namespace kestrova
