// The selection on the map, and the deletes, copies and pastes of what it
// holds. The selection is kept by record, so it stays the same whichever
// band of the tall map a gesture focuses.
#include <algorithm>

#include "base/hex.h"
#include "edit/record_shift.h"
#include "editor/step_recorder.h"
#include "game/selection_edits.h"
#include "level/level_stream.h"

namespace kestrova {

namespace {

std::string StepName(const char* verb, int objects) {
  return std::string(verb) + " " + std::to_string(objects) + (objects == 1 ? " object" : " objects");
}

}  // namespace

std::vector<LevelUnit> Editor::CurrentUnits() const {
  return LevelUnits(image_, state_.place.levelStart, state_.place.levelEnd, false);
}

Outcome Editor::ToggleSelectionAt(int x, int y) {
  if (!HasSnapshot()) return Tell(Error{"no snapshot is loaded"});
  if (!IsInMapView(x, y)) return Tell(Error{"the pointer is not over the map"});
  const std::uint32_t cell =
      tables_.rowStart[static_cast<std::size_t>(RowOfMapY(y))] + static_cast<std::uint32_t>(ColumnOfMapX(x));
  const std::uint32_t owner = grid_.ownerPos[cell];
  if (owner == 0) return Tell(Error{"there is no object here to select"});
  if (!selection_.Toggle(CurrentUnits(), owner)) return Tell(Error{"the end of the level cannot be selected"});
  return Outcome::Done();
}

void Editor::SelectInBand(int x0, int y0, int x1, int y1) {
  if (!HasSnapshot()) return;
  selection_.Add(CurrentUnits(), RecordsDrawnInBand(grid_, tables_, x0, y0, x1, y1));
}

void Editor::SelectAll() {
  if (HasSnapshot()) selection_.SetAll(CurrentUnits());
}

void Editor::ClearSelection() { selection_.Clear(); }

std::vector<Rect> Editor::SelectionOutline() const { return kestrova::SelectionOutline(selection_, grid_, tables_); }

Outcome Editor::ToggleSelectionAtTall(int x, int y) {
  if (!HasSnapshot()) return Tell(Error{"no snapshot is loaded"});
  const MapPixel view = FocusOnTallPixel(x, y);
  return ToggleSelectionAt(view.x, view.y);
}

void Editor::SelectInTallBand(int x0, int y0, int x1, int y1) {
  if (!HasSnapshot()) return;
  const int top = std::max(std::min(y0, y1), 0);
  const int bottom = std::min(std::max(y0, y1), tall_.Height() - 1);
  const int left = std::min(x0, x1);
  const int right = std::max(x0, x1);
  // Each band the rubber band crosses, focused in turn, gives the records
  // under its part of the band; the focus ends where the band ended.
  const int endBand = tall_.BandOf(y1);
  for (int band = tall_.BandOf(bottom); band <= tall_.BandOf(top); ++band) {
    const int bandTop = tall_.BandTop(band);
    const int from = std::max(top, bandTop) - bandTop;
    const int to = std::min(bottom, bandTop + tall_.BandHeight() - 1) - bandTop;
    FocusOnBand(band);
    const int zoom = tall_.Zoom();
    SelectInBand(kMapScale * left / zoom, kMapScale * from / zoom, kMapScale * right / zoom, kMapScale * to / zoom);
  }
  FocusOnBand(endBand);
}

std::vector<Rect> Editor::BandOutline(int band) {
  SettleFocus();
  if (band == focusBand_) return SelectionOutline();
  // Drawn as the tall picture draws the band, into the band grid; the
  // screen area is given back as the focus band's refresh left it.
  const std::span<std::uint8_t> bytes = image_.MutableBytes();
  const std::size_t screenStart = ImageOffsetOf(kScreenAreaStart);
  ScreenBytes screen{};
  const bool keepsScreen = bytes.size() >= screenStart + kScreenAreaSize;
  if (keepsScreen)
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(screenStart), kScreenAreaSize, screen.begin());
  LevelPlace place = state_.place;
  place.scrollOffset = TallBottom() + kWindowRows * band;
  WalkMemory walk = state_.walk;
  walk.RewindToWalkStart();
  if (bandMap_.Width() != kMapWidth) bandMap_.Resize(kMapWidth, kWindowRows);
  RenderTarget target{image_, place, walk, bandGrid_, tables_, bandMap_};
  DrawMapScreen(target);
  if (keepsScreen) std::copy(screen.begin(), screen.end(), bytes.begin() + static_cast<std::ptrdiff_t>(screenStart));
  return kestrova::SelectionOutline(selection_, bandGrid_, tables_);
}

std::vector<Rect> Editor::TallSelectionOutline() {
  std::vector<Rect> rects;
  if (selection_.Empty() || !HasSnapshot()) return rects;
  SettleFocus();
  TallOutlineKey key{view_.revisions.mapView, TallBottom(), tall_, {}};
  for (const LevelUnit& unit : selection_.Units()) key.starts.push_back(unit.start);
  // Pointer moves sync the window often; the bands are walked again only when they or the selection changed.
  if (tallOutlineKey_ == key) return tallOutline_;
  const int zoom = tall_.Zoom();
  for (int band = 0; band < tall_.Bands(); ++band) {
    for (const Rect& r : BandOutline(band)) {
      rects.push_back({r.x * zoom / kMapScale, tall_.BandTop(band) + r.y * zoom / kMapScale, r.width * zoom / kMapScale,
                       r.height * zoom / kMapScale});
    }
  }
  tallOutlineKey_ = std::move(key);
  tallOutline_ = rects;
  return rects;
}

std::optional<RecordClip> Editor::CopySelection() const {
  if (selection_.Empty()) return std::nullopt;
  RecordClip clip;
  for (const LevelUnit& unit : selection_.Units()) clip.objects.push_back(UnitBytes(image_, unit));
  return clip;
}

Outcome Editor::DeleteSelection() { return RemoveSelection(StepName("Delete", selection_.Objects())); }

Result<RecordClip> Editor::CutSelection() {
  std::optional<RecordClip> clip = CopySelection();
  if (const Outcome removed = RemoveSelection(StepName("Cut", selection_.Objects())); !removed)
    return Error{removed.ErrorMessage()};
  return std::move(*clip);
}

Outcome Editor::RemoveSelection(const std::string& stepName) {
  if (selection_.Empty()) return Tell(Error{"nothing is selected"});
  const StepRecorder step(*this, stepName);
  const Result<UnitsDeleted> deleted = DeleteUnits(image_, selection_.Units(), CurrentLevel());
  if (!deleted) return Tell(Error{deleted.ErrorMessage()});
  BookStreamChange(-deleted->removed);
  if (deleted->fortressRemoved) SettleLevelEndAfterFortress();
  Refresh();
  Note(stepName + ": " + std::to_string(deleted->removed) + " bytes went. Ctrl+Z undoes it.");
  return Outcome::Done();
}

Outcome Editor::Paste(const RecordClip& clip) {
  if (!HasSnapshot()) return Tell(Error{"no snapshot is loaded"});
  std::uint32_t before = state_.place.levelStart;
  if (state_.pointer.onMap && IsInMapView(state_.pointer.mapX, state_.pointer.mapY)) {
    const std::uint32_t cell = tables_.rowStart[static_cast<std::size_t>(RowOfMapY(state_.pointer.mapY))] +
                               static_cast<std::uint32_t>(ColumnOfMapX(state_.pointer.mapX));
    // Above the level's top no record covers the row: the paste goes last.
    before = grid_.ownerPos[cell] != 0 ? grid_.ownerPos[cell] : state_.place.levelEnd;
  }
  return PasteBefore(clip, before);
}

Outcome Editor::PasteClipboard(std::span<const std::uint8_t> ownForm, const std::string& text) {
  if (!ownForm.empty()) {
    if (const Result<RecordClip> clip = DecodeClip(ownForm)) return Paste(*clip);
  }
  const Result<RecordClip> clip = ParseClipScript(text);
  if (!clip) return Tell(Error{"nothing to paste: " + clip.ErrorMessage()});
  return Paste(*clip);
}

Outcome Editor::PressDelete() { return selection_.Empty() ? DeleteUnderPointer() : DeleteSelection(); }

Outcome Editor::PasteBefore(const RecordClip& clip, std::uint32_t record) {
  if (!HasSnapshot()) return Tell(Error{"no snapshot is loaded"});
  const std::string name = StepName("Paste", clip.Objects());
  const std::vector<std::uint8_t> bytes = clip.Joined();
  const auto size = static_cast<std::int32_t>(bytes.size());
  if (size == 0) return Tell(Error{"there is nothing to paste"});
  if (state_.place.bytesFree < size)
    return Tell(Error{name + " needs " + std::to_string(size) + " bytes; " + std::to_string(state_.place.bytesFree) +
                      (state_.place.bytesFree == 1 ? " is free" : " are free")});
  const int newLevels =
      static_cast<int>(std::count_if(clip.objects.begin(), clip.objects.end(), [](const ObjectBytes& o) {
        const GroupTag* group = GroupOfBytes(o);
        return group && IsFortressTag(group->tag);
      }));
  if (LevelCount(levelTable_) + newLevels > kLevelTableSize)
    return Tell(Error{"a fortress adds a level, and the level table is full"});
  // The level that holds the record becomes the current one, as pointing at it shows it.
  for (int i = 0; i < LevelCount(levelTable_); ++i) {
    const std::uint32_t start = levelTable_[static_cast<std::size_t>(i)];
    const auto end = LevelEndByBoundsRule(image_, levelTable_, i);
    if (end && record >= start && record <= *end && i != state_.place.currentLevelIndex) ChooseLevel(i);
  }
  const LevelBounds level = CurrentLevel();
  if (record < level.start || record > level.end || (record - level.start) % kRecordSize != 0)
    return Tell(Error{AddressText(record) + " is not a record of any level"});
  // In front of a whole group, never inside one.
  const std::vector<LevelUnit> units = LevelUnits(image_, level.start, level.end, true);
  if (const LevelUnit* unit = UnitHolding(units, record)) record = unit->start;

  const StepRecorder step(*this, name);
  if (const Outcome opened = OpenGap(image_, record, static_cast<std::uint32_t>(size)); !opened) return Tell(opened);
  for (std::size_t i = 0; i < bytes.size(); ++i) image_.Write(record + static_cast<std::uint32_t>(i), bytes[i]);
  return RefreshAfterInsert(size, clip.EndsALevel());
}

}  // namespace kestrova
