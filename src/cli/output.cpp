#include "cli/output.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kestrova::cli {

namespace {

constexpr const char* kPlaceholderStem = "<kestrova output>";

}  // namespace

void PrintError(const std::string& command, const std::string& file, const std::string& reason) {
  std::string line = "kestrova";
  if (!command.empty()) line += " " + command;
  line += ": ";
  if (!file.empty()) line += file + ": ";
  line += reason + "\n";
  std::fputs(line.c_str(), stderr);
}

std::string OutputName(const std::string& target) { return target == kStandardStream ? "standard output" : target; }

std::optional<std::string> SnapshotOutputRefusal(const std::string& output) {
  if (output.empty()) return "the output is missing: -o OUT";
  if (output == kStandardStream) return "-o -: a snapshot goes to a file; name one ending in .sna or .szx";
  const ExtensionCheck check = CheckExtension(output, kSnapshotExtensions);
  if (!check.refusal.empty()) return output + ": " + check.refusal;
  return std::nullopt;
}

ExtensionCheck CheckExtension(const std::string& path, const std::vector<std::string>& accepted) {
  for (const std::string& extension : accepted) {
    if (path.size() > extension.size() &&
        path.compare(path.size() - extension.size(), extension.size(), extension) == 0)
      return {extension, {}};
  }
  std::string names;
  for (std::size_t i = 0; i < accepted.size(); ++i)
    names += (i == 0 ? "" : i + 1 == accepted.size() ? " or " : ", ") + accepted[i];
  return {{}, "the name must end in " + names};
}

std::string CommandLineFiles::Redirect(const std::string& target, const std::string& extension) {
  target_ = target;
  std::string lower = extension;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  placeholder_ = kPlaceholderStem + lower;
  return placeholder_;
}

bool CommandLineFiles::Exists(const std::string& path) {
  const std::string target = Target(path);
  return target != kStandardStream && files_.Exists(target);
}

Result<std::vector<std::uint8_t>> CommandLineFiles::Read(const std::string& path) { return files_.Read(path); }

Outcome CommandLineFiles::Write(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::string target = Target(path);
  if (target == kStandardStream) return WriteStandardOutput(bytes);
  return files_.Write(target, bytes);
}

Outcome WriteStandardOutput(std::span<const std::uint8_t> bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
    return Error{std::strerror(errno)};
  return Outcome::Done();
}

bool WriteOutput(const std::string& command, const std::string& target, std::span<const std::uint8_t> bytes,
                 bool force) {
  CommandLineFiles files;
  if (!force && files.Exists(target)) {
    PrintError(command, target, "already exists; --force replaces it");
    return false;
  }
  if (const Outcome written = files.Write(target, bytes); !written) {
    PrintError(command, OutputName(target), "could not write: " + written.ErrorMessage());
    return false;
  }
  return true;
}

void PrintText(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

}  // namespace kestrova::cli
