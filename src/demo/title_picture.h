#pragma once

#include "surface/fast_dib.h"

namespace kestrova {

constexpr int kTitlePictureWidth = 500;
constexpr int kTitlePictureHeight = 300;

// The title picture the window shows before a snapshot is loaded: a corner of
// the demo game drawn by the editor's own renderer, with the program's name
// and the first step written in the demo game's character set, every
// Spectrum pixel a whole block of picture pixels. The same pixels on every
// run.
TFastDIB MakeTitlePicture();

}  // namespace kestrova
