#include "ReportCommands.h"

#include "CliPrompts.h"
#include "app/Clock.h"
#include "model/ConfigReader.h"
#include "model/Profiles.h"
#include "reports/AsciiPadReport.h"
#include "reports/FleetReport.h"
#include "reports/PadReport.h"
#include "reports/PadSummary.h"
#include "reports/TrackingReport.h"

#include <cstdio>

namespace zr::ReportCommands {

namespace {
constexpr int ProblemInFile = 6;

void write(std::FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, bytes.size(), stream);
}

int finish(const Report& report, const QByteArray& out) {
    // Cells keep the file's bytes unchanged.
    write(stdout, out);
    std::fflush(stdout);
    for (const QString& problem : report.problems())
        write(stderr, (problem + '\n').toLocal8Bit());
    return report.problems().isEmpty() ? 0 : ProblemInFile;
}

Report build(const QString& kind, const QString& path) {
    if (kind == "pad") return PadReport::read(path);
    if (kind == "ascii-pad") return AsciiPadReport::read(path);
    return TrackingReport::read(path);
}
} // namespace

int print(const QString& kind, const QString& path) {
    const Report report = build(kind, path);
    // A line at a time: the whole CSV of a large file is never held.
    QByteArray out = report.csvHeader().toLatin1();
    for (int r = 0; r < report.rowCount(); ++r) {
        report.appendCsvLine(out, r);
        if (out.size() >= 1 << 16) {
            write(stdout, out);
            out.clear();
        }
    }
    return finish(report, out);
}

int printSummary(const AppPaths& paths, const QString& path, const QString& profile) {
    ScheduleStarts starts;
    if (!profile.isEmpty()) {
        SystemClock clock;
        CliPrompts prompts(true);
        Profiles read(paths, clock, prompts);
        // Only read: the profile does not become current, and nothing is written.
        ConfigReader(read).readOnly(profile);
        starts = scheduleStarts(read);
    }
    const Report report = PadReport::read(path);
    return finish(report, summaryText(summarize(report, starts)).toLocal8Bit());
}

int printFleet(const AppPaths& paths, const QDate& from, const QDate& to, int goal) {
    CliPrompts prompts(true);
    Report lines = FleetReport::emptyReport();
    write(stdout, lines.csvHeader().toLatin1());
    const QStringList problems =
        FleetReport::read(paths, prompts, {from, to, goal}, [&](const FleetReport::Store& store) {
            FleetReport::addRow(lines, store);
            // Store names are shown as the system writes them.
            write(stdout, lines.csvLine(lines.rowCount() - 1).toLocal8Bit());
            lines = FleetReport::emptyReport();
        });
    std::fflush(stdout);
    for (const QString& problem : problems)
        write(stderr, (problem + '\n').toLocal8Bit());
    return problems.isEmpty() ? 0 : ProblemInFile;
}

} // namespace zr::ReportCommands
