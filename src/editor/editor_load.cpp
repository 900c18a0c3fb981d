// "Load Snapshot": reading a snapshot file into the image and setting the
// editor up on level 1.
#include "base/utf8.h"
#include "editor/editor.h"
#include "level/game_settings.h"
#include "snapshot/sna.h"

namespace kestrova {

namespace {

inline constexpr const char* kLoadErrorTitle = "Error Loading Kestrova Snapshot";
inline constexpr const char* kInvalidSnapshotTitle = "Invalid Kestrova Snapshot";
inline constexpr const char* kNoMarkerText = "No end-of-levels marker in the level data.";

inline constexpr const char* kLoadTitle = "Load Kestrova Snapshot";

constexpr std::string_view kSnaContent = ".sna";
constexpr std::string_view kSzxContent = ".szx";

// "Spectrum Snapshots (*.szx) (*.sna) (*.z80) ...": every extension read, in
// the style of the two the editor started with.
FileDialogRequest LoadDialogRequest() {
  std::string filter = "Spectrum Snapshots";
  std::string pattern;
  for (const std::string_view extension : ReadSnapshotExtensions()) {
    filter += " (*" + std::string(extension) + ")";
    pattern += (pattern.empty() ? "*" : "; *") + std::string(extension);
  }
  return FileDialogRequest{kLoadTitle, filter, pattern, {}, {}};
}

std::string ReadExtensionsText() {
  const std::vector<std::string_view> extensions = ReadSnapshotExtensions();
  return ListedAlternatives(extensions);
}

}  // namespace

void Editor::LoadSnapshot() {
  const std::optional<std::string> path = AskToOpen(LoadDialogRequest());
  if (!path || path->empty()) return;
  LoadSnapshotFile(*path);
}

void Editor::LoadSnapshotFile(const std::string& path) {
  const SnapshotFileKind kind = SnapshotFileKindOf(path);
  if (kind == SnapshotFileKind::Other) {
    // Nothing is read: the editor is set up again from the image it holds.
    if (!HasSnapshot()) return;
    if (const auto levels = CountFreeBytesAndFindLevelOne(image_)) SetUpAfterLoad(*levels, false);
    return;
  }

  std::optional<LoadedSnapshot> loaded = DecodeSnapshot(path);
  if (!loaded) return;
  const auto levels = CountFreeBytesAndFindLevelOne(loaded->image);
  if (!levels) {
    ui_->Message(kNoMarkerText, kInvalidSnapshotTitle, MessageIcon::Error, MessageButtons::Ok);
    return;
  }

  // Accepted: only now does the held image change.
  const bool fromSzx = loaded->content == kSzxContent;
  image_ = std::move(loaded->image);
  state_.place.snapshotSize = image_.Size();
  state_.place.loadedFromSzx = fromSzx;
  if (fromSzx) keptSzx_ = loaded->kept;
  snapshotPath_ = path;
  snapshotFormat_ = SaveFormatOf(path, loaded->content);
  loadedContent_ = loaded->content;
  SetUpAfterLoad(*levels, true);
  StartHistory();
  // Our own two formats are read by content alone: a file whose name says
  // otherwise is noted.
  const bool ownContent = fromSzx || loaded->content == kSnaContent;
  if (ownContent && SnapshotFileKindOf(loaded->content) != kind) NoteContentOtherThanName(path, loaded->content);
}

SnapshotFileKind Editor::SaveFormatOf(const std::string& path, const std::string& content) {
  const SnapshotFileKind byContent = SnapshotFileKindOf(content);
  if (byContent == SnapshotFileKind::Sna || byContent == SnapshotFileKind::Szx) return byContent;
  // A .z80 is written back as one only under its own name: a .slt holding a
  // .z80 keeps level data a plain .z80 would drop.
  if (byContent == SnapshotFileKind::Z80 && SnapshotFileKindOf(path) == SnapshotFileKind::Z80) return byContent;
  return SnapshotFileKind::ReadOnly;
}

void Editor::NoteContentOtherThanName(const std::string& path, const std::string& content) {
  ui_->Message("\"" + path + "\" holds a " + content + " snapshot, so it was read as one.", kLoadTitle,
               MessageIcon::Information, MessageButtons::Ok);
}

// The name comes from the command line as the system's bytes; one that is
// not UTF-8 cannot be named again through the window's text, so it is
// refused before anything is read.
void Editor::OpenAtStart(const std::string& path) {
  if (!IsValidUtf8(path)) {
    ui_->Message("Could not read the snapshot \"" + EscapedUtf8(path) + "\": " + kNotUtf8Reason + ".", kLoadErrorTitle,
                 MessageIcon::Error, MessageButtons::Ok);
    return;
  }
  if (SnapshotFileKindOf(path) == SnapshotFileKind::Other) {
    ui_->Message("\"" + path + "\" is not a snapshot the editor reads: choose a " + ReadExtensionsText() + " file.",
                 kLoadErrorTitle, MessageIcon::Error, MessageButtons::Ok);
    return;
  }
  LoadSnapshotFile(path);
}

void Editor::OpenNamedFile(const std::string& path) {
  if (MaybeSave()) OpenAtStart(path);
}

// The file is read as what its content is, whatever its name says. Under a
// .sna or .szx name: a .szx begins with its magic, anything else is taken
// for a .sna. Under another snapshot name, libspectrum judges the content
// (the name a hint), and a .sna or .szx it finds is read by our own readers.
std::optional<Editor::LoadedSnapshot> Editor::DecodeSnapshot(const std::string& path) {
  auto file = files_->Read(path);
  if (!file) {
    ui_->Message("Could not read the snapshot \"" + path + "\": " + file.ErrorMessage(), kLoadErrorTitle,
                 MessageIcon::Error, MessageButtons::Ok);
    return std::nullopt;
  }
  const SnapshotFileKind kind = SnapshotFileKindOf(path);
  if (kind == SnapshotFileKind::Sna || kind == SnapshotFileKind::Szx || HoldsSzxMagic(*file)) {
    return DecodeOurOwn(*file);
  }
  return DecodeForeign(*file, path);
}

std::optional<Editor::LoadedSnapshot> Editor::DecodeOurOwn(std::span<const std::uint8_t> file) {
  if (!HoldsSzxMagic(file)) {
    auto sna = ReadSna(file);
    if (!sna) {
      ui_->Message(sna.ErrorMessage(), kInvalidSnapshotTitle, MessageIcon::Error, MessageButtons::Ok);
      return std::nullopt;
    }
    return LoadedSnapshot{std::move(*sna), std::string(kSnaContent), {}};
  }
  auto szx = ReadSzxSnapshot(file, image_, keptSzx_);
  if (!szx) {
    ui_->Message(szx.ErrorMessage(), kLoadErrorTitle, MessageIcon::Error, MessageButtons::Ok);
    return std::nullopt;
  }
  return LoadedSnapshot{std::move(szx->image), std::string(kSzxContent), szx->kept};
}

std::optional<Editor::LoadedSnapshot> Editor::DecodeForeign(std::span<const std::uint8_t> file,
                                                            const std::string& path) {
  if (formats_ == nullptr) {
    ui_->Message("\"" + path + "\" cannot be read: this build reads .sna and .szx snapshots only.", kLoadErrorTitle,
                 MessageIcon::Error, MessageButtons::Ok);
    return std::nullopt;
  }
  const std::string content = formats_->Identify(file, path);
  if (content.empty()) {
    ui_->Message(std::string(kSzxLoadErrorText) + "\nThe file holds no snapshot libspectrum knows.", kLoadErrorTitle,
                 MessageIcon::Error, MessageButtons::Ok);
    return std::nullopt;
  }
  if (content == kSnaContent) return DecodeOurOwn(file);
  Result<SnapshotImage> read = formats_->Read(file, content);
  if (!read) {
    ui_->Message(read.ErrorMessage(), kInvalidSnapshotTitle, MessageIcon::Error, MessageButtons::Ok);
    return std::nullopt;
  }
  // Recognised as every other format is.
  if (!HoldsKestrovaRecognitionBytes(*read)) {
    ui_->Message(kNotKestrovaText, kInvalidSnapshotTitle, MessageIcon::Error, MessageButtons::Ok);
    return std::nullopt;
  }
  return LoadedSnapshot{std::move(*read), content, {}};
}

void Editor::SetUpAfterLoad(const LoadTimeLevels& levels, bool newImage) {
  constexpr WindowLayout kLoaded = LayoutOf(WindowState::SnapshotLoaded);
  // a
  view_.visible.titlePicture = kLoaded.visible.titlePicture;
  view_.windowWidth = kLoaded.width;
  view_.windowHeight = kLoaded.height;
  // b: the screen area holds the map once drawn, so it is the snapshot's own
  // screen only straight after a file was read.
  if (newImage) {
    for (std::uint32_t i = 0; i < kScreenAreaSize; ++i) savedScreen_[i] = image_.Read(kScreenAreaStart + i);
  }
  // c: draws into the screen area, after it was saved.
  DrawPaletteStrip();
  // d
  state_.walk.UseMapDrawing();
  // e
  state_.place.bytesFree = levels.bytesFree;
  state_.place.levelStart = levels.levelStart;
  state_.place.levelEnd = levels.levelEnd;
  // f: menus and controls; the drag picture stays hidden.
  view_.visible = kLoaded.visible;
  // g
  state_.place.savedScrollOffset = 0;
  RebuildLevels();
  // h
  ShowFortressByte();
  // i
  ShowLevelOneAtItsStart();
  // j
  state_.walk.PlaceCursorAt(kLevelAreaStart);
  RedrawFromCursor();
}

void Editor::ShowFortressByte() {
  const std::uint8_t fortress = image_.Read(kFortressByte);
  // A value above the up-down's range is shown and kept until it is clicked.
  view_.fortressByte = fortress;
  const FortressLabel label = MakeFortressLabel(fortress, levelTable_);
  view_.fortressCaption = label.caption;
  view_.fortressHint = label.hint;
}

void Editor::ShowLevelOneAtItsStart() {
  view_.scrollPosition = view_.scrollMaximum;
  state_.place.scrollOffset = 0;
  view_.chooserText = view_.chooserEntries.empty() ? std::string() : view_.chooserEntries.front();
  view_.chooserIndex = 0;
  state_.place.currentLevelIndex = 0;
  // The chooser's change handler does not run; the wipe button still has to
  // follow the level now selected, not the one shown before the load.
  UpdateWipeButton();
  view_.mapHasFocus = true;
}

}  // namespace kestrova
