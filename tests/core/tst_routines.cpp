// The small routines shared by every window: quotes, folders, running a
// program, pauses, image attributes, the picture catalogue, the profile's address
// and the program's folders.

#include "TestSupport.h"
#include "app/AppError.h"
#include "app/Routines.h"
#include "model/FileManager.h"

#include <QElapsedTimer>
#include <QTimer>

using namespace zr;
using namespace zr::test;

using Sizes = QMap<QString, int>;

class TestRoutines : public QObject {
    Q_OBJECT
private slots:
    void quotes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stripped");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("empty") << "" << "" << "\"\"";
        QTest::newRow("a single quote") << "\"" << "" << "\"\"\"";
        QTest::newRow("quote only at the start") << "\"abc" << "abc" << "\"\"abc\"";
        QTest::newRow("quote only at the end") << "abc\"" << "abc" << "\"abc\"\"";
        QTest::newRow("inner quotes stay") << "\"a\"b\"" << "a\"b" << "\"\"a\"b\"\"";
    }
    void quotes() {
        QFETCH(QString, text);
        QFETCH(QString, stripped);
        QFETCH(QString, quoted);
        QCOMPARE(StripQuotes(text), stripped);
        QCOMPARE(AddQuotes(text), quoted);
        QCOMPARE(StripQuotes(AddQuotes(text)), text);
    }

    // Deleting a profile's folder: only below Profiles, links removed but not followed.
    void deleteFolder_data() {
        QTest::addColumn<QString>("folder"); // relative to the application folder
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QStringList>("left"); // files left of Profiles/North/keep.txt, Profiles/South/keep.txt, Other/keep.txt
        // clang-format off
        QTest::newRow("a profile") << "Profiles/North" << false << QStringList{"Other/keep.txt", "Profiles/South/keep.txt"};
        QTest::newRow("a missing folder passes") << "Profiles/Nowhere" << false << QStringList{"Other/keep.txt", "Profiles/North/keep.txt", "Profiles/South/keep.txt"};
        QTest::newRow("outside the profiles") << "Other" << true << QStringList{};
        QTest::newRow("the profile folder itself") << "Profiles/" << true << QStringList{};
        QTest::newRow("climbing out with ..") << "Profiles/../Other" << true << QStringList{};
        QTest::newRow("a sibling named alike") << "ProfilesOld" << true << QStringList{};
        QTest::newRow("below a link that leads out") << "Profiles/North/linked/keep.txt" << true << QStringList{};
        // clang-format on
    }
    void deleteFolder() {
        QFETCH(QString, folder);
        QFETCH(bool, refused);
        QFETCH(QStringList, left);
        TempApp app;
        for (const QString file : {"Profiles/North/keep.txt", "Profiles/South/keep.txt", "Other/keep.txt", "ProfilesOld/keep.txt"})
            app.write(file, "k");
        QVERIFY(QFile::link(app.path("Other"), app.path("Profiles/North/linked")));
        if (refused) {
            QVERIFY_THROWS_EXCEPTION(AppError, DeleteFolder(app.paths, app.path(folder)));
            left = QStringList{"Other/keep.txt", "Profiles/North/keep.txt", "Profiles/South/keep.txt"};
        } else {
            QVERIFY(DeleteFolder(app.paths, app.path(folder)));
        }
        for (const QString file : {"Profiles/North/keep.txt", "Profiles/South/keep.txt", "Other/keep.txt"})
            QCOMPARE(app.exists(file), left.contains(file));
        QVERIFY(app.exists("ProfilesOld/keep.txt"));
    }

    void runAndWait() {
        TempApp app;
        QVERIFY(QDir().mkpath(app.path("a b")));
        FakeClock clock;
        RunAndWait("/usr/bin/touch", {app.path("a b/c d")}, clock);
        RunAndWait("/nonexistent/zr-no-such-program", {app.path("a b/e")}, clock);
        QCOMPARE(QDir(app.path("a b")).entryList(QDir::Files), QStringList{"c d"}); // one argument, not split at the blank
        QCOMPARE(clock.waited, 2.0);
    }

    void waitHandlesEventsMeanwhile_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<bool>("timerFires");
        QTest::newRow("a fraction of a second") << 0.3 << true;
        QTest::newRow("zero returns at once") << 0.0 << false;
        QTest::newRow("negative returns at once") << -1.0 << false;
    }
    void waitHandlesEventsMeanwhile() {
        QFETCH(double, seconds);
        QFETCH(bool, timerFires);
        bool fired = false;
        QTimer::singleShot(50, [&] { fired = true; });
        QElapsedTimer elapsed;
        elapsed.start();
        SystemClock().wait(seconds);
        // Waits at least the time asked, not rounded down to whole seconds.
        QVERIFY(elapsed.elapsed() >= static_cast<qint64>(seconds * 1000));
        QCOMPARE(fired, timerFires);
        QTest::qWait(60); // let the timer of this row go off before the next
    }

    void clearImageAttributes() {
        TempApp app;
        const QStringList images{"zrscreens/pop/default.jpg", "zrscreens/item/Burger.JPG", "zrscreens/item/fries.jpg"};
        for (const QString& image : images) {
            app.write(image, "jpeg");
            QVERIFY(QFile::setPermissions(app.path(image), QFile::ReadOwner | QFile::ReadGroup));
        }
        ClearImageAttributes(app.paths);
        for (const QString& image : images)
            QVERIFY2(QFile::permissions(app.path(image)).testFlags(QFile::WriteOwner | QFile::ReadOwner), qPrintable(image));
    }

    void pictureCatalogue_data() {
        QTest::addColumn<Sizes>("files");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<QStringList>("expected");
        // clang-format off
        QTest::newRow("sizes, sorted without regard to case") << Sizes{{"b.jpg", 12}, {"A.jpg", 3}, {"c.JPG", 1}} << "*.jpg" << -1 << QStringList{"a.jpg:3", "b.jpg:12", "c.jpg:1"};
        QTest::newRow("pattern ignores case") << Sizes{{"A.JPG", 5}, {"b.png", 2}} << "*.jpg" << -1 << QStringList{"a.jpg:5"};
        QTest::newRow("no pattern lists all") << Sizes{{"x.png", 1}, {"y.jpg", 2}} << "" << -1 << QStringList{"x.png:1", "y.jpg:2"};
        QTest::newRow("hidden files left out") << Sizes{{".hidden.jpg", 4}, {"shown.jpg", 4}} << "*.jpg" << -1 << QStringList{"shown.jpg:4"};
        QTest::newRow("minimum size 1 leaves out empty files") << Sizes{{"empty.jpg", 0}, {"full.jpg", 7}} << "*.jpg" << 1 << QStringList{"full.jpg:7"};
        QTest::newRow("empty files kept without minimum") << Sizes{{"empty.jpg", 0}} << "*.jpg" << -1 << QStringList{"empty.jpg:0"};
        QTest::newRow("names differing in case are one picture") << Sizes{{"a.jpg", 2}, {"A.jpg", 2}} << "*.jpg" << -1 << QStringList{"a.jpg:2"};
        // clang-format on
    }
    void pictureCatalogue() {
        QFETCH(Sizes, files);
        QFETCH(QString, filter);
        QFETCH(int, minimum);
        QFETCH(QStringList, expected);
        TempApp app;
        QVERIFY(QDir().mkpath(app.path("pics")));
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            app.write("pics/" + it.key(), QByteArray(it.value(), 'x'));
        FileManager fm;
        fm.setMinimumFileSize(minimum);
        fm.setFilter(filter);
        QVERIFY(QDir::setCurrent(app.path("pics"))); // no folder yet must not mean the working folder
        QCOMPARE(fm.Count(), 0);
        QVERIFY(QDir::setCurrent(QDir::tempPath()));
        fm.setDirectory(app.path("pics"));
        QStringList listed;
        for (const file& f : fm.Files())
            listed << f.ID.toLower() + ':' + QString::number(f.FileSize);
        QCOMPARE(listed, expected);
        QCOMPARE(fm.Count(), expected.size());
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            const bool found = expected.contains(it.key().toLower() + ':' + QString::number(it.value()));
            QCOMPARE(fm.FindFile(it.key()), found);
            QCOMPARE(fm.FindFile(it.key().toUpper()), found); // without regard to case
        }
        QVERIFY(!fm.FindFile("a"));
        fm.setDirectory(app.path("missing"));
        QCOMPARE(fm.Count(), 0);
    }

    void getConfigIP_data() {
        QTest::addColumn<QString>("file"); // empty: no Config.conf
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("address") << "Profiles/North/Config.conf" << QByteArray("IP = 127.77.77.85\r\n") << "127.77.77.85";
        QTest::newRow("missing file") << "" << QByteArray() << "";
        QTest::newRow("missing key") << "Profiles/North/Config.conf" << QByteArray("Port = 21\r\n") << "";
        QTest::newRow("folders in other letter case") << "profiles/NORTH/config.conf" << QByteArray("IP = 127.77.77.85\n") << "127.77.77.85";
    }
    void getConfigIP() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        TempApp app;
        if (file.isEmpty())
            QDir().mkpath(app.path("Profiles/North"));
        else
            app.write(file, bytes);
        QCOMPARE(GetConfigIP(app.paths, "North"), expected);
    }

    // Where the application folder and the statistics converter are, run from the
    // build folder or installed.
    void programFolders_data() {
        QTest::addColumn<QString>("exeFolder");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("app");
        QTest::addColumn<QString>("converter");
        // clang-format off
        QTest::newRow("run from its build folder") << "build" << QStringList{"build/Statistics"} << "build" << "build/Statistics";
        QTest::newRow("installed, even where writable") << "usr/lib/zr-frontend" << QStringList{"usr/lib/zr-frontend/Statistics", "data/ZRFrontEnd/Statistics"} << "data/ZRFrontEnd" << "usr/lib/zr-frontend/Statistics";
        QTest::newRow("installed without a converter") << "usr/lib/zr-frontend" << QStringList{"data/ZRFrontEnd/statistics"} << "data/ZRFrontEnd" << "data/ZRFrontEnd/statistics";
        // clang-format on
    }
    void programFolders() {
        QFETCH(QString, exeFolder);
        QFETCH(QStringList, files);
        QFETCH(QString, app);
        QFETCH(QString, converter);
        TempApp root;
        qputenv("XDG_DATA_HOME", root.path("data").toLocal8Bit());
        QVERIFY(QDir().mkpath(root.path(exeFolder)));
        for (const QString& file : files)
            root.write(file, "#!/bin/sh\n");
        const QString folder = AppPaths::defaultAppFolder(root.path(exeFolder));
        QCOMPARE(folder, root.path(app));
        QCOMPARE(AppPaths(folder, root.path(exeFolder)).programFile("Statistics"), root.path(converter));
    }
};

QTEST_GUILESS_MAIN(TestRoutines)
#include "tst_routines.moc"
