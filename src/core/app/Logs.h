#pragma once

#include <QString>

namespace zr {

class AppPaths;
class Clock;
class Prompts;

/// The two logs of a profile, in its Log folder.
class ProfileLogs {
public:
    ProfileLogs(const AppPaths& paths, const Clock& clock) : m_paths(paths), m_clock(clock) {}

    /// Appends "<general date text> <message>" to Event.log.
    void LogEvent(const QString& profile, const QString& message) const;

    /// Appends #yyyy-mm-dd hh:mm:ss#,"message" to Exceptions.log and, when show
    /// is set, shows the message.
    void LogException(const QString& profile, const QString& message, bool show, Prompts* prompts) const;

    /// The text of an Event.log line for the given message, stamped now.
    QString eventLine(const QString& message) const;
    QString exceptionLine(const QString& message) const;

private:
    void append(const QString& profile, const QString& path, const QString& line, const QString& source) const;

    const AppPaths& m_paths;
    const Clock& m_clock;
};

} // namespace zr
