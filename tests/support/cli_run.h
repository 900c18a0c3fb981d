#pragma once

// Running the built kestrova tool as a process in a folder of its own: its
// exit status, standard output and standard error, each kept apart.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/ref_shell.h"

namespace kestrova::testing {

struct CliOutcome {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs `kestrova ARGUMENTS` in `folder`; `redirect` is added to the shell
// line (for example "<script.txt" or ">/dev/full"), `launcher` goes before
// the program (for example "timeout 10 ").
inline CliOutcome RunKestrova(const std::filesystem::path& folder, const std::vector<std::string>& arguments,
                              const std::string& redirect = "", const std::string& launcher = "") {
  const std::filesystem::path out = folder / ".stdout", err = folder / ".stderr";
  std::string command = "cd " + ShellQuoted(folder.string()) + " && exec " + launcher + ShellQuoted(KESTROVA_CLI);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  command += " 2>" + ShellQuoted(err.string());
  command +=
      redirect.find('>') == std::string::npos ? " >" + ShellQuoted(out.string()) + " " + redirect : " " + redirect;
  const int raw = std::system(command.c_str());
  CliOutcome run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadText(out);
  run.err = ReadText(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

}  // namespace kestrova::testing
