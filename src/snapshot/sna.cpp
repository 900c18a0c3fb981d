#include "snapshot/sna.h"

#include <string>
#include <vector>

#include "snapshot/ram_banks.h"

namespace kestrova {

bool HoldsKestrovaRecognitionBytes(const SnapshotImage& image) {
  return image.Read(kRecognitionAddress) == kRecognitionValue ||
         image.Read(kAlternateRecognitionAddress) == kAlternateRecognitionValue;
}

Result<SnapshotImage> ReadSna(std::span<const std::uint8_t> file) {
  if (file.size() < kSnapshotSize48K) {
    return Error{std::string(kNotKestrovaText) + "\nThe file holds " + std::to_string(file.size()) +
                 " bytes; a snapshot of the game holds at least " + std::to_string(kSnapshotSize48K) + "."};
  }
  SnapshotImage image = ImageFromSnaFile(file);
  if (!HoldsKestrovaRecognitionBytes(image)) return Error{kNotKestrovaText};
  return image;
}

}  // namespace kestrova
