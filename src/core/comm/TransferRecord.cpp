#include "comm/TransferRecord.h"

#include "app/AppError.h"
#include "app/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <array>

namespace zr::TransferRecord {

namespace {

const QString Source = "TransferRecord";
const QByteArray Header = "Start,End,Kind,Result,Bytes sent,Bytes received,Error";
const QString TimeFormat = "yyyy-MM-dd HH:mm:ss";
const std::array<QString, 2> Kinds{"update", "retrieve"};
const std::array<QString, 3> Results{"ok", "failed", "interrupted"};

QString quoted(QString text) {
    // One transfer, one line: line breaks inside a message become blanks.
    text.replace("\r\n", " ").replace('\r', ' ').replace('\n', ' ');
    if (!text.contains(',') && !text.contains('"')) return text;
    return '"' + text.replace("\"", "\"\"") + '"';
}

/// The fields of a CSV line; nothing when a quote is left open.
std::optional<QStringList> fields(const QString& line) {
    QStringList out{QString()};
    bool inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (inQuotes) {
            if (c != '"')
                out.last() += c;
            else if (i + 1 < line.size() && line.at(i + 1) == '"')
                out.last() += line.at(++i);
            else
                inQuotes = false;
        } else if (c == '"') {
            inQuotes = true;
        } else if (c == ',') {
            out.append(QString());
        } else {
            out.last() += c;
        }
    }
    if (inQuotes) return std::nullopt;
    return out;
}

template <typename T, std::size_t N> std::optional<T> lookup(const std::array<QString, N>& words, const QString& word) {
    for (std::size_t i = 0; i < N; ++i)
        if (words[i] == word) return static_cast<T>(i);
    return std::nullopt;
}

} // namespace

QString kindText(TransferEntry::Kind kind) { return Kinds.at(static_cast<std::size_t>(kind)); }
QString resultText(TransferEntry::Result result) { return Results.at(static_cast<std::size_t>(result)); }
QString timeText(const QDateTime& time) { return time.toString(TimeFormat); }

QString path(const AppPaths& paths, const QString& profile) {
    return paths.profileFile(profile, "Log/Transfers.csv");
}

QString line(const TransferEntry& e) {
    return QStringList{timeText(e.start), timeText(e.end), kindText(e.kind), resultText(e.result),
                       QString::number(e.sent), QString::number(e.received), quoted(e.error)}
        .join(',');
}

std::optional<TransferEntry> parse(const QString& text) {
    const std::optional<QStringList> f = fields(text);
    if (!f || f->size() != 7) return std::nullopt;
    TransferEntry e;
    e.start = QDateTime::fromString(f->at(0), TimeFormat);
    e.end = QDateTime::fromString(f->at(1), TimeFormat);
    const auto kind = lookup<TransferEntry::Kind>(Kinds, f->at(2));
    const auto result = lookup<TransferEntry::Result>(Results, f->at(3));
    bool sentOk = false, receivedOk = false;
    e.sent = f->at(4).toLongLong(&sentOk);
    e.received = f->at(5).toLongLong(&receivedOk);
    if (!e.start.isValid() || !e.end.isValid() || !kind || !result || !sentOk || !receivedOk)
        return std::nullopt;
    e.kind = *kind;
    e.result = *result;
    e.error = f->at(6);
    return e;
}

void append(const AppPaths& paths, const QString& profile, const TransferEntry& entry) {
    const QString file = path(paths, profile);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    // Unbuffered and in append mode: the whole line goes in one write at the
    // file's end, so no reader ever sees half a line and nothing is rewritten.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        throw AppError(Source, errors::PathNotFound, "Cannot write \"" + file + "\": " + out.errorString());
    QByteArray bytes = line(entry).toUtf8() + "\r\n";
    if (out.size() == 0) bytes.prepend(Header + "\r\n");
    if (out.write(bytes) != bytes.size())
        throw AppError(Source, errors::DeviceIO, "Cannot write \"" + file + "\": " + out.errorString());
}

QList<TransferEntry> read(const AppPaths& paths, const QString& profile) {
    QList<TransferEntry> entries;
    QFile in(path(paths, profile));
    if (!in.open(QIODevice::ReadOnly)) return entries;
    while (!in.atEnd()) {
        const QString text = QString::fromUtf8(in.readLine()).trimmed();
        if (const std::optional<TransferEntry> e = parse(text)) entries.append(*e);
    }
    return entries;
}

TransferHistory history(const AppPaths& paths, const QString& profile) {
    TransferHistory h;
    for (const TransferEntry& e : read(paths, profile)) {
        h.last = e;
        if (e.result == TransferEntry::Result::Ok)
            (e.kind == TransferEntry::Kind::Update ? h.lastUpdate : h.lastRetrieve) = e;
    }
    return h;
}

} // namespace zr::TransferRecord
