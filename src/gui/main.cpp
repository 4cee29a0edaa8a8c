// zrfe: the desktop program of the ZR front end.

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Dialogs.h"
#include "app/GuiPrompts.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "model/ProfileStore.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("ZR_FrontEnd");

    const zr::AppPaths paths(zr::AppPaths::defaultAppFolder(QApplication::applicationDirPath()));
    zr::SystemClock clock;
    zr::GuiPrompts prompts;
    zr::QtDialogs dialogs;

    zr::frmSplash splash;
    splash.show();
    zr::ProfileStore::CreateAppFolders(paths);
    clock.wait(1);

    zr::frmMain main(paths, clock, prompts, dialogs);
    main.show();
    splash.close();
    if (!main.LoadMain()) return 0;
    return app.exec();
}
