// "Open Recent": the most recent first, each file once, at most ten, and a
// file that is gone marked so.
#include <gtest/gtest.h>

#include "editor/recent_files.h"
#include "support/memory_files.h"

namespace kestrova {
namespace {

using List = std::vector<std::string>;

TEST(RecentFilesTest, MostRecentFirstEachOnceAtMostTen) {
  struct Case {
    List before;
    std::string added;
    List after;
  };
  const Case cases[] = {
      {{}, "/a.sna", {"/a.sna"}},
      {{"/a.sna", "/b.sna"}, "/c.sna", {"/c.sna", "/a.sna", "/b.sna"}},
      {{"/a.sna", "/b.sna", "/c.sna"}, "/b.sna", {"/b.sna", "/a.sna", "/c.sna"}},  // folded, not repeated
      {{"/a.sna"}, "", {"/a.sna"}},                                                // nothing to add
      {{"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9", "/10"},
       "/11",
       {"/11", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9"}},  // the oldest goes
  };
  for (const Case& c : cases) EXPECT_EQ(WithRecentFile(c.before, c.added), c.after) << c.added;
}

TEST(RecentFilesTest, EntriesNumberedAndMissingFilesMarked) {
  testing::MemoryFiles files;
  files.files["/games/a.sna"] = {1};
  files.files["/games/R&D.szx"] = {1};
  const std::vector<RecentFileEntry> entries =
      RecentFileEntries({"/games/a.sna", "/gone/b.sna", "/games/R&D.szx"}, files);
  const std::vector<RecentFileEntry> expected = {
      {"/games/a.sna", "&1 /games/a.sna", true},
      {"/gone/b.sna", "&2 /gone/b.sna (not found)", false},
      {"/games/R&D.szx", "&3 /games/R&&D.szx", true},
  };
  EXPECT_EQ(entries, expected);
}

}  // namespace
}  // namespace kestrova
