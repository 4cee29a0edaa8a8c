#include "app/Clock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace zr {

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }

void SystemClock::wait(double seconds) {
    if (!(seconds > 0)) return;
    const auto ms = static_cast<qint64>(seconds * 1000.0 + 0.5);
    QDeadlineTimer deadline(ms, Qt::PreciseTimer);
    if (!QCoreApplication::instance()) {
        QThread::msleep(static_cast<unsigned long>(ms));
        return;
    }
    // Events that arrive during the pause are handled; a nested event loop
    // sleeps between them instead of spinning.
    while (!deadline.hasExpired()) {
        QEventLoop loop;
        QTimer::singleShot(std::max<qint64>(1, deadline.remainingTime()), Qt::PreciseTimer, &loop,
                           &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace zr
