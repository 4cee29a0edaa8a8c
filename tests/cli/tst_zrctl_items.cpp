// zrctl items show and items check, run as a process on a temporary application folder.

#include "TestSupport.h"

#include <QTest>
#include <memory>

using namespace zr::test;

namespace {

Run zrctl(const TempApp& app, const QStringList& arguments) {
    return runProcess(QStringLiteral(ZRCTL_PATH), QStringList{"--app", app.dir.path()} + arguments);
}

const QByteArray Header =
    "Short Descriptor,Long Descriptor,Image,Family,Show Item,Associated POP,Track Item\n";
const QByteArray Burger = R"("Burger","Big Burger","burger.jpg",10,"TRUE","deal.jpg","FALSE")";

TempApp* appWithItems(const QByteArray* items) {
    auto* app = new TempApp;
    app->write("ZRScreens/Item/burger.jpg", "jpeg");
    app->write("ZRScreens/POP/deal.jpg", "jpeg");
    QDir().mkpath(app->path("Profiles/North/Items"));
    if (items) app->write("Profiles/North/Items/items", *items);
    return app;
}

} // namespace

class TestZrctlItems : public QObject {
    Q_OBJECT
private slots:
    void show_data();
    void show();
    void check_data();
    void check();
    void unknownProfile();
};

void TestZrctlItems::show_data() {
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("items");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QByteArray>("error");
    QTest::addColumn<QByteArray>("ini");
    QTest::newRow("sorted, named families, quoted cells, Windows code page")
        << true
        << Burger + "\r\n" +
               "\"Apple\",\"Pie, \"hot\",\"Pie.JPG\",60,\"TRUE\",\"gone.jpg\",\"TRUE\"\r\n"
               "\"Caf\x80\",12\" Latte,\"burger.jpg\",30,\"FALSE\",\"\",\"FALSE\"\r\n"
        << 0
        << QByteArray("Apple,\"Pie,\",GreatChoice.jpg,(none),TRUE,,TRUE\n"
                      "Burger,Big Burger,burger.jpg,Entree,TRUE,deal.jpg,FALSE\n"
                      "Caf\xe2\x82\xac,\"12\"\" Latte\",burger.jpg,Drink,FALSE,,FALSE\n")
        << QByteArray() << QByteArray();
    QTest::newRow("no items file") << false << QByteArray() << 4 << QByteArray()
                                   << QByteArray("zrctl: No Items File found for this profile.\n"
                                                 "zrctl: Retrieve your system information from your OCB.\n")
                                   << QByteArray();
    QTest::newRow("only a blank name") << true << QByteArray(Burger).replace("Burger\"", " \"") << 4
                                       << QByteArray() << QByteArray("No Items File found") << QByteArray();
    QTest::newRow("bad record keeps the rows before it")
        << true << Burger + "\r\n" + QByteArray(Burger).replace("TRUE", "true") << 5
        << QByteArray("Burger,Big Burger,burger.jpg,Entree,TRUE,deal.jpg,FALSE\n")
        << QByteArray(
               "zrctl: Items File is not formatted correctly.\nzrctl: The record that starts on line 2")
        << QByteArray();
    QTest::newRow("end inside a record")
        << true << Burger + "\r\n\"A\",\"a\"\r\n"
        << 5 << QByteArray("Burger,Big Burger,burger.jpg,Entree,TRUE,deal.jpg,FALSE\n")
        << QByteArray("ends inside the record that starts on line 2.") << QByteArray();
    QTest::newRow("an empty file is kept")
        << true << QByteArray() << 4 << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("the default item picture of zr.ini, as the editor shows it")
        << true
        << QByteArray(Burger).replace("burger.jpg", "") + "\r\n" +
               QByteArray(Burger).replace("\"Burger\"", "\"Pie\"").replace("burger.jpg", "pie.jpg")
        << 0
        << QByteArray("Burger,Big Burger,fries.jpg,Entree,TRUE,deal.jpg,FALSE\n"
                      "Pie,Big Burger,fries.jpg,Entree,TRUE,deal.jpg,FALSE\n")
        << QByteArray() << QByteArray("FirstRun = no\r\ndefault_item_image = fries.jpg\r\n");
}

void TestZrctlItems::show() {
    QFETCH(bool, exists);
    QFETCH(QByteArray, items);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, rows);
    QFETCH(QByteArray, error);
    QFETCH(QByteArray, ini);
    std::unique_ptr<TempApp> app(appWithItems(exists ? &items : nullptr));
    if (!ini.isEmpty()) app->write("zr.ini", ini);
    // Showing writes nothing: no zr.conf, no log, no first run, and the items file stays.
    const QMap<QString, QByteArray> before = folderTree(app->dir.path());
    const Run r = zrctl(*app, {"items", "show", "North"});
    QCOMPARE(folderTree(app->dir.path()), before);
    QCOMPARE(r.out, Header + rows);
    QVERIFY2(error.isEmpty() ? r.err.isEmpty() : r.err.contains(error), r.err.constData());
    QCOMPARE(r.exitCode, exitCode);
}

void TestZrctlItems::check_data() {
    QTest::addColumn<QByteArray>("items");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("report");
    QTest::newRow("all correct, upper-case JPG and family 7")
        << Burger + "\r\n" + QByteArray(Burger).replace(",10,", ",7,").replace("burger.jpg", "B.JPG") + "\r\n"
        << 0 << QByteArray("1: ok\n2: ok\n");
    QTest::newRow("one problem per line")
        << QByteArray(Burger).replace("TRUE", "True") + "\r\n\r\n" + Burger + ",\"x\"\r\n" + Burger << 5
        << QByteArray("1: field 5: neither \"TRUE\" nor \"FALSE\": True\n"
                      "2: field 1: no pair of double quotes\n"
                      "3: field 8: text after the seventh field: ,\"x\"\n"
                      "4: ok\n");
}

void TestZrctlItems::check() {
    QFETCH(QByteArray, items);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, report);
    std::unique_ptr<TempApp> app(appWithItems(&items));
    const Run r = zrctl(*app, {"items", "check", "North"});
    QCOMPARE(r.out, report);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(app->read("Profiles/North/Items/items"), items);
}

void TestZrctlItems::unknownProfile() {
    TempApp app;
    for (const char* command : {"show", "check"}) {
        const Run r = zrctl(app, {"items", command, "Nobody"});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err, QByteArray("zrctl: There is no profile Nobody.\n"));
    }
}

QTEST_GUILESS_MAIN(TestZrctlItems)
#include "tst_zrctl_items.moc"
