// kestrova-editor [FILE]: the level editor's window, with FILE loaded at
// start when one is named.
#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>

#include <optional>
#include <string>
#include <string_view>

#include "app/app_settings.h"
#include "app/argument_bytes.h"
#include "app/desktop_session.h"
#include "app/edit_script_hook.h"
#include "app/main_window.h"
#include "app/qt_recovery_store.h"
#include "app/qt_ui.h"
#include "app/quit_after_start.h"
#include "base/licence.h"
#include "qtio/qt_files.h"

#ifndef KESTROVA_VERSION
#define KESTROVA_VERSION "0"
#endif
#ifndef KESTROVA_APP_ID
#define KESTROVA_APP_ID "kestrova-editor"
#endif

namespace {

void NameTheProgram() {
  QCoreApplication::setApplicationName("kestrova-editor");
  QCoreApplication::setApplicationVersion(KESTROVA_VERSION);
}

const QCommandLineOption kClassicOption("classic", "Start in the classic layout: the fixed window with the map at 2x.");

// The version option, which prints the licence too.
QCommandLineOption DescribeTheCommandLine(QCommandLineParser& parser) {
  parser.setApplicationDescription("The level editor for the ZX Spectrum game Kestrova.");
  parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addOption(kClassicOption);
  parser.addPositionalArgument("FILE", "a snapshot of the game (.sna, .szx, .z80, .sp, ...) to load at start",
                               "[FILE]");
  return version;
}

// Whether the command line asks only for a text (help or version), which
// needs no display. (--help-all lists the window system's options too, so
// it starts the window system first.)
bool AsksOnlyForText(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") return false;
    for (const std::string_view option : {"-h", "--help", "-v", "--version"}) {
      if (argument == option) return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (AsksOnlyForText(argc, argv)) {
    QCoreApplication application(argc, argv);
    NameTheProgram();
    QCommandLineParser parser;
    const QCommandLineOption version = DescribeTheCommandLine(parser);
    if (parser.parse(QCoreApplication::arguments()) && parser.isSet(version) && !parser.isSet("help")) {
      std::printf("kestrova-editor %s\n%s", KESTROVA_VERSION, kestrova::kLicenceText);
      return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    parser.process(application);  // prints the text and ends the program
    return 0;
  }
  QApplication application(argc, argv);
  NameTheProgram();
  QApplication::setDesktopFileName(KESTROVA_APP_ID);
  QCommandLineParser parser;
  DescribeTheCommandLine(parser);
  parser.process(application);

  kestrova::app::QtUi ui;
  kestrova::QtFiles files;
  kestrova::app::AppSettings settings;
  // The layout of the last run, unless the command line asks for the classic one.
  const bool classic = parser.isSet(kClassicOption) || settings.ClassicLayout();
  kestrova::app::TForm1 window(ui, files, nullptr,
                               classic ? kestrova::app::MapLayout::Classic : kestrova::app::MapLayout::Tall);
  ui.SetWindow(&window);
  kestrova::QtRecoveryStore recovery(kestrova::RecoveryFolder());
  kestrova::app::DesktopSession session(window, settings, recovery, files);
  window.show();
  const QStringList named = parser.positionalArguments();
  // The name as the system passed it, so that one that is not UTF-8 is refused, not changed.
  const std::optional<std::string> startFile =
      named.isEmpty() ? std::nullopt : std::optional(kestrova::app::ArgumentBytes(argc, argv, named.first()));
  // For automation: quit once the map is painted, or a refused FILE's message answered.
  // (It asks nothing, so the work of an earlier run waits for a start that may.)
  if (qEnvironmentVariableIsSet("KESTROVA_EDITOR_QUIT_AFTER_START")) {
    kestrova::app::OpenThenQuitAfterFirstPaint(window, startFile);
    return QApplication::exec();
  }
  if (startFile) window.OpenAtStart(*startFile);
  // For tests that need unsaved work in the real program.
  if (const QString script = qEnvironmentVariable("KESTROVA_EDITOR_EDIT_SCRIPT"); !script.isEmpty()) {
    if (const kestrova::Outcome done = kestrova::app::RunEditScriptFile(window, script.toStdString()); !done) {
      std::fprintf(stderr, "kestrova-editor: %s\n", done.ErrorMessage().c_str());
    }
  }
  session.OfferRecovery();
  return QApplication::exec();
}
