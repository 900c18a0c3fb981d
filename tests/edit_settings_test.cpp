#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "level/game_settings.h"
#include "support/edit_fixture.h"

namespace kestrova {
namespace {

using testing::EditFixture;

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.LoadStream({0x83, 0x05, 0x22, 0x01, 0x87, 0x03, 0x22, 0x01, 0xFF});
    f.editor.Image().Write(kStartColumn, 12);
    f.editor.Image().Write(kPixelsDown, 40);
    f.editor.Image().Write(kStartingLives, 3);
    f.editor.Image().Write(kEnemyDelay, 77);
    // A cell no refresh would leave standing: the settings do not redraw.
    f.PutTile(0, 0, 131, 0x9236);
  }
  void ExpectNoRedraw() { EXPECT_EQ(f.editor.Grid().tileId[0], 131u); }
  EditFixture f;
};

TEST_F(SettingsTest, SpawnAsksColumnThenHeight) {
  f.ui.inputAnswers = {"30", "  ", " 5 ", "0", "86", "85"};
  f.editor.Spawn();
  EXPECT_EQ(f.At(kStartColumn), 5);
  EXPECT_EQ(f.At(kPixelsDown), 85);
  const auto inputs = f.ui.Inputs();
  ASSERT_EQ(inputs.size(), 6u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(inputs[i].title, "Column");
    EXPECT_EQ(inputs[i].text, "Enter New Start Column (0-29)");
    EXPECT_EQ(inputs[i].defaultText, "12");
  }
  for (std::size_t i = 3; i < 6; ++i) {
    EXPECT_EQ(inputs[i].title, "Height");
    EXPECT_EQ(inputs[i].text, "Enter Pixels down (1-85)");
    EXPECT_EQ(inputs[i].defaultText, "40");
  }
  ExpectNoRedraw();
}

TEST(SpawnPrompt, TheColumnIsWrittenBeforeTheHeightIsAsked) {
  testing::PeekingUi ui;
  testing::MemoryFiles files;
  Editor editor(ui, files);
  editor.Image() = SnapshotImage(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  int columnWhenAskedForHeight = -1;
  ui.onInput = [&](const std::string& title) {
    if (title == "Height") columnWhenAskedForHeight = editor.Image().Read(kStartColumn);
  };
  ui.inputAnswers = {"17", "3"};
  editor.Spawn();
  EXPECT_EQ(columnWhenAskedForHeight, 17);
  EXPECT_EQ(editor.Image().Read(kPixelsDown), 3);
}

// Lives and Enemy Delay: one prompt each, asked again until an answer is in
// range (Cancel keeps the value); Lives also writes the digits the game shows.
struct PromptAnswers {
  std::deque<std::optional<std::string>> answers;
  std::vector<std::pair<std::uint32_t, std::uint8_t>> written;  // address, byte after the answers
};

struct SettingPrompt {
  const char* name;
  void (Editor::*ask)();
  const char* title;
  const char* text;
  const char* defaultText;
  PromptAnswers first;  // the prompts are counted on this one
  PromptAnswers second;
};

const SettingPrompt kSettingPrompts[] = {
    {"Lives",
     &Editor::Lives,
     "Lives",
     "Enter amount of lives to start with (1-8)\rNote: Starting bombs:=Lives+1",
     "3",
     {{"9", "10", "8"}, {{kStartingLives, 0x08}, {kLivesDigit, 0x38}, {kBombsDigit, 0x39}}},
     {{"1"}, {{kStartingLives, 0x01}, {kLivesDigit, 0x31}, {kBombsDigit, 0x32}}}},
    {"Delay",
     &Editor::Delay,
     "Enemy Delay",
     "Enter time until first enemy appears (1-255)",
     "77",
     {{"1000", "0", std::nullopt}, {{kEnemyDelay, 77}}},
     {{"255"}, {{kEnemyDelay, 255}}}},
};

void PrintTo(const SettingPrompt& prompt, std::ostream* out) { *out << prompt.name; }

class SettingPromptTest : public SettingsTest, public ::testing::WithParamInterface<SettingPrompt> {
 protected:
  void Answer(const PromptAnswers& step) {
    f.ui.inputAnswers = step.answers;
    (f.editor.*GetParam().ask)();
    for (const auto& [address, byte] : step.written) EXPECT_EQ(f.At(address), byte) << "at 0x" << std::hex << address;
  }
};

TEST_P(SettingPromptTest, AsksUntilInRangeAndWritesTheValue) {
  const SettingPrompt& prompt = GetParam();
  Answer(prompt.first);
  const auto inputs = f.ui.Inputs();
  ASSERT_EQ(inputs.size(), prompt.first.answers.size());
  EXPECT_EQ(inputs[0].title, prompt.title);
  EXPECT_EQ(inputs[0].text, prompt.text);
  EXPECT_EQ(inputs[0].defaultText, prompt.defaultText);
  Answer(prompt.second);
  ExpectNoRedraw();
}

std::string PromptName(const ::testing::TestParamInfo<SettingPrompt>& prompt) { return prompt.param.name; }

INSTANTIATE_TEST_SUITE_P(Prompts, SettingPromptTest, ::testing::ValuesIn(kSettingPrompts), PromptName);

TEST_F(SettingsTest, FortressUpDownWritesTheByteAndRebuildsTheLabel) {
  f.editor.ClickFortressByte(1);
  EXPECT_EQ(f.At(kFortressByte), 1);
  EXPECT_EQ(f.editor.View().fortressByte, 1);
  EXPECT_EQ(f.editor.View().fortressCaption, "Fortress Byte: 1 (levels 2)");
  EXPECT_EQ(f.editor.View().fortressHint, "Fortress Byte: 1 (levels 2)");
  f.editor.ClickFortressByte(0);
  EXPECT_EQ(f.editor.View().fortressCaption, "Fortress Byte: 0 (levels ALL)");
  f.editor.ClickFortressByte(16);  // outside the up-down's range
  EXPECT_EQ(f.At(kFortressByte), 0);
  ExpectNoRedraw();
}

}  // namespace
}  // namespace kestrova
