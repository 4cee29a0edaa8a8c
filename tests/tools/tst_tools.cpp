// The project's tools run as processes on temporary folders: the image tools
// Items and POPs, zr-demo-images, and the binary statistics converter.

#include "OcbSim.h"
#include "TestSupport.h"

#include <QImage>
#include <QImageReader>
#include <QtEndian>

using namespace zr::test;

namespace {

/// The start-of-frame marker of a JPEG (0xC0 baseline, 0xC2 progressive), or 0 when none comes first.
int frameMarker(const QByteArray& jpeg) {
    for (qsizetype at = 2; at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF;
         at += 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]))) {
        const int marker = uchar(jpeg[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return marker;
        if (marker == 0xDA) return 0;
    }
    return 0;
}

/// A binary statistics file: header, then records of kind, check, four times and cents.
QByteArray zrs(const QList<QList<quint32>>& records, quint16 version = 1, quint16 size = 28) {
    QByteArray b("ZRS\x1a\0\0\0\0", 8);
    qToLittleEndian(version, b.data() + 4);
    qToLittleEndian(size, b.data() + 6);
    QList<quint32> words{quint32(records.size()), 0};
    for (const QList<quint32>& r : records)
        words += r;
    for (quint32 w : words) {
        b.resize(b.size() + 4);
        qToLittleEndian(w, b.data() + b.size() - 4);
    }
    return b;
}

// 1/5/2003 9:00:00 as the board's clock showed it.
constexpr quint32 T0 = 1041757200;

} // namespace

class TestTools : public QObject {
    Q_OBJECT
private slots:
    void imageTool_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments"); // "@" is the temporary folder
        QTest::addColumn<QStringList>("picks");     // the user's picks in the file dialog
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("err");
        // "path WxH [colour at a quarter] [colour at three quarters]" for a JPEG, "path =text", "path -"
        // missing.
        QTest::addColumn<QStringList>("expected");
        const QStringList picks{"@/src/Burger Deluxe.PNG", "@/src/Broken.png", "@/src/Shake.v2.bmp"};
        const QByteArray usage = "/auto <folder>";
        // clang-format off
        QTest::newRow("Items fits product shots into 320x240") << ITEMS_PATH << QStringList{"/auto", "@/out"} << picks << 0 << QByteArray("Broken.png") << QStringList{"out/burger_deluxe.jpg 320x160 white blue", "out/shake.v2.jpg 160x240 red red", "out/broken.jpg -"};
        QTest::newRow("POPs fits ads into 640x480") << POPS_PATH << QStringList{"/auto", "@/out"} << picks << 0 << QByteArray("Broken.png") << QStringList{"out/burger_deluxe.jpg 640x320 white blue", "out/shake.v2.jpg 320x480 red red"};
        QTest::newRow("Items, cancelled") << ITEMS_PATH << QStringList{"/auto", "@/out"} << QStringList() << 0 << QByteArray() << QStringList{"out -"};
        QTest::newRow("POPs, cancelled") << POPS_PATH << QStringList{"/AUTO", "@/out"} << QStringList() << 0 << QByteArray() << QStringList{"out -"};
        QTest::newRow("Items without arguments") << ITEMS_PATH << QStringList() << picks << 2 << usage << QStringList{"out -"};
        QTest::newRow("Items without a folder") << ITEMS_PATH << QStringList{"/auto"} << picks << 2 << usage << QStringList();
        QTest::newRow("Items with another switch") << ITEMS_PATH << QStringList{"/manual", "@/out"} << picks << 2 << usage << QStringList{"out -"};
        QTest::newRow("POPs with an empty folder") << POPS_PATH << QStringList{"/auto", ""} << picks << 2 << usage << QStringList();
        QTest::newRow("demo images") << DEMO_IMAGES_PATH << QStringList{"@/new"} << QStringList() << 0 << QByteArray() << QStringList{"new/ZRScreens/Item/greatchoice.jpg 320x240", "new/ZRScreens/POP/default.jpg 640x480"};
        QTest::newRow("demo images keep the user's own") << DEMO_IMAGES_PATH << QStringList{"@/mine"} << QStringList() << 0 << QByteArray() << QStringList{"mine/ZRScreens/Item/burger.jpg =mine", "mine/ZRScreens/POP/Default.JPG =mine", "mine/ZRScreens/POP/default.jpg -", "mine/ZRScreens/Item/greatchoice.jpg 320x240"};
        // clang-format on
    }

    void imageTool() {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, picks);
        QFETCH(QByteArray, err);
        QFETCH(QStringList, expected);
        // A wide PNG whose left half is transparent, a small red BMP, a file that is no picture, and
        // pictures of the user's own in "mine".
        TempApp dir;
        QImage png(800, 400, QImage::Format_ARGB32);
        png.fill(Qt::transparent);
        for (int y = 0; y < 400; ++y)
            for (int x = 400; x < 800; ++x)
                png.setPixelColor(x, y, Qt::blue);
        QImage bmp(100, 150, QImage::Format_RGB32);
        bmp.fill(Qt::red);
        dir.write("src/Broken.png", "not an image");
        QVERIFY(png.save(dir.path("src/Burger Deluxe.PNG"), "png") &&
                bmp.save(dir.path("src/Shake.v2.bmp"), "bmp"));
        dir.write("mine/ZRScreens/Item/burger.jpg", "mine");
        dir.write("mine/ZRScreens/POP/Default.JPG", "mine");
        const QMap<QString, QByteArray> before = folderTree(dir.dir.path());

        const Run r =
            runProcess(program, arguments.replaceInStrings("@", dir.dir.path()),
                       {{"ZR_IMAGE_TOOL_FILES", picks.replaceInStrings("@", dir.dir.path()).join('\n')}});
        QTEST(r.exitCode, "exitCode");
        QVERIFY2(r.err.contains(err), r.err.constData());
        // Every picture made is a baseline JPEG under a lower-case name.
        for (const auto& [path, bytes] : folderTree(dir.dir.path()).asKeyValueRange()) {
            if (before.contains(path) || bytes == "<folder>") continue;
            QVERIFY2(QFileInfo(path).fileName() == QFileInfo(path).fileName().toLower(), qPrintable(path));
            QVERIFY2(bytes.startsWith("\xFF\xD8") && frameMarker(bytes) == 0xC0, qPrintable(path));
        }
        for (const QString& want : expected) {
            const QStringList p = want.split(' ');
            if (p[1] == "-") {
                QVERIFY2(!dir.exists(p[0]), qPrintable(p[0]));
            } else if (p[1].startsWith('=')) {
                QCOMPARE(dir.read(p[0]), p[1].mid(1).toLatin1());
            } else {
                QImageReader reader(dir.path(p[0]));
                QCOMPARE(reader.format(), QByteArray("jpeg"));
                const QImage image = reader.read();
                QCOMPARE(QString("%1x%2").arg(image.width()).arg(image.height()), p[1]);
                for (int i = 2; i < p.size(); ++i) {
                    const QColor c = image.pixelColor(image.width() * (2 * i - 3) / 4, image.height() / 2);
                    QCOMPARE(QColor(c.red() / 128 * 255, c.green() / 128 * 255, c.blue() / 128 * 255),
                             QColor(p[i]));
                }
            }
        }
    }

    void statistics_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<QByteArray>("pad"); // the text file made beside it, none when empty
        const QByteArray good = zrs({{1, 1, T0, T0, T0, T0, 1}, {1, 2, T0, T0, T0, T0, 2}});
        const QByteArray notStats = "is not a binary statistics";
        // clang-format off
        QTest::newRow("converts, missing times empty, negative cents") << zrs({{1, 12, T0, T0 + 60, T0 + 10, T0 + 50, 1234}, {2, 12, T0 + 120, T0 + 210, 0, T0 + 180, quint32(-5)}}) << 0 << QByteArray() << QByteArray("1,12,1/5/2003 9:00:00,1/5/2003 9:01:00,1/5/2003 9:00:10,1/5/2003 9:00:50,1234\r\n2,12,1/5/2003 9:02:00,1/5/2003 9:03:30,,1/5/2003 9:03:00,-5\r\n");
        QTest::newRow("truncated record") << good.left(good.size() - 3) << 1 << QByteArray("is truncated") << QByteArray();
        QTest::newRow("header only") << good.left(16) << 1 << QByteArray("is truncated") << QByteArray();
        QTest::newRow("short header") << good.left(9) << 1 << notStats << QByteArray();
        QTest::newRow("text file") << QByteArray("1,12,1/5/2003 9:00:00,,,,100\r\n") << 1 << notStats << QByteArray();
        QTest::newRow("empty") << QByteArray() << 1 << notStats << QByteArray();
        QTest::newRow("other version") << zrs({}, 2) << 1 << QByteArray("unknown layout") << QByteArray();
        QTest::newRow("other record size") << zrs({}, 1, 32) << 1 << QByteArray("unknown layout") << QByteArray();
        QTest::newRow("trailing bytes") << good + "x" << 1 << QByteArray("bytes after its last record") << QByteArray();
        // clang-format on
    }

    void statistics() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, err);
        QFETCH(QByteArray, pad);
        TempApp app;
        const QString file = "Profiles/Lane 1/Stats/Pad/0412.zrs"; // blanks in the path: one argument
        app.write(file, bytes);
        const Run r = runProcess(STATISTICS_PATH, {app.path(file)});
        QTEST(r.exitCode, "exitCode");
        QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.contains(err), r.err.constData());
        QCOMPARE(app.read(file + ".pad"), pad);
        QCOMPARE(app.exists(file + ".pad"), r.exitCode == 0);
    }

    void statisticsOfTheSimulator() {
        // The simulator seeds the same pad records as text (drive_1) and as .zrs.
        OcbSim sim({"--seed-stats"});
        QVERIFY2(sim.start(), qPrintable(sim.error()));
        QCOMPARE(runProcess(STATISTICS_PATH, {sim.remotePath("zr/var/0412.zrs")}).exitCode, 0);
        QCOMPARE(sim.remote("zr/var/0412.zrs.pad"), sim.remote("zr/var/drive_1"));
    }
};

QTEST_MAIN(TestTools)
#include "tst_tools.moc"
