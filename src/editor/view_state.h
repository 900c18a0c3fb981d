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
};

// What the window shows; the Editor sets it, the view reads it after each call.
struct ViewState {
  int windowWidth = 506;
  int windowHeight = 352;
  ControlVisibility visible;

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
  bool wipeButtonEnabled = true;  // Button1
  bool showLandSpace = false;     // CheckBox1
  bool mapHasFocus = false;
};

}  // namespace kestrova
