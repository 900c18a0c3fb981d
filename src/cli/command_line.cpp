#include "cli/command_line.h"

#include <algorithm>

#include "base/utf8.h"
#include "cli/edit_script.h"

namespace kestrova::cli {

namespace {

OptionSpec Force() { return {{"force"}, "", "replace an existing output file", std::nullopt}; }
OptionSpec Json() { return {{"json"}, "", "print JSON (see its \"schema\" field)", std::nullopt}; }
OptionSpec Output(const std::string& kinds) { return {{"o", "output"}, "OUT", "the output: " + kinds, std::nullopt}; }
OptionSpec Level() { return {{"level"}, "N", "level N only (1-255)", 1, 255}; }

// The edit commands' forms, for the help of `edit`.
std::vector<std::string> EditCommandHelp() {
  std::vector<std::string> lines{"edit commands (# starts a comment):"};
  for (const std::string& form : EditCommandForms()) lines.push_back("  " + form);
  return lines;
}

std::vector<CommandSpec> MakeCommands() {
  return {
      {"info", "FILE", 1, 1, {Json()}, "format, machine, free bytes, every level and the settings"},
      {"list",
       "FILE",
       1,
       1,
       {Level(),
        Json(),
        {{"script"},
         "",
         "the records as edit commands (before level N, then one insert a line) that put them in another game",
         std::nullopt}},
       "every record of the levels: address, row, code, operand and what it is"},
      {"diff", "A B", 2, 2, {Json()}, "what differs between two snapshots of the game; status 1 when they differ"},
      {"check", "FILE", 1, 1, {Json()}, "what would trouble the game or you; status 1 when something is wrong"},
      {"edit",
       "IN",
       1,
       1,
       {Output(".sna, .szx or .z80"),
        Force(),
        {{"e", "command"},
         "COMMAND",
         "an edit command (repeatable; the commands are listed below)",
         std::nullopt,
         0,
         true},
        {{"script"}, "FILE", "edit commands, one a line (- for standard input)", std::nullopt},
        {{"dry-run"}, "", "print what would change, write nothing", std::nullopt}},
       "edits through the editor's own commands, then saves",
       EditCommandHelp()},
      {"render",
       "FILE",
       1,
       1,
       {Level(),
        {{"scroll"}, "S", "rows from the level start at the bottom of the view", 0, 0x3FFFFFFF},
        {{"land-space"}, "", "tick \"Show Land Space\"", std::nullopt},
        {{"scale"}, "K", "pixels per Spectrum pixel, 1-4 (map 2, overview and whole level 1)", 1, 4},
        {{"no-banner"}, "", "the map view without the title banner", std::nullopt},
        Output("the map view as .png, or the screen as .scr"),
        {{"scr"}, "OUT", "the Spectrum screen as drawn (.scr)", std::nullopt},
        {{"png"}, "OUT", "the map view (.png)", std::nullopt},
        {{"grid"}, "OUT", "the cell grid: TileId, OwnerPos, LandPos as 32-bit words", std::nullopt},
        {{"overview"}, "OUT", "the level overview (.png)", std::nullopt},
        {{"whole"}, "OUT", "the whole level (.png)", std::nullopt},
        Force()},
       "the level as the editor draws it"},
      {"save", "IN [OUT]", 1, 2, {Output(".sna, .szx or .z80"), Force()}, "\"Save Snapshot\""},
      {"asm",
       "IN",
       1,
       1,
       {Output(".asm, or - for standard output"), Force()},
       "\"Save Disassembly\": a pasmo-ready listing"},
      {"tap",
       "IN",
       1,
       1,
       {Output(".tap, or - for standard output"),
        {{"screen"}, "SCREEN.scr", "the loading screen", std::nullopt},
        Force()},
       "\"Save TAP\" with BASIC loader"},
      {"demo",
       "",
       0,
       0,
       {{{"128k"}, "", "the 128K snapshot", std::nullopt}, Output(".sna, .szx or .z80"), Force()},
       "writes the demo game"},
  };
}

std::string Dashed(const std::string& name) { return (name.size() == 1 ? "-" : "--") + name; }

std::string OptionUsage(const OptionSpec& option) {
  std::string text = Dashed(option.names.front());
  if (!option.valueName.empty()) text += " " + option.valueName;
  return text;
}

std::string HelpText(const CommandSpec& command) {
  std::string text = "usage: " + UsageLine(command) + "\n\n" + command.summary + "\n";
  if (!command.options.empty()) text += "\noptions:\n";
  for (const OptionSpec& option : command.options) {
    std::string names = OptionLabel(option);
    names.resize(std::max<std::size_t>(names.size() + 2, 24), ' ');
    text += "  " + names + option.description + "\n";
  }
  text += "  -h, --help              this text\n";
  if (!command.helpNotes.empty()) text += "\n";
  for (const std::string& line : command.helpNotes) text += line + "\n";
  return text;
}

ParsedCommand Failure(ParsedCommand::Kind kind, const std::string& command, const std::string& text) {
  ParsedCommand parsed;
  parsed.kind = kind;
  parsed.command = command;
  parsed.text = text;
  return parsed;
}

ParsedCommand UsageError(const std::string& command, const std::string& text) {
  return Failure(ParsedCommand::Kind::UsageError, command, text);
}

// The option whose value arguments[at] is ("--name=value", or the word after
// an option that takes one), if it is a value.
const OptionSpec* OptionOfValue(const CommandSpec& command, const std::vector<std::string>& arguments, std::size_t at) {
  for (const OptionSpec& option : command.options) {
    if (option.valueName.empty()) continue;
    for (const std::string& name : option.names) {
      const std::string dashed = Dashed(name);
      if (arguments[at].starts_with(dashed + "=")) return &option;
      if (at > 0 && arguments[at - 1] == dashed) return &option;
    }
  }
  return nullptr;
}

// A name that is not UTF-8 could not be shown in a message, nor written in
// JSON, as it stands: such an argument is refused before anything is read or
// written.
std::optional<ParsedCommand> NotUtf8Refusal(const CommandSpec& command, const std::vector<std::string>& arguments) {
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    if (IsValidUtf8(arguments[at])) continue;
    const OptionSpec* option = OptionOfValue(command, arguments, at);
    const std::size_t equals = arguments[at].starts_with("--") ? arguments[at].find('=') : std::string::npos;
    const std::string shown =
        EscapedUtf8(equals == std::string::npos ? arguments[at] : arguments[at].substr(equals + 1));
    if (option && option->valueName == "COMMAND")
      return Failure(ParsedCommand::Kind::Refused, command.name, "-e '" + shown + "': the text is not valid UTF-8");
    return Failure(ParsedCommand::Kind::Refused, command.name, shown + ": " + kNotUtf8Reason);
  }
  return std::nullopt;
}

// The options and words of one command's line, read by the rules the tool
// has always had (those of Qt's command-line parser, whose messages it
// keeps): "--name", "--name=value" or "--name value"; "-abc" as -a -b -c,
// where an option that takes a value takes the rest ("-ofile", "-o=file")
// or the next word; "--" makes every later word a word; "-" alone is a word.
// Every word is read before the line is judged.
class OptionScan {
 public:
  OptionScan(const std::vector<const OptionSpec*>& options, const std::vector<std::string>& arguments)
      : options_(options), values_(options.size()) {
    bool wordsOnly = false;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
      const std::string& argument = arguments[at];
      if (wordsOnly || argument == "-" || !argument.starts_with("-")) {
        words.push_back(argument);
      } else if (argument == "--") {
        wordsOnly = true;
      } else if (argument.starts_with("--")) {
        const std::size_t assign = argument.find('=');
        const std::string name = argument.substr(2, assign == std::string::npos ? assign : assign - 2);
        TakeValue(Found(name), argument, arguments, at);
      } else {
        ShortOptions(argument, arguments, at);
      }
    }
  }

  bool Ok() const { return error_.empty() && unknown_.empty(); }
  std::string ErrorText() const {
    if (!error_.empty()) return error_;
    if (unknown_.size() == 1) return "Unknown option '" + unknown_.front() + "'.";
    std::string names;
    for (const std::string& name : unknown_) names += (names.empty() ? "" : ", ") + name;
    return "Unknown options: " + names + ".";
  }
  // Whether the option was given under any of its names, and its values.
  bool IsSet(const OptionSpec& option) const {
    return std::any_of(found_.begin(), found_.end(), [&](const std::string& name) {
      return std::find(option.names.begin(), option.names.end(), name) != option.names.end();
    });
  }
  const std::vector<std::string>& Values(const OptionSpec& option) const { return values_[IndexOf(option)]; }

  std::vector<std::string> words;

 private:
  std::size_t IndexOf(const OptionSpec& option) const {
    return static_cast<std::size_t>(std::find(options_.begin(), options_.end(), &option) - options_.begin());
  }
  const OptionSpec* Named(const std::string& name) const {
    for (const OptionSpec* option : options_) {
      if (std::find(option->names.begin(), option->names.end(), name) != option->names.end()) return option;
    }
    return nullptr;
  }
  // The option called `name`, noted as found; nothing, and noted as unknown,
  // when there is none.
  const OptionSpec* Found(const std::string& name) {
    const OptionSpec* option = Named(name);
    (option ? found_ : unknown_).push_back(name);
    return option;
  }
  // The value of `option` (when there is one) given in `argument` after its
  // '=', or the next word; a flag given a value is an error.
  void TakeValue(const OptionSpec* option, const std::string& argument, const std::vector<std::string>& arguments,
                 std::size_t& at) {
    if (!option) return;
    const std::size_t assign = argument.find('=');
    if (option->valueName.empty()) {
      if (assign != std::string::npos) error_ = "Unexpected value after '" + argument.substr(0, assign) + "'.";
    } else if (assign != std::string::npos) {
      values_[IndexOf(*option)].push_back(argument.substr(assign + 1));
    } else if (at + 1 < arguments.size()) {
      values_[IndexOf(*option)].push_back(arguments[++at]);
    } else {
      error_ = "Missing value after '" + argument + "'.";
    }
  }
  // "-abc": each character an option (a character beyond 16 bits counts
  // as two unknown ones, named "?", as it always has).
  void ShortOptions(const std::string& argument, const std::vector<std::string>& arguments, std::size_t& at) {
    const OptionSpec* option = nullptr;
    for (std::size_t pos = 1; pos < argument.size();) {
      const std::size_t length = std::max<std::size_t>(Utf8SequenceLength(std::string_view(argument).substr(pos)), 1);
      if (length == 4) {
        unknown_.insert(unknown_.end(), 2, "?");
        option = nullptr;
        pos += length;
        continue;
      }
      option = Found(argument.substr(pos, length));
      pos += length;
      if (!option) continue;
      const bool assigned = pos < argument.size() && argument[pos] == '=';
      if (!option->valueName.empty()) {
        if (pos < argument.size()) {
          values_[IndexOf(*option)].push_back(argument.substr(assigned ? pos + 1 : pos));
          return;
        }
        break;
      }
      if (assigned) break;
    }
    TakeValue(option, argument, arguments, at);
  }

  std::vector<const OptionSpec*> options_;
  std::vector<std::vector<std::string>> values_;
  std::vector<std::string> found_;
  std::vector<std::string> unknown_;
  std::string error_;
};

const OptionSpec kHelpOption{{"h", "help"}, "", "this text", std::nullopt};

ParsedCommand ParseCommand(const CommandSpec& command, const std::vector<std::string>& arguments) {
  if (std::optional<ParsedCommand> refused = NotUtf8Refusal(command, arguments)) return *refused;
  std::vector<const OptionSpec*> options{&kHelpOption};
  for (const OptionSpec& option : command.options) options.push_back(&option);
  const OptionScan scan(options, arguments);
  if (!scan.Ok()) return UsageError(command.name, scan.ErrorText());
  if (scan.IsSet(kHelpOption)) {
    ParsedCommand parsed;
    parsed.kind = ParsedCommand::Kind::Help;
    parsed.command = command.name;
    parsed.text = HelpText(command);
    return parsed;
  }
  ParsedCommand parsed;
  parsed.kind = ParsedCommand::Kind::Run;
  parsed.command = command.name;
  for (const OptionSpec& option : command.options) {
    const std::string name = option.names.back();
    if (!scan.IsSet(option)) continue;
    const std::vector<std::string>& values = scan.Values(option);
    if (!option.repeatable && values.size() > 1)
      return UsageError(command.name, Dashed(name) + " is given more than once");
    std::vector<std::string>& kept = parsed.values[name];
    kept = values;
    if (option.minimum) {
      const std::optional<int> number = WholeNumber(kept.back());
      if (!number || *number < *option.minimum || *number > option.maximum)
        return UsageError(command.name, Dashed(name) + ": '" + kept.back() + "' is not a whole number from " +
                                            std::to_string(*option.minimum) + " to " + std::to_string(option.maximum));
    }
  }
  parsed.words = scan.words;
  const int count = static_cast<int>(parsed.words.size());
  if (count > command.mostWords)
    return UsageError(command.name,
                      "'" + parsed.words[static_cast<std::size_t>(command.mostWords)] + "' is one word too many");
  if (count < command.fewestWords) {
    const std::string missing = command.words.empty() ? "a word" : command.words;
    return UsageError(command.name, count == 0 ? missing + " is missing" : "a second file is missing");
  }
  return parsed;
}

}  // namespace

const std::vector<CommandSpec>& Commands() {
  static const std::vector<CommandSpec> commands = MakeCommands();
  return commands;
}

const CommandSpec* FindCommand(std::string_view name) {
  for (const CommandSpec& command : Commands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

std::string OptionLabel(const OptionSpec& option) {
  std::string label;
  for (const std::string& name : option.names) label += (label.empty() ? "" : ", ") + Dashed(name);
  if (!option.valueName.empty()) label += " " + option.valueName;
  return label;
}

std::string UsageLine(const CommandSpec& command) {
  std::string line = "kestrova " + command.name;
  if (!command.words.empty()) line += " " + command.words;
  for (const OptionSpec& option : command.options) line += " [" + OptionUsage(option) + "]";
  return line;
}

std::string OverallUsage() {
  std::string text = "usage: kestrova COMMAND [OPTIONS] (kestrova COMMAND --help tells more)\n\n";
  for (const CommandSpec& command : Commands()) {
    std::string name = command.name;
    name.resize(8, ' ');
    text += "  " + name + command.summary + "\n";
  }
  text += "\n  kestrova --version, kestrova --help\n";
  return text;
}

std::string ParsedCommand::Value(const std::string& option, const std::string& fallback) const {
  const auto found = values.find(option);
  return found == values.end() || found->second.empty() ? fallback : found->second.back();
}

int ParsedCommand::Number(const std::string& option, int fallback) const {
  return WholeNumber(Value(option)).value_or(fallback);
}

ParsedCommand ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return UsageError("", "a command is missing");
  const std::string& first = arguments.front();
  if (first == "--help" || first == "-h") {
    ParsedCommand parsed;
    parsed.kind = ParsedCommand::Kind::Help;
    parsed.text = OverallUsage();
    return parsed;
  }
  if (first == "--version") {
    ParsedCommand parsed;
    parsed.kind = ParsedCommand::Kind::Version;
    return parsed;
  }
  const CommandSpec* command = FindCommand(first);
  if (!command) return UsageError("", "'" + EscapedUtf8(first) + "' is not a command");
  return ParseCommand(*command, std::vector<std::string>(arguments.begin() + 1, arguments.end()));
}

}  // namespace kestrova::cli
