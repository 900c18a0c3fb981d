// kestrova_screenshots OUTDIR DEMO.sna: starts the real editor window (run
// it under Xvfb), walks through the things a person sees first and writes a
// PNG of each to OUTDIR.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "app/help_menu.h"
#include "app/main_window.h"
#include "app/properties_window.h"
#include "app/qt_ui.h"
#include "edit/palette_tables.h"
#include "qtio/qt_files.h"
#include "recovery/recovery_record.h"

namespace {

using kestrova::app::TForm1;
using kestrova::app::TForm2;

constexpr int kSettleMs = 300;

// The screen within `area` (screen pixels).
void ShootArea(const QString& path, const QRect& area) {
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  if (!shot.save(path)) std::fprintf(stderr, "could not write %s\n", qPrintable(path));
  std::printf("%s\n", qPrintable(path));
}

// The screen where `widgets` (windows) show, cut to the rectangle they cover together.
void Shoot(const QString& path, std::initializer_list<const QWidget*> widgets) {
  QRect area;
  for (const QWidget* widget : widgets) {
    if (widget) area = area.united(widget->frameGeometry());
  }
  ShootArea(path, area);
}

// Where a control lies on the screen.
QRect GlobalRect(const QWidget* control) { return QRect(control->mapToGlobal(QPoint(0, 0)), control->size()); }

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

void Mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void MouseWith(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers keys) {
  QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, keys);
  QApplication::sendEvent(widget, &event);
}

// A map point whose right press shows a popup starting with `caption`.
QPoint FindObject(TForm1& window, const std::string& caption) {
  kestrova::Editor& editor = window.Core();
  for (int y = 380; y > 20; y -= 4) {
    for (int x = 8; x < 512; x += 16) {
      editor.PressMap(kestrova::MouseButton::Right, x, y);
      if (!editor.Popup().empty() && editor.Popup().front().caption.rfind(caption, 0) == 0) return {x, y};
    }
  }
  return {256, 300};
}

// Right press at `at` on the map; `then` runs while the popup is open.
void ShootPopup(TForm1& window, QPoint at, const std::function<void(QMenu*)>& then) {
  QWidget* map = window.findChild<QWidget*>("FastIMG1");
  QTimer::singleShot(kSettleMs, [then] { then(qobject_cast<QMenu*>(QApplication::activePopupWidget())); });
  Mouse(map, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
  Mouse(map, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
  QContextMenuEvent asked(QContextMenuEvent::Mouse, at, map->mapToGlobal(at));
  QApplication::sendEvent(map, &asked);
}

void CloseMenus() {
  while (QWidget* open = QApplication::activePopupWidget()) open->close();
}

// The Qt dialogs, but an open-file dialog answered with a path set beforehand.
class ShotUi : public kestrova::app::QtUi {
 public:
  std::optional<std::string> nextOpen;
  std::optional<std::string> OpenFile(const kestrova::FileDialogRequest& request) override {
    if (nextOpen) return std::exchange(nextOpen, std::nullopt);
    return QtUi::OpenFile(request);
  }
};

// One piece of unsaved work left by an editor that did not end cleanly.
class OneOrphan : public kestrova::RecoveryStore {
 public:
  explicit OneOrphan(std::vector<std::uint8_t> record) : record_(std::move(record)) {}
  kestrova::Outcome WriteOwn(std::span<const std::uint8_t>) override { return kestrova::Outcome::Done(); }
  void RemoveOwn() override {}
  std::vector<std::string> Orphans() override { return {"earlier-run"}; }
  kestrova::Result<std::vector<std::uint8_t>> Read(const std::string&) override { return record_; }
  void Release(const std::string&) override {}
  void Discard(const std::string&) override {}
  kestrova::Result<std::string> SetAside(const std::string& orphan) override { return orphan; }

 private:
  std::vector<std::uint8_t> record_;
};

// Types `reply` into the input box that shows and presses OK.
void Reply(const QString& reply) {
  QWidget* box = QApplication::activeModalWidget();
  auto* field = box ? box->findChild<QLineEdit*>() : nullptr;
  if (field == nullptr) return;
  field->setText(reply);
  QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
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
  ShotUi ui;
  kestrova::QtFiles files;
  TForm1 window(ui, files, nullptr, kestrova::app::MapLayout::Classic);
  kestrova::app::HelpMenu help(window);
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
        ShootDialog(window, out.filePath("05-number-prompt.png"), [&] { Find<QAction>(&window, "Lives1")->trigger(); });
      },
      [&] {
        ShootDialog(window, out.filePath("06-save-dialog.png"),
                    [&] { Find<QAction>(&window, "SaveSnapshotAs1")->trigger(); });
      },
      // A .szx cut short: the box gives the reason under "Load Error".
      [&] {
        const QString cut = out.filePath("cut-short.szx");
        QFile demoSzx("kestrova-demo.szx");
        if (demoSzx.open(QIODevice::ReadOnly)) {
          QByteArray bytes = demoSzx.readAll();
          bytes.chop(10);
          QFile file(cut);
          if (file.open(QIODevice::WriteOnly)) file.write(bytes);
        }
        ShootDialog(window, out.filePath("07-load-error-with-reason.png"), [&window, cut] {
          window.OpenAtStart(cut);
          QFile::remove(cut);
        });
      },
      // The File menu with Save and Save As.
      [&] {
        auto* file = Find<QMenu>(&window, "File1");
        window.menuBar()->setActiveAction(file->menuAction());
        QTimer::singleShot(kSettleMs, [&, file] {
          Shoot(out.filePath("08-file-menu.png"), {&window, file});
          file->close();
        });
      },
      // Editing: a popup on an object, the insert tree on bare ground, a
      // palette drag in flight and the map after the drop.
      [&] {
        emit Find<QComboBox>(&window, "ComboBox1")->activated(0);
        const QPoint tree = FindObject(window, "Delete Tree");
        window.Core().ChooseLevel(0);
        window.Sync();
        ShootPopup(window, tree, [&](QMenu* menu) {
          Shoot(out.filePath("10-popup-on-a-tree.png"), {&window, menu});
          CloseMenus();
        });
      },
      [&] {
        const QPoint ground = FindObject(window, "Insert");
        window.Core().ChooseLevel(0);
        window.Sync();
        ShootPopup(window, ground, [&](QMenu* menu) {
          if (!menu) return;
          QAction* insert = menu->actions().front();
          menu->setActiveAction(insert);
          insert->menu()->popup(menu->mapToGlobal(menu->actionGeometry(insert).topRight()));
          QMenu* tree = insert->menu();
          QTimer::singleShot(kSettleMs, [&, menu, tree] {
            Shoot(out.filePath("11-insert-tree-on-ground.png"), {&window, menu, tree});
            CloseMenus();
          });
        });
      },
      [&] {
        QWidget* strip = Find<QWidget>(&window, "FastIMG3");
        QWidget* client = window.centralWidget();
        const QPoint start(48, 20);  // the tree's slot
        const QPoint over = strip->mapFrom(client, QPoint(300, 300));
        Mouse(strip, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
        Mouse(strip, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        Mouse(strip, QEvent::MouseMove, strip->mapFrom(client, QPoint(200, 200)), Qt::NoButton, Qt::LeftButton);
        Mouse(strip, QEvent::MouseMove, over, Qt::NoButton, Qt::LeftButton);
        QTimer::singleShot(kSettleMs, [&, strip, over] {
          Shoot(out.filePath("12-palette-drag-in-flight.png"), {&window});
          Mouse(strip, QEvent::MouseButtonRelease, over, Qt::LeftButton, Qt::NoButton);
          QTimer::singleShot(kSettleMs, [&] { Shoot(out.filePath("13-map-after-the-drop.png"), {&window}); });
        });
      },
      [&] {
        // A tree Ctrl+clicked, then a rubber band Shift+dragged over the lower right of the map.
        QWidget* map = Find<QWidget>(&window, "FastIMG1");
        const QPoint tree = FindObject(window, "Delete Tree");
        MouseWith(map, QEvent::MouseButtonPress, tree, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
        MouseWith(map, QEvent::MouseButtonRelease, tree, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
        const QPoint from(500, 370), to(300, 250);
        MouseWith(map, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
        MouseWith(map, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
        QTimer::singleShot(kSettleMs, [&, map, to] {
          Shoot(out.filePath("14-selection-band-in-flight.png"), {&window});
          MouseWith(map, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
          QTimer::singleShot(kSettleMs, [&] { Shoot(out.filePath("15-selection-outline.png"), {&window}); });
        });
      },
      // The Help menu open.
      [&] {
        auto* menu = Find<QMenu>(&window, "Help1");
        window.menuBar()->setActiveAction(menu->menuAction());
        QTimer::singleShot(kSettleMs, [&, menu] {
          Shoot(out.filePath("16-help-menu.png"), {&window, menu});
          menu->close();
        });
      },
      // "Lives" answered 9: the prompt comes back saying what it takes.
      [&] {
        QTimer::singleShot(kSettleMs, [] { Reply("9"); });
        QTimer::singleShot(3 * kSettleMs, [&] {
          QWidget* dialog = QApplication::activeModalWidget();
          Shoot(out.filePath("17-refused-number.png"), {&window, dialog});
          if (dialog) dialog->close();  // Cancel: the lives as they were are taken
        });
        Find<QAction>(&window, "Lives1")->trigger();
      },
      // A screen loaded for the next tape: its lasting label in the status bar.
      [&] {
        const QString screen = out.filePath("title.scr");
        QFile file(screen);
        if (file.open(QIODevice::WriteOnly)) {
          QByteArray bytes(6144, '\0');
          for (int i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i / 32) % 2 ? 0xAA : 0x55);
          bytes.append(QByteArray(768, '\x0E'));
          file.write(bytes);
          file.close();
        }
        ui.nextOpen = screen.toStdString();
        Find<QAction>(&window, "LoadScreen1")->trigger();
        QFile::remove(screen);
        QTimer::singleShot(kSettleMs, [&] { Shoot(out.filePath("18-loaded-screen-label.png"), {&window}); });
      },
      // At start, the unsaved work of an editor that did not end cleanly.
      [&] {
        OneOrphan store(
            kestrova::EncodeRecoveryRecord(window.Core().RecoveryState(QDateTime::currentSecsSinceEpoch() - 3600)));
        ShootDialog(window, out.filePath("19-restore-unsaved-changes.png"), [&] {
          window.Core().OfferRecovery(store, QDateTime::currentSecsSinceEpoch());
          window.Sync();
        });
      },
  };

  // The "Properties" window on each of its tabs, chosen as a click on the
  // tab chooses it.
  const auto properties = [] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<TForm2*>(widget)) return dialog;
    }
    return static_cast<TForm2*>(nullptr);
  };
  for (std::size_t tab = 0; tab < kestrova::kPropertiesTabCaptions.size(); ++tab) {
    steps.push_back([&, tab] {
      TForm2* dialog = properties();
      if (dialog == nullptr) return;
      window.Core().ShowProperties();
      dialog->Sync();
      emit Find<kestrova::app::PageControl>(dialog, "PageControl1")->TabChosen(static_cast<int>(tab));
      const QString caption =
          QString::fromUtf8(kestrova::kPropertiesTabCaptions[tab].data()).toLower().replace(' ', '-');
      const QString name = QString("%1-properties-%2.png").arg(20 + tab).arg(caption);
      QTimer::singleShot(kSettleMs, [&, name, dialog] { Shoot(out.filePath(name), {dialog}); });
    });
  }

  // The resizable layout maximised on the 1920 x 1080 screen, level 5 in
  // its middle, at 2x and 3x, and the overview's frame up close.
  steps.push_back([&] {
    window.Core().CloseProperties();
    window.SetClassicLayout(false);
    window.SetZoom(2);
    window.showMaximized();
    emit Find<QComboBox>(&window, "ComboBox1")->activated(4);
    window.Core().ScrollTall(window.Core().TallBottomLimit() / 2);
    window.Sync();
    QTimer::singleShot(kSettleMs, [&] { Shoot(out.filePath("30-maximised-zoom-2.png"), {&window}); });
  });
  steps.push_back([&] {
    window.SetZoom(3);
    QTimer::singleShot(kSettleMs, [&] { Shoot(out.filePath("31-maximised-zoom-3.png"), {&window}); });
  });
  steps.push_back([&] {
    window.SetZoom(2);
    QTimer::singleShot(kSettleMs, [&] {
      const QWidget* overview = Find<QWidget>(&window, "FastIMG2");
      const QWidget* bar = Find<QWidget>(&window, "ScrollBar1");
      ShootArea(out.filePath("32-overview-frame.png"),
                GlobalRect(bar).united(GlobalRect(overview)).adjusted(-4, -4, 4, 4));
    });
  });

  // Every object of the level selected on the tall map: the outline over every band.
  steps.push_back([&] {
    Find<QAction>(&window, "SelectAll1")->trigger();
    QTimer::singleShot(kSettleMs, [&] { Shoot(out.filePath("33-tall-select-all.png"), {&window}); });
  });
  // The palette's rows in the maximised window: the pointer resting over a
  // picture of the second row, its name in the tooltip; then a tree carried
  // over the map, the marker where it would land.
  const auto paletteAt = [&](int stripX) {
    QWidget* strip = Find<QWidget>(&window, "FastIMG3");
    for (int y = 20; y < strip->height(); y += 40) {
      for (int x = 16; x < strip->width(); x += 32) {
        if (window.Core().PaletteStripX(x, y) == stripX) return QPoint(x, y);
      }
    }
    return QPoint(16, 20);
  };
  steps.push_back([&] {
    QWidget* strip = Find<QWidget>(&window, "FastIMG3");
    const QPoint at = paletteAt(kestrova::kPaletteStripWidth - 48);  // the fortress, in the last row
    Mouse(strip, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    QHelpEvent tooltip(QEvent::ToolTip, at, strip->mapToGlobal(at));
    QApplication::sendEvent(strip, &tooltip);
    QTimer::singleShot(kSettleMs, [&, strip] {
      ShootArea(out.filePath("35-palette-tooltip.png"),
                GlobalRect(strip).adjusted(-8, -8, 8, 60).intersected(window.frameGeometry()));
      QToolTip::hideText();
    });
  });
  steps.push_back([&] {
    QWidget* strip = Find<QWidget>(&window, "FastIMG3");
    QWidget* map = Find<QWidget>(&window, "FastIMG1");
    const QPoint start = paletteAt(48);  // the tree
    const QPoint over = strip->mapFromGlobal(map->mapToGlobal(QPoint(map->width() / 2, map->height() / 2)));
    Mouse(strip, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    Mouse(strip, QEvent::MouseMove, over, Qt::NoButton, Qt::LeftButton);
    QTimer::singleShot(kSettleMs, [&, strip, map, over] {
      const QPoint middle = map->mapToGlobal(QPoint(map->width() / 2, map->height() / 2));
      ShootArea(out.filePath("36-drop-marker-mid-drag.png"), QRect(middle - QPoint(200, 200), QSize(400, 400)));
      Mouse(strip, QEvent::MouseButtonRelease, over, Qt::LeftButton, Qt::NoButton);
    });
  });

  // One step after another, each once the window has settled.
  std::size_t next = 0;
  std::function<void()> runNext = [&] {
    if (next == steps.size()) {
      // Leaves without closing the window: the drop left unsaved work, which
      // a close would ask about.
      QApplication::exit(0);
      return;
    }
    steps[next++]();
    QTimer::singleShot(4 * kSettleMs, runNext);
  };
  QTimer::singleShot(kSettleMs, runNext);
  return QApplication::exec();
}
