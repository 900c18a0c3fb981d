#pragma once

#include "editor/editor.h"

namespace kestrova::testing {

// The index of the game's tallest level, found by choosing each in turn as
// the level chooser does; the editor is left on the last level.
inline int LongestLevel(Editor& editor) {
  int longest = 0;
  for (int i = 0, height = -1; i < LevelCount(editor.Levels()); ++i) {
    editor.ChooseLevel(i);
    if (editor.View().scrollMaximum > height) {
      height = editor.View().scrollMaximum;
      longest = i;
    }
  }
  return longest;
}

}  // namespace kestrova::testing
