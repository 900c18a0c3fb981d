// The title picture: its size, its Spectrum pixels, and the picture itself.
#include "demo/title_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "render/palette_colours.h"
#include "support/png_image.h"

namespace kestrova {
namespace {

const std::string kGoldenPath = std::string(KESTROVA_TEST_DATA) + "/title_picture.png";

TEST(TitlePicture, IsTheSamePictureOnEveryRun) {
  const TFastDIB first = MakeTitlePicture();
  ASSERT_EQ(first.Width(), kTitlePictureWidth);
  ASSERT_EQ(first.Height(), kTitlePictureHeight);
  EXPECT_EQ(first.Width(), 500);
  EXPECT_EQ(first.Height(), 300);
  EXPECT_EQ(MakeTitlePicture().Pixels(), first.Pixels());
}

// Only the Spectrum's colours, nothing smoothed; and enough of them that the
// picture is not blank: the black bands, the yellow paper, the name's yellow
// and red, the white line, the scene's blue.
TEST(TitlePicture, IsMadeOfSpectrumColoursOnly) {
  const TFastDIB picture = MakeTitlePicture();
  std::set<Pixel> colours;
  for (const Pixel pixel : picture.Pixels()) {
    ASSERT_NE(std::find(kSpectrumPalette.begin(), kSpectrumPalette.end(), pixel), kSpectrumPalette.end())
        << std::hex << pixel;
    colours.insert(pixel);
  }
  EXPECT_GE(colours.size(), 6u);
}

// Pixel for pixel the picture that was looked at. With KESTROVA_UPDATE_GOLDEN
// set the picture is written instead (and the test fails, so that it is
// looked at again).
TEST(TitlePicture, MatchesTheGoldenPicture) {
  const testing::TopDownPicture picture = testing::PictureOf(MakeTitlePicture());
  for (const std::string& mismatch : testing::GoldenPictureMismatches(picture, kGoldenPath)) ADD_FAILURE() << mismatch;
}

}  // namespace
}  // namespace kestrova
