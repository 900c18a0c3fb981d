#pragma once

#include <map>
#include <string>
#include <vector>

#include "ports/recovery_store.h"

namespace kestrova::testing {

// Side files in memory: `orphans` are those editors left behind; every
// release, discard and setting aside is written down.
class MemoryRecoveryStore : public RecoveryStore {
 public:
  std::map<std::string, std::vector<std::uint8_t>> orphans;
  std::vector<std::uint8_t> own;
  bool ownWritten = false;
  bool ownUnwritable = false;
  std::vector<std::string> released, discarded, setAside;

  Outcome WriteOwn(std::span<const std::uint8_t> bytes) override {
    if (ownUnwritable) return Error{"the disk is full"};
    own.assign(bytes.begin(), bytes.end());
    ownWritten = true;
    return Outcome::Done();
  }
  void RemoveOwn() override {
    own.clear();
    ownWritten = false;
  }
  std::vector<std::string> Orphans() override {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : orphans) names.push_back(name);
    return names;
  }
  Result<std::vector<std::uint8_t>> Read(const std::string& orphan) override { return orphans.at(orphan); }
  void Release(const std::string& orphan) override { released.push_back(orphan); }
  void Discard(const std::string& orphan) override {
    orphans.erase(orphan);
    discarded.push_back(orphan);
  }
  Result<std::string> SetAside(const std::string& orphan) override {
    orphans.erase(orphan);
    setAside.push_back(orphan);
    return "/state/" + orphan + ".damaged";
  }
};

}  // namespace kestrova::testing
