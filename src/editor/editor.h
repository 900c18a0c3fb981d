#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "editor/editor_state.h"
#include "editor/files.h"
#include "editor/mouse_button.h"
#include "editor/ui.h"
#include "editor/view_state.h"
#include "level/level_table.h"
#include "render/cell_grid.h"
#include "render/renderer.h"
#include "render/screen_tables.h"
#include "snapshot/snapshot_file_kind.h"
#include "snapshot/snapshot_image.h"
#include "snapshot/szx_snapshot.h"
#include "surface/fast_dib.h"

namespace kestrova {

using ScreenBytes = std::array<std::uint8_t, kScreenAreaSize>;

// What the main window owns, and one method per handler of the main window.
// Each handler ends with the refresh or the edit refresh. The Editor talks to
// the outside only through the Ui and Files ports.
class Editor {
 public:
  Editor(Ui& ui, Files& files);

  // ---- What the view and the tests read ----
  EditorState& State() { return state_; }
  const EditorState& State() const { return state_; }
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
  const TFastDIB& MapView() const { return viewBitmap_; }          // FastIMG1
  const TFastDIB& OverviewBitmap() const { return overviewBitmap_; }  // FastIMG2
  const TFastDIB& PaletteBitmap() const { return paletteBitmap_; }  // FastIMG3
  bool HasSnapshot() const { return !image_.Empty(); }

  // ---- Refresh cycle ----
  void Refresh();
  // Refresh steps 2-6: draws from the stream cursor as it stands.
  void RedrawFromCursor();
  // After bytesInserted bytes were inserted (negative: removed) in the stream.
  void EditRefresh(int bytesInserted);
  void RebuildLevels();

  // ---- Loading ----
  void LoadSnapshot();
  // The "Z80R" and "SPCR" blocks of the last .szx load, written back by a
  // .szx save while the loaded-from-SZX flag is set.
  const Z80rBlock& KeptZ80rBlock() const { return keptSzx_.z80r; }
  const SpcrBlock& KeptSpcrBlock() const { return keptSzx_.spcr; }
  const KeptSzxBlocks& KeptSzx() const { return keptSzx_; }

  // ---- Saving and exports ----
  // "Save Snapshot": the snapshot's screen back, the check table, .sna or .szx.
  void SaveSnapshot();
  // "Load Screen$": a 6912-byte screen for the next tape.
  void LoadScreen();
  // "Save TAP": loader, optional loading screen, CODE blocks.
  void SaveTap();
  // "Save Disassembly": the assembler listing of settings, levels and table.
  void SaveDisassembly();

  // ---- Navigation ----
  // Scroll bar change: scroll offset := maximum - position, refresh.
  void ScrollTo(int position);
  // Mouse wheel anywhere in the window; only a pointer over the map view
  // scrolls, by 10 rows per wheel-scroll line.
  void TurnWheel(int delta, bool pointerOverMap, int wheelScrollLines);
  // Press in the level overview at overview row y: the row's place in the
  // level comes to the middle of the map view.
  void PressOverview(MouseButton button, int y);
  // "Show Land Space" (CheckBox1) clicked.
  void SetShowLandSpace(bool checked);
  // The whole-level pass into the overview, then the refresh at the scroll
  // offset it had.
  void RedrawOverview();

  // ---- Game settings ----

  // ---- Editing ----

  // ---- Palette and dragging ----
  void DrawPaletteStrip();

 private:
  RenderTarget Target() { return RenderTarget{image_, state_, grid_, tables_, mapBitmap_}; }
  void RedrawLevelOverview();
  void UpdateWipeButton();

  // Loading
  struct LoadedSnapshot {
    SnapshotImage image;
    bool fromSzx = false;
    KeptSzxBlocks kept;
  };
  std::optional<LoadedSnapshot> DecodeSnapshot(SnapshotFileKind kind, const std::string& path);
  void SetUpAfterLoad(const LoadTimeLevels& levels, bool newImage);
  void ShowFortressByte();
  void ShowLevelOneAtItsStart();
  KeptSzxBlocks keptSzx_;

  // Saving and exports.
  void ReportUnusableName();
  bool ConfirmOverwrite(const std::string& path, const std::string& question);
  bool WriteOrReport(const std::string& path, std::span<const std::uint8_t> bytes);

  Ui& ui_;
  Files& files_;

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
};

}  // namespace kestrova
