#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kestrova {

// Where the person was, kept before and after every step so that undo and
// redo show the level as it was: the level bounds, bytes free, the chosen
// level and the scroll offset and thumb.
struct StepPlace {
  std::uint32_t levelStart = 0;
  std::uint32_t levelEnd = 0;
  std::int32_t bytesFree = 0;
  int levelIndex = 0;
  std::int32_t scrollOffset = 0;
  int scrollPosition = 0;
  bool operator==(const StepPlace&) const = default;
};

// A stretch of the image, by image offset.
struct ByteRun {
  std::size_t offset = 0;
  std::size_t length = 0;
};

// One user action: the stretches of the image it changed with their old and
// new bytes (the runs' bytes one after the other), and the place before and
// after it.
struct UndoStep {
  std::string name;
  std::vector<ByteRun> runs;
  std::vector<std::uint8_t> before;
  std::vector<std::uint8_t> after;
  StepPlace placeBefore;
  StepPlace placeAfter;

  std::size_t MemoryBytes() const;
};

// The oldest steps go once either limit is passed; the newest step always
// stays.
struct HistoryLimits {
  std::size_t steps = 500;
  std::size_t bytes = std::size_t{4} << 20;  // the steps' own memory
};

// The steps that can be taken back and done again. The history keeps a copy
// of the image as the last step left it and finds what a step changed by
// comparing the image with it, so that no handler has to say which bytes it
// touches. Bytes in the ignored runs (drawn over by every refresh, or
// recomputed by every save) are never compared or put back.
class UndoHistory {
 public:
  explicit UndoHistory(std::vector<ByteRun> ignored = {}, HistoryLimits limits = {});

  // A new image: no steps, nothing modified.
  void Reset(std::span<const std::uint8_t> image);

  // Records what changed in the image since the last step as one step; a
  // step that changed nothing records nothing (false). A new step drops the
  // steps that could have been done again.
  bool Record(std::string name, std::span<const std::uint8_t> image, const StepPlace& before, const StepPlace& after);

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // The step Undo or Redo would take; nothing when there is none.
  const UndoStep* NextUndo() const { return CanUndo() ? &steps_[done_ - 1] : nullptr; }
  const UndoStep* NextRedo() const { return CanRedo() ? &steps_[done_] : nullptr; }
  // Puts the step's old (Undo) or new (Redo) bytes into the image; returns
  // the step, or nothing when there is none.
  const UndoStep* Undo(std::span<std::uint8_t> image);
  const UndoStep* Redo(std::span<std::uint8_t> image);

  // The image as it stands now is the one in the file.
  void MarkSaved() { saved_ = Position(); }
  // The image differs from the one last loaded or saved: the steps between
  // the two are not all undone again (or the saved state is out of reach).
  bool IsModified() const { return saved_ != Position(); }
  // The image held is not the file's, though no step leads back to it (work
  // brought back after a crash): modified until the next save.
  void MarkUnsaved() { saved_.reset(); }
  // Grows with every change of the image the history sees (a step, an undo,
  // a redo, a new image), so that a watcher can tell the image changed.
  std::size_t Revision() const { return revision_; }

  std::size_t StepCount() const { return steps_.size(); }
  std::size_t DoneCount() const { return done_; }
  // The memory the steps and the image copy take.
  std::size_t MemoryBytes() const;
  const HistoryLimits& Limits() const { return limits_; }

 private:
  // Steps done since the history began, the dropped ones included.
  std::size_t Position() const { return dropped_ + done_; }
  void DropRedoTail();
  void KeepWithinLimits();
  // The changed stretches between the image and the copy, outside the
  // ignored runs.
  std::vector<ByteRun> ChangedRuns(std::span<const std::uint8_t> image) const;
  void Apply(const UndoStep& step, const std::vector<std::uint8_t>& bytes, std::span<std::uint8_t> image);

  std::vector<ByteRun> ignored_;
  HistoryLimits limits_;
  std::vector<std::uint8_t> copy_;
  std::deque<UndoStep> steps_;
  std::size_t done_ = 0;     // steps_[0, done_) are done, the rest can be redone
  std::size_t dropped_ = 0;  // steps dropped from the front
  std::optional<std::size_t> saved_ = 0;
  std::size_t stepBytes_ = 0;
  std::size_t revision_ = 0;
};

}  // namespace kestrova
