// quorvane-workbench [FILE.svg]: the desktop app with the module loaded.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "workbench/app/app_session.h"
#include "workbench/app/main_window.h"
#include "workbench/cli/module_session.h"
#include "workbench/cli/preferences.h"
#include "workbench/ui/qt_toolkit.h"

namespace {

// Whether the command line only asks for the help or the version, which are
// printed without a display.
bool OnlyAsksForText(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h" || arg == "--help-all" || arg == "--version" || arg == "-v") return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Quorvane Workbench: draw seam allowances on SVG pattern pieces."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("An SVG file to open."), QStringLiteral("[FILE.svg]"));
  const QCommandLineOption moduleOption(QStringLiteral("module"), QStringLiteral("The module to load."),
                                        QStringLiteral("PATH"));
  const QCommandLineOption prefsOption(QStringLiteral("prefs"),
                                       QStringLiteral("The module's preferences folder (default: ~/.config/quorvane)."),
                                       QStringLiteral("DIR"));
  const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                            QStringLiteral("Save a picture of the window once it is shown."),
                                            QStringLiteral("OUT.png"));
  const QCommandLineOption quitOption(QStringLiteral("quit"), QStringLiteral("Quit once the window is shown."));
  parser.addOptions({moduleOption, prefsOption, screenshotOption, quitOption});
  if (OnlyAsksForText(argc, argv)) {
    // No window system is needed to print text: a core application parses.
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvane-workbench"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
    parser.process(core);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quorvane-workbench"));
  QApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
  QApplication::setOrganizationName(QStringLiteral("quorvane"));
  QApplication::setStyle(QStringLiteral("Fusion"));
  parser.process(app);

  std::optional<std::filesystem::path> named;
  if (parser.isSet(prefsOption)) {
    named = parser.value(prefsOption).toStdString();
  } else {
    named = workbench::cli::UserConfigFolder();
  }
  std::string error;
  std::optional<workbench::cli::PreferencesFolder> prefs = workbench::cli::PreferencesFolder::Make(named, &error);
  if (!prefs) {
    std::fprintf(stderr, "quorvane-workbench: %s\n", error.c_str());
    return 2;
  }

  workbench::app::AppSession session(prefs->Path());
  auto toolkit = std::make_unique<workbench::ui::QtToolkit>();
  workbench::ui::QtToolkit* widgets = toolkit.get();
  session.SetToolkit(std::move(toolkit));
  const std::filesystem::path modulePath = parser.isSet(moduleOption)
                                               ? std::filesystem::path(parser.value(moduleOption).toStdString())
                                               : workbench::cli::DefaultModulePath();
  if (!session.LoadModule(modulePath, &error)) {
    std::fprintf(stderr, "quorvane-workbench: the module is not loaded: %s\n", error.c_str());
  }

  // A file named on the command line that cannot be read: a scripted run
  // (--screenshot, --quit) ends with its reason; a user gets the window and
  // a message box naming the file and line.
  const bool scripted = parser.isSet(screenshotOption) || parser.isSet(quitOption);
  const QStringList files = parser.positionalArguments();
  if (scripted && !files.isEmpty() && !session.Open(files.front().toStdString(), &error)) {
    std::fprintf(stderr, "quorvane-workbench: %s\n", error.c_str());
    return 2;
  }
  workbench::app::MainWindow window(session, widgets);
  window.show();
  if (!scripted && !files.isEmpty()) {
    const QString file = files.front();
    QTimer::singleShot(0, &window, [&window, file] { window.OpenFile(file); });
  }

  if (parser.isSet(screenshotOption) || parser.isSet(quitOption)) {
    const QString out = parser.value(screenshotOption);
    const bool quit = parser.isSet(quitOption);
    QTimer::singleShot(0, &window, [&window, out, quit] {
      window.Canvas().FitDocument();
      if (!out.isEmpty() && !window.grab().save(out)) {
        std::fprintf(stderr, "quorvane-workbench: cannot write %s\n", out.toLocal8Bit().constData());
        QApplication::exit(2);
        return;
      }
      if (quit) QApplication::exit(0);
    });
  }
  const int status = QApplication::exec();
  session.UnloadModule();
  return status;
}
