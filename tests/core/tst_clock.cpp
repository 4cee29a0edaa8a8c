// Pauses keep the event loop running.

#include "app/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace zr;

class TestClock : public QObject {
    Q_OBJECT
private slots:
    void waitHandlesEventsMeanwhile_data();
    void waitHandlesEventsMeanwhile();
};

void TestClock::waitHandlesEventsMeanwhile_data() {
    QTest::addColumn<double>("seconds");
    QTest::addColumn<bool>("timerFires");
    QTest::newRow("a fraction of a second") << 0.3 << true;
    QTest::newRow("zero returns at once") << 0.0 << false;
    QTest::newRow("negative returns at once") << -1.0 << false;
}

void TestClock::waitHandlesEventsMeanwhile() {
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
    QTest::qWait(60);  // let the timer of this row go off before the next
}

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
