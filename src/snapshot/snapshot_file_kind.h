#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/paths.h"

namespace kestrova {

// What a snapshot file's name says it is. Sna and Szx are read and written
// by the core itself; Z80 and ReadOnly are read through the SnapshotFormats
// port (libspectrum), and only Z80 is written back; Other is no snapshot.
enum class SnapshotFileKind { Sna, Szx, Z80, ReadOnly, Other };

// The kind a snapshot extension names, in any mix of upper and lower case;
// any other extension is Other.
SnapshotFileKind SnapshotFileKindOf(const std::string& path);

// Every extension "Load Snapshot" takes, in lower case, ".szx" and ".sna"
// first: the dialog's patterns and the messages that list them.
std::vector<std::string_view> ReadSnapshotExtensions();

}  // namespace kestrova
