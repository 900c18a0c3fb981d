#pragma once

// Folders whose writes fail the way a full disk fails, below the Files port:
// a small tmpfs mounted and filled to the last byte (when the process may
// mount), and a file-size limit of 0 for the writes of this process or of a
// shell command (always).
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kestrova::testing {

// A 256 KiB tmpfs at a fresh folder, unmounted on destruction.
class FullTmpfs {
 public:
  FullTmpfs() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrova-full-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    path_ = pattern;
    mounted_ = mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") == 0;
  }
  ~FullTmpfs() {
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  FullTmpfs(const FullTmpfs&) = delete;
  FullTmpfs& operator=(const FullTmpfs&) = delete;

  bool Mounted() const { return mounted_; }
  const std::filesystem::path& Path() const { return path_; }

  // Fills every free byte with one file; true when the file system refused
  // the next byte with "No space left on device".
  bool Fill() const {
    std::FILE* filler = std::fopen((path_ / "filler").c_str(), "wb");
    if (filler == nullptr) return false;
    std::setvbuf(filler, nullptr, _IONBF, 0);
    const std::vector<char> block(4096, 'F');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size()) {
    }
    while (std::fwrite(block.data(), 1, 1, filler) == 1) {
    }
    const bool full = errno == ENOSPC;
    std::fclose(filler);
    return full;
  }

 private:
  std::filesystem::path path_;
  bool mounted_ = false;
};

// While it lives (and is active), every write of this process that would grow a regular
// file fails with "File too large" (the signal that would end the
// process is ignored, so the write call reports it).
class NoFileGrowth {
 public:
  explicit NoFileGrowth(bool active = true) : active_(active) {
    if (!active_) return;
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = signal(SIGXFSZ, SIG_IGN);
    rlimit none = saved_;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &none);
  }
  ~NoFileGrowth() {
    if (!active_) return;
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previous_);
  }
  NoFileGrowth(const NoFileGrowth&) = delete;
  NoFileGrowth& operator=(const NoFileGrowth&) = delete;

  // The same for one shell command and what it runs.
  static std::string Prefix() { return "ulimit -f 0; trap '' XFSZ; "; }

 private:
  bool active_;
  rlimit saved_{};
  void (*previous_)(int) = SIG_DFL;
};

}  // namespace kestrova::testing
