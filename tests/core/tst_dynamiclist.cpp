#include "app/AppError.h"
#include "model/DynamicList.h"

#include <QTest>

using namespace zr;

class TestDynamicList : public QObject {
    Q_OBJECT
private slots:
    void tokenize_data();
    void tokenize();
};

void TestDynamicList::tokenize_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("tokens");
    QTest::newRow("quoted font") << "display_font_os = \"arialb\"" << "display_font_os" << QStringList{"arialb"};
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

QTEST_GUILESS_MAIN(TestDynamicList)
#include "tst_dynamiclist.moc"
