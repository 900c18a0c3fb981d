#include "snapshot/sna.h"

#include <vector>

namespace kestrova {

bool HoldsKestrovaRecognitionBytes(const SnapshotImage& image) {
  return image.Read(kRecognitionAddress) == kRecognitionValue ||
         image.Read(kAlternateRecognitionAddress) == kAlternateRecognitionValue;
}

Result<SnapshotImage> ReadSna(std::span<const std::uint8_t> file) {
  if (file.size() < kSnapshotSize48K) return Error{kNotKestrovaText};
  SnapshotImage image(std::vector<std::uint8_t>(file.begin(), file.end()));
  if (!HoldsKestrovaRecognitionBytes(image)) return Error{kNotKestrovaText};
  return image;
}

}  // namespace kestrova
