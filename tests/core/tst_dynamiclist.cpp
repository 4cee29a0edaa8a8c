// The key/value line list behind every settings file.

#include "app/AppError.h"
#include "model/DynamicList.h"

#include <QTest>

using namespace zr;

class TestDynamicList : public QObject {
    Q_OBJECT
private slots:
    void tokenize_data();
    void tokenize();
    void masks_data();
    void masks();
    void maskFlags();
    void masksAreChecked();
    void lookUpShapes();
    void removeItem();
};

void TestDynamicList::tokenize_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("tokens");

    QTest::newRow("quoted font") << "display_font_os = \"arialb\"" << "display_font_os" << QStringList{"arialb"};
    QTest::newRow("pop line") << "pop_week_break = default.jpg    2" << "pop_week_break"
                              << QStringList{"default.jpg", "2"};
    QTest::newRow("suggestion line") << "sugg_break = 10     greatchoice.jpg    \"Thank you for your Order\""
                                     << "sugg_break"
                                     << QStringList{"10", "greatchoice.jpg", "Thank you for your Order"};
    QTest::newRow("several blanks between words") << "k = a      b" << "k" << QStringList{"a", "b"};
    QTest::newRow("line ending in =") << "display_mode =" << "display_mode" << QStringList{""};
    QTest::newRow("blanks after =") << "k =    " << "k" << QStringList{""};
    QTest::newRow("no = sign") << "  a heading  " << "a heading" << QStringList{};
    QTest::newRow("key trimmed, first = splits") << "  k  = a=b" << "k" << QStringList{"a=b"};
    QTest::newRow("quoted token trimmed inside") << "k = \"  a b  \"  c" << "k" << QStringList{"a b", "c"};
    QTest::newRow("empty quotes") << "k = \"\"" << "k" << QStringList{""};
    QTest::newRow("unclosed quote takes the rest") << "k = x \"open  end " << "k" << QStringList{"x", "open  end"};
    QTest::newRow("quote inside a word") << "k = a\"b c\"" << "k" << QStringList{"a\"b", "c\""};
    QTest::newRow("tab is not a blank") << "k\t= a\tb" << "k\t" << QStringList{"a\tb"};
}

void TestDynamicList::tokenize() {
    QFETCH(QString, line);
    QFETCH(QString, key);
    QFETCH(QStringList, tokens);
    DynamicList list;
    list.AddItem(line);
    QCOMPARE(list.Count(), 1);
    QCOMPARE(list.Item(1).ID, key);
    QCOMPARE(list.Item(1).Value, tokens);
}

void TestDynamicList::masks_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<QStringList>("masks");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("kept");

    const QStringList lines{"# comment", "", "start zrcoda", "starting = 1", "a = 1", "#"};
    QTest::newRow("prefix: comments, empty and start lines")
        << 1 << QStringList{"#", "", "start"} << lines << QStringList{"a"};
    QTest::newRow("exact: only whole lines") << 2 << QStringList{"#", "", "start"} << lines
                                             << QStringList{"# comment", "start zrcoda", "starting", "a"};
    QTest::newRow("masks without a mode mask nothing")
        << 0 << QStringList{"#", ""} << lines << QStringList{"# comment", "", "start zrcoda", "starting", "a", "#"};
    QTest::newRow("empty mask in prefix mode masks only empty lines")
        << 1 << QStringList{""} << lines << QStringList{"# comment", "start zrcoda", "starting", "a", "#"};
}

void TestDynamicList::masks() {
    QFETCH(int, flags);
    QFETCH(QStringList, masks);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, kept);
    DynamicList list;
    list.MaskFlags(flags);
    for (const QString& m : masks) list.AddMask(m);
    for (const QString& l : lines) list.AddItem(l);
    QStringList ids;
    for (int i = 1; i <= list.Count(); ++i) ids << list.Item(i).ID;
    QCOMPARE(ids, kept);
}

void TestDynamicList::maskFlags() {
    DynamicList list;
    list.MaskFlags(1);
    list.MaskFlags(2);  // setting one mode keeps the other
    QVERIFY(list.prefixMode() && list.exactMode());
    try {
        list.MaskFlags(3 + 1);
        QFAIL("a value above 2 must be refused");
    } catch (const AppError& e) {
        QCOMPARE(e.source(), "Set Flags");
        QCOMPARE(e.number(), 1);
        QCOMPARE(e.description(), "Maximum Mask Value is 2.");
    }
    QVERIFY(list.prefixMode() && list.exactMode());
    list.MaskFlags(0);
    QVERIFY(!list.prefixMode() && !list.exactMode());
}

void TestDynamicList::masksAreChecked() {
    DynamicList list;
    list.MaskFlags(1);
    list.AddItem("# before the mask");
    list.AddMask("#");
    list.AddItem("# after the mask");
    QCOMPARE(list.Count(), 1);
    QCOMPARE(list.Item(1).ID, "# before the mask");
    QVERIFY_THROWS_EXCEPTION(AppError, list.AddMask("#"));
    QVERIFY_THROWS_EXCEPTION(AppError, list.AddItem("x = 1", "#"));  // a filter that is a mask
    list.AddItem("pop_a = 1", "pop_");
    list.AddItem("tod_a = 1", "pop_");  // does not begin with the filter
    QCOMPARE(list.Count(), 2);
    list.AddUniqueItem("u");
    list.AddUniqueItem("u");
    QCOMPARE(list.Count(), 3);
}

void TestDynamicList::lookUpShapes() {
    DynamicList list;
    for (const char* line : {"one = a", "pair = a 1", "three = a 1", "three = b 2", "three = c 3", "mixed = x",
                             "mixed = y 2", "empty =", "Case = upper"})
        list.AddItem(QString::fromLatin1(line));

    QCOMPARE(list.LookUpProperty("one", false), QVariant(QString("a")));
    QCOMPARE(list.LookUpProperty("one", true), QVariant(QVariantList{QString("a")}));
    QCOMPARE(list.LookUpProperty("pair", false), QVariant(QStringList{"a", "1"}));
    const QVariantList three = list.LookUpProperty("three", false).toList();
    QCOMPARE(three.size(), 3);
    QCOMPARE(three.at(2).toStringList(), (QStringList{"c", "3"}));
    QCOMPARE(list.LookUpProperty("mixed", false),
             QVariant(QVariantList{QString("x"), QStringList{"y", "2"}}));
    // An empty value reads as a missing key does.
    QCOMPARE(list.LookUpProperty("empty", false), QVariant(QString()));
    QCOMPARE(list.LookUpProperty("missing", false), QVariant(QString()));
    QCOMPARE(list.LookUpProperty("missing", true), QVariant(QVariantList{QString()}));
    QCOMPARE(list.LookUpProperty("case", false), QVariant(QString()));  // keys compare with case
    QCOMPARE(list.LastLookUp(), "case");
    QCOMPARE(list.lines("three").size(), 3);
    QVERIFY(list.lines("missing").isEmpty());
}

void TestDynamicList::removeItem() {
    DynamicList list;
    for (const char* line : {"a = 1", "b = 2", "a = 3"}) list.AddItem(QString::fromLatin1(line));
    QString key = "a";
    list.RemoveItem(key);
    QCOMPARE(list.Count(), 1);
    list.LookUpProperty("b", false);
    QString last;
    list.RemoveItem(last);  // empty: the last key looked up, told back to the caller
    QCOMPARE(last, "b");
    QCOMPARE(list.Count(), 0);
}

QTEST_GUILESS_MAIN(TestDynamicList)
#include "tst_dynamiclist.moc"
