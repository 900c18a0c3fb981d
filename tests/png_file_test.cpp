// The PNG writer: a palette while the colours fit one, RGB beyond, and
// either read back by the tests' own reader to exactly the pixels given.
#include <gtest/gtest.h>

#include "support/png_image.h"
#include "surface/png_file.h"

namespace kestrova {
namespace {

using testing::DecodePng;
using testing::TopDownPicture;

// A picture of `colours` colours, each pixel's colour from its place.
TopDownPicture Picture(int width, int height, int colours) {
  TopDownPicture picture{width, height, {}};
  for (int i = 0; i < width * height; ++i)
    picture.pixels.push_back(static_cast<Pixel>((i * 7 % colours) * 0x010203 & 0xFFFFFF));
  return picture;
}

TEST(PngFile, APaletteWhileTheColoursFitOneAndRgbBeyond) {
  struct Case {
    int width, height, colours;
    std::uint8_t colourType;
  };
  for (const Case c :
       {Case{1, 1, 1, 3}, Case{512, 384, 16, 3}, Case{17, 31, 256, 3}, Case{40, 40, 257, 2}, Case{64, 384, 1000, 2}}) {
    const TopDownPicture picture = Picture(c.width, c.height, c.colours);
    const std::vector<std::uint8_t> file = PngFile(c.width, c.height, picture.pixels);
    ASSERT_GT(file.size(), 25u);
    EXPECT_EQ(file[25], c.colourType) << c.colours << " colours";
    EXPECT_EQ(DecodePng(file), picture) << c.colours << " colours";
  }
}

TEST(PngFile, NothingForAPictureWithoutItsPixels) {
  const std::vector<Pixel> pixels(12, 0xCA0000);
  EXPECT_TRUE(PngFile(0, 5, pixels).empty());
  EXPECT_TRUE(PngFile(4, 0, pixels).empty());
  EXPECT_TRUE(PngFile(4, 4, pixels).empty());  // 16 pixels named, 12 given
  EXPECT_FALSE(PngFile(4, 3, pixels).empty());
}

}  // namespace
}  // namespace kestrova
