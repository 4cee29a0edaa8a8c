// The small routines shared by every window: quotes, folders, running a
// program, image attributes, the profile's address and the program's folders.

#include "TestSupport.h"
#include "app/AppError.h"
#include "app/Routines.h"

#include <QTest>

using namespace zr;
using namespace zr::test;

class TestRoutines : public QObject {
    Q_OBJECT
private slots:
    void quotes_data();
    void quotes();
    void listSubFolders_data();
    void listSubFolders();
    void deleteFolderRemovesTheTree();
    void deleteFolderPassesOverAMissingFolder();
    void deleteFolderRefusesOutsideProfiles_data();
    void deleteFolderRefusesOutsideProfiles();
    void deleteFolderRemovesLinksNotTheirTargets();
    void runAndWait_data();
    void runAndWait();
    void clearImageAttributes_data();
    void clearImageAttributes();
    void getConfigIP_data();
    void getConfigIP();
    void programFolders_data();
    void programFolders();
};

void TestRoutines::quotes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stripped");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("empty") << ""
                           << ""
                           << "\"\"";
    QTest::newRow("a single quote") << "\""
                                    << ""
                                    << "\"\"\"";
    QTest::newRow("quote only at the start") << "\"abc"
                                             << "abc"
                                             << "\"\"abc\"";
    QTest::newRow("quote only at the end") << "abc\""
                                           << "abc"
                                           << "\"abc\"\"";
    QTest::newRow("quotes at both ends") << "\"abc\""
                                         << "abc"
                                         << "\"\"abc\"\"";
    QTest::newRow("inner quotes stay") << "\"a\"b\""
                                       << "a\"b"
                                       << "\"\"a\"b\"\"";
    QTest::newRow("no quotes") << "a b"
                               << "a b"
                               << "\"a b\"";
}

void TestRoutines::quotes() {
    QFETCH(QString, text);
    QFETCH(QString, stripped);
    QFETCH(QString, quoted);
    QCOMPARE(StripQuotes(text), stripped);
    QCOMPARE(AddQuotes(text), quoted);
    QCOMPARE(StripQuotes(AddQuotes(text)), text);
}

void TestRoutines::listSubFolders_data() {
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("files only") << QStringList() << QStringList{"a.txt", "B.txt"} << QStringList();
    QTest::newRow("sorted without regard to case")
        << QStringList{"delta", "Beta", "alpha", "Charlie"} << QStringList{"zfile"}
        << QStringList{"alpha", "Beta", "Charlie", "delta"};
    QTest::newRow("hidden folders skipped")
        << QStringList{".git", "North", ".cache"} << QStringList() << QStringList{"North"};
}

void TestRoutines::listSubFolders() {
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    TempApp app;
    for (const QString& f : folders)
        QVERIFY(QDir().mkpath(app.path("top/" + f)));
    for (const QString& f : files)
        app.write("top/" + f, "x");
    QDir().mkpath(app.path("top"));
    QCOMPARE(ListSubFolders(app.path("top")), expected);
    QCOMPARE(ListSubFolders(app.path("missing")), QStringList());
}

void TestRoutines::deleteFolderRemovesTheTree() {
    TempApp app;
    app.write("Profiles/North/Stats/Pad/stats.bin", "1");
    app.write("Profiles/North/Config/zr.conf", "2");
    app.write("Profiles/South/Config.conf", "3");
    QVERIFY(DeleteFolder(app.paths, app.path("Profiles/North")));
    QVERIFY(!app.exists("Profiles/North"));
    QCOMPARE(app.read("Profiles/South/Config.conf"), QByteArray("3"));
}

void TestRoutines::deleteFolderPassesOverAMissingFolder() {
    TempApp app;
    QDir().mkpath(app.path("Profiles"));
    QVERIFY(DeleteFolder(app.paths, app.path("Profiles/Nowhere")));
    QVERIFY(app.exists("Profiles"));
}

void TestRoutines::deleteFolderRefusesOutsideProfiles_data() {
    QTest::addColumn<QString>("folder"); // relative to the application folder
    QTest::addColumn<QString>("kept");   // a file that must survive
    QTest::newRow("outside the profiles") << "Other/North"
                                          << "Other/North/keep.txt";
    QTest::newRow("the profile folder itself") << "Profiles"
                                               << "Profiles/South/keep.txt";
    QTest::newRow("the profile folder with a slash") << "Profiles/"
                                                     << "Profiles/South/keep.txt";
    QTest::newRow("climbing out with ..") << "Profiles/../Other"
                                          << "Other/North/keep.txt";
    QTest::newRow("a sibling named alike") << "ProfilesOld/North"
                                           << "ProfilesOld/North/keep.txt";
}

void TestRoutines::deleteFolderRefusesOutsideProfiles() {
    QFETCH(QString, folder);
    QFETCH(QString, kept);
    TempApp app;
    app.write("Profiles/North/keep.txt", "p");
    app.write(kept, "k");
    QVERIFY_THROWS_EXCEPTION(AppError, DeleteFolder(app.paths, app.path(folder)));
    QCOMPARE(app.read(kept), QByteArray("k"));
    QCOMPARE(app.read("Profiles/North/keep.txt"), QByteArray("p"));
}

void TestRoutines::deleteFolderRemovesLinksNotTheirTargets() {
    TempApp app;
    app.write("Outside/precious.txt", "keep me");
    app.write("Profiles/North/Log/Event.log", "x");
    QVERIFY(QFile::link(app.path("Outside"), app.path("Profiles/North/Log/linked")));
    QVERIFY(DeleteFolder(app.paths, app.path("Profiles/North")));
    QVERIFY(!app.exists("Profiles/North"));
    QCOMPARE(app.read("Outside/precious.txt"), QByteArray("keep me"));
}

void TestRoutines::runAndWait_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("runs");
    QTest::newRow("argument with blanks") << "/usr/bin/touch" << true;
    QTest::newRow("program that does not exist") << "/nonexistent/zr-no-such-program" << false;
}

void TestRoutines::runAndWait() {
    QFETCH(QString, program);
    QFETCH(bool, runs);
    TempApp app;
    QVERIFY(QDir().mkpath(app.path("a b")));
    FakeClock clock;
    RunAndWait(program, {app.path("a b/c d")}, clock);
    QCOMPARE(app.exists("a b/c d"), runs);
    QVERIFY(!app.exists("a")); // not split at the blank
    QCOMPARE(clock.waited, 1.0);
}

void TestRoutines::clearImageAttributes_data() {
    QTest::addColumn<QString>("popFolder");
    QTest::addColumn<QString>("itemFolder");
    QTest::newRow("as the program names them") << "ZRScreens/POP"
                                               << "ZRScreens/Item";
    QTest::newRow("pop in small letters") << "ZRScreens/pop"
                                          << "ZRScreens/Item";
    QTest::newRow("all in small letters") << "zrscreens/pop"
                                          << "zrscreens/item";
}

void TestRoutines::clearImageAttributes() {
    QFETCH(QString, popFolder);
    QFETCH(QString, itemFolder);
    TempApp app;
    const QStringList images{popFolder + "/default.jpg", itemFolder + "/Burger.JPG",
                             itemFolder + "/fries.jpg"};
    for (const QString& image : images) {
        app.write(image, "jpeg");
        QVERIFY(QFile::setPermissions(app.path(image), QFile::ReadOwner | QFile::ReadGroup));
    }
    ClearImageAttributes(app.paths);
    for (const QString& image : images) {
        const QFile::Permissions p = QFile::permissions(app.path(image));
        QVERIFY2(p.testFlag(QFile::WriteOwner), qPrintable(image));
        QVERIFY2(p.testFlag(QFile::ReadOwner), qPrintable(image));
    }
}

void TestRoutines::getConfigIP_data() {
    QTest::addColumn<QString>("file"); // empty: no Config.conf
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("address") << "Profiles/North/Config.conf" << QByteArray("IP = 10.77.77.85\r\n")
                             << "10.77.77.85";
    QTest::newRow("missing file") << "" << QByteArray() << "";
    QTest::newRow("missing key") << "Profiles/North/Config.conf" << QByteArray("Port = 21\r\n") << "";
    QTest::newRow("folders in other letter case")
        << "profiles/NORTH/config.conf" << QByteArray("IP = 10.77.77.85\n") << "10.77.77.85";
}

void TestRoutines::getConfigIP() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    TempApp app;
    QDir().mkpath(app.path("Profiles/North"));
    if (!file.isEmpty()) {
        QDir(app.path("Profiles")).removeRecursively();
        app.write(file, bytes);
    }
    QCOMPARE(GetConfigIP(app.paths, "North"), expected);
}

void TestRoutines::programFolders_data() {
    QTest::addColumn<QString>("exeFolder");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("app");
    QTest::addColumn<QString>("converter");
    QTest::newRow("run from its build folder") << "build" << QStringList{"build/Statistics"} << "build"
                                               << "build/Statistics";
    QTest::newRow("installed, even where writable")
        << "usr/lib/zr-frontend"
        << QStringList{"usr/lib/zr-frontend/Statistics", "data/ZRFrontEnd/Statistics"} << "data/ZRFrontEnd"
        << "usr/lib/zr-frontend/Statistics";
    QTest::newRow("installed without a converter")
        << "usr/lib/zr-frontend" << QStringList{"data/ZRFrontEnd/statistics"} << "data/ZRFrontEnd"
        << "data/ZRFrontEnd/statistics";
}

void TestRoutines::programFolders() {
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

QTEST_GUILESS_MAIN(TestRoutines)
#include "tst_routines.moc"
