#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"

namespace kestrova {

// Where the window keeps the side file of its unsaved work, and finds those
// of editors that did not end cleanly. The window implements it with files
// and locks in the user's state folder; tests with a fake.
class RecoveryStore {
 public:
  virtual ~RecoveryStore() = default;

  // This editor's own side file: written whole or not at all, and removed
  // once the work is saved or dropped.
  virtual Outcome WriteOwn(std::span<const std::uint8_t> bytes) = 0;
  virtual void RemoveOwn() = 0;

  // The side files of editors that ended without removing theirs (a crash,
  // a kill, a power cut), never those of an editor still running. Each one
  // named is held by this editor until it is released, discarded or set
  // aside, so that no other editor offers it meanwhile.
  virtual std::vector<std::string> Orphans() = 0;
  virtual Result<std::vector<std::uint8_t>> Read(const std::string& orphan) = 0;
  // Kept for the next start ("Later").
  virtual void Release(const std::string& orphan) = 0;
  virtual void Discard(const std::string& orphan) = 0;
  // A side file that cannot be used, moved out of the way and kept for a
  // person to look at; the place where it now is, or why it could not move.
  virtual Result<std::string> SetAside(const std::string& orphan) = 0;
};

}  // namespace kestrova
