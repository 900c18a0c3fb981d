#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/whole_number.h"

namespace kestrova::cli {

// One option of a command: its names ("o" and "output", "level"), the name
// of its value (empty for a flag), and for a whole number its range.
struct OptionSpec {
  std::vector<std::string> names;
  std::string valueName;
  std::string description;
  std::optional<int> minimum;  // a whole number from minimum to maximum
  int maximum = 0;
  bool repeatable = false;
};

// One command: its words ("IN", "[OUT]"), the fewest and most of them, its
// options, what it does in one line, and lines its help adds after the
// options.
struct CommandSpec {
  std::string name;
  std::string words;
  int fewestWords = 0;
  int mostWords = 0;
  std::vector<OptionSpec> options;
  std::string summary;
  std::vector<std::string> helpNotes = {};
};

const std::vector<CommandSpec>& Commands();
const CommandSpec* FindCommand(std::string_view name);
// "-o, --output OUT": every name of the option and its value, as the help lists it.
std::string OptionLabel(const OptionSpec& option);
// "kestrova render FILE [--level N] ...": the command's usage line.
std::string UsageLine(const CommandSpec& command);
// Every command's usage line, for `kestrova --help` and an unknown command.
std::string OverallUsage();

// The command line read, not yet run: what to do and with which words and
// option values (options by their longest name, each value as given).
struct ParsedCommand {
  // Refused: the line cannot be run as written although it is well formed
  // (a name that is not UTF-8); one error line, status 1.
  enum class Kind { Run, Help, Version, UsageError, Refused };
  Kind kind = Kind::UsageError;
  std::string command;  // empty before a command was named
  std::vector<std::string> words;
  std::map<std::string, std::vector<std::string>> values;
  std::string text;  // the help text, or what is wrong with the line

  bool Has(const std::string& option) const { return values.count(option) != 0; }
  // The option's (last) value, or `fallback` when it was not given.
  std::string Value(const std::string& option, const std::string& fallback = {}) const;
  // A whole-number option, already checked against its range by the parse.
  int Number(const std::string& option, int fallback) const;
};

// The tool's whole numbers are read as everywhere else.
using kestrova::WholeNumber;

// Reads the arguments after the program name. Never runs anything and never
// prints: the fuzzer of the command line drives it with any words.
ParsedCommand ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace kestrova::cli
