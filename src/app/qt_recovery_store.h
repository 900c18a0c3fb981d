#pragma once

#include <QLockFile>
#include <QString>

#include <map>
#include <memory>

#include "ports/recovery_store.h"

namespace kestrova {

// The folder of the side files: "kestrova-editor" in $XDG_STATE_HOME, or in
// ~/.local/state where that is not set (the cache folder without a home).
QString RecoveryFolder();

// Side files in one folder, one per running editor: "<id>.recovery", named
// by the process id and a random part, beside the lock "<id>.lock" its
// editor holds while it runs. A side file whose lock is stale (its process
// is gone) or missing belongs to an editor that did not end cleanly.
class QtRecoveryStore : public RecoveryStore {
 public:
  explicit QtRecoveryStore(QString folder);
  ~QtRecoveryStore() override;
  QtRecoveryStore(const QtRecoveryStore&) = delete;
  QtRecoveryStore& operator=(const QtRecoveryStore&) = delete;

  Outcome WriteOwn(std::span<const std::uint8_t> bytes) override;
  void RemoveOwn() override;
  std::vector<std::string> Orphans() override;
  Result<std::vector<std::uint8_t>> Read(const std::string& orphan) override;
  void Release(const std::string& orphan) override;
  void Discard(const std::string& orphan) override;
  Result<std::string> SetAside(const std::string& orphan) override;

  // This editor's side file, written or not.
  QString OwnPath() const;
  const QString& Folder() const { return folder_; }

 private:
  QString PathOf(const QString& id, const char* suffix) const;
  Outcome MakeFolder();

  QString folder_;
  QString ownId_;
  std::unique_ptr<QLockFile> ownLock_;
  bool ownWritten_ = false;
  std::map<std::string, std::unique_ptr<QLockFile>> held_;  // orphans, by id
};

}  // namespace kestrova
