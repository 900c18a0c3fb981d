#include "export/file_names.h"

namespace kestrova {

std::optional<std::string> ForceExtension(std::string_view path, std::string_view extension) {
  const std::size_t separator = path.find_last_of("\\/");
  const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
  const std::size_t dot = path.find('.', nameStart);
  const std::size_t nameEnd = dot == std::string_view::npos ? path.size() : dot;
  if (nameEnd == nameStart) return std::nullopt;
  std::string forced(path.substr(0, nameEnd));
  forced += extension;
  return forced;
}

}  // namespace kestrova
