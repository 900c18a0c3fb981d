#pragma once

#include <string>
#include <utility>

#include "editor/editor.h"

namespace kestrova {

// Held by a handler while it runs: what the handler changed in the image
// becomes one step of the undo history when it returns, however it returns.
// A drag still open is recorded first, as its own step.
class Editor::StepRecorder {
 public:
  StepRecorder(Editor& editor, std::string name) : editor_(editor), name_(std::move(name)) {
    editor_.CloseDragStep();
    before_ = editor_.CurrentPlace();
  }
  ~StepRecorder() { editor_.RecordStep(std::move(name_), before_); }
  StepRecorder(const StepRecorder&) = delete;
  StepRecorder& operator=(const StepRecorder&) = delete;

 private:
  Editor& editor_;
  std::string name_;
  StepPlace before_;
};

}  // namespace kestrova
