#pragma once

namespace kestrova {

// What `--version` of both programs says after the version: the project's
// licence (LICENSE holds its text), in the words the GNU programs use.
inline constexpr const char* kLicenceText =
    "Copyright 2026 the Kestrova Editor developers.\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://www.gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

}  // namespace kestrova
