// Unsaved work kept through a crash: the record a side file holds, the work
// brought back from one, and the question at start.
#include "editor/editor.h"
#include "level/level_table.h"
#include "snapshot/sna.h"

namespace kestrova {

namespace {

constexpr const char* kRestoreTitle = "Restore Unsaved Changes";

// The levels of a recorded image, found as a load finds them; an image that
// holds no game the editor reads is refused as a loaded file would be.
Result<LoadTimeLevels> LevelsToRestore(const SnapshotImage& image) {
  const bool game = image.Size() >= kSnapshotSize48K && HoldsKestrovaRecognitionBytes(image);
  const std::optional<LoadTimeLevels> levels = game ? CountFreeBytesAndFindLevelOne(image) : std::nullopt;
  if (!levels) return Error{"it holds no Kestrova game the editor reads"};
  return *levels;
}

// A record read from a side file and fit to restore.
Result<RecoveryRecord> UsableRecord(const Result<std::vector<std::uint8_t>>& bytes) {
  if (!bytes) return Error{bytes.ErrorMessage()};
  Result<RecoveryRecord> record = DecodeRecoveryRecord(*bytes);
  if (!record) return record;
  if (const auto levels = LevelsToRestore(SnapshotImage(record->image)); !levels) return Error{levels.ErrorMessage()};
  return record;
}

std::string WorkName(const RecoveryRecord& record) {
  return record.sourcePath.empty() ? "a snapshot" : "\"" + record.sourcePath + "\"";
}

}  // namespace

RecoveryRecord Editor::RecoveryState(std::int64_t now) const {
  RecoveryRecord record;
  record.savedAt = now;
  record.sourcePath = snapshotPath_;
  record.content = loadedContent_;
  record.saveFormat = snapshotFormat_;
  record.loadedFromSzx = state_.place.loadedFromSzx;
  record.kept = keptSzx_;
  record.levelIndex = state_.place.currentLevelIndex;
  record.scrollPosition = view_.scrollPosition;
  // The screen area holds the map; the file gets the snapshot's own screen.
  SnapshotImage image = image_;
  image.CopyIn(ImageOffsetOf(kScreenAreaStart), savedScreen_);
  record.image.assign(image.Bytes().begin(), image.Bytes().end());
  return record;
}

Outcome Editor::Restore(const RecoveryRecord& record) {
  SnapshotImage image(record.image);
  const Result<LoadTimeLevels> levels = LevelsToRestore(image);
  if (!levels) return Error{levels.ErrorMessage()};
  CloseDragStep();
  image_ = std::move(image);
  state_.place.snapshotSize = image_.Size();
  state_.place.loadedFromSzx = record.loadedFromSzx;
  if (record.loadedFromSzx) keptSzx_ = record.kept;
  snapshotPath_ = record.sourcePath;
  snapshotFormat_ = record.saveFormat;
  loadedContent_ = record.content;
  SetUpAfterLoad(*levels, true);
  StartHistory();
  // Not the file's image: modified until the person saves it.
  history_.MarkUnsaved();
  ShowHistory();
  ChooseLevel(record.levelIndex);
  ScrollTo(record.scrollPosition);
  return Outcome::Done();
}

bool Editor::OfferRecovery(RecoveryStore& store, std::int64_t now) {
  bool restored = false;
  for (const std::string& orphan : store.Orphans()) {
    // One piece of work at a time: the others wait for the next start.
    if (restored) {
      store.Release(orphan);
      continue;
    }
    const Result<RecoveryRecord> record = UsableRecord(store.Read(orphan));
    if (!record) {
      SetAsideDamaged(store, orphan, record.ErrorMessage());
      continue;
    }
    const std::string question = "Kestrova Editor did not end cleanly while " + WorkName(*record) +
                                 " had unsaved changes, last kept at " + RecoveryTimeText(record->savedAt) +
                                 ". Restore them?";
    switch (ui_->AskRestore(question, kRestoreTitle)) {
      case RestoreAnswer::Restore:
        if (const Outcome done = Restore(*record); !done) {
          SetAsideDamaged(store, orphan, done.ErrorMessage());
          continue;
        }
        restored = true;
        // The work is this editor's now: the old side file goes only once
        // the new one holds it.
        if (store.WriteOwn(EncodeRecoveryRecord(RecoveryState(now)))) {
          store.Discard(orphan);
        } else {
          store.Release(orphan);
        }
        break;
      case RestoreAnswer::Discard:
        store.Discard(orphan);
        break;
      case RestoreAnswer::Later:
        store.Release(orphan);
        break;
    }
  }
  return restored;
}

void Editor::SetAsideDamaged(RecoveryStore& store, const std::string& orphan, const std::string& reason) {
  const Result<std::string> kept = store.SetAside(orphan);
  const std::string where =
      kept ? "It was kept as \"" + *kept + "\"." : "It could not be moved aside: " + kept.ErrorMessage() + ".";
  ui_->Message("Unsaved changes of an earlier run could not be restored: " + reason + ". " + where, kRestoreTitle,
               MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace kestrova
