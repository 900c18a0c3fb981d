#include "export/file_names.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(ForceExtension, CutsTheFileNameAtItsFirstDotAndKeepsTheFolders) {
  struct Case {
    const char* path;
    const char* extension;
    const char* forced;  // nullptr: nothing stands before the extension
  };
  const Case cases[] = {
      {"level.sna", ".sna", "level.sna"},
      {"level.SNA", ".sna", "level.sna"},
      {"level.old.sna", ".sna", "level.sna"},
      {"/tmp/my.levels/level.old.sna", ".sna", "/tmp/my.levels/level.sna"},
      {"/tmp/my.levels/game.old", ".tap", "/tmp/my.levels/game.tap"},
      {"/tmp/my.levels/game", ".tap", "/tmp/my.levels/game.tap"},
      {"C:\\my.levels\\game.asm.txt", ".asm", "C:\\my.levels\\game.asm"},
      {"game", ".asm", "game.asm"},
      {"/tmp/my.levels/.sna", ".sna", nullptr},
      {"/tmp/.hidden.tap", ".tap", nullptr},
      {"/tmp/my.levels/", ".tap", nullptr},
      {"", ".szx", nullptr},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> forced = ForceExtension(c.path, c.extension);
    if (c.forced == nullptr) {
      EXPECT_FALSE(forced.has_value()) << c.path;
    } else {
      EXPECT_EQ(forced.value_or("<none>"), c.forced) << c.path;
    }
  }
}

}  // namespace
}  // namespace kestrova
