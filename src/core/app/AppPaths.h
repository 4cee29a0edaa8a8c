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
    /// programFolder: where the executable and the programs that come with it
    /// lie; empty when they are only looked for in the application folder.
    explicit AppPaths(QString appFolder, QString programFolder = QString());

    /// The application folder of a program whose executable lies in exeFolder:
    /// that folder when it is writable and not an installed program's folder
    /// (<prefix>/lib/zr-frontend), otherwise the per-user data folder. An
    /// installed program therefore never writes below its prefix, even as root.
    static QString defaultAppFolder(const QString& exeFolder);

    const QString& app() const { return m_app; }

    /// A program that comes with the front end (the image tools, the
    /// statistics converter), by its name without the ".exe" Windows gives
    /// it: the one in the program folder when it is there, otherwise the one
    /// in the application folder.
    QString programFile(const QString& program) const;

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
    QString m_program;
};

} // namespace zr
