#include "editor/undo_history.h"

#include <algorithm>
#include <cstring>

namespace kestrova {

namespace {

// Equal stretches are skipped a block at a time.
constexpr std::size_t kBlock = 256;
// Changes at most this many equal bytes apart make one run: a run costs more
// than a few bytes kept twice.
constexpr std::size_t kJoinGap = 16;

// The first offset in [from, to) where a and b differ, or `to`.
std::size_t FirstDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t from, std::size_t to) {
  while (from + kBlock <= to && std::memcmp(a + from, b + from, kBlock) == 0) from += kBlock;
  while (from < to && a[from] == b[from]) ++from;
  return from;
}

// The end of the run that starts at `from`: one past its last difference
// before kJoinGap equal bytes in a row or `to`.
std::size_t RunEnd(const std::uint8_t* a, const std::uint8_t* b, std::size_t from, std::size_t to) {
  std::size_t end = from + 1;
  for (std::size_t i = end; i < to && i - end < kJoinGap; ++i) {
    if (a[i] != b[i]) end = i + 1;
  }
  return end;
}

}  // namespace

std::size_t UndoStep::MemoryBytes() const {
  return sizeof(UndoStep) + name.capacity() + runs.capacity() * sizeof(ByteRun) + before.capacity() + after.capacity();
}

UndoHistory::UndoHistory(std::vector<ByteRun> ignored, HistoryLimits limits)
    : ignored_(std::move(ignored)), limits_(limits) {
  std::sort(ignored_.begin(), ignored_.end(), [](const ByteRun& a, const ByteRun& b) { return a.offset < b.offset; });
}

void UndoHistory::Reset(std::span<const std::uint8_t> image) {
  copy_.assign(image.begin(), image.end());
  steps_.clear();
  done_ = 0;
  dropped_ = 0;
  saved_ = 0;
  stepBytes_ = 0;
  ++revision_;
}

std::vector<ByteRun> UndoHistory::ChangedRuns(std::span<const std::uint8_t> image) const {
  std::vector<ByteRun> runs;
  const std::uint8_t* now = image.data();
  const std::uint8_t* then = copy_.data();
  const std::size_t size = image.size();
  std::size_t from = 0;
  auto compare = [&](std::size_t to) {
    for (std::size_t at = FirstDifference(now, then, from, to); at < to; at = FirstDifference(now, then, at, to)) {
      const std::size_t end = RunEnd(now, then, at, to);
      runs.push_back({at, end - at});
      at = end;
    }
  };
  for (const ByteRun& skip : ignored_) {
    if (skip.offset >= size) break;
    compare(std::max(from, skip.offset));
    from = std::max(from, std::min(size, skip.offset + skip.length));
  }
  compare(size);
  return runs;
}

bool UndoHistory::Record(std::string name, std::span<const std::uint8_t> image, const StepPlace& before,
                         const StepPlace& after) {
  if (image.size() != copy_.size()) {
    // Not the image the history began with: nothing before it can be put
    // back, and it is not the saved one.
    Reset(image);
    saved_.reset();
    return false;
  }
  std::vector<ByteRun> runs = ChangedRuns(image);
  if (runs.empty()) return false;

  DropRedoTail();
  UndoStep step{std::move(name), std::move(runs), {}, {}, before, after};
  std::size_t total = 0;
  for (const ByteRun& run : step.runs) total += run.length;
  step.before.reserve(total);
  step.after.reserve(total);
  for (const ByteRun& run : step.runs) {
    const auto then = copy_.begin() + static_cast<std::ptrdiff_t>(run.offset);
    const auto now = image.begin() + static_cast<std::ptrdiff_t>(run.offset);
    step.before.insert(step.before.end(), then, then + static_cast<std::ptrdiff_t>(run.length));
    step.after.insert(step.after.end(), now, now + static_cast<std::ptrdiff_t>(run.length));
    std::copy(now, now + static_cast<std::ptrdiff_t>(run.length), then);
  }
  step.runs.shrink_to_fit();
  step.name.shrink_to_fit();
  stepBytes_ += step.MemoryBytes();
  steps_.push_back(std::move(step));
  done_ = steps_.size();
  ++revision_;
  KeepWithinLimits();
  return true;
}

void UndoHistory::DropRedoTail() {
  if (!CanRedo()) return;
  if (saved_ && *saved_ > Position()) saved_.reset();
  while (steps_.size() > done_) {
    stepBytes_ -= steps_.back().MemoryBytes();
    steps_.pop_back();
  }
}

void UndoHistory::KeepWithinLimits() {
  while (steps_.size() > 1 && (steps_.size() > limits_.steps || stepBytes_ > limits_.bytes)) {
    stepBytes_ -= steps_.front().MemoryBytes();
    steps_.pop_front();
    --done_;
    ++dropped_;
  }
  if (saved_ && *saved_ < dropped_) saved_.reset();
}

void UndoHistory::Apply(const UndoStep& step, const std::vector<std::uint8_t>& bytes, std::span<std::uint8_t> image) {
  std::size_t at = 0;
  for (const ByteRun& run : step.runs) {
    const auto source = bytes.begin() + static_cast<std::ptrdiff_t>(at);
    const auto end = source + static_cast<std::ptrdiff_t>(run.length);
    std::copy(source, end, image.begin() + static_cast<std::ptrdiff_t>(run.offset));
    std::copy(source, end, copy_.begin() + static_cast<std::ptrdiff_t>(run.offset));
    at += run.length;
  }
  ++revision_;
}

const UndoStep* UndoHistory::Undo(std::span<std::uint8_t> image) {
  if (!CanUndo() || image.size() != copy_.size()) return nullptr;
  const UndoStep& step = steps_[--done_];
  Apply(step, step.before, image);
  return &step;
}

const UndoStep* UndoHistory::Redo(std::span<std::uint8_t> image) {
  if (!CanRedo() || image.size() != copy_.size()) return nullptr;
  const UndoStep& step = steps_[done_++];
  Apply(step, step.after, image);
  return &step;
}

std::size_t UndoHistory::MemoryBytes() const { return copy_.capacity() + stepBytes_; }

}  // namespace kestrova
