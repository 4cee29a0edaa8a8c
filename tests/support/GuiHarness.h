#pragma once

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "app/ProgramWindows.h"
#include "app/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>
#include <functional>

namespace zr::test {

/// Types the text one character at a time, as a keyboard that has a key for
/// every character would (QTest::keyClicks takes ASCII only).
inline void typeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text.mid(i, n));
        QApplication::sendEvent(widget, &press);
        i += n;
    }
}

/// A main window on a fresh application folder, with scripted prompts and
/// dialogs; ending the program is only counted.
struct GuiHarness {
    TempApp app;
    FakeClock clock;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    frmMain main{app.paths, clock, prompts, dialogs};
    int ended = 0;

    GuiHarness() { main.setEndProgram([this] { ++ended; }); }

    /// A profile folder made by hand: only Config.conf with the address.
    void profileFolder(const QString& name, const QByteArray& ip) const {
        QDir().mkpath(app.path("Profiles/" + name + "/Config"));
        app.write("Profiles/" + name + "/Config.conf", "IP = " + ip + "\r\n");
    }

    /// Makes the profile "North" current, lets stored change its values, and
    /// opens the window of that name as the program would.
    template <class Window>
    Window* open(const QString& name, const std::function<void(Profiles&)>& stored = {}) {
        addProgramWindows(main);
        main.Profile().setID("North");
        if (stored) stored(main.Profile());
        main.openWindow(name);
        return main.findChild<Window*>();
    }

    /// The lines of North's zr.conf.
    QStringList zrConf() const { return crlfLines(app.read("Profiles/North/Config/zr.conf")); }

    /// The names in the drop-down of the toolbar's Profiles button.
    QStringList dropDownNames() const {
        QStringList names;
        for (const QAction* a : main.profilesButton()->menu()->actions())
            names << a->text();
        return names;
    }
};

/// The texts of the questions or messages shown, in order.
inline QStringList texts(const QList<ScriptedPrompts::Shown>& shown) {
    QStringList out;
    for (const ScriptedPrompts::Shown& s : shown) out << s.text;
    return out;
}

} // namespace zr::test
