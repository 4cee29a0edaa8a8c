#include "reports/PadSummary.h"

#include "model/Profiles.h"
#include "reports/PadReport.h"

#include <QDate>
#include <QHash>

namespace zr {

std::optional<double> SpeedOfService::average(Measure m) const {
    if (known[m] == 0) return std::nullopt;
    return static_cast<double>(sum[m]) / static_cast<double>(known[m]);
}

std::optional<double> SpeedOfService::slowerShare() const {
    if (known[Total] == 0) return std::nullopt;
    return 100.0 * static_cast<double>(slower) / static_cast<double>(known[Total]);
}

// The day part of a moment given in seconds from a fixed day.
int dayPartOf(qint64 seconds, const ScheduleStarts& starts) {
    const qint64 dayNumber = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const QDate date = QDate::fromJulianDay(dayNumber);
    const QTime time = QTime(0, 0).addSecs(static_cast<int>(seconds - dayNumber * 86400));
    return dayPartInForce(starts, date.dayOfWeek(), time).part;
}

namespace {

struct CarTimes {
    qint64 arrival = Report::NoValue;
    std::array<qint64, SpeedOfService::MeasureCount> times;
};

void add(SpeedOfService& group, const CarTimes& car) {
    ++group.cars;
    for (int m = 0; m < SpeedOfService::MeasureCount; ++m) {
        if (car.times[m] == Report::NoValue) continue;
        group.sum[m] += car.times[m];
        ++group.known[m];
    }
}

QString figure(const std::optional<double>& v) {
    return v ? QString::number(*v, 'f', 1) : QStringLiteral("-");
}

} // namespace

PadSummary summarize(const Report& report, const ScheduleStarts& starts) {
    using namespace PadReport;
    const int measures[] = {GreetTime, Pad1Time, Pad2Time, TotalTime};
    std::vector<CarTimes> cars;
    QHash<qint64, std::size_t> carIndex;
    for (int r = 0; r < report.rowCount(); ++r) {
        const qint64 number = report.value(r, Car);
        auto found = carIndex.constFind(number);
        if (found == carIndex.cend()) {
            found = carIndex.insert(number, cars.size());
            CarTimes car;
            car.times.fill(Report::NoValue);
            cars.push_back(car);
        }
        CarTimes& car = cars[*found];
        if (car.arrival == Report::NoValue) car.arrival = report.value(r, OnPad1);
        if (car.arrival == Report::NoValue) car.arrival = report.value(r, OnPad2);
        for (int m = 0; m < SpeedOfService::MeasureCount; ++m)
            if (car.times[m] == Report::NoValue) car.times[m] = report.value(r, measures[m]);
    }

    PadSummary summary;
    summary.overall.label = QStringLiteral("All");
    const char* partNames[] = {"Breakfast", "Lunch", "Dinner", "Closed"};
    for (int d = 0; d < 4; ++d)
        summary.dayParts[d].label = partNames[d];
    for (int h = 0; h < 24; ++h)
        summary.hours[h].label = QStringLiteral("%1:00").arg(h, 2, 10, QChar('0'));
    for (const CarTimes& car : cars) {
        add(summary.overall, car);
        if (car.arrival == Report::NoValue) continue;
        add(summary.dayParts[dayPartOf(car.arrival, starts)], car);
        const qint64 inDay = car.arrival % 86400;
        add(summary.hours[(inDay < 0 ? inDay + 86400 : inDay) / 3600], car);
    }
    return summary;
}

QString summaryText(const PadSummary& summary) {
    const auto line = [](const SpeedOfService& g) {
        QString text = g.label.leftJustified(10) + QString::number(g.cars).rightJustified(8);
        for (int m = 0; m < SpeedOfService::MeasureCount; ++m)
            text += figure(g.average(SpeedOfService::Measure(m))).rightJustified(8);
        return text + '\n';
    };
    QString out = QStringLiteral("Speed of service (average seconds)\n") +
                  QString("Period").leftJustified(10) + QString("Cars").rightJustified(8) +
                  QString("Greet").rightJustified(8) + QString("Pad1").rightJustified(8) +
                  QString("Pad2").rightJustified(8) + QString("Total").rightJustified(8) + '\n';
    out += line(summary.overall) + '\n';
    for (const SpeedOfService& part : summary.dayParts)
        out += line(part);
    out += '\n';
    for (const SpeedOfService& hour : summary.hours)
        if (hour.cars > 0) out += line(hour);
    return out;
}

} // namespace zr
