#include "editor/command_captions.h"
#include "editor/step_recorder.h"
#include "level/game_settings.h"
#include "level/number_prompt.h"

namespace kestrova {

namespace {

constexpr int kFortressByteMinimum = 0;

// The prompt's value, asked with the byte's current value as the default.
std::uint8_t AskSetting(Ui& ui, const SnapshotImage& image, const SettingsPrompt& prompt) {
  return static_cast<std::uint8_t>(AskSettingsNumber(ui, prompt, image.Read(prompt.address)));
}

void ChangeSetting(Ui& ui, SnapshotImage& image, const SettingsPrompt& prompt) {
  image.Write(prompt.address, AskSetting(ui, image, prompt));
}

}  // namespace

void Editor::Spawn() {
  const StepRecorder step(*this, kSpawnCaption);
  // The column is written before the height is asked for.
  ChangeSetting(*ui_, image_, kStartColumnPrompt);
  ChangeSetting(*ui_, image_, kPixelsDownPrompt);
}

void Editor::Lives() {
  const StepRecorder step(*this, kLivesCaption);
  WriteLives(image_, AskSetting(*ui_, image_, kLivesPrompt));
}

void Editor::Delay() {
  const StepRecorder step(*this, kDelayCaption);
  ChangeSetting(*ui_, image_, kEnemyDelayPrompt);
}

void Editor::ClickFortressByte(int position) {
  if (position < kFortressByteMinimum || position > kFortressByteMax) return;
  const StepRecorder step(*this, kFortressByteCaption);
  image_.Write(kFortressByte, static_cast<std::uint8_t>(position));
  ShowFortressByte();
}

}  // namespace kestrova
