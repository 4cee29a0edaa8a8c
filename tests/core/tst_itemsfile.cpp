// The items file: loading with its checks and substitutions, writing, and the line check.

#include "TestSupport.h"
#include "app/AppError.h"
#include "menu/FieldReader.h"
#include "menu/ItemsFile.h"
#include "menu/LineCheck.h"
#include "model/FileManager.h"

#include <QRandomGenerator>
#include <QTest>

using namespace zr;
using namespace zr::test;

namespace {

const QString ItemsPath = "Profiles/North/Items/items";

// An application folder whose catalogues hold a few pictures.
struct MenuApp : TempApp {
    MenuApp() {
        for (const char* name : {"burger.jpg", "fries.jpg", "pie.jpg", "GreatChoice.jpg"})
            write(QString("ZRScreens/Item/") + name, "jpeg");
        write("ZRScreens/POP/deal.jpg", "jpeg");
        items.setFilter("*.jpg");
        items.setDirectory(paths.itemImages());
        pops.setFilter("*.jpg");
        pops.setDirectory(paths.popImages());
    }
    ItemsLoadResult load(const QString& defaultItem = "GreatChoice.jpg") const {
        return loadItemsFile(path(ItemsPath), items, pops, defaultItem);
    }
    FileManager items, pops;
};

QString joined(const MenuItem& i) {
    return QStringList{i.ShortDescriptor, i.LongDescriptor, i.Image,    i.Family,
                       i.ShowItem,        i.AssociatedPOP,  i.TrackItem}
        .join('|');
}

MenuItem item(const QString& fields) {
    const QStringList f = fields.split('|');
    return MenuItem{f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
}

const QByteArray Good = R"("Burger","Big Burger","burger.jpg",10,"TRUE","deal.jpg","FALSE")";
// Good with another short descriptor.
QByteArray named(const QByteArray& name) {
    return QByteArray(Good).replace("\"Burger\",", "\"" + name + "\",");
}

const QString GoodRow = "Burger|Big Burger|burger.jpg|Entree|TRUE|deal.jpg|FALSE";

} // namespace

Q_DECLARE_METATYPE(zr::ItemsLoadOutcome)
Q_DECLARE_METATYPE(zr::LineProblem)

class TestItemsFile : public QObject {
    Q_OBJECT
private slots:
    void load_data();
    void load();
    void missingAndEmptyFiles();
    void unreadableFileRaisesLoadError();
    void roundTripKeepsEveryByte();
    void write_data();
    void write();
    void saveWithNoRowsKeepsTheOldFile();
    void checkLine_data();
    void checkLine();
    void mutatedFiles();
};

void TestItemsFile::load_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("defaultItem");
    QTest::addColumn<ItemsLoadOutcome>("outcome");
    QTest::addColumn<int>("line");
    QTest::addColumn<QStringList>("rows");
    using O = ItemsLoadOutcome;
    const QString dflt = "GreatChoice.jpg";
    const auto row = [](const QString& s) { return QStringList{s}; };

    QTest::newRow("good record") << Good + "\r\n" << dflt << O::Loaded << 0 << row(GoodRow);
    QTest::newRow("no final line end, LF only")
        << Good + "\n" + named("Pie") << dflt << O::Loaded << 0
        << QStringList{GoodRow, "Pie|Big Burger|burger.jpg|Entree|TRUE|"
                                "deal.jpg|FALSE"};
    QTest::newRow("record over two lines")
        << QByteArray("\"Burger\",\"Big Burger\",\"burger.jpg\"\r\n10,\"TRUE\","
                      "\"deal.jpg\",\"FALSE\"\r\n")
        << dflt << O::Loaded << 0 << row(GoodRow);
    QTest::newRow("a quoted field across CR LF; later lines counted")
        << QByteArray(Good).replace("Big Burger", "Big\r\nBurger") + "\r\n" +
               QByteArray(Good).replace("FALSE", "False")
        << dflt << O::BadRecord << 3 << row("Burger|Big\r\nBurger|burger.jpg|Entree|TRUE|deal.jpg|FALSE");
    QTest::newRow("a quoted field across LF")
        << QByteArray(Good).replace("Big Burger", "Big\n\nBurger") + "\n" + named("Pie") << dflt << O::Loaded
        << 0
        << QStringList{"Burger|Big\n\nBurger|burger.jpg|Entree|TRUE|deal.jpg|FALSE",
                       "Pie|Big Burger|burger.jpg|Entree|TRUE|deal.jpg|FALSE"};
    QTest::newRow("an unclosed quote at the end of the file runs to its end")
        << Good + "\r\n" + QByteArray(Good).chopped(1) + "\r\n"
        << dflt << O::BadRecord << 2 << row(GoodRow);
    QTest::newRow("six fields take the seventh from the next line")
        << QByteArray("\"A\",\"a\",\"pie.jpg\",40,\"TRUE\",\"\"\r\n"
                      "\"FALSE\",\"B\",\"fries.jpg\",20,\"TRUE\",\"\",\"FALSE\"\r\n")
        << dflt << O::EndInsideRecord << 2 << row("A|a|pie.jpg|Dessert|TRUE||FALSE");
    QTest::newRow("six fields, shifted into a bad record")
        << QByteArray("\"A\",\"a\",\"pie.jpg\",40,\"TRUE\",\"\"\r\n") + Good + "\r\n" + Good + "\r\n"
        << dflt << O::BadRecord << 1 << QStringList();
    QTest::newRow("True is bad; rows before stay, later ones are not read")
        << Good + "\r\n" + QByteArray(Good).replace("FALSE", "True") + "\r\n" + named("X") << dflt
        << O::BadRecord << 2 << row(GoodRow);
    QTest::newRow("true in show is bad")
        << QByteArray(Good).replace("\"TRUE\"", "\"true\"") << dflt << O::BadRecord << 1 << QStringList();
    QTest::newRow("family not numeric")
        << QByteArray(Good).replace(",10,", ",ten,") << dflt << O::BadRecord << 1 << QStringList();
    QTest::newRow("image without .jpg")
        << QByteArray(Good).replace("burger.jpg", "burger.png") << dflt << O::BadRecord << 1 << QStringList();
    QTest::newRow("POP without .jpg")
        << QByteArray(Good).replace("deal.jpg", "deal") << dflt << O::BadRecord << 1 << QStringList();
    QTest::newRow("empty image and empty default")
        << QByteArray(Good).replace("burger.jpg", "") << QString() << O::BadRecord << 1 << QStringList();
    QTest::newRow("empty image takes the default")
        << QByteArray(Good).replace("burger.jpg", "") << dflt << O::Loaded << 0
        << row("Burger|Big Burger|GreatChoice.jpg|Entree|TRUE|deal.jpg|FALSE");
    QTest::newRow("upper-case JPG passes and keeps its case")
        << QByteArray(Good).replace("burger.jpg", "Burger.JPG").replace("deal.jpg", "DEAL.Jpg") << dflt
        << O::Loaded << 0 << row("Burger|Big Burger|Burger.JPG|Entree|TRUE|DEAL.Jpg|FALSE");
    QTest::newRow("pictures missing from the catalogues")
        << QByteArray(Good).replace("burger.jpg", "gone.jpg").replace("deal.jpg", "old.jpg") << dflt
        << O::Loaded << 0 << row("Burger|Big Burger|GreatChoice.jpg|Entree|TRUE||FALSE");
    QTest::newRow("families by exact text")
        << QByteArray(Good).replace(",10,", ",60,") + "\r\n" + named("B").replace(",10,", ",0,") + "\r\n" +
               named("C").replace(",10,", ",010,") + "\r\n" + named("D").replace(",10,", ",7,") + "\r\n" +
               named("E").replace(",10,", ",50,")
        << dflt << O::Loaded << 0
        << QStringList{"Burger|Big Burger|burger.jpg|(none)|TRUE|deal.jpg|FALSE",
                       "B|Big Burger|burger.jpg|(none)|TRUE|deal.jpg|FALSE",
                       "C|Big Burger|burger.jpg|(none)|TRUE|deal.jpg|FALSE",
                       "D|Big Burger|burger.jpg|(none)|TRUE|deal.jpg|FALSE",
                       "E|Big Burger|burger.jpg|Special|TRUE|deal.jpg|FALSE"};
    QTest::newRow("descriptors trimmed, blank name dropped, 8-bit bytes kept")
        << QByteArray("\"  \",\"x\",\"pie.jpg\",40,\"TRUE\",\"\",\"FALSE\"\r\n"
                      "\" Caf\xe9 \",\" Latte \",\"pie.jpg\",40,\"TRUE\",\"\",\"FALSE\"\r\n")
        << dflt << O::Loaded << 0 << row(QString::fromLatin1("Caf\xe9|Latte|pie.jpg|Dessert|TRUE||FALSE"));
    QTest::newRow("only blank names") << named(" ") << dflt << O::NoItems << 0 << QStringList();
    QTest::newRow("a later duplicate is ignored, another letter case is not a duplicate")
        << Good + "\r\n" + QByteArray(Good).replace("Big", "Small") + "\r\n" + named("BURGER") << dflt
        << O::Loaded << 0 << QStringList{GoodRow, "BURGER|Big Burger|burger.jpg|Entree|TRUE|deal.jpg|FALSE"};
    QTest::newRow("file ends inside the first record")
        << QByteArray("\"A\",\"a\",\"pie.jpg\"") << dflt << O::EndInsideRecord << 1 << QStringList();
}

void TestItemsFile::load() {
    QFETCH(QByteArray, file);
    QFETCH(QString, defaultItem);
    QFETCH(ItemsLoadOutcome, outcome);
    QFETCH(int, line);
    QFETCH(QStringList, rows);
    MenuApp app;
    app.write(ItemsPath, file);
    const ItemsLoadResult r = app.load(defaultItem);
    QStringList got;
    for (const MenuItem& i : r.rows)
        got << joined(i);
    QCOMPARE(got, rows);
    QCOMPARE(r.outcome, outcome);
    QCOMPARE(r.line, line);
    QCOMPARE(app.read(ItemsPath), file); // loading never changes the file
}

void TestItemsFile::missingAndEmptyFiles() {
    MenuApp app;
    ItemsLoadResult r = app.load();
    QCOMPARE(r.outcome, ItemsLoadOutcome::NoItems);
    QCOMPARE(
        r.message(),
        QString("No Items File found for this profile.\nRetrieve your system information from your OCB."));
    app.write(ItemsPath, "");
    r = app.load();
    QCOMPARE(r.outcome, ItemsLoadOutcome::EmptyFile);
    QVERIFY(r.message().isEmpty());
    QVERIFY(!app.exists(ItemsPath));
}

void TestItemsFile::unreadableFileRaisesLoadError() {
    MenuApp app;
    QVERIFY(QDir().mkpath(app.path(ItemsPath)));
    try {
        app.load();
        QFAIL("no error");
    } catch (const AppError& e) {
        QCOMPARE(e.source(), QString("Load Items File"));
    }
}

void TestItemsFile::roundTripKeepsEveryByte() {
    MenuApp app;
    const QByteArray good = testData("items/good");
    app.write(ItemsPath, good);
    ItemsLoadResult r = app.load();
    QCOMPARE(r.outcome, ItemsLoadOutcome::Loaded);
    QList<MenuItem> sorted = r.rows;
    std::reverse(sorted.begin(), sorted.end());
    sortItems(sorted);
    QCOMPARE(sorted, r.rows);
    QVERIFY(saveItemsFile(app.path(ItemsPath), sorted));
    QCOMPARE(app.read(ItemsPath), good);
}

void TestItemsFile::write_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("pictures lower case, family codes, list order kept")
        << QStringList{"Z|zz|Burger.JPG|Special|TRUE|DEAL.JPG|TRUE", "A| a |x.jpg|(none)|FALSE||FALSE",
                       "M|m|x.jpg|Unknown|TRUE||FALSE"}
        << QByteArray("\"Z\",\"zz\",\"burger.jpg\",50,\"TRUE\",\"deal.jpg\",\"TRUE\"\r\n"
                      "\"A\",\"a\",\"x.jpg\",0,\"FALSE\",\"\",\"FALSE\"\r\n"
                      "\"M\",\"m\",\"x.jpg\",0,\"TRUE\",\"\",\"FALSE\"\r\n");
    QTest::newRow("a quote inside a descriptor never splits the line")
        << QStringList{"12\" Pizza|Pizza, 12\"|x.jpg|Entree|TRUE||FALSE"}
        << QByteArray("12\" Pizza,\"Pizza, 12'\",\"x.jpg\",10,\"TRUE\",\"\",\"FALSE\"\r\n");
}

void TestItemsFile::write() {
    QFETCH(QStringList, rows);
    QFETCH(QByteArray, expected);
    QList<MenuItem> items;
    for (const QString& r : rows)
        items << item(r);
    QCOMPARE(itemsFileBytes(items), expected);
    // What is written loads back as it was meant.
    MenuApp app;
    app.write(ItemsPath, expected);
    const ItemsLoadResult back = app.load();
    QCOMPARE(back.outcome, ItemsLoadOutcome::Loaded);
    QCOMPARE(back.rows.size(), items.size());
    QCOMPARE(back.rows.first().ShortDescriptor, items.first().ShortDescriptor);
}

void TestItemsFile::saveWithNoRowsKeepsTheOldFile() {
    MenuApp app;
    app.write(ItemsPath, Good);
    QVERIFY(!saveItemsFile(app.path(ItemsPath), {}));
    QCOMPARE(app.read(ItemsPath), Good);
}

void TestItemsFile::checkLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("badField");
    QTest::addColumn<LineProblem>("problem");
    QTest::addColumn<QString>("shown"); // the bad field's value box, or the last one
    using P = LineProblem;
    const QString good = QString::fromLatin1(Good);
    QTest::newRow("correct") << good << 0 << P::None << "FALSE";
    QTest::newRow("trailing blanks are not extra text") << good + "  " << 0 << P::None << "FALSE";
    QTest::newRow("upper-case JPG") << QString(good).replace("burger.jpg", "B.JPG") << 0 << P::None
                                    << "FALSE";
    QTest::newRow("family 7") << QString(good).replace(",10,", ",7,") << 0 << P::None << "FALSE";
    QTest::newRow("empty POP") << QString(good).replace("deal.jpg", "") << 0 << P::None << "FALSE";
    QTest::newRow("empty line") << "" << 1 << P::MissingQuotes << "";
    QTest::newRow("one quote in field 2") << R"("a","b,"c.jpg")" << 2 << P::MissingComma << R"("b,"c.jpg")";
    QTest::newRow("family without comma") << R"("a","b","c.jpg",10)" << 4 << P::MissingComma << "10";
    QTest::newRow("image not jpg") << QString(good).replace("burger.jpg", "b.gif") << 3 << P::NotJpg
                                   << "b.gif";
    QTest::newRow("empty image") << QString(good).replace("burger.jpg", "") << 3 << P::NotJpg << "";
    QTest::newRow("family text") << QString(good).replace(",10,", ", x1 ,") << 4 << P::NotNumeric << "x1";
    QTest::newRow("show True") << QString(good).replace("TRUE", "True") << 5 << P::NotTrueFalse << "True";
    QTest::newRow("POP png") << QString(good).replace("deal.jpg", "deal.png") << 6 << P::NotJpg << "deal.png";
    QTest::newRow("track unquoted") << QString(good).replace("\"FALSE\"", "FALSE") << 7 << P::MissingQuotes
                                    << "FALSE";
    QTest::newRow("track blank inside quotes")
        << QString(good).replace("\"FALSE\"", "\" FALSE\"") << 7 << P::NotTrueFalse << " FALSE";
    QTest::newRow("text before the opening quote")
        << "a," + good << 1 << P::TextOutsideQuotes << "a,\"Burger\"";
    QTest::newRow("text after the closing quote")
        << QString(good).replace("\"TRUE\"", "\"TRUE\"x") << 5 << P::TextOutsideQuotes << "\"TRUE\"x";
    QTest::newRow("an eighth field") << good + ",\"x\"" << 8 << P::ExtraText << "FALSE";
}

void TestItemsFile::checkLine() {
    QFETCH(QString, line);
    QFETCH(int, badField);
    QFETCH(LineProblem, problem);
    QFETCH(QString, shown);
    const LineCheck c = checkItemsLine(line);
    QCOMPARE(c.badField, badField);
    QCOMPARE(c.problem, problem);
    QCOMPARE(int(c.values.size()), badField == 0 ? 7 : std::min(badField, 7));
    QCOMPARE(c.values.last(), shown);
    if (problem == LineProblem::ExtraText) QCOMPARE(c.extraText, ",\"x\"");
    QCOMPARE(c.description().isEmpty(), c.ok());
}

// Randomly damaged files: the loader and the check always end; a file whose
// lines all pass the check loads one record per line with the values the
// check found; and what is saved from a load saves again the same.
void TestItemsFile::mutatedFiles() {
    QRandomGenerator random(20261206);
    const QByteArray alphabet = "\",. \tTRUEjpg10x";
    const QByteArray original = Good + "\r\n" + named("Pie").replace(",10,", ", 20 ,") + "\r\n";
    MenuApp app;
    int passed = 0;
    for (int n = 0; n < 1000; ++n) {
        QByteArray file = original;
        for (int k = random.bounded(1, 4); k > 0; --k) {
            const int at = random.bounded(int(file.size()));
            const char c = alphabet.at(random.bounded(int(alphabet.size())));
            if (file.at(at) == '\r' || file.at(at) == '\n') continue;
            if (k % 3 == 0)
                file.remove(at, 1);
            else if (k % 3 == 1)
                file.insert(at, c);
            else
                file[at] = c;
        }
        app.write(ItemsPath, file);
        const ItemsLoadResult r = app.load();
        QStringList lines = QString::fromLatin1(file).split("\r\n");
        lines.removeLast();
        QStringList found;
        bool allPass = true;
        for (const QString& line : lines) {
            const LineCheck c = checkItemsLine(line);
            allPass = allPass && c.ok();
            found += c.values;
        }
        if (allPass) {
            ++passed;
            QVERIFY2(r.outcome == ItemsLoadOutcome::Loaded || r.outcome == ItemsLoadOutcome::NoItems, file);
            FieldReader reader(QString::fromLatin1(file));
            for (const QString& value : found)
                QCOMPARE(reader.next().value_or("<end>"), value);
            QVERIFY(reader.atEnd());
        }
        if (r.outcome != ItemsLoadOutcome::Loaded) continue;
        const QByteArray saved = itemsFileBytes(r.rows);
        app.write(ItemsPath, saved);
        QCOMPARE(itemsFileBytes(app.load().rows), saved);
    }
    QVERIFY2(passed > 100, qPrintable(QString::number(passed)));
}

QTEST_GUILESS_MAIN(TestItemsFile)
#include "tst_itemsfile.moc"
