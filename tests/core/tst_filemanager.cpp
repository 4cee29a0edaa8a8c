// The catalogue of picture files that the image lists are filled from.

#include "TestSupport.h"
#include "app/AppError.h"
#include "model/FileManager.h"

#include <QTest>

using namespace zr;
using namespace zr::test;

namespace {

using Sizes = QMap<QString, int>;

void makeFiles(const TempApp& app, const Sizes& files) {
    QDir().mkpath(app.path("pics"));
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        app.write("pics/" + it.key(), QByteArray(it.value(), 'x'));
}

/// "name:size" for each entry in catalogue order, names in small letters.
QStringList catalogue(const FileManager& fm) {
    QStringList out;
    for (const file& f : fm.Files())
        out << f.ID.toLower() + ':' + QString::number(f.FileSize);
    return out;
}

} // namespace

class TestFileManager : public QObject {
    Q_OBJECT
private slots:
    void directoryEndsInSlash_data();
    void directoryEndsInSlash();
    void scan_data();
    void scan();
    void findFileIgnoresCase();
    void filterBeforeDirectory();
    void duplicateKey_data();
    void duplicateKey();
};

void TestFileManager::directoryEndsInSlash_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("without slash") << "/tmp/pics"
                                   << "/tmp/pics/";
    QTest::newRow("with slash") << "/tmp/pics/"
                                << "/tmp/pics/";
    QTest::newRow("empty") << ""
                           << "";
}

void TestFileManager::directoryEndsInSlash() {
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    FileManager fm;
    fm.setDirectory(folder);
    QCOMPARE(fm.Directory(), expected);
}

void TestFileManager::scan_data() {
    QTest::addColumn<Sizes>("files");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("sizes, sorted without regard to case")
        << Sizes{{"b.jpg", 12}, {"A.jpg", 3}, {"c.JPG", 1}} << "*.jpg" << -1
        << QStringList{"a.jpg:3", "b.jpg:12", "c.jpg:1"};
    QTest::newRow("pattern ignores case")
        << Sizes{{"A.JPG", 5}, {"b.png", 2}} << "*.jpg" << -1 << QStringList{"a.jpg:5"};
    QTest::newRow("no pattern lists all")
        << Sizes{{"x.png", 1}, {"y.jpg", 2}} << "" << -1 << QStringList{"x.png:1", "y.jpg:2"};
    QTest::newRow("hidden files left out")
        << Sizes{{".hidden.jpg", 4}, {"shown.jpg", 4}} << "*.jpg" << -1 << QStringList{"shown.jpg:4"};
    QTest::newRow("minimum size 1 leaves out empty files")
        << Sizes{{"empty.jpg", 0}, {"full.jpg", 7}} << "*.jpg" << 1 << QStringList{"full.jpg:7"};
    QTest::newRow("empty files kept without minimum")
        << Sizes{{"empty.jpg", 0}} << "*.jpg" << -1 << QStringList{"empty.jpg:0"};
    QTest::newRow("names differing in case are one picture")
        << Sizes{{"a.jpg", 2}, {"A.jpg", 2}} << "*.jpg" << -1 << QStringList{"a.jpg:2"};
}

void TestFileManager::scan() {
    QFETCH(Sizes, files);
    QFETCH(QString, filter);
    QFETCH(int, minimum);
    QFETCH(QStringList, expected);
    TempApp app;
    makeFiles(app, files);
    FileManager fm;
    fm.setMinimumFileSize(minimum);
    fm.setFilter(filter);
    fm.setDirectory(app.path("pics"));
    QCOMPARE(catalogue(fm), expected);
    QCOMPARE(fm.Count(), expected.size());
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const bool listed = expected.contains(it.key().toLower() + ':' + QString::number(it.value()));
        QCOMPARE(fm.FindFile(it.key()), listed);
    }
}

void TestFileManager::findFileIgnoresCase() {
    TempApp app;
    makeFiles(app, {{"Burger.jpg", 3}});
    FileManager fm;
    fm.setFilter("*.jpg");
    fm.setDirectory(app.path("pics"));
    QVERIFY(fm.FindFile("BURGER.JPG"));
    QVERIFY(fm.FindFile("burger.jpg"));
    QVERIFY(!fm.FindFile("burger"));
    fm.setDirectory(app.path("missing"));
    QCOMPARE(fm.Count(), 0);
    QVERIFY(!fm.FindFile("Burger.jpg"));
}

void TestFileManager::filterBeforeDirectory() {
    TempApp app;
    makeFiles(app, {{"a.jpg", 1}, {"b.png", 1}});
    QVERIFY(QDir::setCurrent(app.path("pics"))); // an empty folder must not mean the working folder
    FileManager fm;
    fm.setFilter("*.jpg");
    QCOMPARE(fm.Count(), 0);
    fm.setDirectory(app.path("pics"));
    QCOMPARE(catalogue(fm), QStringList{"a.jpg:1"});
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
}

void TestFileManager::duplicateKey_data() {
    QTest::addColumn<QString>("second");
    QTest::newRow("same key") << "a.jpg";
    QTest::newRow("key in other letter case") << "A.JPG";
}

void TestFileManager::duplicateKey() {
    QFETCH(QString, second);
    Files files;
    QVERIFY(files.Add("a.jpg", 1, "a.jpg"));
    QVERIFY_THROWS_EXCEPTION(AppError, files.Add(second, 2, second));
    QCOMPARE(files.Count(), 1);
    QCOMPARE(files.Item(1)->FileSize, 1);
}

QTEST_GUILESS_MAIN(TestFileManager)
#include "tst_filemanager.moc"
