#pragma once

#include <QString>
#include <optional>

namespace zr {

/// What a worker (zrctl running one board with --progress-lines) prints on
/// stdout, one line each, for the run that supervises it:
///
///     zr-progress<TAB>status<TAB>value<TAB>maximum<TAB>text
///     zr-progress<TAB>end<TAB>result<TAB>bytes sent<TAB>bytes received<TAB>address<TAB>reason
///
/// Tabs and line breaks inside the texts become spaces.
struct ProgressLine {
    enum class Kind { Status, End };
    /// How a board's command ended. NoConnection: the board never answered,
    /// so nothing was sent and the command may be tried again.
    enum class Result { Ok, Failed, NoConnection, Interrupted };

    Kind kind = Kind::Status;
    int value = 0, maximum = 0;
    QString text; // the status line, or the reason a command failed
    Result result = Result::Failed;
    qint64 bytesSent = 0, bytesReceived = 0;
    QString address;

    QByteArray toLine() const;
    /// Nothing when the line is not a progress line.
    static std::optional<ProgressLine> parse(const QByteArray& line);

    static QString resultName(Result result);
};

} // namespace zr
