// kestrova: the editor's core from the command line.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/licence.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/session.h"

#ifndef KESTROVA_VERSION
#define KESTROVA_VERSION "0"
#endif

namespace kestrova::cli {

namespace {

struct Runner {
  const char* name;
  int (*run)(const ParsedCommand&);
};

constexpr Runner kRunners[] = {
    {"info", RunInfo},     {"list", RunList}, {"diff", RunDiff}, {"check", RunCheck}, {"edit", RunEdit},
    {"render", RunRender}, {"save", RunSave}, {"asm", RunAsm},   {"tap", RunTap},     {"demo", RunDemo},
};

int Run(const ParsedCommand& line) {
  switch (line.kind) {
    case ParsedCommand::Kind::Help:
      PrintText(line.text);
      return kDone;
    case ParsedCommand::Kind::Version:
      PrintText(std::string("kestrova " KESTROVA_VERSION "\n") + kLicenceText);
      return kDone;
    case ParsedCommand::Kind::UsageError:
      return UsageFailure(line.command, line.text);
    case ParsedCommand::Kind::Refused:
      PrintError(line.command, "", line.text);
      return kFailed;
    case ParsedCommand::Kind::Run:
      break;
  }
  for (const Runner& runner : kRunners) {
    if (line.command == runner.name) return runner.run(line);
  }
  return UsageFailure(line.command, "is not a command");
}

}  // namespace

int UsageFailure(const std::string& command, const std::string& text) {
  PrintError(command, "", text);
  const CommandSpec* known = FindCommand(command);
  const std::string usage = known ? "usage: " + UsageLine(*known) + "\n" : OverallUsage();
  std::fputs(usage.c_str(), stderr);
  return kUsage;
}

}  // namespace kestrova::cli

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const kestrova::cli::ParsedCommand line = kestrova::cli::ParseCommandLine(arguments);
  int status = kestrova::cli::kFailed;
  try {
    status = kestrova::cli::Run(line);
  } catch (const kestrova::Error& error) {
    kestrova::cli::PrintError(line.command, "", error.message);
  }
  // Whatever went to standard output must have arrived: a full disk or a
  // closed pipe is a failure, not a success. A command that failed has
  // already said why, in one line.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    if (status == kestrova::cli::kDone) {
      kestrova::cli::PrintError(line.command, "standard output",
                                std::string("could not write: ") + (errno != 0 ? std::strerror(errno) : "write error"));
    }
    status = kestrova::cli::kFailed;
  }
  return status;
}
