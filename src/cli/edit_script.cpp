#include "cli/edit_script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>

#include "cli/command_line.h"
#include "edit/attribute_menu.h"
#include "edit/ground_menu.h"
#include "edit/insertion.h"
#include "level/game_settings.h"

namespace kestrova::cli {

namespace {

using Kind = EditCommand::Kind;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string Joined(const std::vector<std::string>& words, std::size_t first, std::size_t last) {
  std::string text;
  for (std::size_t i = first; i < last; ++i) text += (i == first ? "" : " ") + words[i];
  return text;
}

// The whole number a word names, within minimum..maximum.
Result<int> NumberIn(const std::string& word, int minimum, int maximum, const std::string& what) {
  const std::optional<int> value = WholeNumber(word);
  if (!value || *value < minimum || *value > maximum)
    return Error{what + " '" + word + "' is not a whole number from " + std::to_string(minimum) + " to " +
                 std::to_string(maximum)};
  return *value;
}

Result<int> Setting(const std::string& word, const SettingsPrompt& prompt, const std::string& what) {
  return NumberIn(word, prompt.min, prompt.max, what);
}

struct Leaf {
  int tag;
  std::vector<std::string> path;  // submenu captions, then the leaf's caption, as the menu shows them
};

std::vector<Leaf> InsertLeaves() {
  std::vector<Leaf> leaves;
  std::vector<std::string> submenus;
  for (const InsertNode& node : kInsertTree) {
    submenus.resize(static_cast<std::size_t>(node.depth - 1));
    if (node.tag == kSubmenu) {
      submenus.push_back(std::string(node.caption));
      continue;
    }
    Leaf leaf{node.tag, submenus};
    leaf.path.push_back(std::string(InsertionCaption(node.tag)));
    leaves.push_back(std::move(leaf));
  }
  return leaves;
}

std::vector<std::string> PathOf(const std::string& name) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(name);
  while (std::getline(in, part, '/')) parts.push_back(Lower(Joined(Words(part), 0, Words(part).size())));
  return parts;
}

// True when the path ends with the wanted leaf and holds the wanted
// submenus in their order ("Double Cliff/Left Edge with Jumping Soldiers").
bool Names(const std::vector<std::string>& path, const std::vector<std::string>& wanted) {
  if (wanted.empty() || Lower(path.back()) != wanted.back()) return false;
  std::size_t next = 0;
  for (std::size_t i = 0; i + 1 < wanted.size(); ++i) {
    while (next + 1 < path.size() && Lower(path[next]) != wanted[i]) ++next;
    if (next + 1 >= path.size()) return false;
    ++next;
  }
  return true;
}

// A short name of the leaf that names its tag alone: its caption with the
// nearest submenu that tells it apart, or its whole path.
std::string NamingPath(const Leaf& leaf, const std::vector<Leaf>& leaves) {
  std::vector<std::vector<std::string>> candidates;
  for (std::size_t i = leaf.path.size() - 1; i-- > 0;) candidates.push_back({leaf.path[i], leaf.path.back()});
  candidates.push_back(leaf.path);
  for (const std::vector<std::string>& candidate : candidates) {
    std::vector<std::string> wanted;
    for (const std::string& part : candidate) wanted.push_back(Lower(part));
    const bool alone = std::all_of(leaves.begin(), leaves.end(), [&](const Leaf& other) {
      return other.tag == leaf.tag || !Names(other.path, wanted);
    });
    if (!alone) continue;
    std::string text;
    for (const std::string& part : candidate) text += (text.empty() ? "" : "/") + part;
    return text;
  }
  return leaf.path.back();
}

Result<EditCommand> ParseInsert(EditCommand command, const std::vector<std::string>& words) {
  const auto at = std::find(words.begin(), words.end(), "at");
  if (at == words.begin() + 1 || at == words.end() || at + 1 == words.end())
    return Error{"insert needs NAME at ADDRESS"};
  const Result<int> tag = FindInsertionTag(Joined(words, 1, static_cast<std::size_t>(at - words.begin())));
  if (!tag) return Error{tag.ErrorMessage()};
  command.tag = *tag;
  const std::optional<std::uint32_t> address = ParseAddress(*(at + 1));
  if (!address) return Error{"'" + *(at + 1) + "' is not an address ($9300, 0x9300 or 37632)"};
  command.address = *address;
  for (auto word = at + 2; word != words.end(); word += 2) {
    if (word + 1 == words.end()) return Error{"'" + *word + "' needs a number after it"};
    if (*word == "column" && !command.column) {
      const Result<int> column = NumberIn(*(word + 1), 0, 31, "column");
      if (!column) return Error{column.ErrorMessage()};
      command.column = *column;
    } else if (*word == "value" && !command.value) {
      const PromptedTag* prompted = FindPromptedTag(command.tag);
      const TwoByteTag* limits = FindTwoByteTag(command.tag);
      if (!prompted || !limits) return Error{std::string(InsertionCaption(command.tag)) + " takes no value"};
      const Result<int> value = NumberIn(*(word + 1), limits->minimum, limits->maximum, "value");
      if (!value) return Error{value.ErrorMessage()};
      command.value = *value;
    } else {
      return Error{"'" + *word + "' is not understood here (column C or value V)"};
    }
  }
  if (FindPromptedTag(command.tag) && !command.value)
    return Error{std::string(InsertionCaption(command.tag)) + " needs value V"};
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
  const std::string name = Lower(words[2]);
  for (const std::string_view colour : kColourNames) {
    if (Lower(std::string(colour)) == name) {
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

std::optional<std::uint32_t> ParseAddress(const std::string& word) {
  std::string digits = word;
  int base = 10;
  if (digits.rfind("$", 0) == 0) {
    digits.erase(0, 1);
    base = 16;
  } else if (digits.rfind("0x", 0) == 0 || digits.rfind("0X", 0) == 0) {
    digits.erase(0, 2);
    base = 16;
  }
  std::uint32_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [last, error] = std::from_chars(digits.data(), end, value, base);
  if (digits.empty() || error != std::errc() || last != end || value > 0xFFFF) return std::nullopt;
  return value;
}

Result<int> FindInsertionTag(const std::string& name) {
  const std::vector<std::string> wanted = PathOf(name);
  std::vector<const Leaf*> found;
  static const std::vector<Leaf> leaves = InsertLeaves();
  for (const Leaf& leaf : leaves) {
    if (Names(leaf.path, wanted)) found.push_back(&leaf);
  }
  if (found.empty()) return Error{"'" + name + "' is not in the Insert menu"};
  const bool oneTag =
      std::all_of(found.begin(), found.end(), [&](const Leaf* leaf) { return leaf->tag == found[0]->tag; });
  if (oneTag) return found[0]->tag;
  std::string choices;
  for (const Leaf* leaf : found) {
    const std::string path = NamingPath(*leaf, leaves);
    if (choices.find(path) == std::string::npos) choices += (choices.empty() ? "" : " or ") + ("'" + path + "'");
  }
  return Error{"'" + name + "' names more than one object: " + choices};
}

Result<EditCommand> ParseEditCommand(const std::string& text, int line) {
  const std::vector<std::string> words = Words(text.substr(0, text.find('#')));
  EditCommand command;
  command.line = line;
  command.text = Joined(words, 0, words.size());
  if (words.empty()) return Error{"no command"};
  const std::string verb = Lower(words[0]);
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
    case Kind::WipeCurrent: {
      const Result<int> level = NumberIn(words[1], 1, 255, "level");
      if (!level) return Error{level.ErrorMessage()};
      const std::string scope = Lower(words[2]);
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
    if (Words(text.substr(0, text.find('#'))).empty()) continue;
    Result<EditCommand> command = ParseEditCommand(text, number);
    if (!command) return Error{"line " + std::to_string(number) + ": " + command.ErrorMessage()};
    commands.push_back(std::move(*command));
  }
  return commands;
}

}  // namespace kestrova::cli
