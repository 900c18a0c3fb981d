#include "base/paths.h"

namespace kestrova {

std::size_t FileNameStart(std::string_view path, PathSeparators separators) {
  const std::size_t separator = path.find_last_of(separators == PathSeparators::Slash ? "/" : "\\/");
  return separator == std::string_view::npos ? 0 : separator + 1;
}

std::string FileNameOf(std::string_view path, PathSeparators separators) {
  return std::string(path.substr(FileNameStart(path, separators)));
}

std::string FolderOf(std::string_view path, PathSeparators separators) {
  const std::size_t start = FileNameStart(path, separators);
  if (start == 0) return ".";
  if (start == 1) return std::string(path.substr(0, 1));
  return std::string(path.substr(0, start - 1));
}

std::string FileExtension(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || path.find_first_of("/\\:", dot) != std::string_view::npos) return {};
  return std::string(path.substr(dot));
}

}  // namespace kestrova
