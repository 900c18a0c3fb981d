#include "editor/editor.h"
#include "level/game_settings.h"

namespace kestrova {

namespace {

constexpr int kFortressUpDownMinimum = 0;
constexpr int kFortressUpDownMaximum = 15;

}  // namespace

void Editor::ClickFortressUpDown(int position) {
  if (position < kFortressUpDownMinimum || position > kFortressUpDownMaximum) return;
  view_.fortressUpDown = position;
  image_.Write(kFortressByte, static_cast<std::uint8_t>(position));
  RebuildFortressLabel();
}

void Editor::RebuildFortressLabel() {
  const FortressLabel label = MakeFortressLabel(image_.Read(kFortressByte), levelTable_);
  view_.fortressCaption = label.caption;
  view_.fortressHint = label.hint;
}

}  // namespace kestrova
