#pragma once

#include "edit/pointer_state.h"
#include "render/walk_memory.h"
#include "state/level_place.h"

namespace kestrova {

// The editor-wide state, in one part per owner: the level place (the
// Editor's), the walk's memory (the renderer's) and the pointer and drag
// state (the gestures'). Each layer gets the others' parts as const.
struct EditorState {
  LevelPlace place;
  WalkMemory walk;
  PointerState pointer;

  bool operator==(const EditorState&) const = default;
};

}  // namespace kestrova
