#pragma once

#include <QObject>
#include <QTimer>

#include <cstddef>

#include "ports/recovery_store.h"

namespace kestrova::app {

class TForm1;

// Keeps the window's unsaved work in its side file: a few seconds after the
// last change of the image (the interval of the settings) while the game has
// unsaved changes; the side file goes once the work is saved, undone back to
// the file, or dropped, and when the editor ends cleanly.
class RecoveryAutosave : public QObject {
  Q_OBJECT

 public:
  RecoveryAutosave(TForm1& window, RecoveryStore& store, int intervalSeconds);
  // A clean end: whatever was unsaved was saved or discarded.
  ~RecoveryAutosave() override;

  void SetInterval(int seconds);
  int IntervalSeconds() const { return timer_.interval() / 1000; }

  // At start: the question about the work of editors that did not end
  // cleanly; restored work is kept in this editor's side file at once.
  void OfferRecovery();

 private:
  // After every call the window made on the Editor.
  void Notice();
  void Write();

  TForm1& window_;
  RecoveryStore& store_;
  QTimer timer_;
  std::size_t seenRevision_ = 0;
};

}  // namespace kestrova::app
