// `kestrova edit` gives byte for byte the image that the same actions give
// when a person runs them in the window: random scripts over the demo and
// over random games made by the random edit sequences. Each action is run
// here through the Editor's handlers (the record pointed at, its popup item
// clicked, a palette pick dropped, a prompt answered) and written as a line
// of the script; an action the window refuses is left out of the script.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "edit/attribute_menu.h"
#include "edit/insertion.h"
#include "level/game_settings.h"
#include "support/cli_run.h"
#include "support/random_edits.h"
#include "support/ref_shell.h"

namespace kestrova::testing {
namespace {

std::string Address(std::uint32_t address) {
  char text[8];
  std::snprintf(text, sizeof text, "$%04X", address);
  return text;
}

// The Insert menu's name of a tag; the two captions that name an object of
// both the single and the double cliff carry their submenu.
std::string TagName(int tag) {
  const std::string caption(InsertionCaption(tag));
  if (tag == 17 || tag == 19) return "Single Cliff/" + caption;
  if (tag == 42 || tag == 43) return "Double Cliff/" + caption;
  return caption;
}

const MenuItem* FindEnabled(const std::vector<MenuItem>& items, const std::function<bool(const MenuItem&)>& wanted) {
  for (const MenuItem& item : items) {
    if (item.enabled && wanted(item)) return &item;
    if (const MenuItem* child = FindEnabled(item.children, wanted)) return child;
  }
  return nullptr;
}

bool IsDelete(MenuCommand command) {
  return command == MenuCommand::DeletePlain || command == MenuCommand::DeleteRiverCrossing ||
         command == MenuCommand::DeleteTunnel || command == MenuCommand::DeleteFortress;
}

class ScriptWriter {
 public:
  ScriptWriter(unsigned seed, const Bytes& game) : rng_(seed) {
    f_.files.files[EditFixture::kPath] = game;
    f_.ui.fileAnswers.push_back(EditFixture::kPath);
    f_.editor.LoadSnapshot();
  }

  // One random action through the handlers; its script line, or nothing
  // when the window refused it.
  std::optional<std::string> Step() {
    f_.ui.inputAnswers.clear();
    Editor& editor = f_.editor;
    switch (Uniform(0, 9)) {
      case 0: {
        const int lives = Uniform(kLivesPrompt.min, kLivesPrompt.max);
        f_.ui.inputAnswers = {std::to_string(lives)};
        editor.Lives();
        return "lives " + std::to_string(lives);
      }
      case 1: {
        const int column = Uniform(kStartColumnPrompt.min, kStartColumnPrompt.max);
        const int height = Uniform(kPixelsDownPrompt.min, kPixelsDownPrompt.max);
        f_.ui.inputAnswers = {std::to_string(column), std::to_string(height)};
        editor.Spawn();
        return "spawn " + std::to_string(column) + " " + std::to_string(height);
      }
      case 2: {
        const int fortress = Uniform(0, kFortressByteMax);
        editor.ClickFortressByte(fortress);
        return "fortress " + std::to_string(fortress);
      }
      case 3:
      case 4:
      case 5:
        return Insert();
      case 6:
        return Delete();
      case 7:
        return Change();
      case 8:
        return Colour();
      default:
        return Wipe();
    }
  }

  Bytes Saved() {
    f_.ui.fileAnswers.push_back("/out/game.sna");
    f_.editor.SaveSnapshotAs();
    return f_.files.files["/out/game.sna"];
  }

 private:
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  // A random record of a random level.
  std::uint32_t AnyRecord() {
    const LevelTable& table = f_.editor.Levels();
    const int level = Uniform(0, LevelCount(table) - 1);
    const std::uint32_t start = table[static_cast<std::size_t>(level)];
    const std::uint32_t end = LevelEndByBoundsRule(f_.editor.Image(), table, level).value_or(start);
    return start + 2 * static_cast<std::uint32_t>(Uniform(0, static_cast<int>((end - start) / 2)));
  }

  // Presses the right button on the record; its popup then stands.
  std::optional<std::uint32_t> OpenPopup() {
    const std::uint32_t record = AnyRecord();
    const std::optional<MapPixel> pixel = f_.editor.ShowRecord(record);
    if (!pixel) return std::nullopt;
    f_.editor.PressMap(MouseButton::Right, pixel->x, pixel->y);
    return record;
  }

  std::optional<std::string> Insert() {
    const std::uint32_t record = AnyRecord();
    const int tag = Uniform(0, kInsertionTagCount - 1);
    std::optional<int> column;
    if (Uniform(0, 1) == 0) column = Uniform(0, 31);
    const std::optional<MapPixel> pixel = f_.editor.ShowRecord(record, column);
    if (!pixel) return std::nullopt;
    std::string line = "insert " + TagName(tag) + " at " + Address(record);
    if (column) line += " column " + std::to_string(*column);
    if (FindPromptedTag(tag)) {
      const TwoByteTag* limits = FindTwoByteTag(tag);
      const int value = Uniform(limits->minimum, limits->maximum);
      f_.ui.inputAnswers = {std::to_string(value)};
      line += " value " + std::to_string(value);
    }
    const std::int32_t before = f_.editor.Place().bytesFree;
    f_.editor.DropObject(tag, pixel->x, pixel->y);
    if (f_.editor.Place().bytesFree == before) return std::nullopt;
    return line;
  }

  std::optional<std::string> Delete() {
    const std::optional<std::uint32_t> record = OpenPopup();
    if (!record) return std::nullopt;
    const MenuItem* item = FindEnabled(f_.editor.Popup(), [](const MenuItem& i) { return IsDelete(i.command); });
    if (!item) return std::nullopt;
    const MenuItem chosen = *item;
    const std::int32_t before = f_.editor.Place().bytesFree;
    f_.editor.RunMenuCommand(chosen);
    if (f_.editor.Place().bytesFree == before) return std::nullopt;
    return "delete " + Address(*record);
  }

  std::optional<std::string> Change() {
    const std::optional<std::uint32_t> record = OpenPopup();
    if (!record) return std::nullopt;
    const MenuItem* item =
        FindEnabled(f_.editor.Popup(), [](const MenuItem& i) { return i.command == MenuCommand::Change; });
    if (!item) return std::nullopt;
    const MenuItem chosen = *item;
    const int value = Uniform(f_.editor.Pointer().rangeMin, f_.editor.Pointer().rangeMax);
    f_.ui.inputAnswers = {std::to_string(value)};
    f_.editor.RunMenuCommand(chosen);
    return "change " + Address(*record) + " " + std::to_string(value);
  }

  std::optional<std::string> Colour() {
    // A column names the part of an object drawn from several tiles (a
    // cliff's paper is one of its parts').
    const int column = Uniform(0, 31);
    const std::uint32_t record = AnyRecord();
    const std::optional<MapPixel> pixel = f_.editor.ShowRecord(record, column);
    if (!pixel) return std::nullopt;
    f_.editor.PressMap(MouseButton::Right, pixel->x, pixel->y);
    const bool ink = Uniform(0, 1) == 0;
    const std::string holder = ink ? "Ink" : "Paper";
    const MenuItem* menu = FindEnabled(f_.editor.Popup(), [&](const MenuItem& i) { return i.caption == holder; });
    if (!menu || menu->children.empty()) return std::nullopt;
    const MenuItem chosen =
        menu->children[static_cast<std::size_t>(Uniform(0, static_cast<int>(menu->children.size()) - 1))];
    if (!chosen.enabled || chosen.command != MenuCommand::Attribute) return std::nullopt;
    f_.editor.RunMenuCommand(chosen);
    return (ink ? "ink " : "paper ") + Address(record) + " " + chosen.caption + " column " + std::to_string(column);
  }

  std::optional<std::string> Wipe() {
    // Wipes are rare, or the levels soon run empty.
    if (Uniform(0, 3) != 0) return std::nullopt;
    const int level = Uniform(1, LevelCount(f_.editor.Levels()));
    const bool allAfter = Uniform(0, 1) == 0;
    f_.editor.ChooseLevel(level - 1);
    allAfter ? f_.editor.ClickWipeAllAfter() : f_.editor.ClickWipeCurrentLevel();
    if (!f_.editor.View().wipeButtonEnabled) return std::nullopt;
    f_.editor.WipeLevels();
    return "wipe " + std::to_string(level) + (allAfter ? " all-after" : " current");
  }

  std::mt19937 rng_;
  EditFixture f_;
};

// A recognised game made by a random edit sequence over the demo, saved.
Bytes RandomGame(unsigned seed) {
  RandomEdits edits(seed);
  edits.Load(ReadFile(kDemo));
  for (int i = 0; i < 80; ++i) edits.Step();
  edits.f.ui.fileAnswers.push_back("/random.sna");
  edits.f.editor.SaveSnapshotAs();
  return edits.f.files.files["/random.sna"];
}

TEST(CliEdit, GivesTheImageOfTheSameActionsThroughTheEditor) {
  int lines = 0;
  std::map<std::string, int> verbs;
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const Bytes game = seed <= 4 ? ReadFile(kDemo) : RandomGame(seed);
    ASSERT_FALSE(game.empty());
    ScriptWriter writer(seed, game);
    std::string script = "# seed " + std::to_string(seed) + "\n";
    for (int step = 0; step < 30; ++step) {
      if (const std::optional<std::string> line = writer.Step()) {
        script += *line + "\n";
        ++lines;
        ++verbs[line->substr(0, line->find(' '))];
      }
    }
    const Bytes expected = writer.Saved();
    ASSERT_FALSE(expected.empty());

    TemporaryFolder folder;
    const std::filesystem::path root = folder / "";
    WriteWholeFile(root / "game.sna", game);
    WriteWholeFile(root / "mod.txt", Bytes(script.begin(), script.end()));
    const CliOutcome run = RunKestrova(root, {"edit", "game.sna", "--script", "mod.txt", "-o", "modded.sna"});
    ASSERT_EQ(run.status, 0) << run.err << "\n" << script;
    EXPECT_EQ(ReadWholeFile(root / "modded.sna"), expected) << script;
  }
  EXPECT_GT(lines, 150);  // the scripts did something, of every kind
  for (const char* verb : {"lives", "spawn", "fortress", "insert", "delete", "change", "ink", "paper", "wipe"})
    EXPECT_GT(verbs[verb], 0) << verb;
}

}  // namespace
}  // namespace kestrova::testing
