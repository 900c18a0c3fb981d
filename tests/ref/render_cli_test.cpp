// `kestrova render` on the demo snapshots: the PNGs are decoded by the tests' own reader and
// checked against the .scr the same run wrote, converted by this test's own
// reading of the Spectrum screen layout and palette.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/png_image.h"
#include "support/ref_shell.h"

namespace {

namespace fs = std::filesystem;
using kestrova::testing::ReadWholeFile;
using kestrova::testing::WriteWholeFile;
using Bytes = std::vector<unsigned char>;

struct CliRun {
  int status = -1;
  std::string err;
};

class RenderCliTest : public ::testing::Test {
 protected:
  fs::path folder = fs::temp_directory_path() / ("kestrova-render-test-" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(folder); }
  void TearDown() override { fs::remove_all(folder); }

  fs::path Out(const std::string& name) const { return folder / name; }

  CliRun Run(const std::string& arguments) const {
    const fs::path err = folder / "stderr.txt";
    const std::string command =
        std::string("'") + KESTROVA_CLI + "' render " + arguments + " >/dev/null 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const Bytes text = ReadWholeFile(err);
    run.err.assign(text.begin(), text.end());
    return run;
  }
};

std::string Demo() { return std::string("'") + KESTROVA_DEMO_DIR + "/kestrova-demo.sna'"; }

using Picture = kestrova::testing::TopDownPicture;

// The tool's PNG as pixels; a failure when the reader does not take it.
Picture DecodePng(const Bytes& file) {
  std::optional<Picture> picture = kestrova::testing::DecodePng(file);
  EXPECT_TRUE(picture.has_value()) << "not a PNG the reader takes";
  return picture.value_or(Picture{});
}

// ---- The Spectrum screen, read independently ----

constexpr std::array<std::uint32_t, 16> kColours = {0x000000, 0x0000CA, 0xCA0000, 0xCA00CA, 0x00CA00, 0x00CACA,
                                                    0xCACA00, 0xC5C7C5, 0x000000, 0x0000FF, 0xFF0000, 0xFF00FF,
                                                    0x00FF00, 0x00FFFF, 0xFFFF00, 0xFFFFFF};

std::uint32_t ScreenPixel(const Bytes& scr, int x, int y) {
  const std::size_t bitmap = static_cast<std::size_t>((y & 0xC0) << 5 | (y & 0x07) << 8 | (y & 0x38) << 2 | (x >> 3));
  const unsigned char attribute = scr[6144 + static_cast<std::size_t>((y >> 3) * 32 + (x >> 3))];
  const bool ink = (scr[bitmap] >> (7 - (x & 7))) & 1;
  const int bright = (attribute >> 6) & 1;
  return kColours[static_cast<std::size_t>((ink ? attribute & 7 : (attribute >> 3) & 7) + 8 * bright)];
}

TEST_F(RenderCliTest, TheMapViewIsTheScreenDoubled) {
  const CliRun run = Run(Demo() + " --scr '" + Out("a.scr").string() + "' --png '" + Out("a.png").string() +
                         "' --grid '" + Out("a.bin").string() + "' --overview '" + Out("o.png").string() + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const Bytes scr = ReadWholeFile(Out("a.scr"));
  ASSERT_EQ(scr.size(), 6912u);
  const Picture view = DecodePng(ReadWholeFile(Out("a.png")));
  ASSERT_EQ(view.width, 512);
  ASSERT_EQ(view.height, 384);
  for (int y = 0; y < 384; ++y) {
    for (int x = 0; x < 512; ++x) ASSERT_EQ(view.At(x, y), ScreenPixel(scr, x / 2, y / 2)) << x << "," << y;
  }
  // The banner's white-on-red row.
  EXPECT_EQ(scr[6144], 0x17);
  const Picture overview = DecodePng(ReadWholeFile(Out("o.png")));
  EXPECT_EQ(overview.width, 64);
  EXPECT_EQ(overview.height, 384);
  EXPECT_EQ(ReadWholeFile(Out("a.bin")).size(), 3u * 6144u * 4u);
}

TEST_F(RenderCliTest, TheGridHoldsTileOwnerAndLandInLittleEndian) {
  ASSERT_EQ(Run(Demo() + " --grid '" + Out("g.bin").string() + "'").status, 0);
  const Bytes grid = ReadWholeFile(Out("g.bin"));
  ASSERT_EQ(grid.size(), 73728u);
  const auto entry = [&](int array, std::size_t d) {
    const std::size_t at = (static_cast<std::size_t>(array) * 6144 + d) * 4;
    return static_cast<std::uint32_t>(grid[at]) | static_cast<std::uint32_t>(grid[at + 1]) << 8 |
           static_cast<std::uint32_t>(grid[at + 2]) << 16 | static_cast<std::uint32_t>(grid[at + 3]) << 24;
  };
  // The bottom row (offset 0x17E0) lies in the level's first land-space band.
  const Bytes snapshot = ReadWholeFile(std::string(KESTROVA_DEMO_DIR) + "/kestrova-demo.sna");
  std::uint32_t firstLand = 0;
  for (std::uint32_t p = 0x9236; p < 0x98CE; p += 2) {
    if (snapshot[p - 0x4000 + 27] == 0x00) {
      firstLand = p;
      break;
    }
  }
  ASSERT_NE(firstLand, 0u);
  for (std::size_t column = 0; column < 32; ++column) EXPECT_EQ(entry(2, 0x17E0 + column), firstLand) << column;
  for (std::size_t d = 0; d < 6144; ++d) {
    if (entry(0, d) != 0) {
      EXPECT_GE(entry(1, d), 0x9236u) << d;  // drawn cells name a record
    }
  }
}

TEST_F(RenderCliTest, TheWholeLevelStartsWithTheFirstWindowWithoutBanner) {
  ASSERT_EQ(Run(Demo() + " --scr '" + Out("a.scr").string() + "' --whole '" + Out("w.png").string() + "'").status, 0);
  const Bytes scr = ReadWholeFile(Out("a.scr"));
  const Picture whole = DecodePng(ReadWholeFile(Out("w.png")));
  ASSERT_EQ(whole.width, 256);
  ASSERT_GE(whole.height, 192);
  ASSERT_EQ(whole.height % 192, 0);
  // The bottom window of the picture is the view at scroll 0, below the banner.
  for (int y = 8; y < 192; ++y) {
    for (int x = 0; x < 256; ++x)
      ASSERT_EQ(whole.At(x, whole.height - 192 + y), ScreenPixel(scr, x, y)) << x << "," << y;
  }
}

TEST_F(RenderCliTest, EachPictureKindScalesByWholeSpectrumPixels) {
  // Level 2 at a scroll: the map, the overview and the whole level at
  // scales 1 to 4 are the scale-1 pictures with each pixel K x K.
  const std::string at = Demo() + " --level 2 --scroll 150 ";
  ASSERT_EQ(Run(at + "--scale 1 --png '" + Out("m1.png").string() + "' --overview '" + Out("o1.png").string() +
                "' --whole '" + Out("w1.png").string() + "'")
                .status,
            0);
  const Picture map1 = DecodePng(ReadWholeFile(Out("m1.png")));
  const Picture overview1 = DecodePng(ReadWholeFile(Out("o1.png")));
  const Picture whole1 = DecodePng(ReadWholeFile(Out("w1.png")));
  ASSERT_EQ(map1.width, 256);
  ASSERT_EQ(map1.height, 192);
  ASSERT_EQ(whole1.width, 256);
  ASSERT_EQ(overview1.width, 64);
  for (int scale = 2; scale <= 4; ++scale) {
    SCOPED_TRACE(scale);
    const std::string k = std::to_string(scale);
    ASSERT_EQ(Run(at + "--scale " + k + " --png '" + Out("m" + k + ".png").string() + "' --overview '" +
                  Out("o" + k + ".png").string() + "' --whole '" + Out("w" + k + ".png").string() + "'")
                  .status,
              0);
    for (const auto& [name, base] :
         {std::pair<std::string, const Picture*>{"m", &map1}, {"o", &overview1}, {"w", &whole1}}) {
      const Picture scaled = DecodePng(ReadWholeFile(Out(name + k + ".png")));
      ASSERT_EQ(scaled.width, base->width * scale) << name;
      ASSERT_EQ(scaled.height, base->height * scale) << name;
      for (int y = 0; y < scaled.height; ++y) {
        for (int x = 0; x < scaled.width; ++x)
          ASSERT_EQ(scaled.At(x, y), base->At(x / scale, y / scale)) << name << x << "," << y;
      }
    }
  }
  // The map's own scale is 2: the view as the window shows it.
  ASSERT_EQ(Run(at + "--png '" + Out("m.png").string() + "'").status, 0);
  EXPECT_EQ(ReadWholeFile(Out("m.png")), ReadWholeFile(Out("m2.png")));
}

TEST_F(RenderCliTest, WithoutTheBannerOnlyTheBannerRowsChange) {
  for (const std::string& view : {std::string(" --level 1"), std::string(" --level 3 --scroll 200 --land-space")}) {
    SCOPED_TRACE(view);
    ASSERT_EQ(
        Run(Demo() + view + " --force --scr '" + Out("a.scr").string() + "' --png '" + Out("a.png").string() + "'")
            .status,
        0);
    ASSERT_EQ(Run(Demo() + view + " --force --no-banner -o '" + Out("b.png").string() + "'").status, 0);
    const Bytes scr = ReadWholeFile(Out("a.scr"));
    const Picture banner = DecodePng(ReadWholeFile(Out("a.png")));
    const Picture plain = DecodePng(ReadWholeFile(Out("b.png")));
    ASSERT_EQ(plain.width, 512);
    ASSERT_EQ(plain.height, 384);
    int differentBannerPixels = 0;
    for (int y = 0; y < 384; ++y) {
      for (int x = 0; x < 512; ++x) {
        if (y >= 16) {
          ASSERT_EQ(plain.At(x, y), banner.At(x, y)) << x << "," << y;
        } else if (plain.At(x, y) != banner.At(x, y)) {
          ++differentBannerPixels;
        }
      }
    }
    EXPECT_GT(differentBannerPixels, 512) << "the banner's red row is gone";
    EXPECT_EQ(scr[6144], 0x17) << "the banner is still drawn without --no-banner";
  }
}

TEST_F(RenderCliTest, LandSpaceLinesAreTheOnlyDifference) {
  ASSERT_EQ(Run(Demo() + " --png '" + Out("plain.png").string() + "'").status, 0);
  ASSERT_EQ(Run(Demo() + " --land-space --png '" + Out("lines.png").string() + "'").status, 0);
  const Picture plain = DecodePng(ReadWholeFile(Out("plain.png")));
  const Picture lines = DecodePng(ReadWholeFile(Out("lines.png")));
  int redRows = 0;
  for (int y = 0; y < 384; ++y) {
    bool same = true, red = true;
    for (int x = 0; x < 512; ++x) {
      same = same && plain.At(x, y) == lines.At(x, y);
      red = red && lines.At(x, y) == 0xCA0000;
    }
    EXPECT_TRUE(same || red) << y;
    if (!same) ++redRows;
  }
  EXPECT_GT(redRows, 0);
  EXPECT_EQ(redRows % 2, 0);  // each line is two view rows
}

TEST_F(RenderCliTest, RefusesWhatItCannotDo) {
  const CliRun noLevel = Run(Demo() + " --level 99 --png '" + Out("x.png").string() + "'");
  EXPECT_EQ(noLevel.status, 2);
  EXPECT_NE(noLevel.err.find("--level 99: "), std::string::npos) << noLevel.err;
  EXPECT_NE(noLevel.err.find(" has 9 levels"), std::string::npos) << noLevel.err;
  EXPECT_FALSE(fs::exists(Out("x.png")));
  EXPECT_EQ(Run(Demo() + " --scroll -5").status, 2);
  EXPECT_EQ(Run(Demo() + " --level").status, 2);
  EXPECT_EQ(Run(Demo() + " --bogus").status, 2);
  EXPECT_EQ(Run("").status, 2);
  const CliRun missing = Run("'" + Out("none.sna").string() + "' --png '" + Out("x.png").string() + "'");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("none.sna"), std::string::npos) << missing.err;
  // A folder that is not there: that output fails, the others are written.
  const CliRun unwritable =
      Run(Demo() + " --scr '" + Out("no/such/folder/a.scr").string() + "' --grid '" + Out("g.bin").string() + "'");
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.err.find("could not write"), std::string::npos) << unwritable.err;
  EXPECT_TRUE(fs::exists(Out("g.bin")));
}

TEST_F(RenderCliTest, AnExtremeLevelHasAnOverviewButNoWholePicture) {
  // The demo with its level area refilled: one level of 840 land spaces of
  // 512 rows each, then the end record and the marker.
  Bytes snapshot = ReadWholeFile(std::string(KESTROVA_DEMO_DIR) + "/kestrova-demo.sna");
  ASSERT_EQ(snapshot.size(), 49179u);
  std::size_t at = 0x9236 - 0x4000 + 27;
  for (int i = 0; i < 840; ++i, at += 2) snapshot[at] = 0x00, snapshot[at + 1] = 0xFF;
  snapshot[at] = 0x22, snapshot[at + 1] = 0x01, snapshot[at + 2] = 0xFF;
  WriteWholeFile(Out("tall.sna"), snapshot);
  const CliRun overview = Run("'" + Out("tall.sna").string() + "' --overview '" + Out("o.png").string() + "'");
  ASSERT_EQ(overview.status, 0) << overview.err;
  EXPECT_EQ(DecodePng(ReadWholeFile(Out("o.png"))).height, 384);
  const CliRun whole = Run("'" + Out("tall.sna").string() + "' --whole '" + Out("w.png").string() + "'");
  EXPECT_EQ(whole.status, 1);
  EXPECT_NE(whole.err.find("430080 rows"), std::string::npos) << whole.err;
  EXPECT_FALSE(fs::exists(Out("w.png")));
}

// Screens of demo windows as they were checked by eye: any change of a pixel
// or an attribute in them shows here. After a deliberate change to the demo
// art or the drawers, look at the new windows and write the files anew with
// `kestrova render kestrova-demo.sna --level N --scroll S --scr FILE`.
TEST_F(RenderCliTest, DemoWindowsMatchTheirCheckedScreens) {
  struct Window {
    int level;
    int scroll;
  };
  for (const Window w : {Window{1, 0}, {2, 150}, {3, 200}, {4, 200}, {5, 432}, {6, 180}}) {
    const std::string name = "level" + std::to_string(w.level) + "-scroll" + std::to_string(w.scroll) + ".scr";
    const Bytes golden = ReadWholeFile(fs::path(KESTROVA_TEST_DATA) / "render" / name);
    ASSERT_EQ(golden.size(), 6912u) << name;
    const CliRun run = Run(Demo() + " --level " + std::to_string(w.level) + " --scroll " + std::to_string(w.scroll) +
                           " --scr '" + Out(name).string() + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    const Bytes screen = ReadWholeFile(Out(name));
    ASSERT_EQ(screen.size(), 6912u) << name;
    std::size_t differences = 0, first = screen.size();
    for (std::size_t i = 0; i < screen.size(); ++i) {
      if (screen[i] != golden[i]) {
        ++differences;
        first = std::min(first, i);
      }
    }
    EXPECT_EQ(differences, 0u) << name << ": first difference at offset " << first
                               << (first >= 6144 ? " (attributes)" : " (display file)");
  }
}

}  // namespace
