#pragma once

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "app/ProgramWindows.h"
#include "app/frmMain.h"

#include <QtWidgets>
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

    /// A small JPEG picture in the folder, coloured after its name.
    void picture(const QString& folder, const QString& name) const {
        QDir().mkpath(folder);
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(int(qHash(name) % 360), 200, 200));
        image.save(folder + "/" + name, "JPG");
    }

    /// A saved profile "North" whose day parts differ: the week's breakfast
    /// shows a.jpg, b.jpg and c.jpg for 3, 1 and 10 seconds, every Friday part
    /// fri.jpg for 4; Saturday starts at 07:00, 11:30, 17:00 and 23:00, Sunday
    /// half an hour earlier; the week's suggestions are named after day part and
    /// family ("lunch40.jpg", "lunch 40"). Edited as asked before it is saved.
    bool dayParts(const std::function<void(Profiles&)>& edit = {}) {
        for (const QString name : {"a.jpg", "b.jpg", "c.jpg", "fri.jpg", "default.jpg"})
            picture(app.paths.popImages(), name);
        for (const QString name : {"burger.jpg", "lunch40.jpg", "pie.jpg"})
            picture(app.paths.itemImages(), name);
        Profiles& p = main.Profile();
        p.setID("North");
        p.Week("week")->Day("break")->POPs = {{"a.jpg", "3"}, {"b.jpg", "1"}, {"c.jpg", "10"}};
        for (TimeOfDay& d : p.Week("fri")->Days)
            d.POPs = {{"fri.jpg", "4"}};
        const QList<QTime> sat{{7, 0}, {11, 30}, {17, 0}, {23, 0}};
        for (int d = 0; d < 4; ++d) {
            p.Week("sat")->Days[d].StartTime = sat[d];
            p.Week("sun")->Days[d].StartTime = sat[d].addSecs(-1800);
        }
        for (const QString part : {"break", "lunch", "dinner"}) {
            p.Week("week")->Day(part)->Suggest.clear();
            for (const QString code : {"10", "20", "30", "40", "50"})
                p.Week("week")->Day(part)->Suggest.append({code, part + code + ".jpg", part + " " + code});
        }
        if (edit) edit(p);
        p.SaveProfile();
        return true;
    }

    /// The lines of North's zr.conf that start with the key, blanks made single.
    QStringList confLines(const QString& key) const {
        return crlfLines(app.read("Profiles/North/Config/zr.conf"))
            .filter(QRegularExpression("^" + key)).replaceInStrings(QRegularExpression(" +"), " ");
    }

    /// The names in the drop-down of the toolbar's Profiles button.
    QStringList dropDownNames() const {
        QStringList names;
        for (const QAction* a : main.profilesButton()->menu()->actions())
            names << a->text();
        return names;
    }
};

/// Turns an action on a window of type W into one on any widget.
template <class W, class F>
std::function<void(QWidget*)> on(F f) {
    return [f](QWidget* w) { f(*static_cast<W*>(w)); };
}

/// The texts of the questions or messages shown, in order.
inline QStringList texts(const QList<ScriptedPrompts::Shown>& shown) {
    QStringList out;
    for (const ScriptedPrompts::Shown& s : shown) out << s.text;
    return out;
}

} // namespace zr::test
