#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace zr {

class AppPaths;

/// One update or retrieve as the program remembers it.
struct TransferEntry {
    enum class Kind { Update, Retrieve };
    /// Interrupted: stopped part way on request (an AppError numbered
    /// errors::Interrupted); Failed: every other way of not finishing.
    enum class Result { Ok, Failed, Interrupted };

    QDateTime start, end;
    Kind kind = Kind::Update;
    Result result = Result::Failed;
    qint64 sent = 0, received = 0; // bytes over the board's data connections
    QString error;                 // the first error met, empty when none

    bool operator==(const TransferEntry&) const = default;
};

/// What a profile's record says at a glance.
struct TransferHistory {
    std::optional<TransferEntry> lastUpdate;   // the last update that succeeded
    std::optional<TransferEntry> lastRetrieve; // the last retrieve that succeeded
    std::optional<TransferEntry> last;         // the last transfer of either kind, whatever its result
};

/// The program's own record of every transfer in a profile, Log/Transfers.csv:
/// a header line, then one CSV line per transfer ("Start,End,Kind,Result,Bytes
/// sent,Bytes received,Error"), times as yyyy-MM-dd HH:mm:ss local time, kind
/// "update" or "retrieve", result "ok", "failed" or "interrupted". Lines are
/// only ever appended, each whole in one write, so a reader sees complete lines
/// and the board never reads this file.
namespace TransferRecord {

QString path(const AppPaths& paths, const QString& profile);

/// Appends the entry (and the header when the file is new). Raises an AppError
/// when the line cannot be written.
void append(const AppPaths& paths, const QString& profile, const TransferEntry& entry);

/// Every entry in the order written; lines that cannot be read are skipped.
QList<TransferEntry> read(const AppPaths& paths, const QString& profile);

/// The last successful update and retrieve and the last result; all empty
/// when the profile has no record yet.
TransferHistory history(const AppPaths& paths, const QString& profile);

/// The CSV line of an entry, without a line end, and back.
QString line(const TransferEntry& entry);
std::optional<TransferEntry> parse(const QString& line);

QString kindText(TransferEntry::Kind kind);
QString resultText(TransferEntry::Result result);
/// "yyyy-MM-dd HH:mm:ss", the record's way of writing a time.
QString timeText(const QDateTime& time);

} // namespace TransferRecord
} // namespace zr
