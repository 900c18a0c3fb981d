// Writes the manual page of `kestrova`: the page's own text from TEMPLATE,
// with the commands and their options, from the tool's own table, in place
// of the line `.\" COMMANDS`, so that the page and `--help` cannot tell two
// stories.
//   kestrova_make_man TEMPLATE OUT
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/command_line.h"

namespace {

constexpr const char* kCommandsMark = ".\\\" COMMANDS";

// `text` as roff text: backslashes and minus signs escaped, and a line that
// would start with a control character kept as text.
std::string Roff(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\') {
      escaped += "\\e";
    } else if (c == '-') {
      escaped += "\\-";
    } else {
      escaped += c;
    }
  }
  if (!escaped.empty() && (escaped.front() == '.' || escaped.front() == '\'')) escaped.insert(0, "\\&");
  return escaped;
}

std::string CommandsSection() {
  std::string roff;
  for (const kestrova::cli::CommandSpec& command : kestrova::cli::Commands()) {
    roff += ".SS " + command.name + "\n";
    roff += ".B " + Roff(kestrova::cli::UsageLine(command)) + "\n";
    roff += ".PP\n" + Roff(command.summary) + ".\n";
    for (const kestrova::cli::OptionSpec& option : command.options) {
      roff += ".TP\n.B " + Roff(kestrova::cli::OptionLabel(option)) + "\n";
      roff += Roff(option.description) + "\n";
    }
  }
  return roff;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kestrova_make_man TEMPLATE OUT\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  std::ostringstream page;
  bool marked = false;
  for (std::string line; std::getline(in, line);) {
    if (line == kCommandsMark) {
      page << CommandsSection();
      marked = true;
    } else {
      page << line << '\n';
    }
  }
  if (!in.eof() || !marked) {
    std::fprintf(stderr, "kestrova_make_man: %s: unreadable, or without the line %s\n", argv[1], kCommandsMark);
    return 1;
  }
  std::ofstream out(argv[2], std::ios::trunc);
  out << page.str();
  if (!out.flush()) {
    std::fprintf(stderr, "kestrova_make_man: could not write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
