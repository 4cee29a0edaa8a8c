// The image tools Items and POPs, and zr-demo-images, run as processes on temporary folders.

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zr::test;

namespace {

/// Runs a tool; files, when given, stand in for the user's picks in the file dialog.
Run run(const QString& program, const QStringList& arguments, const std::optional<QStringList>& files = {}) {
    QMap<QString, QString> env;
    if (files) env.insert("ZR_IMAGE_TOOL_FILES", files->join('\n'));
    return runProcess(program, arguments, env);
}

/// The start-of-frame marker of a JPEG (0xC0 baseline, 0xC2 progressive), or 0 when none comes before
/// the first scan.
int frameMarker(const QByteArray& jpeg) {
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const int marker = uchar(jpeg[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return marker;
        if (marker == 0xDA) return 0;
        at += 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
    }
    return 0;
}

/// Checks a file is a baseline JPEG of the given size and returns its image.
QImage checkedJpeg(const QString& path, QSize size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("cannot open %s", qPrintable(path));
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("\xFF\xD8") || frameMarker(bytes) != 0xC0) {
        qWarning("%s is not a baseline JPEG (frame marker %x)", qPrintable(path), frameMarker(bytes));
        return {};
    }
    QImageReader reader(path);
    const QByteArray format = reader.format();
    const QImage image = reader.read();
    if (format != "jpeg" || image.size() != size) {
        qWarning("%s: format %s, size %dx%d", qPrintable(path), format.constData(), image.width(),
                 image.height());
        return {};
    }
    return image;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestImageTools : public QObject {
    Q_OBJECT
private slots:
    void convertsPickedImages_data();
    void convertsPickedImages();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void usage_data();
    void usage();
    void demoImagesKeepExistingFiles();
};

void TestImageTools::convertsPickedImages_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QSize>("wide");
    QTest::addColumn<QSize>("tall");
    QTest::newRow("Items: product shots fit 320x240") << ITEMS_PATH << QSize(320, 160) << QSize(160, 240);
    QTest::newRow("POPs: full-screen ads fit 640x480") << POPS_PATH << QSize(640, 320) << QSize(320, 480);
}

void TestImageTools::convertsPickedImages() {
    QFETCH(QString, tool);
    QFETCH(QSize, wide);
    QFETCH(QSize, tall);
    QTemporaryDir dir;
    // A wide PNG whose left half is transparent, scaled down; a small tall BMP, scaled up.
    QImage png(800, 400, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    for (int y = 0; y < 400; ++y)
        for (int x = 400; x < 800; ++x)
            png.setPixelColor(x, y, Qt::blue);
    QImage bmp(100, 150, QImage::Format_RGB32);
    bmp.fill(Qt::red);
    QVERIFY(png.save(dir.filePath("Burger Deluxe.PNG"), "png"));
    QVERIFY(bmp.save(dir.filePath("Shake.v2.bmp"), "bmp"));
    QFile broken(dir.filePath("Broken.png"));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not an image") > 0);
    broken.close();

    const QString out = dir.filePath("ZRScreens/Item"); // does not exist yet
    const Run r = run(tool, {"/auto", out},
                      QStringList{dir.filePath("Burger Deluxe.PNG"), dir.filePath("Broken.png"),
                                  dir.filePath("Shake.v2.bmp")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.contains("Broken.png"), r.err.constData());
    QCOMPARE(entries(out), QStringList({"burger_deluxe.jpg", "shake.v2.jpg"}));

    const QImage burger = checkedJpeg(out + "/burger_deluxe.jpg", wide);
    QVERIFY(!burger.isNull());
    const QColor clear = burger.pixelColor(wide.width() / 4, wide.height() / 2);
    const QColor solid = burger.pixelColor(wide.width() * 3 / 4, wide.height() / 2);
    QVERIFY2(clear.lightness() > 240, "transparent parts turn white");
    QVERIFY(solid.blue() > 200 && solid.red() < 50);
    const QImage shake = checkedJpeg(out + "/shake.v2.jpg", tall);
    QVERIFY(!shake.isNull());
    QVERIFY(shake.pixelColor(tall.width() / 2, tall.height() / 2).red() > 200);
}

void TestImageTools::cancelChangesNothing_data() {
    QTest::addColumn<QString>("tool");
    QTest::newRow("Items") << ITEMS_PATH;
    QTest::newRow("POPs") << POPS_PATH;
}

void TestImageTools::cancelChangesNothing() {
    QFETCH(QString, tool);
    QTemporaryDir dir;
    const QString out = dir.filePath("POP");
    const Run r = run(tool, {"/auto", out}, QStringList());
    QCOMPARE(r.exitCode, 0);
    QVERIFY(entries(dir.path()).isEmpty());
}

void TestImageTools::usage_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    for (const auto& [name, tool] : {std::pair("Items", ITEMS_PATH), std::pair("POPs", POPS_PATH)}) {
        QTest::addRow("%s without arguments", name) << QString(tool) << QStringList();
        QTest::addRow("%s without a folder", name) << QString(tool) << QStringList{"/auto"};
        QTest::addRow("%s with another switch", name) << QString(tool) << QStringList{"/manual", "x"};
        QTest::addRow("%s with an empty folder", name) << QString(tool) << QStringList{"/auto", ""};
    }
}

void TestImageTools::usage() {
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    const Run r = run(tool, arguments, QStringList{dir.filePath("never-read.png")});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains("/auto <folder>"), r.err.constData());
}

void TestImageTools::demoImagesKeepExistingFiles() {
    QTemporaryDir dir;
    const QString items = dir.filePath("ZRScreens/Item");
    const QString pops = dir.filePath("ZRScreens/POP");
    QCOMPARE(run(DEMO_IMAGES_PATH, {dir.path()}).exitCode, 0);

    const QStringList itemFiles = entries(items);
    const QStringList popFiles = entries(pops);
    QVERIFY2(itemFiles.size() >= 8 && itemFiles.contains("greatchoice.jpg"), qPrintable(itemFiles.join(',')));
    QVERIFY2(popFiles.size() >= 5 && popFiles.contains("default.jpg"), qPrintable(popFiles.join(',')));
    for (const QString& name : itemFiles) {
        QCOMPARE(name, name.toLower());
        QVERIFY2(!checkedJpeg(items + '/' + name, QSize(320, 240)).isNull(), qPrintable(name));
    }
    for (const QString& name : popFiles) {
        QCOMPARE(name, name.toLower());
        QVERIFY2(!checkedJpeg(pops + '/' + name, QSize(640, 480)).isNull(), qPrintable(name));
    }

    // The user's own pictures: one replaced in place, one kept under another letter case.
    QFile burger(items + "/burger.jpg");
    QVERIFY(burger.open(QIODevice::WriteOnly) && burger.write("mine") == 4);
    burger.close();
    QVERIFY(QFile::rename(pops + "/default.jpg", pops + "/Default.JPG"));
    QCOMPARE(run(DEMO_IMAGES_PATH, {dir.path()}).exitCode, 0);
    QVERIFY(burger.open(QIODevice::ReadOnly));
    QCOMPARE(burger.readAll(), QByteArray("mine"));
    QVERIFY(!QFile::exists(pops + "/default.jpg"));
    QCOMPARE(entries(items), itemFiles);
}

QTEST_MAIN(TestImageTools)
#include "tst_imagetools.moc"
