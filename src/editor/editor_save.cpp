// "Save Snapshot", "Load Screen$", "Save TAP" and "Save Disassembly", and
// the two runs in an emulator, which write what the saves write.
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
const char kRunTitle[] = "Run in Emulator";
const char kRunTapTitle[] = "Run TAP in Emulator";
const char kNoEmulatorText[] =
    "No emulator was found. Install Fuse, for example with the Debian packages fuse-emulator-gtk and "
    "opense-basic (and spectrum-roms where it is available), or name the command of another emulator in the "
    "environment variable KESTROVA_EMULATOR, with %f where the file goes.";

constexpr std::string_view kSna = ".sna";
constexpr std::string_view kSzx = ".szx";
constexpr std::string_view kZ80 = ".z80";
// The formats a snapshot is saved in, as the dialog lists them.
constexpr std::string_view kSnapshotExtensions[] = {kSna, kSzx, kZ80};
constexpr std::string_view kTapExtensions[] = {".tap"};
constexpr std::string_view kAsmExtensions[] = {".asm"};

FileDialogRequest SaveSnapshotDialog() {
  return {"Save Kestrova Snapshot", "Spectrum Snapshots (*.szx) (*.sna) (*.z80)", "*.szx; *.sna; *.z80", {}, {}};
}

// The extension "Save Snapshot As" gives a name without one: the format the
// game came in when it can be written, otherwise .z80, which keeps every
// bank and the machine state of any game the editor reads.
std::string_view DefaultSaveExtension(SnapshotFileKind loaded) {
  switch (loaded) {
    case SnapshotFileKind::Szx:
      return kSzx;
    case SnapshotFileKind::Z80:
    case SnapshotFileKind::ReadOnly:
      return kZ80;
    default:
      return kSna;
  }
}

SnapshotFileKind FormatOfExtension(std::string_view extension) { return SnapshotFileKindOf(std::string(extension)); }

// The name offered for a file that cannot be written again: the same name
// with the default extension.
std::string NameToOffer(const std::string& path, SnapshotFileKind format) {
  std::string name = FileNameOf(path);
  if (format != SnapshotFileKind::ReadOnly) return name;
  const std::string extension = FileExtension(name);
  return name.substr(0, name.size() - extension.size()) + std::string(kZ80);
}
FileDialogRequest LoadScreenDialog() {
  return {"Load Spectrum Screen", "Spectrum Screens (*.scr)", "*.scr", {}, {}, FileDialogKind::Screen};
}
FileDialogRequest SaveTapDialog() {
  return {"Save Kestrova TAP File", "Spectrum Tapes (*.tap)", "*.tap", {}, {}, FileDialogKind::Tape};
}
FileDialogRequest SaveDisassemblyDialog() {
  return {"Save Disassembly", "Spectrum Assembler (*.asm)", "*.asm", {}, {}, FileDialogKind::Listing};
}

}  // namespace

void Editor::HoldScreen(const std::string& name) {
  state_.place.loadedScreen = true;
  view_.heldScreenCaption = "Loading screen: " + name;
  view_.heldScreenHint =
      "The next tape (\"Save TAP\") carries \"" + name +
      "\" as its loading screen; after that tape none is held until \"Load Screen$\" loads one again.";
}

void Editor::DropHeldScreen() {
  state_.place.loadedScreen = false;
  view_.heldScreenCaption.clear();
  view_.heldScreenHint.clear();
}

void Editor::ReportUnusableName() {
  ui_->Message("Could not overwrite your file.", kErrorSavingTitle, MessageIcon::Error, MessageButtons::Ok);
}

SaveName Editor::CheckedSaveName(const std::string& chosen, std::span<const std::string_view> accepted,
                                 std::string_view defaultExtension) {
  SaveName name = NameForSave(chosen, accepted, defaultExtension);
  if (name.kind == SaveNameKind::NoName) ReportUnusableName();
  if (name.kind == SaveNameKind::OtherExtension) {
    ui_->Message(OtherExtensionText(chosen, accepted), kErrorSavingTitle, MessageIcon::Error, MessageButtons::Ok);
  }
  return name;
}

bool Editor::ConfirmOverwrite(const std::string& path, const std::string& question) {
  if (!files_->Exists(path)) return true;
  // The second line names the file: the question is about this one file.
  return ui_->Message(question + "\n" + path, kOverwriteTitle, MessageIcon::Information, MessageButtons::OkCancel) ==
         MessageAnswer::Ok;
}

bool Editor::WriteOrReport(const std::string& path, std::span<const std::uint8_t> bytes, const char* title) {
  const Outcome written = files_->Write(path, bytes);
  if (written) return true;
  ui_->Message("Could not write \"" + path + "\": " + written.ErrorMessage() + ". Any file of that name is unchanged.",
               title, MessageIcon::Error, MessageButtons::Ok);
  return false;
}

void Editor::PutSnapshotScreenBack() {
  // A drag still held: its moves are in the file, so they are a step before it.
  CloseDragStep();
  image_.CopyIn(ImageOffsetOf(kScreenAreaStart), savedScreen_);
}

std::vector<std::uint8_t> Editor::SzxFileBytes() const {
  std::optional<KeptSzxBlocks> kept;
  if (state_.place.loadedFromSzx) kept = keptSzx_;
  return BuildSzxFile(image_, kept);
}

std::optional<std::vector<std::uint8_t>> Editor::ForeignFileOrReport(const std::string& format) {
  if (formats_ == nullptr) {
    ui_->Message("This build cannot write " + format + " snapshots: save as .sna or .szx.", kErrorSavingTitle,
                 MessageIcon::Error, MessageButtons::Ok);
    return std::nullopt;
  }
  Result<std::vector<std::uint8_t>> file = formats_->Write(image_, format);
  if (!file) {
    ui_->Message(file.ErrorMessage(), kErrorSavingTitle, MessageIcon::Error, MessageButtons::Ok);
    return std::nullopt;
  }
  return std::move(*file);
}

bool Editor::WriteSnapshot(const std::string& path, SnapshotFileKind format) {
  bool written = false;
  if (format == SnapshotFileKind::Szx) {
    // The screen area keeps the snapshot's screen until the next refresh.
    written = WriteOrReport(path, SzxFileBytes());
  } else if (format == SnapshotFileKind::Sna) {
    written = WriteOrReport(path, SnaFileFromImage(image_));
    Refresh();
  } else {
    const std::optional<std::vector<std::uint8_t>> file = ForeignFileOrReport(std::string(kZ80));
    written = file && WriteOrReport(path, *file);
    Refresh();
  }
  if (written) {
    snapshotPath_ = path;
    snapshotFormat_ = format;
    history_.MarkSaved();
    ShowHistory();
  }
  return written;
}

bool Editor::SaveSnapshot() {
  if (!HasSnapshot()) return false;
  // No file yet, or one of a format the editor does not write: a name is asked for.
  if (snapshotPath_.empty() || snapshotFormat_ == SnapshotFileKind::ReadOnly) return SaveSnapshotAs();
  PutSnapshotScreenBack();
  UpdateCheckTable(image_);
  return WriteSnapshot(snapshotPath_, snapshotFormat_);
}

bool Editor::SaveSnapshotAs() {
  if (!HasSnapshot()) return false;
  PutSnapshotScreenBack();
  FileDialogRequest dialog = SaveSnapshotDialog();
  if (!snapshotPath_.empty()) {
    dialog.initialFolder = FolderOf(snapshotPath_);
    dialog.initialName = NameToOffer(snapshotPath_, snapshotFormat_);
  }
  const std::optional<std::string> chosen = AskToSave(dialog);
  if (!chosen) {
    Refresh();
    return false;
  }
  UpdateCheckTable(image_);
  const SaveName name =
      CheckedSaveName(*chosen, kSnapshotExtensions, DefaultSaveExtension(SnapshotFileKindOf(loadedContent_)));
  const SnapshotFileKind format = FormatOfExtension(name.extension);
  if (name.kind != SaveNameKind::Usable) {
    if (format != SnapshotFileKind::Szx) Refresh();
    return false;
  }
  if (!ConfirmOverwrite(name.path, "Snapshot already exists. Overwrite?")) return false;
  return WriteSnapshot(name.path, format);
}

void Editor::LoadScreen() {
  if (!HasSnapshot()) return;
  const std::optional<std::string> chosen = AskToOpen(LoadScreenDialog());
  if (!chosen || chosen->empty()) return;
  const Result<std::vector<std::uint8_t>> bytes = files_->Read(*chosen);
  if (!bytes) {
    ui_->Message("Could not read \"" + *chosen + "\": " + bytes.ErrorMessage() + ".", "Error Loading Screen",
                 MessageIcon::Error, MessageButtons::Ok);
    return;
  }
  if (bytes->size() != loadedScreen_.size()) {
    ui_->Message("Invalid Size", "Incorrect Screen Size", MessageIcon::Error, MessageButtons::Ok);
    return;
  }
  std::copy(bytes->begin(), bytes->end(), loadedScreen_.begin());
  HoldScreen(FileNameOf(*chosen));
  Note("Screen$ \"" + FileNameOf(*chosen) +
       "\" loaded: the next tape (\"Save TAP\") carries it as its loading screen.");
}

bool Editor::SaveTap() {
  if (!HasSnapshot()) return false;
  const std::optional<std::string> chosen = AskToSave(SaveTapDialog());
  if (!chosen) {
    Refresh();
    return false;
  }
  const SaveName name = CheckedSaveName(*chosen, kTapExtensions, kTapExtensions[0]);
  if (name.kind != SaveNameKind::Usable) {
    Refresh();
    DropHeldScreen();
    return false;
  }
  const std::string& path = name.path;
  if (!ConfirmOverwrite(path, "Tape already exists. Overwrite?")) return false;
  const bool written = WriteOrReport(path, TapeFileBytes());
  Refresh();
  // A tape that was not written has not used the screen: it stays for the next try.
  if (written && state_.place.loadedScreen) {
    DropHeldScreen();
    Note("The tape carries the loaded screen; the next tape has none unless \"Load Screen$\" loads one again.");
  }
  return written;
}

std::vector<std::uint8_t> Editor::TapeFileBytes() {
  // The tape carries the check table: it must match the edited levels, or
  // the game finds its data changed.
  UpdateCheckTable(image_);
  std::optional<TapeScreen> screen;
  if (state_.place.loadedScreen) screen = TapeScreen(loadedScreen_);
  return BuildTapeImage(image_, state_.place.snapshotSize, screen);
}

bool Editor::RunInEmulator() {
  if (!HasSnapshot() || emulator_ == nullptr) return false;
  PutSnapshotScreenBack();
  UpdateCheckTable(image_);
  const std::vector<std::uint8_t> file = SzxFileBytes();
  // No save: the map goes back over the snapshot's screen at once.
  Refresh();
  return RunFile(EmulatorMedium::Snapshot, file);
}

// The loaded screen stays loaded: a run is no tape the person keeps, so the
// next "Save TAP" still carries it.
bool Editor::RunTapInEmulator() {
  if (!HasSnapshot() || emulator_ == nullptr) return false;
  const std::vector<std::uint8_t> file = TapeFileBytes();
  Refresh();
  return RunFile(EmulatorMedium::Tape, file);
}

// Each run writes a file of its own, so an emulator still reading an
// earlier one is never disturbed.
bool Editor::RunFile(EmulatorMedium medium, std::span<const std::uint8_t> bytes) {
  const bool tape = medium == EmulatorMedium::Tape;
  const char* title = tape ? kRunTapTitle : kRunTitle;
  const Result<std::string> folder = emulator_->ScratchFolder();
  if (!folder) {
    ui_->Message("Could not make a folder for the emulator's files: " + folder.ErrorMessage() + ".", title,
                 MessageIcon::Error, MessageButtons::Ok);
    return false;
  }
  const std::string path = *folder + "/game-" + std::to_string(++emulatorRuns_) + (tape ? ".tap" : ".szx");
  if (!WriteOrReport(path, bytes, title)) return false;
  const EmulatorStart start = emulator_->Start(medium, path);
  switch (start.kind) {
    case EmulatorStart::Kind::Started:
      return true;
    case EmulatorStart::Kind::NotFound:
      ui_->Message(kNoEmulatorText, title, MessageIcon::Error, MessageButtons::Ok);
      return false;
    case EmulatorStart::Kind::Failed:
      ui_->Message("Could not start the emulator (" + start.command + "): " + start.reason + ".", title,
                   MessageIcon::Error, MessageButtons::Ok);
      return false;
  }
  return false;
}

bool Editor::SaveDisassembly() {
  if (!HasSnapshot()) return false;
  UpdateCheckTable(image_);
  const std::string text = JoinWithCrLf(BuildAsmListing(image_, levelTable_));
  const std::optional<std::string> chosen = AskToSave(SaveDisassemblyDialog());
  if (!chosen) return false;
  const SaveName name = CheckedSaveName(*chosen, kAsmExtensions, kAsmExtensions[0]);
  if (name.kind != SaveNameKind::Usable) return false;
  if (!ConfirmOverwrite(name.path, "File already exists. Overwrite?")) return false;
  const auto* begin = reinterpret_cast<const std::uint8_t*>(text.data());
  return WriteOrReport(name.path, std::span<const std::uint8_t>(begin, text.size()));
}

}  // namespace kestrova
