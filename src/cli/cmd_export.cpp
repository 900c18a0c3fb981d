// kestrova save, asm and tap: "Load Snapshot", then "Save Snapshot As", "Save
// Disassembly" or "Save TAP" (after "Load Screen$" when a screen is given),
// written to exactly the output named. "Save Snapshot As", not "Save
// Snapshot": the output is never the input the game was loaded from.
#include "cli/commands.h"
#include "cli/session.h"

namespace kestrova::cli {

namespace {

// The output and its format, or a usage error already reported.
std::optional<std::pair<std::string, std::string>> OutputOf(const ParsedCommand& line, const std::string& output,
                                                            const std::vector<std::string>& extensions,
                                                            bool standardOutput) {
  if (!standardOutput) {
    if (const auto refusal = SnapshotOutputRefusal(output)) {
      UsageFailure(line.command, *refusal);
      return std::nullopt;
    }
  } else if (output.empty()) {
    UsageFailure(line.command, "the output is missing: -o OUT");
    return std::nullopt;
  } else if (output == kStandardStream) {
    return std::make_pair(output, extensions.front());
  }
  const ExtensionCheck check = CheckExtension(output, extensions);
  if (!check.refusal.empty()) {
    UsageFailure(line.command, output + ": " + check.refusal);
    return std::nullopt;
  }
  return std::make_pair(output, check.extension);
}

int Export(const ParsedCommand& line, const std::string& output, bool (Editor::*handler)(),
           const std::vector<std::string>& extensions, bool standardOutput) {
  const auto target = OutputOf(line, output, extensions, standardOutput);
  if (!target) return kUsage;
  Session session(line.command, line.Has("force"));
  if (!session.Load(line.words[0])) return kFailed;
  if (line.Has("screen") && !session.LoadScreen(line.Value("screen"))) return kFailed;
  return session.Save(handler, target->first, target->second) ? kDone : kFailed;
}

}  // namespace

int RunSave(const ParsedCommand& line) {
  if (line.words.size() == 2 && line.Has("output"))
    return UsageFailure(line.command, "'" + line.words[1] + "': the output is already given by -o");
  const std::string output = line.words.size() == 2 ? line.words[1] : line.Value("output");
  return Export(line, output, &Editor::SaveSnapshotAs, kSnapshotExtensions, false);
}

int RunAsm(const ParsedCommand& line) {
  return Export(line, line.Value("output"), &Editor::SaveDisassembly, {".asm", ".ASM"}, true);
}

int RunTap(const ParsedCommand& line) {
  return Export(line, line.Value("output"), &Editor::SaveTap, {".tap", ".TAP"}, true);
}

}  // namespace kestrova::cli
