#include "qtio/qt_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kestrova {

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
  // A short write is followed by another, so that the reason (a full disk,
  // a size limit) comes back from the call that fails.
  const auto size = static_cast<qint64>(bytes.size());
  for (qint64 done = 0; done < size;) {
    const qint64 count = file.write(reinterpret_cast<const char*>(bytes.data()) + done, size - done);
    if (count <= 0) {
      Error error{file.errorString().toStdString()};
      file.cancelWriting();
      return error;
    }
    done += count;
  }
  // QSaveFile buffers small writes; with some Qt versions commit() reports
  // success although its own final flush failed (a full disk), so the flush
  // is checked here, and a failed one cancels the save.
  if (!file.flush()) {
    Error error{file.errorString().toStdString()};
    file.cancelWriting();
    return error;
  }
  if (!file.commit()) return Error{file.errorString().toStdString()};
  return std::nullopt;
}

}  // namespace kestrova
