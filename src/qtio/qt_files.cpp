#include "qtio/qt_files.h"

#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kestrova {

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

// Why a file of this kind and size is not read, if it is not.
std::optional<Error> RefusalOf(const struct stat& info) {
  const mode_t type = info.st_mode & S_IFMT;
  if (type == S_IFDIR) return Error{"it is a folder, not a file"};
  if (type == S_IFIFO) return Error{"it is a named pipe, not a regular file"};
  if (type == S_IFCHR || type == S_IFBLK) return Error{"it is a device, not a regular file"};
  if (type == S_IFSOCK) return Error{"it is a socket, not a regular file"};
  if (type != S_IFREG) return Error{"it is not a regular file"};
  if (static_cast<std::uintmax_t>(info.st_size) > kLargestReadFile) {
    return Error{"it holds " + std::to_string(info.st_size) + " bytes, and no file larger than " +
                 kLargestReadFileText + " is read (no snapshot or screen comes near that size)"};
  }
  return std::nullopt;
}

// The reason a path could not be looked at: a dangling link says so.
Error MissingReason(const std::string& path, int error) {
  struct stat link;
  if (error == ENOENT && lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    return Error{"it is a symbolic link to a file that does not exist"};
  }
  return Error{SystemReason(error)};
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// Reads to the end, at most one byte more than the bound: that byte tells a
// file that grew while it was read.
Result<std::vector<std::uint8_t>> ReadToEnd(int fd, std::size_t expected) {
  std::vector<std::uint8_t> content(std::min(expected, kLargestReadFile) + 1);
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t count = read(fd, content.data() + done, content.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return Error{SystemReason(errno)};
    if (count == 0) break;
    done += static_cast<std::size_t>(count);
    if (done == content.size() && done <= kLargestReadFile) content.resize(kLargestReadFile + 1);
  }
  if (done > kLargestReadFile) return Error{std::string("it grew past ") + kLargestReadFileText + " while it was read"};
  content.resize(done);
  return content;
}

}  // namespace

bool QtFiles::Exists(const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); }

// The path is looked at before it is opened, so a folder, a pipe or a device
// is never opened at all; the open itself does not wait (O_NONBLOCK), and
// what was opened is looked at again, in case the path changed in between.
// The read stops one byte past the bound, whatever the file claimed.
Result<std::vector<std::uint8_t>> QtFiles::Read(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return MissingReason(path, errno);
  if (auto refused = RefusalOf(info)) return *refused;
  const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.Get() < 0) return MissingReason(path, errno);
  if (fstat(file.Get(), &info) != 0) return Error{SystemReason(errno)};
  if (auto refused = RefusalOf(info)) return *refused;

  return ReadToEnd(file.Get(), static_cast<std::size_t>(info.st_size));
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
