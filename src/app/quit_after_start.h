#pragma once

#include <optional>
#include <string>

#include "app/main_window.h"

namespace kestrova::app {

// The status the program ends with when the file named at start was refused.
inline constexpr int kStartFileRefusedStatus = 2;

// For automation (KESTROVA_EDITOR_QUIT_AFTER_START): opens `path` as the
// start-up file would be, answering OK to each message box it shows, then
// ends the event loop once what the window shows has been painted: the map
// (FastIMG1) when a game is loaded, the window otherwise. The loop ends with
// kStartFileRefusedStatus when a file was named and no game is loaded, 0
// otherwise.
void OpenThenQuitAfterFirstPaint(TForm1& window, const std::optional<std::string>& path);

}  // namespace kestrova::app
