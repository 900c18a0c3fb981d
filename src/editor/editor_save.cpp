// "Save Snapshot", "Load Screen$", "Save TAP" and "Save Disassembly".
//
// Every write goes through Files::Write, which replaces an existing file only
// with a complete new one: the overwrite question is asked as before, but the
// old file is never deleted ahead of the write, so a failed write (a full
// disk, a vanished folder) leaves it as it was and says why.
#include <algorithm>

#include "editor/editor.h"
#include "export/asm_listing.h"
#include "export/file_names.h"
#include "export/tape_image.h"
#include "snapshot/check_table.h"
#include "snapshot/ram_banks.h"
#include "snapshot/snapshot_file_kind.h"
#include "snapshot/szx_writer.h"

namespace kestrova {

namespace {

const char kErrorSavingTitle[] = "Error Saving Snapshot";
const char kOverwriteTitle[] = "Overwrite?";

FileDialogRequest SaveSnapshotDialog() {
  return {"Save Kestrova Snapshot", "Spectrum Snapshots (*.szx) (*.sna)", "*.szx; *.sna", "."};
}
FileDialogRequest LoadScreenDialog() { return {"Load Spectrum Screen", "Spectrum Screens (*.scr)", "*.scr", "."}; }
FileDialogRequest SaveTapDialog() { return {"Save Kestrova TAP File", "Spectrum Tapes (*.tap)", "*.tap", "."}; }
FileDialogRequest SaveDisassemblyDialog() {
  return {"Save Disassembly", "Spectrum Assembler (*.asm)", "*.asm", "."};
}

}  // namespace

void Editor::ReportUnusableName() {
  ui_.Message("Could not overwrite your file.", kErrorSavingTitle, MessageIcon::Error, MessageButtons::Ok);
}

bool Editor::ConfirmOverwrite(const std::string& path, const std::string& question) {
  if (!files_.Exists(path)) return true;
  return ui_.Message(question, kOverwriteTitle, MessageIcon::Information, MessageButtons::OkCancel) ==
         MessageAnswer::Ok;
}

bool Editor::WriteOrReport(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::optional<Error> error = files_.Write(path, bytes);
  if (!error) return true;
  ui_.Message("Could not write \"" + path + "\": " + error->message + ". Any file of that name is unchanged.",
              kErrorSavingTitle, MessageIcon::Error, MessageButtons::Ok);
  return false;
}

bool Editor::SaveSnapshot() {
  if (!HasSnapshot()) return false;
  // A drag still held: its moves are in the file, so they are a step before it.
  CloseDragStep();
  image_.CopyIn(ImageOffsetOf(kScreenAreaStart), savedScreen_);
  const std::optional<std::string> chosen = ui_.SaveFile(SaveSnapshotDialog());
  if (!chosen) {
    Refresh();
    return false;
  }
  UpdateCheckTable(image_);
  // Exact comparison: ".sna" and ".SNA" only, not ".Sna"; any other
  // extension writes nothing.
  const SnapshotFileKind kind = SnapshotFileKindOf(*chosen);
  if (kind == SnapshotFileKind::Other) return false;
  const bool sna = kind == SnapshotFileKind::Sna;
  const std::optional<std::string> path = ForceExtension(*chosen, sna ? ".sna" : ".szx");
  if (!path) {
    ReportUnusableName();
    if (sna) Refresh();
    return false;
  }
  if (!ConfirmOverwrite(*path, "Snapshot already exists. Overwrite?")) return false;
  bool written = false;
  if (sna) {
    written = WriteOrReport(*path, SnaFileFromImage(image_));
    Refresh();
  } else {
    // The screen area keeps the snapshot's screen until the next refresh.
    std::optional<KeptSzxBlocks> kept;
    if (state_.loadedFromSzx) kept = keptSzx_;
    written = WriteOrReport(*path, BuildSzxFile(image_, kept));
  }
  if (written) {
    snapshotPath_ = *path;
    history_.MarkSaved();
  }
  return written;
}

void Editor::LoadScreen() {
  if (!HasSnapshot()) return;
  const std::optional<std::string> chosen = ui_.OpenFile(LoadScreenDialog());
  if (!chosen || chosen->empty()) return;
  const Result<std::vector<std::uint8_t>> bytes = files_.Read(*chosen);
  if (!bytes) {
    ui_.Message("Could not read \"" + *chosen + "\": " + bytes.ErrorMessage() + ".", "Error Loading Screen",
                MessageIcon::Error, MessageButtons::Ok);
    return;
  }
  if (bytes->size() != loadedScreen_.size()) {
    ui_.Message("Invalid Size", "Incorrect Screen Size", MessageIcon::Error, MessageButtons::Ok);
    return;
  }
  std::copy(bytes->begin(), bytes->end(), loadedScreen_.begin());
  state_.loadedScreen = true;
}

bool Editor::SaveTap() {
  if (!HasSnapshot()) return false;
  const std::optional<std::string> chosen = ui_.SaveFile(SaveTapDialog());
  if (!chosen) {
    Refresh();
    return false;
  }
  const std::optional<std::string> path = ForceExtension(*chosen, ".tap");
  if (!path) {
    ReportUnusableName();
    Refresh();
    state_.loadedScreen = false;
    return false;
  }
  if (!ConfirmOverwrite(*path, "Tape already exists. Overwrite?")) return false;
  // The tape carries the check table: it must match the edited levels, or
  // the game finds its data changed.
  UpdateCheckTable(image_);
  std::optional<TapeScreen> screen;
  if (state_.loadedScreen) screen = TapeScreen(loadedScreen_);
  const bool written = WriteOrReport(*path, BuildTapeImage(image_, state_.snapshotSize, screen));
  Refresh();
  // A tape that was not written has not used the screen: it stays for the next try.
  if (written) state_.loadedScreen = false;
  return written;
}

bool Editor::SaveDisassembly() {
  if (!HasSnapshot()) return false;
  UpdateCheckTable(image_);
  const std::string text = JoinWithCrLf(BuildAsmListing(image_, levelTable_));
  const std::optional<std::string> chosen = ui_.SaveFile(SaveDisassemblyDialog());
  if (!chosen) return false;
  const std::optional<std::string> path = ForceExtension(*chosen, ".asm");
  if (!path) {
    ReportUnusableName();
    return false;
  }
  if (!ConfirmOverwrite(*path, "File already exists. Overwrite?")) return false;
  const auto* begin = reinterpret_cast<const std::uint8_t*>(text.data());
  return WriteOrReport(*path, std::span<const std::uint8_t>(begin, text.size()));
}

}  // namespace kestrova
