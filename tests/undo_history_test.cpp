// The undo history on plain byte buffers: what a step records, undo and
// redo against a model of every state, the modified marker, and the limits.
#include "editor/undo_history.h"

#include <gtest/gtest.h>

#include <random>

namespace kestrova {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr ByteRun kIgnored{100, 50};  // bytes 100..149, as the screen area is

bool Ignored(std::size_t offset) { return offset >= kIgnored.offset && offset < kIgnored.offset + kIgnored.length; }

// The bytes outside the ignored run.
Bytes Kept(const Bytes& bytes) {
  Bytes kept;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (!Ignored(i)) kept.push_back(bytes[i]);
  return kept;
}

StepPlace PlaceNumber(int n) { return StepPlace{0x9236, static_cast<std::uint32_t>(n), n, n % 7, n * 3, n}; }

TEST(UndoHistory, RecordsOnlyTheChangedStretchesOutsideTheIgnoredRun) {
  Bytes image(1000, 0x11);
  UndoHistory history({kIgnored});
  history.Reset(image);

  image[120] = 0x99;  // ignored
  EXPECT_FALSE(history.Record("Nothing", image, {}, {}));
  EXPECT_FALSE(history.CanUndo());

  image[10] = 1;
  image[20] = 2;                                          // within the join gap of 10: one run
  image[600] = 3;                                         // far away: a run of its own
  for (std::size_t i = 990; i < 1000; ++i) image[i] = 4;  // up to the end
  ASSERT_TRUE(history.Record("Edit", image, PlaceNumber(1), PlaceNumber(2)));
  const UndoStep* step = history.NextUndo();
  ASSERT_NE(step, nullptr);
  EXPECT_EQ(step->name, "Edit");
  ASSERT_EQ(step->runs.size(), 3u);
  EXPECT_EQ(step->runs[0].offset, 10u);
  EXPECT_EQ(step->runs[0].length, 11u);
  EXPECT_EQ(step->runs[1].offset, 600u);
  EXPECT_EQ(step->runs[1].length, 1u);
  EXPECT_EQ(step->runs[2].offset, 990u);
  EXPECT_EQ(step->runs[2].length, 10u);
  EXPECT_EQ(step->placeBefore, PlaceNumber(1));
  EXPECT_EQ(step->placeAfter, PlaceNumber(2));

  // Undo puts the old bytes back but leaves the ignored run as it is now.
  const Bytes edited = image;
  image[130] = 0x77;
  ASSERT_NE(history.Undo(image), nullptr);
  EXPECT_EQ(image[10], 0x11);
  EXPECT_EQ(image[600], 0x11);
  EXPECT_EQ(image[999], 0x11);
  EXPECT_EQ(image[120], 0x99);
  EXPECT_EQ(image[130], 0x77);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(history.NextRedo()->name, "Edit");
  ASSERT_NE(history.Redo(image), nullptr);
  EXPECT_EQ(Kept(image), Kept(edited));
  EXPECT_EQ(history.Redo(image), nullptr);
}

TEST(UndoHistory, UndoAndRedoAtRandomFollowTheModel) {
  std::mt19937 rng(7);
  auto uniform = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  Bytes image(700);
  for (auto& b : image) b = static_cast<std::uint8_t>(uniform(0, 255));
  UndoHistory history({kIgnored}, HistoryLimits{100000, std::size_t{1} << 30});  // no step drops out here
  history.Reset(image);
  std::vector<Bytes> states = {Kept(image)};  // states[p]: after p steps
  std::size_t at = 0;
  for (int action = 0; action < 3000; ++action) {
    const int roll = uniform(0, 9);
    if (roll < 2) {
      const bool did = history.Undo(image) != nullptr;
      ASSERT_EQ(did, at > 0);
      if (did) --at;
    } else if (roll < 4) {
      const bool did = history.Redo(image) != nullptr;
      ASSERT_EQ(did, at + 1 < states.size());
      if (did) ++at;
    } else {
      // A shift, a scatter of single bytes, or nothing at all, anywhere.
      const std::size_t from = static_cast<std::size_t>(uniform(0, 699));
      if (roll < 7) {
        const std::size_t to = std::min<std::size_t>(700, from + static_cast<std::size_t>(uniform(1, 300)));
        for (std::size_t i = to - 1; i > from; --i) image[i] = image[i - 1];
      } else if (roll < 9) {
        for (int n = uniform(1, 5); n > 0; --n) image[static_cast<std::size_t>(uniform(0, 699))] ^= 0x5A;
      }
      const bool changed = Kept(image) != states[at];
      ASSERT_EQ(history.Record("Step", image, {}, {}), changed) << "action " << action;
      if (changed) {
        states.resize(at + 1);
        states.push_back(Kept(image));
        ++at;
      }
    }
    ASSERT_EQ(Kept(image), states[at]) << "action " << action;
    ASSERT_EQ(history.DoneCount(), at);
    ASSERT_EQ(history.StepCount(), states.size() - 1);
  }
}

// Each case: actions from a fresh load ('e' a step, 'u' undo, 'r' redo, 's'
// a save) and whether the image is modified after them.
struct ModifiedCase {
  const char* actions;
  bool modified;
};

TEST(UndoHistory, ModifiedComparesWithTheSavedPlaceInTheHistory) {
  const ModifiedCase cases[] = {
      {"", false},     {"e", true},     {"eu", false},   {"eur", true},      {"es", false},
      {"esu", true},   {"esur", false}, {"eesuu", true}, {"eesuurr", false}, {"eesuur", true},
      {"eeus", false}, {"eeusr", true}, {"esue", true},  // the saved state was in the dropped redo tail
      {"esueu", true}, {"sueu", false},
  };
  for (const ModifiedCase& c : cases) {
    Bytes image(64, 0);
    UndoHistory history;
    history.Reset(image);
    std::uint8_t next = 1;
    for (const char* a = c.actions; *a; ++a) {
      switch (*a) {
        case 'e':
          image[next % 64] = next;
          ++next;
          history.Record("Edit", image, {}, {});
          break;
        case 'u':
          history.Undo(image);
          break;
        case 'r':
          history.Redo(image);
          break;
        case 's':
          history.MarkSaved();
          break;
      }
    }
    EXPECT_EQ(history.IsModified(), c.modified) << c.actions;
  }
}

TEST(UndoHistory, TheOldestStepsGoAtTheStepLimit) {
  Bytes image(64, 0);
  UndoHistory history({}, HistoryLimits{3, 1 << 20});
  history.Reset(image);
  history.MarkSaved();
  for (std::uint8_t n = 1; n <= 5; ++n) {
    image[n] = n;
    history.Record("Edit " + std::to_string(n), image, {}, {});
  }
  EXPECT_EQ(history.StepCount(), 3u);
  // The saved state (before the first step) is out of reach now.
  for (int n = 0; n < 3; ++n) EXPECT_NE(history.Undo(image), nullptr);
  EXPECT_EQ(history.Undo(image), nullptr);
  EXPECT_TRUE(history.IsModified());
  EXPECT_EQ(image[1], 1);  // step 1 stays done
  EXPECT_EQ(image[2], 2);
  EXPECT_EQ(image[3], 0);
  EXPECT_EQ(history.NextRedo()->name, "Edit 3");
}

// Ten thousand steps, each the shift of a level area after an insertion,
// stay within the byte limit, and the newest steps can all be undone.
TEST(UndoHistory, MemoryStaysWithinItsLimitOverTenThousandSteps) {
  constexpr std::size_t kArea = 1689;
  constexpr std::size_t kAreaStart = 20000;
  Bytes image(49179, 0);
  std::mt19937 rng(3);
  for (std::size_t i = 0; i < kArea; ++i) image[kAreaStart + i] = static_cast<std::uint8_t>(rng());
  const HistoryLimits limits{500, 1u << 20};
  UndoHistory history({}, limits);
  history.Reset(image);
  std::size_t most = 0;
  for (int step = 0; step < 10000; ++step) {
    const std::size_t at = kAreaStart + rng() % 64;
    for (std::size_t i = kAreaStart + kArea - 1; i > at; --i) image[i] = image[i - 1];
    image[at] = static_cast<std::uint8_t>(step);
    ASSERT_TRUE(history.Record("Insert Tree", image, {}, {}));
    most = std::max(most, history.MemoryBytes());
  }
  EXPECT_LE(most, image.size() + limits.bytes);
  EXPECT_LE(history.StepCount(), limits.steps);
  EXPECT_GT(history.StepCount(), 100u);  // a thousand-odd bytes a step: the byte limit is what holds
  const Bytes last = image;
  std::size_t undone = 0;
  while (history.Undo(image)) ++undone;
  EXPECT_EQ(undone, history.StepCount());
  while (history.Redo(image)) {
  }
  EXPECT_EQ(image, last);
}

TEST(UndoHistory, AnImageOfAnotherSizeStartsAgainModified) {
  Bytes image(64, 0);
  UndoHistory history;
  history.Reset(image);
  image[1] = 1;
  history.Record("Edit", image, {}, {});
  Bytes other(80, 0);
  EXPECT_FALSE(history.Record("Edit", other, {}, {}));
  EXPECT_FALSE(history.CanUndo());
  EXPECT_TRUE(history.IsModified());
  EXPECT_EQ(history.Undo(image), nullptr);  // the old size is no longer known
}

}  // namespace
}  // namespace kestrova
