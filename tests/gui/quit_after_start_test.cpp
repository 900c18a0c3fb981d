// The start-up hook for automation: the real window with Qt's own dialogs,
// run in the application's event loop until the hook ends it. It ends only
// after what the window shows was painted, and a refused file's message box
// is answered instead of waiting for a person.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <optional>

#include "app/qt_ui.h"
#include "app/quit_after_start.h"
#include "gui/window_fixture.h"

namespace kestrova::testing {
namespace {

// Counts the paint events of a widget that come while `painting` holds.
class PaintCounter : public QObject {
 public:
  PaintCounter(QWidget* watched, std::function<bool()> painting) : painting_(std::move(painting)) {
    watched->installEventFilter(this);
  }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && painting_()) ++paints;
    return false;
  }

 private:
  std::function<bool()> painting_;
};

struct StartCase {
  const char* name;
  std::optional<std::string> file;
  bool loads;
  int status;
};
void PrintTo(const StartCase& start, std::ostream* out) { *out << start.name; }

class QuitAfterStartTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(QuitAfterStartTest, EndsAfterThePaintOfWhatIsShown) {
  const StartCase& start = GetParam();
  app::QtUi ui;
  QtFiles files;
  app::TForm1 window(ui, files, nullptr, app::MapLayout::Classic);
  ui.SetWindow(&window);
  window.show();
  const Editor& core = window.Core();
  PaintCounter mapPaints(window.findChild<QWidget*>("FastIMG1"), [&] { return core.HasSnapshot(); });
  PaintCounter windowPaints(&window, [] { return true; });
  // A hook that never ends the loop fails here instead of hanging.
  QTimer::singleShot(20000, qApp, [] { QCoreApplication::exit(99); });

  app::OpenThenQuitAfterFirstPaint(window, start.file);
  const int status = QApplication::exec();

  EXPECT_EQ(status, start.status);
  EXPECT_EQ(core.HasSnapshot(), start.loads);
  if (start.loads) {
    EXPECT_GE(mapPaints.paints, 1) << "the loop ended before the map was painted";
  } else {
    EXPECT_GE(windowPaints.paints, 1) << "the loop ended before the window was painted";
  }
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "a message box is still open";
}

INSTANTIATE_TEST_SUITE_P(
    Starts, QuitAfterStartTest,
    ::testing::Values(StartCase{"Demo", DemoPath(), true, 0},
                      StartCase{"Demo128kSzx", DemoPath("kestrova-demo-128k.szx"), true, 0},
                      StartCase{"NoFile", std::nullopt, false, 0},
                      StartCase{"MissingFile", DemoPath("missing.sna"), false, app::kStartFileRefusedStatus},
                      StartCase{"NotASnapshot", DemoPath("title.png"), false, app::kStartFileRefusedStatus}),
    [](const ::testing::TestParamInfo<StartCase>& start) { return std::string(start.param.name); });

}  // namespace
}  // namespace kestrova::testing
