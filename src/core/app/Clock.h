#pragma once

#include <QDateTime>

namespace zr {

/// The current time and the pauses of the program. Tests put a fake in its
/// place so that log lines have known stamps and pauses take no time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    /// Returns after the given number of seconds, keeping windows painted.
    virtual void wait(double seconds) = 0;
};

/// The system clock. Waiting runs the event loop on a monotonic timer, so
/// windows stay painted and no core is burnt.
class SystemClock : public Clock {
public:
    QDateTime now() const override;
    void wait(double seconds) override;
};

} // namespace zr
