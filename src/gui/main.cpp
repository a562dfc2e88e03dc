// lexvane [LISTFILE]: the desktop program. Start-up order: the concordance
// window settings, the application name, the main window and then the
// long-lived dialogs; a list file named on the command line is opened once
// the window shows.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "concordance/window_settings.h"
#include "gui/app/application.h"
#include "gui/app/form_main.h"
#include "gui/app/help.h"
#include "gui/app/screenshots.h"
#include "gui/app/workspace.h"

int main(int argc, char** argv) {
  using namespace lexvane;
  gui::Application app(argc, argv);
  gui::InitGuiResources();

  concordance::ConcordanceWindowSettings windowSettings =
      concordance::LoadConcordanceWindowSettings(concordance::SettingsFilePath());

  QApplication::setApplicationName(QStringLiteral("Lexvane"));
  QApplication::setApplicationVersion(QStringLiteral(LEXVANE_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("lexvane"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Lexvane: concordances and word lists."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("LISTFILE"),
                               QStringLiteral("A list file (.CTL or .CFL) to open."));
  QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                QStringLiteral("Save pictures of the windows into DIR and quit."),
                                QStringLiteral("DIR"));
  screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(screenshot);
  parser.process(app);

  gui::Workspace workspace(windowSettings);
  gui::TFormMain mainWindow(workspace);
  gui::InstallHelpKey();
  mainWindow.show();

  const QStringList lists = parser.positionalArguments();
  if (!lists.isEmpty()) {
    QTimer::singleShot(0, &mainWindow, [&] { mainWindow.OpenListFromCommandLine(lists.front()); });
  }
  if (parser.isSet(screenshot)) {
    gui::TakeScreenshots(mainWindow, parser.value(screenshot));
  }
  return QApplication::exec();
}
