// zr-screenshots APP OUT: opens the program's windows on the application
// folder APP (which should hold a profile and the demo images) and writes
// one PNG per window into OUT.

#include "app/Clock.h"
#include "app/Dialogs.h"
#include "app/FindingsDialog.h"
#include "app/ProgramWindows.h"
#include "app/Prompts.h"
#include "app/Translation.h"
#include "app/frmAbout.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "check/PreflightCheck.h"
#include "model/ProfileStore.h"
#include "preview/frmBoardPreview.h"
#include "profiles/frmBackUpProfile.h"
#include "profiles/frmEditProfiles.h"
#include "profiles/frmNewProfile.h"
#include "profiles/frmViewConf.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

/// Answers every question with its first button, so that windows which ask
/// something on opening can be drawn without anyone at the keyboard.
class AnsweringPrompts : public zr::Prompts {
public:
    zr::Button ask(const QString&, const QString&, zr::Buttons buttons) override {
        switch (buttons) {
        case zr::Buttons::OK:
        case zr::Buttons::OKCancel:
            return zr::Button::OK;
        case zr::Buttons::YesNo:
        case zr::Buttons::YesNoCancel:
            return zr::Button::Yes;
        case zr::Buttons::RetryCancel:
            return zr::Button::Cancel;
        }
        return zr::Button::OK;
    }
    void inform(const QString&, const QString&) override {}
};

void save(QWidget& w, const QString& out, const QString& name) {
    w.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    w.grab().save(out + "/" + name + ".png");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zr::installTranslation(QLocale());  // LANG=sv_SE draws the Swedish texts
    if (argc < 3) {
        fprintf(stderr, "usage: zr-screenshots APP OUT\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(out);
    const zr::AppPaths paths(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    zr::SystemClock clock;
    AnsweringPrompts prompts;
    zr::QtDialogs dialogs;

    zr::frmSplash splash;
    save(splash, out, "splash");
    splash.close();

    zr::frmMain main(paths, clock, prompts, dialogs);
    zr::addProgramWindows(main);
    main.resize(1280, 900);
    if (!main.LoadMain()) return 1;
    save(main, out, "main");

    main.findChild<QAction*>("mnuViewLocalConf")->trigger();
    if (auto* viewer = main.findChild<zr::frmViewConf*>()) viewer->opt[0]->click();
    save(main, out, "main-with-viewer");
    main.mdiArea()->closeAllSubWindows();

    // Every editor and report that the program has, one picture each.
    for (const char* menu : {"mnuEdit", "mnuReportS"}) {
        for (QAction* entry : main.findChild<QMenu*>(menu)->actions()) {
            if (entry->objectName().isEmpty() || !entry->isEnabled()) continue;
            entry->trigger();
            for (QMdiSubWindow* sub : main.mdiArea()->subWindowList()) {
                // Reports open at a size of their own; editors are enlarged for the picture.
                if (qstrcmp(menu, "mnuReportS") != 0)
                    sub->resize(sub->widget()->sizeHint().expandedTo(QSize(640, 480)) + QSize(20, 40));
                sub->move(0, 0);
            }
            save(main, out, entry->objectName().mid(3).toLower());
            main.mdiArea()->closeAllSubWindows();
        }
    }
    // The board preview in each state, upright and on its side, on Friday at 11:30:07.
    const QString mode = main.Profile().DisplayMode();
    for (const QString standing : {"portrait", "landscape"}) {
        main.Profile().setDisplayMode(standing);
        const char* const states[] = {"idle", "order", "total"};
        for (int state = 0; state < 3; ++state) {
            main.findChild<QAction*>("mnuViewBoardPreview")->trigger();
            auto* preview = main.findChild<zr::frmBoardPreview*>();
            if (!preview) break;
            preview->setMoment({Qt::Friday, QTime(11, 30, 7), true});
            preview->setState(static_cast<zr::BoardState>(state));
            for (QMdiSubWindow* sub : main.mdiArea()->subWindowList()) {
                sub->resize(sub->widget()->sizeHint() + QSize(20, 40));
                sub->move(0, 0);
            }
            save(main, out, QString("preview-%1-%2").arg(states[state], standing));
            main.mdiArea()->closeAllSubWindows();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    main.Profile().setDisplayMode(mode);

    // Closed windows leave the main window's list only once deleted; the update window waits for that.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (QAction* update = main.findChild<QAction*>("mnuToolsUpdate"); update && update->isEnabled()) {
        update->trigger();
        // Drawing runs the event loop, which may delete other windows of the list: stop at the first match.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "frmOCBComm" && w->isVisible()) {
                save(*w, out, "ocb-comm");
                w->close();
                break;
            }
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (QAction* fleet = main.findChild<QAction*>("mnuToolsFleet"); fleet && fleet->isEnabled()) {
        fleet->trigger();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "frmFleet" && w->isVisible()) {
                if (auto* check = w->findChild<QPushButton*>("cmdCheck")) check->click();
                save(*w, out, "fleet");
                w->close();
                break;
            }
        }
    }

    {
        zr::frmAbout about(&main);
        save(about, out, "about");
    }
    {
        zr::frmEditProfiles editor(main);
        save(editor, out, "edit-profiles");
        zr::frmBackUpProfile backup(main, &editor);
        save(backup, out, "backup");
    }
    {
        zr::frmNewProfile w(main);
        QTimer::singleShot(0, &w, [&] {
            save(w, out, "new-profile");
            w.close();
        });
        w.CreateNewProfile();
    }
    // The check's list before an update, on the demo's broken profile.
    if (zr::ProfileStore::isValidName("Broken Store") && QDir(paths.profileFolder("Broken Store")).exists()) {
        zr::FindingsDialog findings(zr::checkProfile(paths, "Broken Store"), zr::FindingsDialog::Use::BeforeUpdate);
        save(findings, out, "check-findings");
    }
    main.hide();
    return 0;
}
