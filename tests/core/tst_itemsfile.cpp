// The items file: loading with its checks and substitutions, writing, and the line check.

#include "TestSupport.h"
#include "app/AppError.h"
#include "menu/ItemsFile.h"
#include "menu/LineCheck.h"
#include "menu/MenuCheckWalk.h"
#include "model/FileManager.h"

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
        items = pictureCatalogue(paths.itemImages());
        pops = pictureCatalogue(paths.popImages());
    }
    ItemsLoadResult load(const QString& defaultItem = "GreatChoice.jpg") const {
        return loadItemsFile(path(ItemsPath), items, pops, defaultItem);
    }
    FileManager items, pops;
};

QStringList joined(const QList<MenuItem>& items) {
    QStringList rows;
    for (const MenuItem& i : items)
        rows << QStringList{i.ShortDescriptor, i.LongDescriptor, i.Image, i.Family, i.ShowItem, i.AssociatedPOP, i.TrackItem}.join('|');
    return rows;
}

const QByteArray Good = R"("Burger","Big Burger","burger.jpg",10,"TRUE","deal.jpg","FALSE")";
/// Good with the text replaced.
QByteArray good(const QByteArray& from = {}, const QByteArray& to = {}) { return from.isEmpty() ? Good : QByteArray(Good).replace(from, to); }
QByteArray named(const QByteArray& name) { return good("\"Burger\",", "\"" + name + "\","); }

const QString GoodRow = "Burger|Big Burger|burger.jpg|Entree|TRUE|deal.jpg|FALSE";
QString row(const QString& from, const QString& to) { return QString(GoodRow).replace(from, to); }
/// A row with another short descriptor.
QString rowNamed(const QString& name, const QString& base = GoodRow) { return name + base.mid(base.indexOf('|')); }

} // namespace

Q_DECLARE_METATYPE(zr::ItemsLoadOutcome)
Q_DECLARE_METATYPE(zr::LineProblem)

class TestItemsFile : public QObject {
    Q_OBJECT
private slots:
    void load_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("defaultItem");
        QTest::addColumn<ItemsLoadOutcome>("outcome");
        QTest::addColumn<int>("line");
        QTest::addColumn<QStringList>("rows");
        using O = ItemsLoadOutcome;
        const QString d = "GreatChoice.jpg";
        const QStringList none;
        // clang-format off
        QTest::newRow("good record") << good() + "\r\n" << d << O::Loaded << 0 << QStringList{GoodRow};
        QTest::newRow("no final line end, LF only") << good() + "\n" + named("Pie") << d << O::Loaded << 0 << QStringList{GoodRow, rowNamed("Pie")};
        QTest::newRow("record over two lines") << good("\"burger.jpg\",", "\"burger.jpg\"\r\n") + "\r\n" << d << O::Loaded << 0 << QStringList{GoodRow};
        QTest::newRow("a quoted field across CR LF; later lines counted") << good("Big Burger", "Big\r\nBurger") + "\r\n" + good("FALSE", "False") << d << O::BadRecord << 3 << QStringList{row("Big Burger", "Big\r\nBurger")};
        QTest::newRow("a quoted field across LF") << good("Big Burger", "Big\n\nBurger") + "\n" + named("Pie") << d << O::Loaded << 0 << QStringList{row("Big Burger", "Big\n\nBurger"), rowNamed("Pie")};
        QTest::newRow("an unclosed quote at the end of the file runs to its end") << good() + "\r\n" + good().chopped(1) + "\r\n" << d << O::BadRecord << 2 << QStringList{GoodRow};
        QTest::newRow("six fields take the seventh from the next line") << QByteArray("\"A\",\"a\",\"pie.jpg\",40,\"TRUE\",\"\"\r\n\"FALSE\",\"B\",\"fries.jpg\",20,\"TRUE\",\"\",\"FALSE\"\r\n") << d << O::EndInsideRecord << 2 << QStringList{"A|a|pie.jpg|Dessert|TRUE||FALSE"};
        QTest::newRow("six fields, shifted into a bad record") << QByteArray("\"A\",\"a\",\"pie.jpg\",40,\"TRUE\",\"\"\r\n") + good() + "\r\n" + good() + "\r\n" << d << O::BadRecord << 1 << none;
        QTest::newRow("True is bad; rows before stay, later ones are not read") << good() + "\r\n" + good("FALSE", "True") + "\r\n" + named("X") << d << O::BadRecord << 2 << QStringList{GoodRow};
        QTest::newRow("true in show is bad") << good("\"TRUE\"", "\"true\"") << d << O::BadRecord << 1 << none;
        QTest::newRow("family not numeric") << good(",10,", ",ten,") << d << O::BadRecord << 1 << none;
        QTest::newRow("image without .jpg") << good("burger.jpg", "burger.png") << d << O::BadRecord << 1 << none;
        QTest::newRow("POP without .jpg") << good("deal.jpg", "deal") << d << O::BadRecord << 1 << none;
        QTest::newRow("empty image and empty default") << good("burger.jpg", "") << QString() << O::BadRecord << 1 << none;
        QTest::newRow("empty image takes the default") << good("burger.jpg", "") << d << O::Loaded << 0 << QStringList{row("burger.jpg", "GreatChoice.jpg")};
        QTest::newRow("upper-case JPG passes and keeps its case") << good("burger.jpg", "Burger.JPG").replace("deal.jpg", "DEAL.Jpg") << d << O::Loaded << 0 << QStringList{row("burger.jpg", "Burger.JPG").replace("deal.jpg", "DEAL.Jpg")};
        QTest::newRow("pictures missing from the catalogues") << good("burger.jpg", "gone.jpg").replace("deal.jpg", "old.jpg") << d << O::Loaded << 0 << QStringList{row("burger.jpg", "GreatChoice.jpg").replace("deal.jpg", "")};
        QTest::newRow("families by exact text") << good(",10,", ",60,") + "\r\n" + named("B").replace(",10,", ",0,") + "\r\n" + named("C").replace(",10,", ",010,") + "\r\n" + named("E").replace(",10,", ",50,") << d << O::Loaded << 0
            << QStringList{row("Entree", "(none)"), rowNamed("B", row("Entree", "(none)")), rowNamed("C", row("Entree", "(none)")), rowNamed("E", row("Entree", "Special"))};
        QTest::newRow("descriptors trimmed, blank name dropped, 8-bit bytes kept") << QByteArray("\"  \",\"x\",\"pie.jpg\",40,\"TRUE\",\"\",\"FALSE\"\r\n\" Caf\xe9 \",\" Latte \",\"pie.jpg\",40,\"TRUE\",\"\",\"FALSE\"\r\n") << d << O::Loaded << 0 << QStringList{QString::fromLatin1("Caf\xe9|Latte|pie.jpg|Dessert|TRUE||FALSE")};
        QTest::newRow("only blank names") << named(" ") << d << O::NoItems << 0 << none;
        QTest::newRow("a later duplicate is ignored, another letter case is not a duplicate") << good() + "\r\n" + good("Big", "Small") + "\r\n" + named("BURGER") << d << O::Loaded << 0 << QStringList{GoodRow, rowNamed("BURGER")};
        QTest::newRow("file ends inside the first record") << QByteArray("\"A\",\"a\",\"pie.jpg\"") << d << O::EndInsideRecord << 1 << none;
        // clang-format on
    }
    void load() {
        QFETCH(QByteArray, file);
        QFETCH(QString, defaultItem);
        QFETCH(ItemsLoadOutcome, outcome);
        QFETCH(int, line);
        QFETCH(QStringList, rows);
        MenuApp app;
        app.write(ItemsPath, file);
        const ItemsLoadResult r = app.load(defaultItem);
        QCOMPARE(joined(r.rows), rows);
        QCOMPARE(r.outcome, outcome);
        QCOMPARE(r.line, line);
        QCOMPARE(app.read(ItemsPath), file); // loading never changes the file
    }

    void missingEmptyAndUnreadableFiles() {
        MenuApp app;
        QCOMPARE(app.load().outcome, ItemsLoadOutcome::NoItems);
        QCOMPARE(app.load().message(), "No Items File found for this profile.\nRetrieve your system information from your OCB.");
        app.write(ItemsPath, "");
        const ItemsLoadResult r = app.load();
        QCOMPARE(r.outcome, ItemsLoadOutcome::EmptyFile);
        QVERIFY(r.message().isEmpty());
        QVERIFY(!app.exists(ItemsPath));
        QVERIFY(QDir().mkpath(app.path(ItemsPath)));
        try {
            app.load();
            QFAIL("no error");
        } catch (const AppError& e) {
            QCOMPARE(e.source(), "Load Items File");
        }
    }

    void roundTripKeepsEveryByte() {
        MenuApp app;
        const QByteArray file = testData("items/good");
        app.write(ItemsPath, file);
        ItemsLoadResult r = app.load();
        QCOMPARE(r.outcome, ItemsLoadOutcome::Loaded);
        QList<MenuItem> sorted = r.rows;
        std::reverse(sorted.begin(), sorted.end());
        sortItems(sorted);
        QCOMPARE(sorted, r.rows);
        QVERIFY(saveItemsFile(app.path(ItemsPath), sorted));
        QCOMPARE(app.read(ItemsPath), file);
        QVERIFY(!saveItemsFile(app.path(ItemsPath), {})); // no rows: the old file stays
        QCOMPARE(app.read(ItemsPath), file);
    }

    void write_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QByteArray>("expected");
        // clang-format off
        QTest::newRow("pictures lower case, family codes, list order kept") << QStringList{"Z|zz|Burger.JPG|Special|TRUE|DEAL.JPG|TRUE", "A| a |x.jpg|(none)|FALSE||FALSE", "M|m|x.jpg|Unknown|TRUE||FALSE"}
            << QByteArray("\"Z\",\"zz\",\"burger.jpg\",50,\"TRUE\",\"deal.jpg\",\"TRUE\"\r\n\"A\",\"a\",\"x.jpg\",0,\"FALSE\",\"\",\"FALSE\"\r\n\"M\",\"m\",\"x.jpg\",0,\"TRUE\",\"\",\"FALSE\"\r\n");
        QTest::newRow("a quote inside a descriptor never splits the line") << QStringList{"12\" Pizza|Pizza, 12\"|x.jpg|Entree|TRUE||FALSE"} << QByteArray("12\" Pizza,\"Pizza, 12'\",\"x.jpg\",10,\"TRUE\",\"\",\"FALSE\"\r\n");
        // clang-format on
    }
    void write() {
        QFETCH(QStringList, rows);
        QFETCH(QByteArray, expected);
        QList<MenuItem> items;
        for (const QString& r : rows) {
            const QStringList f = r.split('|');
            items << MenuItem{f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
        }
        QCOMPARE(itemsFileBytes(items), expected);
        // What is written loads back as it was meant.
        MenuApp app;
        app.write(ItemsPath, expected);
        const ItemsLoadResult back = app.load();
        QCOMPARE(back.outcome, ItemsLoadOutcome::Loaded);
        QCOMPARE(back.rows.size(), items.size());
        QCOMPARE(back.rows.first().ShortDescriptor, items.first().ShortDescriptor);
    }

    void checkLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("badField");
        QTest::addColumn<LineProblem>("problem");
        QTest::addColumn<QString>("shown"); // the bad field's value box, or the last one
        using P = LineProblem;
        const QString g = QString::fromLatin1(Good);
        // clang-format off
        QTest::newRow("correct") << g << 0 << P::None << "FALSE";
        QTest::newRow("trailing blanks are not extra text") << g + "  " << 0 << P::None << "FALSE";
        QTest::newRow("upper-case JPG") << QString(g).replace("burger.jpg", "B.JPG") << 0 << P::None << "FALSE";
        QTest::newRow("family 7") << QString(g).replace(",10,", ",7,") << 0 << P::None << "FALSE";
        QTest::newRow("empty POP") << QString(g).replace("deal.jpg", "") << 0 << P::None << "FALSE";
        QTest::newRow("empty line") << "" << 1 << P::MissingQuotes << "";
        QTest::newRow("one quote in field 2") << "\"a\",\"b,\"c.jpg\"" << 2 << P::MissingComma << "\"b,\"c.jpg\"";
        QTest::newRow("family without comma") << "\"a\",\"b\",\"c.jpg\",10" << 4 << P::MissingComma << "10";
        QTest::newRow("image not jpg") << QString(g).replace("burger.jpg", "b.gif") << 3 << P::NotJpg << "b.gif";
        QTest::newRow("empty image") << QString(g).replace("burger.jpg", "") << 3 << P::NotJpg << "";
        QTest::newRow("family text") << QString(g).replace(",10,", ", x1 ,") << 4 << P::NotNumeric << "x1";
        QTest::newRow("show True") << QString(g).replace("TRUE", "True") << 5 << P::NotTrueFalse << "True";
        QTest::newRow("POP png") << QString(g).replace("deal.jpg", "deal.png") << 6 << P::NotJpg << "deal.png";
        QTest::newRow("track unquoted") << QString(g).replace("\"FALSE\"", "FALSE") << 7 << P::MissingQuotes << "FALSE";
        QTest::newRow("track blank inside quotes") << QString(g).replace("\"FALSE\"", "\" FALSE\"") << 7 << P::NotTrueFalse << " FALSE";
        QTest::newRow("text before the opening quote") << "a," + g << 1 << P::TextOutsideQuotes << "a,\"Burger\"";
        QTest::newRow("text after the closing quote") << QString(g).replace("\"TRUE\"", "\"TRUE\"x") << 5 << P::TextOutsideQuotes << "\"TRUE\"x";
        QTest::newRow("an eighth field") << g + ",\"x\"" << 8 << P::ExtraText << "FALSE";
        // clang-format on
    }
    void checkLine() {
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

    // The menu check visits every line once, at each kind of line end, and then stops.
    void menuCheckWalk_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF, the last line ended") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("lone CR and LF, the last line open") << QByteArray("a\rb\nc") << QStringList{"a", "b", "c"};
        QTest::newRow("an empty file") << QByteArray() << QStringList{};
    }
    void menuCheckWalk() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        TempApp app;
        app.write("items", bytes);
        MenuCheckWalk walk(app.path("items"));
        QStringList seen;
        for (int n = 0; n < 10 && walk.next(); ++n)
            seen << walk.currentLine() + (walk.atLastLine() ? "." : "");
        if (!lines.isEmpty()) lines.last() += ".";
        QCOMPARE(seen, lines);
        QVERIFY(!walk.next());
    }
};

QTEST_GUILESS_MAIN(TestItemsFile)
#include "tst_itemsfile.moc"
