#pragma once

#include <QString>

namespace zr {

/// Every path of the program, built from the application folder.
///
/// Files and folders that already exist are found without regard to case, one
/// component at a time, because the files the program works with were made on
/// a file system that ignores case. What does not exist yet gets the canonical
/// spelling given here.
class AppPaths {
public:
    explicit AppPaths(QString appFolder);

    /// The application folder of a program whose executable lies in exeFolder:
    /// that folder when it is writable, otherwise the per-user data folder.
    static QString defaultAppFolder(const QString& exeFolder);

    const QString& app() const { return m_app; }

    /// app/relative, where each existing component is matched without regard to case.
    QString resolve(const QString& relative) const;

    QString profilesFolder() const;               // <app>/Profiles
    QString profilesConf() const;                 // <app>/Profiles/Profiles.conf
    QString profileFolder(const QString& name) const;
    QString profileFile(const QString& name, const QString& relative) const;
    QString configConf(const QString& name) const;  // <profile>/Config.conf
    QString zrConf(const QString& name) const;      // <profile>/Config/zr.conf
    QString itemsFile(const QString& name) const;   // <profile>/Items/items
    QString eventLog(const QString& name) const;    // <profile>/Log/Event.log
    QString exceptionsLog(const QString& name) const;
    QString ftpLog(const QString& name) const;

    QString zrIni() const;
    QString backUpFolder() const;
    QString fontsFolder() const;
    QString itemImages() const;   // <app>/ZRScreens/Item
    QString popImages() const;    // <app>/ZRScreens/POP
    QString translators() const;  // <app>/Translators

    /// Resolves an existing path below an absolute folder without regard to case.
    static QString resolveIn(const QString& base, const QString& relative);

private:
    QString m_app;
};

} // namespace zr
