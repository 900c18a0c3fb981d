#pragma once

#include <QObject>

namespace kestrova::app {

class TForm1;

// A file dropped on the window opens as "Load Snapshot" opens one (the
// question about unsaved changes first); a file of another kind is refused
// with a message, and a drop that holds no local file is not taken.
class SnapshotDrop : public QObject {
  Q_OBJECT

 public:
  explicit SnapshotDrop(TForm1& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TForm1& window_;
};

}  // namespace kestrova::app
