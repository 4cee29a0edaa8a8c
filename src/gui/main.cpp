// zrfe: the desktop program of the ZR front end.

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Dialogs.h"
#include "app/GuiPrompts.h"
#include "app/ProgramWindows.h"
#include "app/Translation.h"
#include "app/frmAbout.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "model/ProfileStore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("ZR_FrontEnd");
    QApplication::setApplicationVersion(zr::versionText());
    // The menu entry and icon of an installed program.
    QApplication::setDesktopFileName(ZR_APP_ID);
    QApplication::setWindowIcon(QIcon::fromTheme(ZR_APP_ID));
    zr::installTranslation(QLocale());

    QCommandLineParser options;
    options.setApplicationDescription("The ZR front end: configures drive-thru Order Confirmation Boards.");
    options.addHelpOption();
    options.addVersionOption();
    options.addOption({"app",
                       "Application folder (default: the folder of the program when it is writable "
                       "and not installed, otherwise the per-user data folder "
                       "~/.local/share/ZRFrontEnd).",
                       "folder"});
    options.process(app);
    const QString folder = options.isSet("app")
                               ? QDir(options.value("app")).absolutePath()
                               : zr::AppPaths::defaultAppFolder(QApplication::applicationDirPath());
    QDir().mkpath(folder);
    const zr::AppPaths paths(folder, QApplication::applicationDirPath());
    zr::SystemClock clock;
    zr::GuiPrompts prompts;
    zr::QtDialogs dialogs;

    zr::frmSplash splash;
    splash.show();
    zr::ProfileStore::CreateAppFolders(paths);
    clock.wait(1);

    zr::frmMain main(paths, clock, prompts, dialogs);
    zr::addProgramWindows(main);
    main.show();
    splash.close();
    if (!main.LoadMain()) return 0;
    return app.exec();
}
