// The command-line parsing entry points on any argument lists: the common
// parser of save/asm/tap, the rule for a command's file word, and the names
// the commands write (the extension forced, the snapshot kind).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/editor_session.h"
#include "export/file_names.h"
#include "fuzz_input.h"
#include "level/number_prompt.h"
#include "snapshot/snapshot_file_kind.h"

namespace {

using namespace kestrova;

const char* const kWords[] = {"--force", "-o", "--screen", "--level", "--scroll", "--json", "-", "--", "a.sna", "b.szx",
                              "c.tap", ".sna", "dir.x/name", "x.SNA", ""};

// An argument list: known words and options, and free text from the input.
cli::Arguments ArgumentsFrom(fuzz::FuzzInput& in) {
  cli::Arguments arguments;
  for (int count = in.Uniform(0, 12); count > 0; --count) {
    if (in.Bool()) {
      arguments.emplace_back(kWords[in.Uniform(0, static_cast<int>(std::size(kWords)) - 1)]);
    } else {
      const auto text = in.Take(static_cast<std::size_t>(in.Uniform(0, 24)));
      arguments.emplace_back(text.begin(), text.end());
    }
  }
  return arguments;
}

void CheckCommandLine(const cli::Arguments& arguments, const std::vector<std::string>& valueOptions) {
  const auto line = cli::ParseCommandLine(arguments, valueOptions);
  if (!line) return;
  const bool force = std::find(arguments.begin(), arguments.end(), "--force") != arguments.end();
  // "--force" as the value of an option is that option's value, not the flag.
  if (line->force && !force) fuzz::Fail("--force seen where there is none");
  if (line->words.size() + 2 * line->options.size() > arguments.size()) fuzz::Fail("more taken than given");
  for (const auto& [option, value] : line->options) {
    if (std::find(valueOptions.begin(), valueOptions.end(), option) == valueOptions.end()) fuzz::Fail("unknown option taken");
  }
  for (const std::string& word : line->words) {
    if (word.size() > 1 && word[0] == '-') fuzz::Fail("an option taken as a word: " + word);
  }
}

void CheckName(const std::string& name) {
  const std::string extension = FileExtension(name);
  if (!extension.empty() && (extension[0] != '.' || name.compare(name.size() - extension.size(), extension.size(), extension) != 0))
    fuzz::Fail("the extension is not the name's end");
  const auto forced = ForceExtension(name, ".tap");
  if (!forced) return;
  if (forced->size() < 4 || forced->compare(forced->size() - 4, 4, ".tap") != 0) fuzz::Fail("no .tap forced");
  if (SnapshotFileKindOf(ForceExtension(name, ".szx").value_or("")) != SnapshotFileKind::Szx)
    fuzz::Fail("a forced .szx is not taken as .szx");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(std::span<const std::uint8_t>(data, size));
  const cli::Arguments arguments = ArgumentsFrom(in);
  CheckCommandLine(arguments, {});
  CheckCommandLine(arguments, {"-o"});
  CheckCommandLine(arguments, {"-o", "--screen"});
  std::string file;
  bool haveFile = false;
  for (const std::string& argument : arguments) {
    const bool hadFile = haveFile;
    if (cli::TakeFileWord(argument, file, haveFile) && (hadFile || file != argument)) fuzz::Fail("a second file word taken");
    CheckName(argument);
    // The settings prompts read what a person types.
    const auto accepted = AcceptSettingsReply(argument, 3, 1, 255);
    if (accepted && (*accepted < 1 || *accepted > 255)) fuzz::Fail("a reply out of range accepted");
  }
  return 0;
}
