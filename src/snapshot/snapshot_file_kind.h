#pragma once

#include <string>

namespace kestrova {

enum class SnapshotFileKind { Sna, Szx, Other };

// The name's text from its last '.', when no folder separator ('/', '\' or
// ':') follows that '.'; empty otherwise.
std::string FileExtension(const std::string& path);

// ".sna"/".SNA" and ".szx"/".SZX", compared exactly: any other mix of upper
// and lower case is Other.
SnapshotFileKind SnapshotFileKindOf(const std::string& path);

}  // namespace kestrova
