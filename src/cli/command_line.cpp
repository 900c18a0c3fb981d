#include "cli/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <charconv>

#include "base/utf8.h"
#include "cli/edit_script.h"
#include "qtio/qt_strings.h"

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
       {Level(), Json()},
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

// Qt takes the command line as text and would turn bytes that are not UTF-8
// into other characters: a name would then be read or written as another
// name. Such an argument is refused before anything is read or written.
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

QStringList QtNames(const OptionSpec& option) {
  QStringList names;
  for (const std::string& name : option.names) names << Q(name);
  return names;
}

ParsedCommand ParseCommand(const CommandSpec& command, const std::vector<std::string>& arguments) {
  if (std::optional<ParsedCommand> refused = NotUtf8Refusal(command, arguments)) return *refused;
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
  parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
  const QCommandLineOption help(QStringList{"h", "help"});
  parser.addOption(help);
  for (const OptionSpec& option : command.options) {
    parser.addOption(QCommandLineOption(QtNames(option), QString(), Q(option.valueName)));
  }
  QStringList line{"kestrova"};
  for (const std::string& argument : arguments) line << Q(argument);
  if (!parser.parse(line)) return UsageError(command.name, parser.errorText().toStdString());
  if (parser.isSet(help)) {
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
    const QStringList values = parser.values(Q(name));
    const bool set = parser.isSet(Q(name));
    if (!set) continue;
    if (!option.repeatable && values.size() > 1)
      return UsageError(command.name, Dashed(name) + " is given more than once");
    std::vector<std::string>& kept = parsed.values[name];
    for (const QString& value : values) kept.push_back(value.toStdString());
    if (option.minimum) {
      const std::optional<int> number = WholeNumber(kept.back());
      if (!number || *number < *option.minimum || *number > option.maximum)
        return UsageError(command.name, Dashed(name) + ": '" + kept.back() + "' is not a whole number from " +
                                            std::to_string(*option.minimum) + " to " + std::to_string(option.maximum));
    }
  }
  for (const QString& word : parser.positionalArguments()) parsed.words.push_back(word.toStdString());
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

std::optional<int> WholeNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [last, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || last != end) return std::nullopt;
  return value;
}

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
