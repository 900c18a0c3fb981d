#pragma once

#include <string>
#include <vector>

#include "editor/command_captions.h"

namespace kestrova {

// Which controls and menu entries the window shows.
struct ControlVisibility {
  bool titlePicture = true;
  bool levelChooser = false;
  bool showLandSpace = false;
  bool bytesFreeCaption = false;
  bool fortressCaption = false;
  bool fortressByte = false;
  bool levelScroll = false;
  bool statusBar = false;
  bool palette = false;  // the palette's scroll box
  bool mapView = false;
  bool overview = false;
  bool dragPicture = false;
  bool wipeButton = false;
  bool menuSaveTap = false;
  bool menuSaveSnapshot = false;
  bool menuLoadScreen = false;
  bool menuOptions = false;

  bool operator==(const ControlVisibility&) const = default;
};

// The window's two states: as created (the title picture and "File" >
// "Load Snapshot" / "Exit" only) and from the first good load on.
enum class WindowState { NoSnapshot, SnapshotLoaded };

struct WindowLayout {
  int width;
  int height;
  ControlVisibility visible;
};

constexpr WindowLayout LayoutOf(WindowState state) {
  if (state == WindowState::NoSnapshot) return {506, 352, ControlVisibility{}};
  ControlVisibility all;
  all.titlePicture = false;
  all.levelChooser = all.showLandSpace = all.bytesFreeCaption = all.fortressCaption = all.fortressByte = true;
  all.levelScroll = all.statusBar = all.palette = all.mapView = all.overview = all.wipeButton = true;
  all.menuSaveTap = all.menuSaveSnapshot = all.menuLoadScreen = all.menuOptions = true;
  all.dragPicture = false;  // the drag picture shows only while a palette drag runs
  return {603, 567, all};
}

// Bumped each time the Editor draws into one of the window's surfaces, so a
// view repaints a control only when its picture was drawn anew.
struct SurfaceRevisions {
  unsigned mapView = 0;
  unsigned overview = 0;
  unsigned palette = 0;
  unsigned dragPicture = 0;

  bool operator==(const SurfaceRevisions&) const = default;
};

// Why the last edit asked for changed nothing. `count` grows with every
// refusal, so that the window shows a reason again when it comes again.
struct Refusal {
  std::string reason;
  unsigned count = 0;

  bool operator==(const Refusal&) const = default;
};

// What the window shows; the Editor sets it, the view reads it after each call.
// Which of the two states the window is in is Editor::HasSnapshot().
struct ViewState {
  int windowWidth = LayoutOf(WindowState::NoSnapshot).width;
  int windowHeight = LayoutOf(WindowState::NoSnapshot).height;
  ControlVisibility visible = LayoutOf(WindowState::NoSnapshot).visible;

  void Show(WindowState state) {
    const WindowLayout layout = LayoutOf(state);
    windowWidth = layout.width;
    windowHeight = layout.height;
    visible = layout.visible;
  }

  std::string bytesFreeCaption;
  std::string fortressCaption;
  std::string fortressHint;  // the fortress caption's hint
  int fortressByte = 0;      // the up-down beside the fortress caption

  std::vector<std::string> chooserEntries;  // the level chooser
  int chooserIndex = -1;
  std::string chooserText;

  int scrollMaximum = 0;  // the level scroll bar: the level height
  int scrollPosition = 0;

  std::string statusText;  // the status bar's panel
  Refusal lastRefusal;     // shown for a while over the status bar's panel
  // What the last command changed beyond what the map shows (a wipe, a
  // group deleted, a colour shared by every object of a kind, a screen for
  // the next tape), shown for a while as refusals are; counted the same way.
  Refusal lastNotice;
  // While a screen from "Load Screen$" waits for the next tape: a lasting
  // caption naming it and its hint; both empty when none is held.
  std::string heldScreenCaption;
  std::string heldScreenHint;
  bool wipeButtonEnabled = true;  // "Wipe Level(s)"
  bool showLandSpace = false;     // "Show Land Space"
  bool mapHasFocus = false;

  // The window's caption: the program's name, and from the first load on the
  // snapshot's file name with "[*]" where the window marks unsaved changes.
  std::string caption = kProgramCaption;
  bool modified = false;
  // The "Edit" menu: shown with a snapshot; "Undo <step>" / "Redo <step>".
  bool editMenuVisible = false;
  bool canUndo = false;
  bool canRedo = false;
  std::string undoText = kUndoCaption;
  std::string redoText = kRedoCaption;

  SurfaceRevisions revisions;

  bool operator==(const ViewState&) const = default;
};

}  // namespace kestrova
