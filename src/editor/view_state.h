#pragma once

#include <string>
#include <vector>

namespace kestrova {

// Which controls and menu entries the window shows.
struct ControlVisibility {
  bool image1 = true;  // the title picture
  bool comboBox1 = false;
  bool checkBox1 = false;
  bool label1 = false;
  bool label2 = false;
  bool upDown1 = false;
  bool scrollBar1 = false;
  bool statusBar1 = false;
  bool scrollBox1 = false;
  bool fastImg1 = false;
  bool fastImg2 = false;
  bool fastImg4 = false;
  bool button1 = false;
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
  all.image1 = false;
  all.comboBox1 = all.checkBox1 = all.label1 = all.label2 = all.upDown1 = true;
  all.scrollBar1 = all.statusBar1 = all.scrollBox1 = all.fastImg1 = all.fastImg2 = all.button1 = true;
  all.menuSaveTap = all.menuSaveSnapshot = all.menuLoadScreen = all.menuOptions = true;
  all.fastImg4 = false;  // the drag picture shows only while a palette drag runs
  return {603, 567, all};
}

// Bumped each time the Editor draws into one of the window's surfaces, so a
// view repaints a control only when its picture was drawn anew.
struct SurfaceRevisions {
  unsigned mapView = 0;      // FastIMG1
  unsigned overview = 0;     // FastIMG2
  unsigned palette = 0;      // FastIMG3
  unsigned dragPicture = 0;  // FastIMG4

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

  std::string bytesFreeCaption;   // Label1
  std::string fortressCaption;    // Label2
  std::string fortressHint;       // Label2's hint
  int fortressUpDown = 0;         // UpDown1

  std::vector<std::string> chooserEntries;  // ComboBox1
  int chooserIndex = -1;
  std::string chooserText;

  int scrollMaximum = 0;   // ScrollBar1: the level height
  int scrollPosition = 0;

  std::string statusText;  // StatusBar1's panel
  Refusal lastRefusal;     // shown for a while over StatusBar1's panel
  bool wipeButtonEnabled = true;  // Button1
  bool showLandSpace = false;     // CheckBox1
  bool mapHasFocus = false;

  SurfaceRevisions revisions;

  bool operator==(const ViewState&) const = default;
};

}  // namespace kestrova
