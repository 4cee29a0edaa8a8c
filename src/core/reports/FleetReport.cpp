#include "reports/FleetReport.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "model/ConfigReader.h"
#include "model/ProfileStore.h"
#include "model/Profiles.h"
#include "reports/PadPairing.h"
#include "reports/StatsStream.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <climits>
#include <cmath>

namespace zr::FleetReport {

namespace {

constexpr qint64 NoValue = Report::NoValue;

// A time of a car: the one of its first row that has it.
struct Earliest {
    int row = INT_MAX;
    qint64 value = NoValue;
    void offer(int at, qint64 v) {
        if (v != NoValue && at < row) {
            row = at;
            value = v;
        }
    }
};

struct OpenCar {
    int openRows = 0; // rows still without pad-2 data
    Earliest arrival;
    std::array<Earliest, SpeedOfService::MeasureCount> times;
};

struct OpenRow {
    qint64 car;
    qint64 arrival1;
};

qint64 difference(const std::optional<qint64>& from, const std::optional<qint64>& to) {
    return from && to ? *to - *from : NoValue;
}

const char* const PartNames[] = {"Breakfast", "Lunch", "Dinner", "Closed"};

} // namespace

struct StoreReader::FileState {
    PadPairing pairing;
    qint64 cars = 0;
    std::optional<qint64> arrival1, arrival2;
    QHash<int, OpenRow> openRows;
    QHash<qint64, OpenCar> openCars;
    QStringList problems;

    std::optional<qint64> stamp(QByteArrayView text) {
        if (text.isEmpty()) return std::nullopt;
        const std::optional<qint64> s = StatsText::seconds(text);
        if (!s && !problems.contains(ReportMessages::TimeFormatProblem))
            problems << ReportMessages::TimeFormatProblem;
        return s;
    }
};

StoreReader::StoreReader(QString name, const ScheduleStarts& starts, const Options& options)
    : m_starts(starts), m_options(options) {
    m_store.name = std::move(name);
    m_store.overall.label = QStringLiteral("All");
    for (int d = 0; d < 4; ++d)
        m_store.dayParts[d].label = PartNames[d];
}

void StoreReader::finish(FileState& file, qint64 number) {
    const auto found = file.openCars.constFind(number);
    if (found == file.openCars.cend()) return;
    const OpenCar car = *found;
    file.openCars.erase(found);

    const qint64 arrival = car.arrival.value;
    if (m_options.dated()) {
        if (arrival == NoValue) return;
        const QDate date = QDate::fromJulianDay(arrival >= 0 ? arrival / 86400 : (arrival - 86399) / 86400);
        if ((m_options.from.isValid() && date < m_options.from) || (m_options.to.isValid() && date > m_options.to))
            return;
    }
    const qint64 total = car.times[SpeedOfService::Total].value;
    const auto add = [&](SpeedOfService& group) {
        ++group.cars;
        for (int m = 0; m < SpeedOfService::MeasureCount; ++m) {
            if (car.times[m].value == NoValue) continue;
            group.sum[m] += car.times[m].value;
            ++group.known[m];
        }
        if (total != NoValue && total > m_options.goal) ++group.slower;
    };
    add(m_store.overall);
    if (arrival != NoValue) add(m_store.dayParts[dayPartOf(arrival, m_starts)]);
}

QStringList StoreReader::addFile(const QString& path) {
    FileState file;
    StatsStream in(path, QStringLiteral("FleetReport"));
    ++m_store.files;
    // A car is done once it is no longer the latest and each of its rows has its pickup.
    const auto nextCar = [&] {
        const qint64 previous = file.cars++;
        if (const auto car = file.openCars.constFind(previous); car != file.openCars.cend() && car->openRows == 0)
            finish(file, previous);
    };
    std::array<QByteArrayView, 7> f;
    while (!in.atEnd()) {
        const std::size_t got = in.nextRecord(f);
        const std::optional<qint64> kind = StatsText::integer(f[0]);
        const std::optional<qint64> check = StatsText::integer(f[1]);
        if (got < f.size() || !kind || !check || !StatsText::integer(f[6])) {
            file.problems << ReportMessages::FileProblem;
            break;
        }
        if (*kind == 1) {
            if (!f[2].isEmpty()) {
                nextCar();
                file.arrival1 = file.stamp(f[2]);
            }
            const int row = file.pairing.padOne(*check).row;
            const std::optional<qint64> off = file.stamp(f[3]), start = file.stamp(f[4]);
            OpenCar& car = file.openCars[file.cars];
            ++car.openRows;
            car.arrival.offer(row, file.arrival1.value_or(NoValue));
            car.times[SpeedOfService::Greet].offer(row, difference(file.arrival1, start));
            car.times[SpeedOfService::Pad1].offer(row, difference(file.arrival1, off));
            file.openRows.insert(row, {file.cars, file.arrival1.value_or(NoValue)});
        } else if (*kind == 2) {
            if (!f[2].isEmpty()) file.arrival2 = file.stamp(f[2]);
            const PadPairing::Place place = file.pairing.padTwo(*check);
            const std::optional<qint64> off = file.stamp(f[3]);
            OpenRow row{0, NoValue};
            if (place.started) {
                // A pickup with no order row is a car of its own.
                nextCar();
                row.car = file.cars;
            } else {
                row = file.openRows.take(place.row);
            }
            OpenCar& car = file.openCars[row.car];
            if (!place.started) --car.openRows;
            if (row.arrival1 == NoValue) car.arrival.offer(place.row, file.arrival2.value_or(NoValue));
            car.times[SpeedOfService::Pad2].offer(place.row, difference(file.arrival2, off));
            car.times[SpeedOfService::Total].offer(
                place.row, difference(row.arrival1 == NoValue ? std::nullopt : std::optional(row.arrival1), off));
            if (car.openRows == 0 && row.car != file.cars) finish(file, row.car);
        }
    }
    while (!file.openCars.isEmpty())
        finish(file, file.openCars.constBegin().key());
    return file.problems;
}

QStringList padFiles(const AppPaths& paths, const QString& profile) {
    const QDir folder(paths.profileFile(profile, QStringLiteral("Stats/Pad")));
    QStringList files;
    for (const QFileInfo& info : folder.entryInfoList({"*.txt", "*.pad"}, QDir::Files, QDir::Name | QDir::IgnoreCase))
        files << info.absoluteFilePath();
    return files;
}

QStringList read(const AppPaths& paths, Prompts& prompts, const Options& options,
                 const std::function<void(const Store&)>& onStore) {
    QStringList problems;
    SystemClock clock;
    for (const QString& name : ProfileStore::profileNames(paths)) {
        ScheduleStarts starts;
        try {
            Profiles profile(paths, clock, prompts);
            ConfigReader(profile).readOnly(name);
            starts = scheduleStarts(profile);
        } catch (const AppError& e) {
            problems << name + ": " + e.description();
        }
        StoreReader store(name, starts, options);
        for (const QString& path : padFiles(paths, name)) {
            try {
                for (const QString& problem : store.addFile(path))
                    problems << name + ": " + QFileInfo(path).fileName() + ": " + problem;
            } catch (const AppError& e) {
                problems << name + ": " + e.description();
            }
        }
        onStore(store.store());
    }
    return problems;
}

QStringList columnNames() {
    QStringList names{"Store", "Files"};
    const QStringList measures{"Cars", "Greet", "Pad1", "Pad2", "Total", "Over Goal %"};
    names << measures;
    for (const char* part : PartNames)
        for (const QString& measure : measures)
            names << QString::fromLatin1(part) + ' ' + measure;
    return names;
}

Report emptyReport() {
    return Report(columnNames());
}

void addRow(Report& report, const Store& store) {
    const int row = report.addRow();
    int column = 0;
    report.set(row, column++, store.name);
    report.set(row, column++, QString::number(store.files), store.files);
    const auto figure = [&](const std::optional<double>& v) {
        if (v)
            report.set(row, column, QString::number(*v, 'f', 1), std::llround(*v * 10));
        else
            report.set(row, column, QString());
        ++column;
    };
    for (const SpeedOfService* group :
         {&store.overall, &store.dayParts[0], &store.dayParts[1], &store.dayParts[2], &store.dayParts[3]}) {
        report.set(row, column++, QString::number(group->cars), group->cars);
        for (int m = 0; m < SpeedOfService::MeasureCount; ++m)
            figure(group->average(SpeedOfService::Measure(m)));
        figure(group->slowerShare());
    }
}

} // namespace zr::FleetReport
