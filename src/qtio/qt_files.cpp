#include "qtio/qt_files.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "base/paths.h"

namespace kestrova {

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

// Why a path of this kind is neither read nor written, if it is not a
// regular file. One table for both, so the two sides say the same.
struct KindReason {
  mode_t type;
  const char* reason;
};
constexpr KindReason kKindReasons[] = {
    {S_IFDIR, "it is a folder, not a file"},          {S_IFIFO, "it is a named pipe, not a regular file"},
    {S_IFCHR, "it is a device, not a regular file"},  {S_IFBLK, "it is a device, not a regular file"},
    {S_IFSOCK, "it is a socket, not a regular file"},
};

Outcome KindRefusal(const struct stat& info) {
  const mode_t type = info.st_mode & S_IFMT;
  if (type == S_IFREG) return Outcome::Done();
  for (const KindReason& kind : kKindReasons) {
    if (kind.type == type) return Error{kind.reason};
  }
  return Error{"it is not a regular file"};
}

// Why a file of this kind and size is not read, if it is not.
Outcome RefusalOf(const struct stat& info) {
  if (Outcome refused = KindRefusal(info); !refused) return refused;
  if (static_cast<std::uintmax_t>(info.st_size) > kLargestReadFile) {
    return Error{"it holds " + std::to_string(info.st_size) + " bytes, and no file larger than " +
                 kLargestReadFileText + " is read (no snapshot or screen comes near that size)"};
  }
  return Outcome::Done();
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

// Reads to the end, but never more than one byte past the bound: that byte
// tells content past the bound, which is then refused without being taken in.
Result<std::vector<std::uint8_t>> ReadUpToBound(int fd, std::size_t expected) {
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
  content.resize(done);
  return content;
}

bool PastTheBound(const std::vector<std::uint8_t>& content) { return content.size() > kLargestReadFile; }

// Where a write to `path` goes: the path itself for a new file or a regular
// one, the file a link leads to for a link to a regular file (so the link
// stays a link), and nowhere for anything else. A link that leads nowhere is
// refused rather than followed: a save should not create a file at a place
// the person never named.
Result<std::string> WriteTarget(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    if (errno != ENOENT) return Error{SystemReason(errno)};
    struct stat link;
    if (lstat(path.c_str(), &link) == 0) return MissingReason(path, ENOENT);
    return path;  // a new file
  }
  if (Outcome refused = KindRefusal(info); !refused) return Error{refused.ErrorMessage()};
  struct stat link;
  if (lstat(path.c_str(), &link) != 0) return Error{SystemReason(errno)};
  if (!S_ISLNK(link.st_mode)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return Error{SystemReason(errno)};
  std::string target = resolved;
  std::free(resolved);
  return target;
}

// The new content under a name of its own beside the file it replaces,
// removed again unless it was put in place.
class PendingFile {
 public:
  ~PendingFile() {
    if (fd_ >= 0) close(fd_);
    if (!name_.empty()) unlink(name_.c_str());
  }

  // Created exclusively (never an existing file or a link), readable as a
  // new file would be under the umask.
  Outcome Create(const std::string& target) {
    static std::atomic<unsigned> counter = 0;
    const std::size_t nameStart = FileNameStart(target, PathSeparators::Slash);
    const std::string folder = target.substr(0, nameStart);  // with its separator
    const std::string base = target.substr(nameStart);
    for (int attempt = 0; attempt < 100; ++attempt) {
      const auto tick = static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count());
      const std::string name = folder + "." + base + ".kestrova-" + std::to_string(getpid()) + "-" +
                               std::to_string(++counter) + "-" + std::to_string(tick % 100000);
      fd_ = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (fd_ >= 0) {
        name_ = name;
        return Outcome::Done();
      }
      if (errno != EEXIST) return Error{SystemReason(errno)};
    }
    return Error{SystemReason(EEXIST)};
  }

  // The permission bits of the file replaced, and its owner where this
  // process may give it: a save does not change who may read the file.
  Outcome TakeOverFrom(const struct stat& old) {
    if (fchmod(fd_, old.st_mode & 0777) != 0) return Error{SystemReason(errno)};
    if ((old.st_uid != geteuid() || old.st_gid != getegid()) && fchown(fd_, old.st_uid, old.st_gid) != 0) {
      // Only the owner may not be given; the file is still saved.
    }
    return Outcome::Done();
  }

  // A short write is followed by another, so that the reason (a full disk,
  // a size limit) comes back from the call that fails.
  Outcome WriteAll(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
      const ssize_t count = write(fd_, bytes.data(), bytes.size());
      if (count < 0 && errno == EINTR) continue;
      if (count < 0) return Error{SystemReason(errno)};
      if (count == 0) return Error{SystemReason(EIO)};
      bytes = bytes.subspan(static_cast<std::size_t>(count));
    }
    return Outcome::Done();
  }

  // The data on the disk and the file closed, each checked: a failure of
  // either is where a full or failing disk shows itself last.
  Outcome Finish() {
    if (fdatasync(fd_) != 0) return Error{SystemReason(errno)};
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) return Error{SystemReason(errno)};
    return Outcome::Done();
  }

  const std::string& Name() const { return name_; }
  // Whatever is under the pending name now stays: it was moved into place,
  // or it is the only copy left of a file.
  void Keep() { name_.clear(); }

 private:
  int fd_ = -1;
  std::string name_;
};

Outcome SyncFolder(const std::string& folder) {
  const Descriptor handle(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (handle.Get() < 0) return Error{SystemReason(errno)};
  // EINVAL: a file system that cannot sync a folder, which is no failure.
  if (fsync(handle.Get()) != 0 && errno != EINVAL) return Error{SystemReason(errno)};
  return Outcome::Done();
}

// Puts the finished file in the target's place. Over an existing file the two
// are exchanged, so that until the folder is synced the old file is still
// there under the pending name and a failed sync can exchange them back: the
// old file is then exactly as it was. A new file whose folder cannot be synced
// is removed again.
Outcome PutInPlace(PendingFile& pending, const std::string& target, bool replacing) {
  const std::string pendingName = pending.Name();
  const char* from = pendingName.c_str();
  const bool exchanged = renameat2(AT_FDCWD, from, AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0;
  if (!exchanged) {
    // ENOENT: no file there yet; EINVAL: a file system that cannot exchange.
    if (errno != ENOENT && errno != EINVAL) return Error{SystemReason(errno)};
    if (rename(from, target.c_str()) != 0) return Error{SystemReason(errno)};
  }
  const Outcome unsynced = SyncFolder(FolderOf(target, PathSeparators::Slash));
  if (unsynced) {
    if (!exchanged) pending.Keep();  // the pending name is gone; with an exchange it holds the old file
    return Outcome::Done();
  }
  if (exchanged) {
    if (renameat2(AT_FDCWD, from, AT_FDCWD, target.c_str(), RENAME_EXCHANGE) != 0) {
      pending.Keep();  // the old file stays under the pending name rather than being lost
    }
    return unsynced;
  }
  pending.Keep();
  // Without an exchange the old file is already gone: the complete new one
  // stays rather than nothing.
  if (replacing) return Outcome::Done();
  unlink(target.c_str());
  return unsynced;
}

}  // namespace

// A dangling link leads to nothing: it does not exist.
bool QtFiles::Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// The path is looked at before it is opened, so a folder, a pipe or a device
// is never opened at all; the open itself does not wait (O_NONBLOCK), and
// what was opened is looked at again, in case the path changed in between.
// The read stops one byte past the bound, whatever the file claimed.
Result<std::vector<std::uint8_t>> QtFiles::Read(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return MissingReason(path, errno);
  if (Outcome refused = RefusalOf(info); !refused) return Error{refused.ErrorMessage()};
  const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.Get() < 0) return MissingReason(path, errno);
  if (fstat(file.Get(), &info) != 0) return Error{SystemReason(errno)};
  if (Outcome refused = RefusalOf(info); !refused) return Error{refused.ErrorMessage()};

  Result<std::vector<std::uint8_t>> content = ReadUpToBound(file.Get(), static_cast<std::size_t>(info.st_size));
  if (content && PastTheBound(*content))
    return Error{std::string("it grew past ") + kLargestReadFileText + " while it was read"};
  return content;
}

// Writes a new file beside the target and puts it in the target's place only
// once every byte of it is on the disk; any failure on the way removes it
// and leaves the file that was there byte for byte. Only a regular file (or
// a link to one) is ever replaced: a pipe, a device or a socket is not
// opened at all.
Outcome QtFiles::Write(const std::string& path, std::span<const std::uint8_t> bytes) {
  const Result<std::string> target = WriteTarget(path);
  if (!target) return Error{target.ErrorMessage()};
  struct stat old;
  const bool replacing = stat(target->c_str(), &old) == 0;
  PendingFile pending;
  if (Outcome done = pending.Create(*target); !done) return done;
  if (replacing) {
    if (Outcome done = pending.TakeOverFrom(old); !done) return done;
  }
  if (Outcome done = pending.WriteAll(bytes); !done) return done;
  if (Outcome done = pending.Finish(); !done) return done;
  return PutInPlace(pending, *target, replacing);
}

Result<std::vector<std::uint8_t>> ReadStream(int fd) {
  Result<std::vector<std::uint8_t>> content = ReadUpToBound(fd, kLargestReadFile);
  if (content && PastTheBound(*content))
    return Error{std::string("it holds more than ") + kLargestReadFileText + ", and nothing larger is read"};
  return content;
}

}  // namespace kestrova
