#include "app/help_menu.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>

#include "app/main_window.h"
#include "base/licence.h"

#ifndef KESTROVA_VERSION
#define KESTROVA_VERSION "0"
#endif
#ifndef KESTROVA_SOURCE_DOCS
#define KESTROVA_SOURCE_DOCS ""
#endif

namespace kestrova::app {

namespace {

constexpr const char* kGuideName = "guide.html";
// Where the install rules put the guide, from the program's folder.
constexpr const char* kInstalledDocs = "../share/doc/kestrova-editor";

void ListShortcuts(const QMenu& menu, const QString& path, QStringList& lines) {
  for (const QAction* action : menu.actions()) {
    const QString caption = action->text().remove('&');
    if (action->menu()) {
      ListShortcuts(*action->menu(), path + " > " + caption, lines);
      continue;
    }
    QStringList keys;
    for (const QKeySequence& key : action->shortcuts()) keys << key.toString(QKeySequence::NativeText);
    if (!keys.isEmpty()) lines << path + " > " + caption + "\t" + keys.join(", ");
  }
}

}  // namespace

HelpMenu::HelpMenu(TForm1& window)
    : window_(window), open_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  QMenu* help = window.menuBar()->addMenu("Help");
  help->setObjectName("Help1");
  QAction* guide = help->addAction("User Guide", this, &HelpMenu::ShowGuide);
  guide->setObjectName("UserGuide1");
  guide->setShortcut(QKeySequence(Qt::Key_F1));
  guide->setShortcutContext(Qt::ApplicationShortcut);
  help->addAction("Keyboard Shortcuts", this, &HelpMenu::ShowShortcuts)->setObjectName("KeyboardShortcuts1");
  help->addSeparator();
  help->addAction("About Kestrova Editor", this, &HelpMenu::ShowAbout)->setObjectName("About1");
}

QString HelpMenu::GuidePath() {
  const QStringList folders = {QDir(QCoreApplication::applicationDirPath()).filePath(kInstalledDocs),
                               QString(KESTROVA_SOURCE_DOCS)};
  for (const QString& folder : folders) {
    if (folder.isEmpty()) continue;
    const QFileInfo guide(QDir(folder).filePath(kGuideName));
    if (guide.isFile()) return guide.canonicalFilePath();
  }
  return {};
}

QString HelpMenu::AboutText() {
  return QString("Kestrova Editor %1\n\nThe level editor for the ZX Spectrum game Kestrova.\n\n%2")
      .arg(KESTROVA_VERSION, QString(kLicenceText).trimmed());
}

QString HelpMenu::ShortcutsText() const {
  QStringList lines;
  for (const QAction* action : window_.menuBar()->actions()) {
    if (action->menu()) ListShortcuts(*action->menu(), action->text().remove('&'), lines);
  }
  return lines.join('\n');
}

void HelpMenu::ShowGuide() {
  const QString guide = GuidePath();
  if (!guide.isEmpty() && open_(QUrl::fromLocalFile(guide))) return;
  const QString reason = guide.isEmpty()
                             ? QString("The user guide is not installed (it belongs in %1 beside the program).")
                                   .arg(QDir(QCoreApplication::applicationDirPath()).filePath(kInstalledDocs))
                             : QString("No browser could open the user guide \"%1\".").arg(guide);
  window_.Core().UiPort().Message(reason.toStdString(), "User Guide", MessageIcon::Information, MessageButtons::Ok);
}

void HelpMenu::ShowShortcuts() {
  window_.Core().UiPort().ShowText(ShortcutsText().toStdString(), "Keyboard Shortcuts");
}

void HelpMenu::ShowAbout() {
  window_.Core().UiPort().Message(AboutText().toStdString(), "About Kestrova Editor", MessageIcon::Information,
                                  MessageButtons::Ok);
}

}  // namespace kestrova::app
