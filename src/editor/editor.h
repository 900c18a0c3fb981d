#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"
#include "edit/deletes.h"
#include "edit/menu_model.h"
#include "edit/palette_rows.h"
#include "edit/properties_options.h"
#include "edit/properties_rules.h"
#include "editor/editor_state.h"
#include "editor/mouse_button.h"
#include "editor/tall_map.h"
#include "editor/undo_history.h"
#include "editor/view_state.h"
#include "export/file_names.h"
#include "game/record_script.h"
#include "game/record_selection.h"
#include "level/level_table.h"
#include "ports/emulator.h"
#include "ports/files.h"
#include "ports/recovery_store.h"
#include "ports/snapshot_formats.h"
#include "ports/ui.h"
#include "recovery/recovery_record.h"
#include "render/cell_grid.h"
#include "render/map_geometry.h"
#include "render/renderer.h"
#include "render/screen_tables.h"
#include "snapshot/snapshot_file_kind.h"
#include "snapshot/snapshot_image.h"
#include "snapshot/szx_snapshot.h"
#include "surface/fast_dib.h"

namespace kestrova {

namespace testing {
class EditorStateAccess;
}

using ScreenBytes = std::array<std::uint8_t, kScreenAreaSize>;

// What the main window owns, and one method per handler of the main window.
// Each handler ends with the refresh or the edit refresh. The Editor talks to
// the outside only through the Ui and Files ports, and starts an emulator
// through the Emulator port when it is given one (the window is; the tool
// is not).
class Editor {
 public:
  // Whether the handlers draw the pictures (SetDrawing below).
  enum class Drawing { On, Off };
  // An editor made with Drawing::Off leaves the pictures empty (0 x 0)
  // until drawing is turned on, so one that never draws (the tool, the
  // fuzzers) never fills them.
  Editor(Ui& ui, Files& files, Emulator* emulator = nullptr, Drawing drawing = Drawing::On);
  // The formats read and written beyond .sna and .szx (.z80, .sp, ...);
  // without them such a file is refused with a message.
  void UseSnapshotFormats(SnapshotFormats& formats) { formats_ = &formats; }

  // ---- What the view and the tests read ----
  const EditorState& State() const { return state_; }
  const LevelPlace& Place() const { return state_.place; }
  const WalkMemory& Walk() const { return state_.walk; }
  const PointerState& Pointer() const { return state_.pointer; }
  ViewState& View() { return view_; }
  const ViewState& View() const { return view_; }
  SnapshotImage& Image() { return image_; }
  const SnapshotImage& Image() const { return image_; }
  const ScreenBytes& SavedScreen() const { return savedScreen_; }
  const ScreenBytes& LoadedScreen() const { return loadedScreen_; }
  LevelTable& Levels() { return levelTable_; }
  const LevelTable& Levels() const { return levelTable_; }
  CellGrid& Grid() { return grid_; }
  const CellGrid& Grid() const { return grid_; }
  const ScreenTables& Tables() const { return tables_; }
  TFastDIB& MapBitmap() { return mapBitmap_; }
  const TFastDIB& MapView() const { return viewBitmap_; }             // the map view
  const TFastDIB& OverviewBitmap() const { return overviewBitmap_; }  // the overview
  const TFastDIB& PaletteBitmap() const { return paletteBitmap_; }    // the palette
  bool HasSnapshot() const { return !image_.Empty(); }
  // The port the Editor asks through; the window's own questions (Help) use it too.
  Ui& UiPort() { return *ui_; }

  // Whether the handlers draw the pictures: the map view, the overview and
  // the palette strip. Off (the tool, the fuzzers), the refresh's walk still
  // fills the screen area and the CellGrid, and the overview's and the
  // palette's walks still leave their memory for the next walk, so after
  // each handler the state, the grid and the bytes are those a drawing
  // editor has; the pictures stay as last drawn until a handler draws them
  // again.
  void SetDrawing(bool drawing);

  // ---- Refresh cycle ----
  void Refresh();
  // Refresh steps 2-6: draws from the stream cursor as it stands.
  void RedrawFromCursor();
  // After bytesInserted bytes were inserted (negative: removed) in the stream.
  void EditRefresh(int bytesInserted);
  void RebuildLevels();

  // ---- Loading ----
  void LoadSnapshot();
  // The same load from a path already chosen (the window's start argument):
  // the same refusals and messages as after the dialog.
  void LoadSnapshotFile(const std::string& path);
  // The file named when the window was started: loaded as above, and a name
  // the load would pass over without a word (not ending in a snapshot's
  // extension) is refused with a message instead.
  void OpenAtStart(const std::string& path);
  // A file named outside the dialogs (dropped on the window, chosen from
  // "Open Recent"): the question about unsaved changes first, as "Load
  // Snapshot" asks it, then loaded as the start file is, so a file of
  // another kind is refused with a message.
  void OpenNamedFile(const std::string& path);
  // The "Z80R" and "SPCR" blocks of the last .szx load, written back by a
  // .szx save while the loaded-from-SZX flag is set.
  const Z80rBlock& KeptZ80rBlock() const { return keptSzx_.z80r; }
  const SpcrBlock& KeptSpcrBlock() const { return keptSzx_.spcr; }
  const KeptSzxBlocks& KeptSzx() const { return keptSzx_; }

  // ---- Saving and exports ----
  // Each save is true when its file was written; false when it was
  // cancelled, refused or failed. A chosen name is kept whole (NameForSave):
  // nothing is written under a name the person did not give.
  // "Save Snapshot" (Ctrl+S): the snapshot's screen back, the check table,
  // then straight to the file loaded or last saved, in its format; with no
  // such file, or one of a format the editor does not write (.sp, .slt, ...),
  // it is "Save Snapshot As".
  bool SaveSnapshot();
  // "Save Snapshot As": the dialog in that file's folder with its name filled
  // in (as .z80 for a format the editor does not write); the name chosen
  // decides the format (.sna, .szx or .z80), a name without an extension
  // takes the format of the file the game came from (.z80 for those others).
  bool SaveSnapshotAs();
  // "Load Screen$": a 6912-byte screen for the next tape.
  void LoadScreen();
  // "Save TAP": loader, optional loading screen, CODE blocks.
  bool SaveTap();
  // "Save Disassembly": the assembler listing of settings, levels and table.
  bool SaveDisassembly();
  // "Run in Emulator" (F5): the game as "Save Snapshot" writes it to .szx
  // (screen back, check table, every bank and the machine state), under a
  // new name in the emulator's scratch folder, and the emulator started on
  // it. "Run TAP in Emulator" (Shift+F5): the tape as "Save TAP" writes it,
  // the loading screen included. Neither is a save: the saved mark, the
  // snapshot's file, the history and the loaded screen stay as they were.
  // True when the emulator was started.
  bool RunInEmulator();
  bool RunTapInEmulator();
  // The snapshot file last loaded or saved; empty before the first load.
  const std::string& SnapshotPath() const { return snapshotPath_; }
  // The format of that file (as loaded, or as last written): Save writes it
  // again, or asks for a name when it is ReadOnly.
  SnapshotFileKind SnapshotFormat() const { return snapshotFormat_; }
  bool SnapshotPathIsSzx() const { return snapshotFormat_ == SnapshotFileKind::Szx; }
  // The format the loaded file's content was read as, without its dot: "sna", "szx", "z80", "sp", ...
  std::string LoadedFormat() const { return loadedContent_.empty() ? std::string() : loadedContent_.substr(1); }
  // The folder of the last path chosen in any file dialog, "." before any;
  // each kind of dialog starts in the folder last chosen in one of its kind,
  // or in that one when none of its kind was used yet.
  const std::string& LastFolder() const { return lastFolder_; }
  const std::string& LastFolder(FileDialogKind kind) const;
  // A folder remembered from an earlier run (the window's settings).
  void SetLastFolder(FileDialogKind kind, const std::string& folder);

  // ---- Undo and unsaved changes ----
  // Every handler that changes the image records one step (a drag on the
  // map from press to release is one); a load starts an empty history.
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  // The step Undo or Redo would take, as "Delete Tree"; empty when none.
  std::string UndoName() const;
  std::string RedoName() const;
  // Puts back the image bytes of the last step and the level, bounds, bytes
  // free and scroll offset from before it, then rebuilds and refreshes as an
  // edit does; Redo does the step again. A drag still held ends first.
  void Undo();
  void Redo();
  // The image differs from the one last loaded or saved.
  bool IsModified() const { return history_.IsModified(); }
  // Before the image would be dropped ("Exit", the close box, "Load
  // Snapshot"): with unsaved changes asks Save / Discard / Cancel, and Save
  // runs "Save Snapshot" (a dialog only when there is no file yet). True
  // when the caller may go on: nothing was unsaved, the save succeeded, or
  // the person discarded it.
  bool MaybeSave();
  const UndoHistory& History() const { return history_; }
  // Grows with every change of the image, an undo and a redo included.
  std::size_t HistoryRevision() const { return history_.Revision(); }

  // ---- Unsaved work kept through a crash ----
  // The work as a side file keeps it, at `now` (seconds since 1970).
  RecoveryRecord RecoveryState(std::int64_t now) const;
  // The work of a record brought back as the file it came from with the
  // edits made: the same file, format, level and scroll, marked modified, so
  // that only the person's own save writes it. Refused, with nothing
  // changed, when the image holds no game the editor reads.
  Outcome Restore(const RecoveryRecord& record);
  // At start: "Restore Unsaved Changes" for each side file an editor left
  // behind (Restore, Discard or Later, which keeps it for the next start);
  // one that cannot be read is set aside with a message. After a restore the
  // others wait for the next start. True when work was restored.
  bool OfferRecovery(RecoveryStore& store, std::int64_t now);
  // The image runs the history leaves alone: the screen area (the map is
  // drawn into it) and the check table (each save computes it afresh).
  static std::vector<ByteRun> NotEditedRuns();

  // ---- Navigation ----
  // The level chooser's change: level index + 1 becomes the current level.
  void ChooseLevel(int index);
  // Scroll bar change: scroll offset := maximum - position, refresh.
  void ScrollTo(int position);
  // Mouse wheel anywhere in the window; only a pointer over the map view
  // scrolls, by 10 rows per wheel-scroll line.
  void TurnWheel(int delta, bool pointerOverMap, int wheelScrollLines);
  // Press in the level overview at overview row y: the row's place in the
  // level comes to the middle of the map view.
  void PressOverview(MouseButton button, int y);
  // "Show Land Space" clicked.
  void SetShowLandSpace(bool checked);
  // The whole-level pass into the overview, then the refresh at the scroll
  // offset it had.
  void RedrawOverview();

  // ---- Game settings ----
  void Spawn();  // "Options" > "Kestrova" > "Spawn"
  void Lives();  // "Options" > "Kestrova" > "Lives"
  void Delay();  // "Options" > "Enemy" > "Delay"
  // The fortress byte's up-down clicked to its new position (0..15).
  void ClickFortressByte(int position);

  // ---- Editing ----
  // A mouse button pressed on the map view at (x, y) of its pixels.
  void PressMap(MouseButton button, int x, int y);
  // The popup built by the last right-button press, and how it is shown.
  const std::vector<MenuItem>& Popup() const { return popup_; }
  PopupPlacement PopupShown() const { return popupPlacement_; }
  // Each editing handler says what happened: done, or refused with the
  // reason, which View().lastRefusal also carries for the window.
  // Runs the command of a clicked popup item (disabled items do nothing).
  Outcome RunMenuCommand(const MenuItem& item);
  // Inserts the records of an insertion tag at the record under the pointer.
  // The callers make sure a record is under the pointer and the tag fits.
  Outcome InsertObject(int tag);
  Outcome DeletePlain();  // also "Delete Land Space"
  Outcome DeleteRiverCrossing();
  Outcome DeleteTunnel(int size);  // 14 or 18 bytes
  Outcome DeleteFortress();
  Outcome ChangeValue();          // "Change Column" and "Change Distance"
  Outcome SetAttribute(int tag);  // the colour items of "Ink" and "Paper"
  // "Wipe Level(s)", by the "Wipe" tab's choice.
  Outcome WipeLevels();
  // The "Wipe" tab's radio buttons clicked.
  void ClickWipeCurrentLevel();  // "Current Level (Leaving Spaces)"
  void ClickWipeAllAfter();      // "ALL after current Level"
  // The "Properties" dialog's options.
  PropertiesOptions& Options() { return options_; }
  const PropertiesOptions& Options() const { return options_; }

  // ---- Pointing at a record by its address (the command line's mouse) ----
  // The level that holds the record at `address` becomes the current level
  // as the chooser picks it, the view scrolls so that the record's row is in
  // its middle, and the map-view pixel of a cell the record drew comes back:
  // in `column` when it drew one there, else its leftmost. Nothing when no
  // level holds the address, or the record drew no cell (in `column`).
  std::optional<MapPixel> ShowRecord(std::uint32_t address, std::optional<int> column = std::nullopt);
  // A palette pick of insertion tag `tag` carried to map-view pixel (x, y)
  // and released there: the pointer's cell names the record and column, and
  // the drop rules decide, as for a pick from the strip.
  Outcome DropObject(int tag, int x, int y);

  // ---- Palette and dragging ----
  void DrawPaletteStrip();
  // A button pressed on the palette strip at strip position x (0..1023),
  // the pointer at (windowX, windowY) of the window's client area. Left
  // picks the slot's object and shows its drag picture; right shows
  // "Properties".
  void PressPalette(MouseButton button, int x, int windowX, int windowY);
  // The pointer moved while the palette holds the mouse, in the window's
  // client coordinates: the drop target and the drag picture follow it.
  void MovePointerOverWindow(int x, int y);
  // The button released while the palette holds the mouse: the drop.
  void ReleasePalette();
  // Where the carried pick would land if released now: the pointer's column
  // and the screen row (0 = top) the record under the pointer is drawn at,
  // which the dropped object takes, since it goes in front of that record.
  // Nothing while no pick is carried over the map, or no record is there.
  std::optional<MapCell> DropLanding() const;
  // The insertion tag of the last palette pick; nothing before the first.
  std::optional<int> PaletteTag() const { return paletteTag_; }
  // The drag picture: its bitmap and its top-left corner in the
  // window's client area; View().visible.dragPicture says whether it shows.
  const TFastDIB& DragBitmap() const { return dragBitmap_; }
  int DragPictureLeft() const { return dragLeft_; }
  int DragPictureTop() const { return dragTop_; }

  // Pointer movement over the map view at (x, y) of its pixels
  // (outside it while a button is held): the drag step while an object is
  // grabbed, then the status text.
  void MovePointerOverMap(int x, int y);
  // Any button released over the map view: the drag ends.
  void ReleaseMap(MouseButton button);
  // The pointer left the map view: the status text stays as it is after
  // later actions, until the pointer comes back.
  void LeavePointerFromMap();
  // The Delete key: the delete item of the popup a right press under the
  // pointer would show, run as choosing it does; a refusal when the pointer
  // is not over the map or its popup offers no delete.
  Outcome DeleteUnderPointer();

  // ---- Selection, copy and paste ----
  // The objects chosen in the current level (a group always whole); any
  // change of the level's records or of the level shown clears it.
  const RecordSelection& Selection() const { return selection_; }
  // Ctrl+click at map-view pixel (x, y): the object there, as its popup
  // finds it (bare ground: the land space whose band covers it), joins the
  // selection or leaves it.
  Outcome ToggleSelectionAt(int x, int y);
  // Shift+drag from map-view pixel (x0, y0) to (x1, y1): the objects that
  // drew a cell under the band join the selection.
  void SelectInBand(int x0, int y0, int x1, int y1);
  void SelectAll();       // Ctrl+A: every object of the level
  void ClearSelection();  // Escape
  // The outline of the selection over the map view, in its pixels.
  std::vector<Rect> SelectionOutline() const;
  // The same gestures on the tall map, at its pixels; its outline spans
  // every band it shows.
  Outcome ToggleSelectionAtTall(int x, int y);
  void SelectInTallBand(int x0, int y0, int x1, int y1);
  std::vector<Rect> TallSelectionOutline();
  // Delete on a selection: every chosen object goes, as its popup's delete
  // would, as one step ("Delete 3 objects"); refused whole, with the reason,
  // when one of them cannot go.
  Outcome DeleteSelection();
  // The chosen objects, in level order with their operands; nothing when
  // none is chosen.
  std::optional<RecordClip> CopySelection() const;
  // Copy, then the delete as one step named "Cut 3 objects"; the copy only
  // when the delete went.
  Result<RecordClip> CutSelection();
  // Paste: the clip's objects go, in their order, in front of the object
  // under the pointer (the level's first record when the pointer is off the
  // map, its end record above the level's top), as one step "Paste N
  // objects"; refused with the reason, and nothing changed, when they do not
  // fit the free bytes.
  Outcome Paste(const RecordClip& clip);
  // The same in front of the record at `record` (its level becomes the
  // current one), as `kestrova edit` pastes.
  Outcome PasteBefore(const RecordClip& clip, std::uint32_t record);
  // What the clipboard holds, pasted: the editor's own form when it holds
  // one (from this editor or another), else its text as edit commands; a
  // text that is not such commands is refused with the reason.
  Outcome PasteClipboard(std::span<const std::uint8_t> ownForm, const std::string& text);
  // The Delete key: the selection when there is one, else the object under
  // the pointer.
  Outcome PressDelete();

  // The name of the palette picture at strip position x (0..1023): the
  // caption of the object it drops with the "Properties" choices as they
  // stand ("Large Hut", ...); empty where no picture is.
  std::string PaletteSlotName(int stripX) const;
  // The pointer resting over the palette strip at x, no button held: the
  // picture's name as the status text.
  void PointAtPalette(int stripX);
  // The palette as the window shows it: the strip as it is, or (the
  // resizable window) wrapped into the rows `rows` lays out; what the window
  // shows is redrawn from the strip whenever the strip is.
  void UsePaletteRows(const PaletteRows& rows) { paletteRows_ = rows; }
  const PaletteRows& PaletteLayout() const { return paletteRows_; }
  const TFastDIB& PalettePicture();
  // Grows each time PalettePicture() draws anew.
  unsigned PalettePictureRevision() const { return palettePictureRevision_; }
  // The strip position shown at pixel (x, y) of the palette as the window
  // shows it: what a press, the tooltip and the status text there name; -1
  // where no part of the strip shows.
  int PaletteStripX(int x, int y) const { return paletteRows_.StripXAt(x, y); }
  // The drop marker: where the carried pick would land (DropLanding), in
  // pixels of the window's map (the map view, or the tall map at the focus
  // band's place): one cell column wide and one character (8 rows) high,
  // its bottom row the landing row. Nothing while there is no landing.
  std::optional<Rect> DropMarker() const;

  // ---- The tall map (tall_map.h) ----
  // The resizable window's map: a stack of bands, band k showing the map
  // view at scroll offset B + 192 k. The Editor keeps the map view's state
  // (scroll offset, cell grid, walk, status text) for one band at a time,
  // the focus band: Place().scrollOffset == TallBottom() + 192 * FocusBand().
  // Every gesture on band k first makes it the focus band (its offset and a
  // refresh), then runs the map view's own handler with the band's view
  // pixel, so it does exactly what the map view does at that offset.
  // The window's map from now on is the tall map `map`, whose top-left
  // corner lies at (left, top) of the window's client area; the palette's
  // drag picture follows the pointer below `paletteTop` there.
  void UseTallMap(const TallMap& map, int left, int top, int paletteTop);
  // The map view alone, as the window was designed (the classic layout).
  void UseMapViewOnly();
  bool TallMapInUse() const { return tallInUse_; }
  const TallMap& Tall() const { return tall_; }
  int FocusBand() const;
  // B: the level row at the bottom of the tall map.
  int TallBottom() const;
  // The scroll limits of B for the current level: 0 up to this.
  int TallBottomLimit() const { return tall_.HighestBottom(view_.scrollMaximum); }
  // Scrolling the tall map, each kept within the limits: to bottom offset
  // `bottom`, by the wheel (10 rows a line), by pages (positive towards
  // the level's far end), to the level's start and to its far end.
  void ScrollTall(std::int64_t bottom);
  void TurnTallWheel(int delta, int wheelScrollLines);
  void PageTall(int pages);
  void ScrollTallToStart() { ScrollTall(0); }
  void ScrollTallToEnd() { ScrollTall(TallBottomLimit()); }
  // Gestures at pixel (x, y) of the tall map (y from its top).
  void MovePointerOverTall(int x, int y);
  void PressTall(MouseButton button, int x, int y);
  void ReleaseTall(MouseButton button) { ReleaseMap(button); }
  // A press (left button) or a drag at overview row y: that row's place in
  // the level comes to the middle of the tall map.
  void PressTallOverview(MouseButton button, int y);
  void DragTallOverview(int y) { PressTallOverview(MouseButton::Left, y); }
  // The frame around what the tall map shows, in the overview's pixels.
  Rect TallOverviewFrame() const;
  // The tall map's picture, drawn anew when something it shows changed.
  const TFastDIB& TallPicture();
  // Grows each time TallPicture() draws anew.
  unsigned TallRevision() const { return tallRevision_; }
  // The level overview with the frame around what the tall map shows.
  const TFastDIB& FramedOverview();
  unsigned FramedOverviewRevision() const { return framedRevision_; }

  // "Properties": whether it shows and on which tab, and the clicks on its
  // options with their rules.
  const PropertiesDialogState& PropertiesDialog() const { return propertiesDialog_; }
  void ShowProperties();
  void CloseProperties();  // "Close" or the window's close box
  void ChooseTab(PropertiesTab tab);
  void ClickOption(OptionId id);
  void ReleaseMouseOverOption(OptionId id);
  void ToggleOptionFromKeyboard(OptionId id);

 private:
  // Tests that set up a situation no handler leads to.
  friend class testing::EditorStateAccess;

  RenderTarget Target() {
    return RenderTarget{image_, state_.place, state_.walk, grid_, tables_, mapBitmap_, &underBanner_};
  }
  void RedrawLevelOverview();
  void UpdateWipeButton();
  // The map view, the overview and the palette strip at their sizes, black.
  void SizePictures();

  void SetAsideDamaged(RecoveryStore& store, const std::string& orphan, const std::string& reason);

  // Editing
  LevelBounds CurrentLevel() const;
  // A refusal noted in the view for the window; the outcome passed on.
  Outcome Tell(Outcome outcome);
  // What a command changed, noted in the view for the window's status bar.
  void Note(std::string text);
  // After a group went: how many records, and that Ctrl+Z brings it back.
  void NoteGroupDeleted(const std::string& step, int removedBytes);
  // After `size` bytes went in: the map refreshed, or, when they end a
  // level (a fortress), the level table and the fortress byte too.
  Outcome RefreshAfterInsert(int size, bool endsALevel);
  // After a delete: the edit refresh when bytes went, the reason when not.
  Outcome RefreshAfterDelete(const Result<int>& removed);
  // The two halves of a map press: a drag start (left) and the popup (right).
  void StartDrag(std::uint32_t tile, int column, int row);
  void BuildPopup(std::uint32_t tile);
  // Edit refresh without its final refresh: bytes free, level end, saved
  // scroll offset, RebuildLevels.
  void BookStreamChange(int bytesInserted);
  // After a fortress went in or out: the level end by the bounds rule, the
  // level table again, the scroll bar thumb kept on the same offset.
  void SettleLevelEndAfterFortress();
  std::vector<MenuItem> popup_;
  PopupPlacement popupPlacement_ = PopupPlacement::None;
  PropertiesOptions options_;

  // Loading
  struct LoadedSnapshot {
    SnapshotImage image;
    std::string content;  // the format the content was read as: ".sna", ".szx", ".z80", ...
    KeptSzxBlocks kept;
  };
  std::optional<LoadedSnapshot> DecodeSnapshot(const std::string& path);
  std::optional<LoadedSnapshot> DecodeOurOwn(std::span<const std::uint8_t> file);
  std::optional<LoadedSnapshot> DecodeForeign(std::span<const std::uint8_t> file, const std::string& path);
  // The format a file of that name and content is saved in again.
  static SnapshotFileKind SaveFormatOf(const std::string& path, const std::string& content);
  // A note that the file's content is another format than its name says.
  void NoteContentOtherThanName(const std::string& path, const std::string& content);
  SnapshotFormats* formats_ = nullptr;
  std::string loadedContent_;
  void SetUpAfterLoad(const LoadTimeLevels& levels, bool newImage);
  void ShowFortressByte();
  void ShowLevelOneAtItsStart();
  KeptSzxBlocks keptSzx_;

  // File dialogs: each starts in the last folder used, unless the request
  // names one, and the folder of the path chosen becomes the last one.
  std::optional<std::string> AskToOpen(FileDialogRequest request);
  std::optional<std::string> AskToSave(FileDialogRequest request);
  void RememberFolder(FileDialogKind kind, const std::optional<std::string>& chosen);
  std::string lastFolder_ = ".";
  std::array<std::string, kFileDialogKinds> kindFolders_;

  // Saving and exports.
  void ReportUnusableName();
  // The loaded screen waits for the next tape (or no longer does): the
  // flag the tape writer reads and the lasting caption the window shows.
  void HoldScreen(const std::string& name);
  void DropHeldScreen();
  // The name rule applied to `chosen`, its refusal shown as a message.
  SaveName CheckedSaveName(const std::string& chosen, std::span<const std::string_view> accepted,
                           std::string_view defaultExtension);
  // A drag still held closed as a step, and the snapshot's screen back in
  // the screen area: the first steps of both snapshot saves.
  void PutSnapshotScreenBack();
  // Writes the prepared image to `path` as .szx, .sna or .z80; the file
  // becomes the snapshot's file and its history is marked saved.
  bool WriteSnapshot(const std::string& path, SnapshotFileKind format);
  // The image as a file of a format the core does not write itself.
  std::optional<std::vector<std::uint8_t>> ForeignFileOrReport(const std::string& format);
  SnapshotFileKind snapshotFormat_ = SnapshotFileKind::Sna;
  bool ConfirmOverwrite(const std::string& path, const std::string& question);
  bool WriteOrReport(const std::string& path, std::span<const std::uint8_t> bytes,
                     const char* title = "Error Saving Snapshot");
  // The prepared image as a .szx file, with the kept blocks of a .szx load.
  std::vector<std::uint8_t> SzxFileBytes() const;
  // The tape of "Save TAP", its check table brought up to date first.
  std::vector<std::uint8_t> TapeFileBytes();
  // Writes `bytes` as the next file for the emulator and starts it there.
  bool RunFile(EmulatorMedium medium, std::span<const std::uint8_t> bytes);
  Emulator* emulator_;
  int emulatorRuns_ = 0;  // names each file handed over anew

  // Selection
  std::vector<LevelUnit> CurrentUnits() const;
  Outcome RemoveSelection(const std::string& stepName);
  // The outline of band `band` of the tall map, drawn into bandGrid_ when it is not the focus band.
  std::vector<Rect> BandOutline(int band);
  RecordSelection selection_;
  // What the tall outline was last worked out from, and the outline.
  struct TallOutlineKey {
    unsigned mapRevision = 0;
    int bottom = 0;
    TallMap map;
    std::vector<std::uint32_t> starts;
    bool operator==(const TallOutlineKey&) const = default;
  };
  std::optional<TallOutlineKey> tallOutlineKey_;
  std::vector<Rect> tallOutline_;

  // Palette and dragging
  // The pointer over map-view pixel (x, y) while the palette holds the mouse.
  void PointAtMapPixel(int x, int y);
  // Where the pointer is on the map (or that it is not), for describing it
  // again after the next redraw.
  void RememberPointer(int x, int y);
  // The status text for the pointer's remembered pixel, as a move there gives.
  void DescribeRememberedPointer();
  void DescribePointerAt(int x, int y);
  // The pointer over pixel (x, y) of the window's map: on the tall map its
  // band becomes the focus band first, and (x, y) its view pixel.
  void PointAtWindowMapPixel(int x, int y);
  Outcome Drop(int tag);
  // The drag step of a pointer move; false when the move ends the handler.
  bool DragStep(int x, int y);
  std::optional<int> paletteTag_;
  PaletteRows paletteRows_;
  struct PaletteDrawing {
    unsigned paletteRevision = 0;
    PaletteRows rows;
    bool operator==(const PaletteDrawing&) const = default;
  };
  std::optional<PaletteDrawing> paletteDrawn_;
  TFastDIB palettePicture_;
  unsigned palettePictureRevision_ = 0;
  int dragLeft_ = kDragPictureLeft;
  int dragTop_ = kDragPictureTop;
  PropertiesDialogState propertiesDialog_;

  // The tall map
  // The focus band moved to `band`: its offset and a refresh, unless it is the focus already.
  void FocusOnBand(int band);
  // The band under tall-map pixel (x, y) made the focus band; its view pixel.
  MapPixel FocusOnTallPixel(int x, int y);
  // The focus band kept within the bands, and never below the level's start.
  void SettleFocus();
  void DrawTallPicture();
  // The scroll bar's thumb where the offset puts it, within the bar's range.
  void PlaceThumbAtOffset();
  TallMap tall_;
  bool tallInUse_ = false;
  int focusBand_ = 0;
  // Where the window shows the map (the map view, or the tall map), in its
  // client area, and the top of the palette below which the drag picture
  // follows the pointer.
  struct MapInWindow {
    int left = kMapViewLeft;
    int top = kMapViewTop;
    int width = kMapViewWidth;
    int height = kMapViewHeight;
    int paletteTop = kPaletteBoxTop;
  };
  MapInWindow mapInWindow_;
  // What the tall picture was last drawn from.
  struct TallDrawing {
    unsigned mapRevision = 0;
    int bottom = 0;
    int focus = 0;
    TallMap map;
    bool operator==(const TallDrawing&) const = default;
  };
  std::optional<TallDrawing> tallDrawn_;
  unsigned tallRevision_ = 0;
  TFastDIB tallPicture_;
  struct FrameDrawing {
    unsigned overviewRevision = 0;
    int top = 0;
    int height = 0;
    bool operator==(const FrameDrawing&) const = default;
  };
  std::optional<FrameDrawing> frameDrawn_;
  unsigned framedRevision_ = 0;
  TFastDIB framedOverview_;
  // The other bands are drawn with a grid, walk and bitmaps of their own,
  // so that the focus band's stay as its handler left them.
  CellGrid bandGrid_;
  TFastDIB bandMap_;
  TFastDIB bandView_;
  // The top row of the focus band's view and of the band last drawn, as
  // they are under the banner; the rows of the view it gives.
  UnderBanner underBanner_;
  UnderBanner bandUnder_;
  TFastDIB topRows_{kMapViewWidth, kMapScale* kBannerRows};

  // Undo history. A handler that changes the image holds a StepRecorder
  // while it runs; a drag's step stays open from press to release.
  class StepRecorder;
  StepPlace CurrentPlace() const;
  // The place's level, bounds and scroll, rebuilt and refreshed as an edit.
  void ShowPlace(const StepPlace& place);
  void RecordStep(std::string name, const StepPlace& before);
  void OpenDragStep(std::uint32_t tile);
  void CloseDragStep();
  void StartHistory();
  // The caption and the "Edit" menu's state in the view, from the history.
  void ShowHistory();
  // The step name of the last popup's item that runs `command` with `tag`.
  std::string PopupCaption(MenuCommand command, int tag, const char* fallback) const;
  struct OpenStep {
    std::string name;
    StepPlace before;
  };
  UndoHistory history_{NotEditedRuns()};
  std::optional<OpenStep> openDrag_;
  std::string snapshotPath_;

  // Pointers, not references, so that an editor can be assigned a copy of
  // another (a fuzzer starts each run from one loaded editor).
  Ui* ui_;
  Files* files_;

  SnapshotImage image_;
  ScreenBytes savedScreen_{};
  ScreenBytes loadedScreen_{};
  LevelTable levelTable_{};
  CellGrid grid_;
  ScreenTables tables_;
  TFastDIB mapBitmap_;
  TFastDIB viewBitmap_;
  TFastDIB overviewBitmap_;
  TFastDIB paletteBitmap_;
  TFastDIB dragBitmap_;

  EditorState state_;
  ViewState view_;
  bool drawing_ = true;
};

}  // namespace kestrova
