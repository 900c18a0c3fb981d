#include "export/file_names.h"

#include <algorithm>
#include <cctype>

namespace kestrova {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// The accepted extension `text` is, in any case; empty when none.
std::string_view AcceptedAs(std::string_view text, std::span<const std::string_view> accepted) {
  for (const std::string_view extension : accepted) {
    if (SameIgnoringCase(text, extension)) return extension;
  }
  return {};
}

}  // namespace

SaveName NameForSave(std::string_view chosen, std::span<const std::string_view> accepted,
                     std::string_view defaultExtension) {
  const std::string_view name = chosen.substr(FileNameStart(chosen));
  if (name.find_first_not_of('.') == std::string_view::npos) {
    return {SaveNameKind::NoName, {}, std::string(defaultExtension)};
  }
  // A leading dot alone starts a name, not an extension (".hidden").
  const std::size_t dot = name.rfind('.');
  if (dot == 0 || dot == std::string_view::npos) {
    if (const std::string_view own = AcceptedAs(name, accepted); !own.empty()) {
      return {SaveNameKind::NoName, {}, std::string(own)};
    }
    return {SaveNameKind::Usable, std::string(chosen) + std::string(defaultExtension), std::string(defaultExtension)};
  }
  if (const std::string_view own = AcceptedAs(name.substr(dot), accepted); !own.empty()) {
    return {SaveNameKind::Usable, std::string(chosen), std::string(own)};
  }
  return {SaveNameKind::OtherExtension, {}, std::string(defaultExtension)};
}

std::string ListedAlternatives(std::span<const std::string_view> names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += i == 0 ? "" : i + 1 == names.size() ? " or " : ", ";
    text += names[i];
  }
  return text;
}

std::string OtherExtensionText(std::string_view chosen, std::span<const std::string_view> accepted) {
  return "\"" + FileNameOf(chosen) + "\" was not saved: the name must end in " + ListedAlternatives(accepted) + ".";
}

}  // namespace kestrova
