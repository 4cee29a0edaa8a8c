#include "app/AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zr {

AppPaths::AppPaths(QString appFolder, QString programFolder)
    : m_app(QDir::cleanPath(QDir(appFolder).absolutePath())),
      m_program(programFolder.isEmpty() ? QString() : QDir::cleanPath(QDir(programFolder).absolutePath())) {}

QString AppPaths::defaultAppFolder(const QString& exeFolder) {
    QFileInfo info(exeFolder);
    const bool installed =
        QDir::cleanPath(info.absoluteFilePath()).endsWith(QStringLiteral("/" ZR_PROGRAM_DIR));
    if (info.isDir() && info.isWritable() && !installed) return info.absoluteFilePath();
    // The same folder for the desktop program and the command line tool.
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) data = QDir::homePath() + "/.local/share";
    data += "/ZRFrontEnd";
    QDir().mkpath(data);
    return data;
}

QString AppPaths::resolveIn(const QString& base, const QString& relative) {
    QString current = base;
    const QStringList parts = relative.split('/', Qt::SkipEmptyParts);
    bool exists = QFileInfo::exists(current);
    for (const QString& part : parts) {
        QString next = current + '/' + part;
        if (exists && !QFileInfo::exists(next)) {
            // Look for the same name in another letter case. The folder is
            // listed in a fixed order so that the same entry wins every time.
            QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                              QDir::Hidden | QDir::System,
                                                          QDir::Name);
            bool found = false;
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    next = current + '/' + entry;
                    found = true;
                    break;
                }
            }
            exists = found;
        }
        current = next;
    }
    return current;
}

QString AppPaths::resolve(const QString& relative) const { return resolveIn(m_app, relative); }

QString AppPaths::programFile(const QString& program) const {
#ifdef Q_OS_WIN
    const QString fileName = program + ".exe";
#else
    const QString& fileName = program;
#endif
    if (!m_program.isEmpty()) {
        const QString installed = resolveIn(m_program, fileName);
        if (QFileInfo::exists(installed)) return installed;
    }
    return resolve(fileName);
}

QString AppPaths::profilesFolder() const { return resolve("Profiles"); }
QString AppPaths::profilesConf() const { return resolve("Profiles/Profiles.conf"); }
QString AppPaths::profileFolder(const QString& name) const { return resolve("Profiles/" + name); }
QString AppPaths::profileFile(const QString& name, const QString& relative) const {
    return resolve("Profiles/" + name + '/' + relative);
}
QString AppPaths::configConf(const QString& name) const { return profileFile(name, "Config.conf"); }
QString AppPaths::zrConf(const QString& name) const { return profileFile(name, "Config/zr.conf"); }
QString AppPaths::itemsFile(const QString& name) const { return profileFile(name, "Items/items"); }
QString AppPaths::eventLog(const QString& name) const { return profileFile(name, "Log/Event.log"); }
QString AppPaths::exceptionsLog(const QString& name) const {
    return profileFile(name, "Log/Exceptions.log");
}
QString AppPaths::ftpLog(const QString& name) const { return profileFile(name, "Log/Ftp.log"); }

QString AppPaths::zrIni() const { return resolve("zr.ini"); }
QString AppPaths::backUpFolder() const { return resolve("BackUp"); }
QString AppPaths::fontsFolder() const { return resolve("Fonts"); }
QString AppPaths::itemImages() const { return resolve("ZRScreens/Item"); }
QString AppPaths::popImages() const { return resolve("ZRScreens/POP"); }
QString AppPaths::translators() const { return resolve("Translators"); }

} // namespace zr
