#pragma once

#include "comm/OcbTransfer.h"

#include <QString>
#include <functional>
#include <optional>

namespace zr {

class AppPaths;
class Clock;
class Prompts;

/// The board one command goes to, and what it sends besides the profile.
struct TransferTarget {
    QString profile;
    /// The profile's IP address; a host given here or in Ftp.ini replaces it.
    QString ip;
    /// Replace the host and the port of Ftp.ini when set (empty, 0: keep them).
    QString host;
    int port = 0;
    /// The default pictures; both empty: those of zr.ini or the program's own.
    QString defaultPOP, defaultItem;
    /// Where the control files are written first (empty: the application folder).
    QString scratchFolder;
};

/// What became of one command.
struct TransferResult {
    QString address;        // where the command went
    std::optional<bool> ok; // nothing: a failure was passed up and has been reported
    bool stopped = false;   // onStatus threw TransferStopped
    bool reached = false;   // the board answered at some point
    qint64 bytesSent = 0, bytesReceived = 0; // files that went through whole
};

/// Thrown from onStatus to end a command between two steps: the step before
/// the status line is done, the next one is not begun. The procedure
/// disconnects as it does on any failure.
struct TransferStopped {};

/// One update or retrieve against a profile's board, over the libcurl client
/// set up from Ftp.ini. Every status line goes to onStatus with the progress
/// after it. A failure the procedure passes up is reported as reportFailure
/// does (an "Error" box, Exceptions.log and Ftp.log).
/// An onStatus that throws TransferStopped ends the command early.
TransferResult runTransfer(const AppPaths& paths, Prompts& prompts, Clock& clock, const TransferTarget& target,
                           const TransferChoices& choices,
                           const std::function<void(const QString& text, int value, int maximum)>& onStatus);

} // namespace zr
