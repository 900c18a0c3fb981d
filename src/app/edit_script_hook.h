#pragma once

#include <string>

#include "base/result.h"

namespace kestrova::app {

class TForm1;

// For tests that need the real program to hold unsaved work (the crash
// recovery test): with KESTROVA_EDITOR_EDIT_SCRIPT naming an edit script,
// the window runs its commands through the Editor after the start file is
// loaded, as `kestrova edit` runs them. Only the commands that ask nothing
// run (insert without a value, delete, ink, paper, wipe, fortress); the
// first one refused ends the script with its line and reason.
Outcome RunEditScriptFile(TForm1& window, const std::string& path);

}  // namespace kestrova::app
