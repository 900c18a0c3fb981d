#pragma once

#include "cli/command_line.h"

namespace kestrova::cli {

// Each returns the process exit status: 0 done (for diff and check: nothing
// to report), 1 failed (or differs, or something is wrong), 2 usage.
int RunInfo(const ParsedCommand& line);
int RunList(const ParsedCommand& line);
int RunDiff(const ParsedCommand& line);
int RunCheck(const ParsedCommand& line);
int RunEdit(const ParsedCommand& line);
int RunDemo(const ParsedCommand& line);
int RunRender(const ParsedCommand& line);
int RunSave(const ParsedCommand& line);
int RunAsm(const ParsedCommand& line);
int RunTap(const ParsedCommand& line);

// Exit statuses.
inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

// A usage error found while running: what is wrong, then the command's usage.
int UsageFailure(const std::string& command, const std::string& text);

}  // namespace kestrova::cli
