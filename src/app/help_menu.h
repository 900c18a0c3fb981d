#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

namespace kestrova::app {

class TForm1;

// "Help": "User Guide" (F1) opens our guide in the desktop's browser,
// "Keyboard Shortcuts" lists every shortcut of the menus as they stand, and
// "About Kestrova Editor" gives the version, the commit and the licence.
class HelpMenu : public QObject {
  Q_OBJECT

 public:
  explicit HelpMenu(TForm1& window);

  // How a page is opened; the desktop's browser unless a test says
  // otherwise. False when it could not be opened.
  using UrlOpener = std::function<bool(const QUrl&)>;
  void SetUrlOpener(UrlOpener opener) { open_ = std::move(opener); }

  // The guide's page: installed beside the program, else the one in the
  // source tree (a program run from its build folder); empty when neither is there.
  static QString GuidePath();
  // "Kestrova Editor 0.1, 1a2b3c4", and the licence.
  static QString AboutText();
  // Every menu entry with a shortcut, one line each: "File > Save Snapshot\tCtrl+S".
  QString ShortcutsText() const;

  void ShowGuide();
  void ShowShortcuts();
  void ShowAbout();

 private:
  TForm1& window_;
  UrlOpener open_;
};

}  // namespace kestrova::app
