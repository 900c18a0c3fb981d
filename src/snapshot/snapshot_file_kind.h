#pragma once

#include <string>

namespace kestrova {

enum class SnapshotFileKind { Sna, Szx, Other };

// The name's text from its last '.', when no folder separator ('/', '\' or
// ':') follows that '.'; empty otherwise.
std::string FileExtension(const std::string& path);

// ".sna" and ".szx" in any mix of upper and lower case; any other
// extension is Other.
SnapshotFileKind SnapshotFileKindOf(const std::string& path);

}  // namespace kestrova
