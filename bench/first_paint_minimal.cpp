// first_paint_minimal: the least a Qt Widgets program does to show a
// picture: an application, one window painting one image of the map view's
// size, ended once it has painted. bench/first_paint measures the editor's
// first painted map against this floor.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class Picture : public QWidget {
 public:
  Picture() {
    image_.fill(0xFF00CACA);
    setFixedSize(image_.size());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).drawImage(0, 0, image_);
    // Queued, so that this paint reaches the window first.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  }

 private:
  QImage image_{512, 384, QImage::Format_RGB32};
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  Picture window;
  window.show();
  return QApplication::exec();
}
