#pragma once

// A snapshot read by libspectrum, freed with it.
#include <libspectrum.h>

#include <memory>

namespace kestrova::testing {

struct SnapFree {
  void operator()(libspectrum_snap* snap) const { libspectrum_snap_free(snap); }
};
using Snap = std::unique_ptr<libspectrum_snap, SnapFree>;

}  // namespace kestrova::testing
