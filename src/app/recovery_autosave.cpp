#include "app/recovery_autosave.h"

#include <QDateTime>

#include <algorithm>

#include "app/main_window.h"
#include "recovery/recovery_record.h"

namespace kestrova::app {

RecoveryAutosave::RecoveryAutosave(TForm1& window, RecoveryStore& store, int intervalSeconds)
    : window_(window), store_(store) {
  timer_.setSingleShot(true);
  SetInterval(intervalSeconds);
  connect(&timer_, &QTimer::timeout, this, &RecoveryAutosave::Write);
  connect(&window_, &TForm1::Synced, this, &RecoveryAutosave::Notice);
  seenRevision_ = window_.Core().HistoryRevision();
}

// Work still unsaved in a window that was never closed (the program was
// ended some other way) stays for the next start.
RecoveryAutosave::~RecoveryAutosave() {
  if (!window_.Core().IsModified() || !window_.isVisible()) store_.RemoveOwn();
}

void RecoveryAutosave::SetInterval(int seconds) { timer_.setInterval(std::max(seconds, 1) * 1000); }

void RecoveryAutosave::OfferRecovery() {
  window_.Core().OfferRecovery(store_, QDateTime::currentSecsSinceEpoch());
  seenRevision_ = window_.Core().HistoryRevision();
  window_.Sync();
}

void RecoveryAutosave::Notice() {
  const Editor& editor = window_.Core();
  if (!editor.IsModified()) {
    timer_.stop();
    store_.RemoveOwn();
    seenRevision_ = editor.HistoryRevision();
    return;
  }
  // Only a change of the image starts the wait again: pointer moves and
  // scrolling leave it running.
  if (editor.HistoryRevision() == seenRevision_) return;
  seenRevision_ = editor.HistoryRevision();
  timer_.start();
}

void RecoveryAutosave::Write() {
  const Editor& editor = window_.Core();
  if (!editor.IsModified()) return;
  const Outcome written =
      store_.WriteOwn(EncodeRecoveryRecord(editor.RecoveryState(QDateTime::currentSecsSinceEpoch())));
  if (!written) window_.ShowNotice("Unsaved changes could not be kept for a crash: " + written.ErrorMessage());
}

}  // namespace kestrova::app
