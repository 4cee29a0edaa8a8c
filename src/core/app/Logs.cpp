#include "app/Logs.h"

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/DateText.h"
#include "app/Prompts.h"
#include "app/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace zr {

QString ProfileLogs::eventLine(const QString& message) const {
    const QDateTime now = m_clock.now();
    return generalDateText(DateValue{now.date(), now.time()}) + ' ' + message;
}

QString ProfileLogs::exceptionLine(const QString& message) const {
    return '#' + m_clock.now().toString("yyyy-MM-dd HH:mm:ss") + "#,\"" + message + '"';
}

void ProfileLogs::append(const QString& profile, const QString& path, const QString& line,
                         const QString& source) const {
    // The profile's folders normally exist; a Log folder removed by hand is
    // made again rather than losing the line.
    if (!QFileInfo::exists(QFileInfo(path).absolutePath()) && QFileInfo::exists(m_paths.profileFolder(profile)))
        QDir().mkpath(QFileInfo(path).absolutePath());
    TextFile::appendLine(path, line, source);
}

void ProfileLogs::LogEvent(const QString& profile, const QString& message) const {
    append(profile, m_paths.eventLog(profile), eventLine(message), "LogEvent");
}

void ProfileLogs::LogException(const QString& profile, const QString& message, bool show,
                               Prompts* prompts) const {
    append(profile, m_paths.exceptionsLog(profile), exceptionLine(message), "LogException");
    if (show && prompts) prompts->inform(QString(), message);
}

} // namespace zr
