#pragma once

#include "editor/editor.h"

namespace kestrova::testing {

// The editor's state for a test that sets up a situation by hand, where no
// handler leads to it (a bytes-free count, a record under the pointer). The
// editor itself shows its state only as const.
class EditorStateAccess {
 public:
  static EditorState& Of(Editor& editor) { return editor.state_; }
};

inline EditorState& WritableState(Editor& editor) { return EditorStateAccess::Of(editor); }

}  // namespace kestrova::testing
