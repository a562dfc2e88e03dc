// lexvane [FILE...]: the desktop program. Start-up order: the concordance
// window settings, the application name, the main window and then the
// long-lived dialogs; files named on the command line (a list, corpus files,
// a search file or a lemma list, as the file manager passes them) are opened
// once the window shows. --help and --version print and end without a
// display.
#include <string_view>

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "concordance/window_settings.h"
#include "gui/app/form_main.h"
#include "gui/app/screenshots.h"
#include "gui/app/workspace.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/runner/application.h"
#include "gui/runner/command_boundary.h"

namespace {

void nameProgram() {
  QCoreApplication::setApplicationName(QStringLiteral("Lexvane"));
  QCoreApplication::setApplicationVersion(QStringLiteral(LEXVANE_VERSION));
}

void describeCommandLine(QCommandLineParser& parser, const QCommandLineOption& screenshot) {
  parser.setApplicationDescription(
      QStringLiteral("Lexvane: concordances, word frequency lists and collocates of a corpus."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(
      QStringLiteral("FILE"),
      QStringLiteral("A list file (.CTL, .CFL) to open, corpus files to add, a word search file "
                     "(.cws) or a lemma list (.cll) to search with."),
      QStringLiteral("[FILE...]"));
  parser.addOption(screenshot);
}

// Whether the command line asks only for text (help or version), which needs
// no display.
bool asksOnlyForText(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") return false;
    if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-v" ||
        arg == "--version" || arg == "-?")
      return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace lexvane;
  QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                QStringLiteral("Save pictures of the windows into DIR and quit."),
                                QStringLiteral("DIR"));
  screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
  if (asksOnlyForText(argc, argv)) {
    QCoreApplication core(argc, argv);
    nameProgram();
    QCommandLineParser parser;
    describeCommandLine(parser, screenshot);
    parser.process(core);  // prints the help or the version and ends
    return 0;
  }

  gui::Application app(argc, argv);
  gui::InitGuiResources();

  concordance::ConcordanceWindowSettings windowSettings =
      concordance::LoadConcordanceWindowSettings(concordance::SettingsFilePath());

  nameProgram();
  QApplication::setDesktopFileName(QStringLiteral(LEXVANE_APP_ID));

  QCommandLineParser parser;
  describeCommandLine(parser, screenshot);
  parser.process(app);

  // The collator of the user's locale, resolved once for the whole run.
  gui::Workspace workspace(text::Collator::FromEnvironment(), windowSettings);
  gui::TFormMain mainWindow(workspace);
  workspace.Help().InstallKey();
  app.setUserInterface(&workspace.Ui());
  mainWindow.show();

  const QStringList files = parser.positionalArguments();
  if (!files.isEmpty()) {
    QTimer::singleShot(0, &mainWindow, [&] {
      gui::RunCommand(&mainWindow, [&] { mainWindow.OpenFiles(files, false); });
    });
  }
  if (parser.isSet(screenshot)) {
    gui::TakeScreenshots(mainWindow, parser.value(screenshot));
  }
  return QApplication::exec();
}
