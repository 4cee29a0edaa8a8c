#pragma once

#include <QString>

namespace zr {

class AppPaths;

/// The FTP component settings file in the application folder (Ftp.ini): port,
/// user, password, and an optional host that replaces every profile's IP
/// address (tests and the demo point it at the OCB simulator).
struct FtpSettings {
    int port = 21;
    QString user = "zr", password = "qv";
    QString host; // empty: use the profile's IP address
    /// Seconds allowed for connecting, and for a transfer that makes no progress.
    int connectTimeout = 4, stallTimeout = 10;
};
FtpSettings loadFtpSettings(const AppPaths& paths);
void saveFtpSettings(const AppPaths& paths, const FtpSettings& settings);

} // namespace zr
