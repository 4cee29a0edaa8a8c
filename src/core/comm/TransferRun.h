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
};

/// What became of one command.
struct TransferResult {
    QString address;        // where the command went
    std::optional<bool> ok; // nothing: a failure was passed up and has been reported
};

/// One update or retrieve against a profile's board, over the libcurl client
/// set up from Ftp.ini. Every status line goes to onStatus with the progress
/// after it. A failure the procedure passes up is reported as reportFailure
/// does (an "Error" box, Exceptions.log and Ftp.log).
TransferResult runTransfer(const AppPaths& paths, Prompts& prompts, Clock& clock, const TransferTarget& target,
                           const TransferChoices& choices,
                           const std::function<void(const QString& text, int value, int maximum)>& onStatus);

} // namespace zr
