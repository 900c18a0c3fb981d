// "Load Screen$" on any bytes: exactly 6912 of them become the loaded screen
// and the next tape carries them; any other length is refused with
// "Invalid Size" and the screen loaded before stays.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "editor/editor.h"
#include "fuzz_input.h"
#include "support/memory_files.h"
#include "support/scripted_ui.h"

namespace {

using namespace kestrova;

struct Session {
  kestrova::testing::ScriptedUi ui;
  kestrova::testing::MemoryFiles files;
  Editor editor{ui, files};
  Session() {
    files.files["/in/game.sna"] = fuzz::BytesOf(fuzz::Demo(DemoMachine::Spectrum48K));
    ui.fileAnswers.push_back("/in/game.sna");
    editor.LoadSnapshot();
    if (!editor.HasSnapshot()) fuzz::Fail("the demo does not load");
  }
};

bool Contains(const std::vector<std::uint8_t>& haystack, std::span<const std::uint8_t> needle) {
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Session session;
  Editor& editor = session.editor;
  const ScreenBytes before = editor.LoadedScreen();
  const bool loadedBefore = editor.Place().loadedScreen;
  session.files.files["/in/screen.scr"] = std::vector<std::uint8_t>(data, data + size);
  session.ui.questions.clear();
  session.ui.fileAnswers.push_back("/in/screen.scr");
  editor.LoadScreen();
  const auto messages = session.ui.Messages();
  if (size != kScreenAreaSize) {
    if (messages.size() != 1 || messages[0].text != "Invalid Size") fuzz::Fail("a wrong length is not refused");
    if (editor.LoadedScreen() != before || editor.Place().loadedScreen != loadedBefore)
      fuzz::Fail("a refused screen changed the loaded one");
    return 0;
  }
  if (!messages.empty() || !editor.Place().loadedScreen) fuzz::Fail("a 6912-byte screen is refused");
  if (!std::equal(data, data + size, editor.LoadedScreen().begin())) fuzz::Fail("the screen is not held as read");
  // The next tape carries it, and uses it up.
  session.ui.fileAnswers.push_back("/out/game.tap");
  session.ui.messageAnswers.push_back(MessageAnswer::Ok);
  editor.SaveTap();
  if (!Contains(session.files.files["/out/game.tap"], std::span<const std::uint8_t>(data, size)))
    fuzz::Fail("the tape does not carry the screen");
  if (editor.Place().loadedScreen) fuzz::Fail("the tape did not use the screen up");
  return 0;
}
