#include "app/quit_after_start.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>

namespace kestrova::app {

namespace {

// Presses OK in the message box that waits for an answer, if one does.
void AnswerWaitingMessageBox() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) return;
  if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
}

// Ends the event loop with `status` once `watched`, or a widget inside it,
// has handled its next paint event. (The window's own area is mostly its
// controls', so the window's paint is theirs.)
class QuitAfterNextPaint : public QObject {
 public:
  QuitAfterNextPaint(QWidget* watched, int status) : QObject(watched), watched_(watched), status_(status) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    auto* painted = qobject_cast<QWidget*>(object);
    if (painted != watched_ && !watched_->isAncestorOf(painted)) return false;
    // Queued, so the paint this filter sees is done first.
    const int status = status_;
    QTimer::singleShot(0, qApp, [status] { QCoreApplication::exit(status); });
    qApp->removeEventFilter(this);
    return false;
  }

 private:
  QWidget* watched_;
  int status_;
};

}  // namespace

void OpenThenQuitAfterFirstPaint(TForm1& window, const std::optional<std::string>& path) {
  if (path) {
    // A refused file shows its message in a modal box; its own event loop
    // runs this timer, so the box is answered as a person would.
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, &AnswerWaitingMessageBox);
    answerer.start(50);
    window.OpenAtStart(*path);
  }
  const bool refused = path && !window.Core().HasSnapshot();
  QWidget* shown = window.Core().HasSnapshot() ? window.findChild<QWidget*>("FastIMG1") : &window;
  new QuitAfterNextPaint(shown, refused ? kStartFileRefusedStatus : 0);
  // The window may have been painted already (under a message box): paint
  // again, so the paint waited for shows the final state.
  shown->update();
}

}  // namespace kestrova::app
