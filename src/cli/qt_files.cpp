#include "cli/qt_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kestrova::cli {

bool QtFiles::Exists(const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); }

Result<std::vector<std::uint8_t>> QtFiles::Read(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return Error{file.errorString().toStdString()};
  const QByteArray content = file.readAll();
  if (file.error() != QFileDevice::NoError) return Error{file.errorString().toStdString()};
  return std::vector<std::uint8_t>(content.begin(), content.end());
}

std::optional<Error> QtFiles::Write(const std::string& path, std::span<const std::uint8_t> bytes) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return Error{file.errorString().toStdString()};
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
    Error error{file.errorString().toStdString()};
    file.cancelWriting();
    return error;
  }
  if (!file.commit()) return Error{file.errorString().toStdString()};
  return std::nullopt;
}

}  // namespace kestrova::cli
