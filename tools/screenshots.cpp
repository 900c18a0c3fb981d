// kestrova_screenshots OUTDIR DEMO.sna: starts the real editor window (run
// it under Xvfb), walks through the things a person sees first and writes a
// PNG of each to OUTDIR.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <vector>

#include "app/main_window.h"
#include "app/qt_ui.h"
#include "qtio/qt_files.h"

namespace {

using kestrova::app::TForm1;

constexpr int kSettleMs = 300;

// The screen where `widgets` show, cut to the rectangle they cover together.
void Shoot(const QString& path, std::initializer_list<const QWidget*> widgets) {
  QRect area;
  for (const QWidget* widget : widgets) {
    if (widget) area = area.united(widget->frameGeometry());
  }
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  if (!shot.save(path)) std::fprintf(stderr, "could not write %s\n", qPrintable(path));
  std::printf("%s\n", qPrintable(path));
}

template <typename T>
T* Find(QWidget* window, const char* name) {
  return window->findChild<T*>(name);
}

// Takes a picture of the modal dialog that `open` brings up, then cancels it.
void ShootDialog(TForm1& window, const QString& path, const std::function<void()>& open) {
  QTimer::singleShot(kSettleMs, [&window, path] {
    QWidget* dialog = QApplication::activeModalWidget();
    Shoot(path, {&window, dialog});
    if (dialog) dialog->close();
  });
  open();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: kestrova_screenshots OUTDIR DEMO.sna\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  const QString demo = QString::fromLocal8Bit(argv[2]);
  kestrova::app::QtUi ui;
  kestrova::QtFiles files;
  TForm1 window(ui, files);
  ui.SetWindow(&window);
  window.move(0, 0);
  window.show();

  std::vector<std::function<void()>> steps{
      [&] { Shoot(out.filePath("01-before-load.png"), {&window}); },
      [&] {
        window.OpenAtStart(demo);
        QTimer::singleShot(kSettleMs, [&] { Shoot(out.filePath("02-demo-loaded.png"), {&window}); });
      },
      [&] {
        auto* chooser = Find<QComboBox>(&window, "ComboBox1");
        emit chooser->activated(4);
        auto* bar = Find<QScrollBar>(&window, "ScrollBar1");
        bar->setValue(bar->maximum() / 2);
        Find<QCheckBox>(&window, "CheckBox1")->click();
        QTimer::singleShot(kSettleMs, [&] { Shoot(out.filePath("03-level5-middle-land-space.png"), {&window}); });
      },
      [&] {
        ShootDialog(window, out.filePath("04-message-box.png"),
                    [&] { window.OpenAtStart(out.filePath("no-such-snapshot.sna")); });
      },
      [&] {
        ShootDialog(window, out.filePath("05-number-prompt.png"),
                    [&] { Find<QAction>(&window, "Lives1")->trigger(); });
      },
      [&] {
        ShootDialog(window, out.filePath("06-save-dialog.png"),
                    [&] { Find<QAction>(&window, "SaveSnapshot1")->trigger(); });
      },
  };

  // One step after another, each once the window has settled.
  std::size_t next = 0;
  std::function<void()> runNext = [&] {
    if (next == steps.size()) {
      QApplication::quit();
      return;
    }
    steps[next++]();
    QTimer::singleShot(2 * kSettleMs, runNext);
  };
  QTimer::singleShot(kSettleMs, runNext);
  return QApplication::exec();
}
