#include "cli/edit_script.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "base/whole_number.h"
#include "cli/command_line.h"
#include "edit/attribute_menu.h"
#include "edit/insert_names.h"
#include "edit/insertion.h"
#include "level/game_settings.h"

namespace kestrova::cli {

namespace {

using Kind = EditCommand::Kind;

Result<int> Setting(const std::string& word, const SettingsPrompt& prompt, const std::string& what) {
  return NumberIn(word, prompt.min, prompt.max, what);
}

Result<EditCommand> ParseInsert(EditCommand command, const std::vector<std::string>& words) {
  const Result<InsertWords> insert = ParseInsertWords(words);
  if (!insert) return Error{insert.ErrorMessage()};
  command.tag = insert->tag;
  command.column = insert->column;
  command.value = insert->value;
  if (insert->address) {
    command.address = *insert->address;
  } else {
    // No place of its own: it goes in front of the record a "before" line named.
    command.kind = Kind::InsertHere;
    command.bytes = insert->bytes;
  }
  return command;
}

Result<EditCommand> ParseBefore(EditCommand command, const std::vector<std::string>& words) {
  if (words.size() == 3 && LowerText(words[1]) == "level") {
    const Result<int> level = NumberIn(words[2], 1, 255, "level");
    if (!level) return Error{level.ErrorMessage()};
    command.numbers = {*level};
    return command;
  }
  if (words.size() != 2) return Error{"the form is: before ADDRESS|level N"};
  const std::optional<std::uint32_t> address = ParseAddress(words[1]);
  if (!address) return Error{"'" + words[1] + "' is not an address ($9300, 0x9300 or 37632)"};
  command.address = *address;
  return command;
}

Result<EditCommand> ParseColour(EditCommand command, const std::vector<std::string>& words) {
  if (words.size() == 5) {
    if (words[3] != "column") return Error{"'" + words[3] + "' is not understood here (column C)"};
    const Result<int> column = NumberIn(words[4], 0, 31, "column");
    if (!column) return Error{column.ErrorMessage()};
    command.column = *column;
  } else if (words.size() != 3) {
    return Error{std::string("the form is: ") + (command.kind == Kind::Ink ? "ink" : "paper") +
                 " ADDRESS COLOUR [column C]"};
  }
  const std::string name = LowerText(words[2]);
  for (const std::string_view colour : kColourNames) {
    if (LowerText(std::string(colour)) == name) {
      command.colour = std::string(colour);
      return command;
    }
  }
  return Error{"'" + words[2] +
               "' is not a colour (Bright, Black, Blue, Red, Magenta, Green, Cyan, "
               "Yellow or White)"};
}

struct Form {
  const char* word;
  Kind kind;
  std::size_t words;  // 0: any
  const char* usage;
};
constexpr Form kForms[] = {
    {"lives", Kind::Lives, 2, "lives N"},
    {"spawn", Kind::Spawn, 3, "spawn COLUMN HEIGHT"},
    {"delay", Kind::Delay, 2, "delay N"},
    {"fortress", Kind::Fortress, 2, "fortress N"},
    {"insert", Kind::Insert, 0, "insert NAME at ADDRESS [column C] [value V]"},
    {"before", Kind::Before, 0, "before ADDRESS|level N"},
    {"delete", Kind::Delete, 2, "delete ADDRESS"},
    {"change", Kind::Change, 3, "change ADDRESS VALUE"},
    {"ink", Kind::Ink, 0, "ink ADDRESS COLOUR [column C]"},
    {"paper", Kind::Paper, 0, "paper ADDRESS COLOUR [column C]"},
    {"wipe", Kind::WipeCurrent, 3, "wipe LEVEL current|all-after"},
};

}  // namespace

std::vector<std::string> EditCommandForms() {
  std::vector<std::string> forms;
  for (const Form& form : kForms) forms.emplace_back(form.usage);
  return forms;
}

Result<EditCommand> ParseEditCommand(const std::string& text, int line) {
  const std::vector<std::string> words = TextWords(text.substr(0, text.find('#')));
  EditCommand command;
  command.line = line;
  command.text = JoinedWords(words, 0, words.size());
  if (words.empty()) return Error{"no command"};
  const std::string verb = LowerText(words[0]);
  const Form* form = nullptr;
  for (const Form& candidate : kForms) {
    if (verb == candidate.word) form = &candidate;
  }
  if (!form) return Error{"'" + words[0] + "' is not an edit command"};
  command.kind = form->kind;
  if (form->words != 0 && words.size() != form->words) return Error{std::string("the form is: ") + form->usage};
  switch (form->kind) {
    case Kind::Lives:
    case Kind::Delay:
    case Kind::Fortress: {
      const Result<int> value = form->kind == Kind::Lives   ? Setting(words[1], kLivesPrompt, "lives")
                                : form->kind == Kind::Delay ? Setting(words[1], kEnemyDelayPrompt, "delay")
                                                            : NumberIn(words[1], 0, kFortressByteMax, "fortress byte");
      if (!value) return Error{value.ErrorMessage()};
      command.numbers = {*value};
      return command;
    }
    case Kind::Spawn: {
      const Result<int> column = Setting(words[1], kStartColumnPrompt, "column");
      if (!column) return Error{column.ErrorMessage()};
      const Result<int> height = Setting(words[2], kPixelsDownPrompt, "height");
      if (!height) return Error{height.ErrorMessage()};
      command.numbers = {*column, *height};
      return command;
    }
    case Kind::Insert:
      return ParseInsert(command, words);
    case Kind::Before:
      return ParseBefore(command, words);
    case Kind::WipeCurrent: {
      const Result<int> level = NumberIn(words[1], 1, 255, "level");
      if (!level) return Error{level.ErrorMessage()};
      const std::string scope = LowerText(words[2]);
      if (scope != "current" && scope != "all-after") return Error{std::string("the form is: ") + form->usage};
      command.kind = scope == "current" ? Kind::WipeCurrent : Kind::WipeAllAfter;
      command.numbers = {*level};
      return command;
    }
    default:
      break;
  }
  if (words.size() < 3 && (form->kind == Kind::Ink || form->kind == Kind::Paper))
    return Error{std::string("the form is: ") + form->usage};
  const std::optional<std::uint32_t> address = ParseAddress(words[1]);
  if (!address) return Error{"'" + words[1] + "' is not an address ($9300, 0x9300 or 37632)"};
  command.address = *address;
  if (form->kind == Kind::Change) {
    const Result<int> value = NumberIn(words[2], 0, 255, "value");
    if (!value) return Error{value.ErrorMessage()};
    command.numbers = {*value};
  }
  if (form->kind == Kind::Ink || form->kind == Kind::Paper) return ParseColour(command, words);
  return command;
}

Result<std::vector<EditCommand>> ParseEditScript(const std::string& script) {
  std::vector<EditCommand> commands;
  std::istringstream in(script);
  int number = 0;
  for (std::string text; std::getline(in, text);) {
    ++number;
    if (TextWords(text.substr(0, text.find('#'))).empty()) continue;
    Result<EditCommand> command = ParseEditCommand(text, number);
    if (!command) return Error{"line " + std::to_string(number) + ": " + command.ErrorMessage()};
    commands.push_back(std::move(*command));
  }
  return commands;
}

}  // namespace kestrova::cli
