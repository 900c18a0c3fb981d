#include "export/file_names.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

constexpr std::string_view kSnapshot[] = {".sna", ".szx"};
constexpr std::string_view kTape[] = {".tap"};

TEST(NameForSave, KeepsTheWholeNameAppendsTheDefaultOrRefuses) {
  struct Case {
    const char* chosen;
    std::span<const std::string_view> accepted;
    const char* defaultExtension;
    SaveNameKind kind;
    const char* path;       // Usable: the name written
    const char* extension;  // the format it stands for
  };
  using enum SaveNameKind;
  const Case cases[] = {
      // Kept exactly as given, in any case; the extension decides the format.
      {"keep.v2.sna", kSnapshot, ".sna", Usable, "keep.v2.sna", ".sna"},
      {"level.old.sna", kSnapshot, ".sna", Usable, "level.old.sna", ".sna"},
      {"GAME.SNA", kSnapshot, ".szx", Usable, "GAME.SNA", ".sna"},
      {"game.Szx", kSnapshot, ".sna", Usable, "game.Szx", ".szx"},
      {"/tmp/my.levels/a.b.szx", kSnapshot, ".sna", Usable, "/tmp/my.levels/a.b.szx", ".szx"},
      {"C:\\my.levels\\game.TAP", kTape, ".tap", Usable, "C:\\my.levels\\game.TAP", ".tap"},
      {"/tmp/.hidden.tap", kTape, ".tap", Usable, "/tmp/.hidden.tap", ".tap"},
      // No extension: the default is appended; dots in folders do not count.
      {"out/final", kSnapshot, ".szx", Usable, "out/final.szx", ".szx"},
      {"/tmp/my.levels/game", kTape, ".tap", Usable, "/tmp/my.levels/game.tap", ".tap"},
      {"/tmp/.hidden", kSnapshot, ".sna", Usable, "/tmp/.hidden.sna", ".sna"},
      // Another extension: refused, standing for the default format.
      {"mod.txt", kSnapshot, ".szx", OtherExtension, "", ".szx"},
      {"/tmp/my.levels/game.old", kTape, ".tap", OtherExtension, "", ".tap"},
      {"game.sna.bak", kSnapshot, ".sna", OtherExtension, "", ".sna"},
      {"trailing.", kSnapshot, ".sna", OtherExtension, "", ".sna"},
      // No name before the extension.
      {"/tmp/my.levels/.sna", kSnapshot, ".sna", NoName, "", ".sna"},
      {"/tmp/.SZX", kSnapshot, ".sna", NoName, "", ".szx"},
      {"/tmp/my.levels/", kTape, ".tap", NoName, "", ".tap"},
      {"/tmp/..", kTape, ".tap", NoName, "", ".tap"},
      {"", kSnapshot, ".szx", NoName, "", ".szx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    const SaveName name = NameForSave(c.chosen, c.accepted, c.defaultExtension);
    EXPECT_EQ(name.kind, c.kind);
    EXPECT_EQ(name.path, c.path);
    EXPECT_EQ(name.extension, c.extension);
  }
}

TEST(NameForSave, TheRefusalNamesTheFileAndTheAcceptedExtensions) {
  EXPECT_EQ(OtherExtensionText("/home/x/mod.txt", kSnapshot),
            "\"mod.txt\" was not saved: the name must end in .sna or .szx.");
  EXPECT_EQ(OtherExtensionText("game.old", kTape), "\"game.old\" was not saved: the name must end in .tap.");
}

TEST(FileNames, FolderAndFileNameParts) {
  struct Case {
    const char* path;
    const char* folder;
    const char* name;
  };
  for (const Case& c : {Case{"/home/x/keep.v2.sna", "/home/x", "keep.v2.sna"}, Case{"keep.sna", ".", "keep.sna"},
                        Case{"/keep.sna", "/", "keep.sna"}, Case{"C:\\my.levels\\a.sna", "C:\\my.levels", "a.sna"}}) {
    EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
    EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
  }
  // On the file system only '/' separates: a backslash belongs to the name.
  for (const Case& c : {Case{"/home/x/a\\b.sna", "/home/x", "a\\b.sna"}, Case{"a\\b.sna", ".", "a\\b.sna"},
                        Case{"/keep.sna", "/", "keep.sna"}}) {
    EXPECT_EQ(FolderOf(c.path, PathSeparators::Slash), c.folder) << c.path;
    EXPECT_EQ(FileNameOf(c.path, PathSeparators::Slash), c.name) << c.path;
  }
}

}  // namespace
}  // namespace kestrova
