// The command-line parsing on any argument lists: the tool's parser (every
// command, option and number range), and the names the commands write (the
// extension forced, the snapshot kind) and the replies the prompts read.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "export/file_names.h"
#include "fuzz_input.h"
#include "level/number_prompt.h"
#include "snapshot/snapshot_file_kind.h"

namespace {

using namespace kestrova;

// Words the parser knows, so that runs reach past the command name.
std::vector<std::string> KnownWords() {
  std::vector<std::string> words = {"--help", "-h",    "--version", "-",          "--",          "a.sna",
                                    "b.szx",  "c.tap", ".sna",      "dir.x/name", "x.SNA",       "",
                                    "12",     "-3",    "1x",        "0x10",       "999999999999"};
  for (const cli::CommandSpec& command : cli::Commands()) {
    words.push_back(command.name);
    for (const cli::OptionSpec& option : command.options) {
      for (const std::string& name : option.names) {
        words.push_back((name.size() == 1 ? "-" : "--") + name);
        words.push_back("--" + name + "=5");
      }
    }
  }
  return words;
}

std::vector<std::string> ArgumentsFrom(fuzz::FuzzInput& in, const std::vector<std::string>& known) {
  std::vector<std::string> arguments;
  for (int count = in.Uniform(0, 12); count > 0; --count) {
    if (in.Bool()) {
      arguments.push_back(known[static_cast<std::size_t>(in.Uniform(0, static_cast<int>(known.size()) - 1))]);
    } else {
      const auto text = in.Take(static_cast<std::size_t>(in.Uniform(0, 24)));
      arguments.emplace_back(text.begin(), text.end());
    }
  }
  return arguments;
}

// A command to run is a known command, with as many words as it takes and
// only its own options, every number within its range.
void CheckParsed(const cli::ParsedCommand& parsed) {
  if (parsed.kind == cli::ParsedCommand::Kind::UsageError && parsed.text.empty())
    fuzz::Fail("a refusal without a word");
  if (parsed.kind != cli::ParsedCommand::Kind::Run) return;
  const cli::CommandSpec* command = cli::FindCommand(parsed.command);
  if (command == nullptr) fuzz::Fail("an unknown command to run: " + parsed.command);
  const int words = static_cast<int>(parsed.words.size());
  if (words < command->fewestWords || words > command->mostWords)
    fuzz::Fail(parsed.command + ": wrong number of words");
  for (const auto& entry : parsed.values) {
    const std::string& name = entry.first;
    const auto option = std::find_if(command->options.begin(), command->options.end(),
                                     [&](const cli::OptionSpec& candidate) { return candidate.names.back() == name; });
    if (option == command->options.end()) fuzz::Fail(parsed.command + ": an option it does not have: " + name);
    if (!option->minimum) continue;
    const int value = parsed.Number(name, option->minimum.value() - 1);
    if (value < *option->minimum || value > option->maximum)
      fuzz::Fail(parsed.command + " --" + name + " out of range");
  }
}

void CheckName(const std::string& name) {
  const std::string extension = FileExtension(name);
  if (!extension.empty() &&
      (extension[0] != '.' || name.compare(name.size() - extension.size(), extension.size(), extension) != 0))
    fuzz::Fail("the extension is not the name's end");
  constexpr std::string_view kSnapshotExtensions[] = {".sna", ".szx"};
  const SaveName saved = NameForSave(name, kSnapshotExtensions, ".szx");
  if (saved.kind == SaveNameKind::Usable) {
    if (saved.path.compare(0, name.size(), name) != 0) fuzz::Fail("a save cut the name it was given");
    std::string written = FileExtension(saved.path);
    for (char& c : written) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (written != saved.extension) fuzz::Fail("a usable name does not end in the extension that decides its format");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::string> known = KnownWords();
  fuzz::FuzzInput in(std::span<const std::uint8_t>(data, size));
  const std::vector<std::string> arguments = ArgumentsFrom(in, known);
  CheckParsed(cli::ParseCommandLine(arguments));
  for (const std::string& argument : arguments) {
    CheckName(argument);
    const auto number = cli::WholeNumber(argument);
    if (number && std::to_string(*number) != argument && "+" + std::to_string(*number) != argument &&
        argument.find_first_not_of("+-0123456789") != std::string::npos)
      fuzz::Fail("a number read from more than digits: " + argument);
    const auto accepted = AcceptSettingsReply(argument, 3, 1, 255);
    if (accepted && (*accepted < 1 || *accepted > 255)) fuzz::Fail("a reply out of range accepted");
  }
  return 0;
}
