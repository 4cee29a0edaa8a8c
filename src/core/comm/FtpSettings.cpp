#include "comm/FtpSettings.h"

#include "app/AppPaths.h"
#include "app/TextFile.h"

#include <QStringList>
#include <optional>

namespace zr {

FtpSettings loadFtpSettings(const AppPaths& paths) {
    FtpSettings s;
    const std::optional<QStringList> lines = TextFile::readLines(paths.resolve("Ftp.ini"), "FTP Settings");
    if (!lines) return s;
    for (const QString& line : *lines) {
        const qsizetype eq = line.indexOf('=');
        if (line.startsWith('#') || eq < 0) continue;
        const QString key = line.left(eq).trimmed().toLower(), value = line.mid(eq + 1).trimmed();
        bool ok = false;
        const int number = value.toInt(&ok);
        if (key == "port" && ok && number > 0 && number < 65536)
            s.port = number;
        else if (key == "user")
            s.user = value;
        else if (key == "password")
            s.password = value;
        else if (key == "host")
            s.host = value;
        else if (key == "connect_timeout" && ok && number > 0)
            s.connectTimeout = number;
        else if (key == "stall_timeout" && ok && number > 0)
            s.stallTimeout = number;
    }
    return s;
}

void saveFtpSettings(const AppPaths& paths, const FtpSettings& s) {
    const QStringList lines{"# The FTP component's settings: the OCB's port and account.",
                            "port = " + QString::number(s.port),
                            "user = " + s.user,
                            "password = " + s.password,
                            "host = " + s.host,
                            "connect_timeout = " + QString::number(s.connectTimeout),
                            "stall_timeout = " + QString::number(s.stallTimeout)};
    TextFile::writeAtomically(paths.resolve("Ftp.ini"), TextFile::crlfLines(lines), "FTP Settings");
}

} // namespace zr
