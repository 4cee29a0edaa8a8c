#include "model/ProfileStore.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Routines.h"
#include "app/TextFile.h"
#include "model/DynamicList.h"

#include <QDir>

namespace zr::ProfileStore {

QString trimmedName(const QString& name) { return TrimBlanks(name); }

bool isValidName(const QString& raw) {
    const QString name = trimmedName(raw);
    if (name.isEmpty() || name == "." || name == "..") return false;
    for (const QChar c : name)
        // Profiles.conf holds the name as 8-bit text.
        if (c == '/' || c == '\\' || c.unicode() < 0x20 || c.unicode() == 0x7f || c.unicode() > 0xff)
            return false;
    return true;
}

QStringList profileNames(const AppPaths& paths) { return ListSubFolders(paths.profilesFolder()); }

void CreateProfileFolders(const AppPaths& paths, const QString& name) {
    if (!isValidName(name))
        throw AppError("CreateProfileFolders", errors::InvalidArgument,
                       "\"" + name + "\" is not a valid profile name.");
    QDir().mkpath(paths.fontsFolder());
    for (const char* sub : {"Items", "Config", "Demo", "Log", "Stats/Sugg", "Stats/Pad", "Stats/Pop"})
        QDir().mkpath(paths.profileFile(name, QString::fromLatin1(sub)));
}

void CreateAppFolders(const AppPaths& paths) {
    QDir().mkpath(paths.profilesFolder());
    QDir().mkpath(paths.backUpFolder());
    // The folders the image tools fill, so that a new application folder has them.
    QDir().mkpath(paths.itemImages());
    QDir().mkpath(paths.popImages());
}

std::optional<QString> currentProfile(const AppPaths& paths) {
    std::optional<QStringList> lines = TextFile::readLines(paths.profilesConf(), "Profiles.conf");
    if (!lines) return std::nullopt;
    DynamicList list;
    for (const QString& line : *lines) list.AddItem(line);
    return list.lines("current_profile").value(0).join(' ');
}

void SaveProfileList(const AppPaths& paths, const QString& current) {
    QDir().mkpath(paths.profilesFolder());
    TextFile::writeAtomically(paths.profilesConf(),
                              TextFile::crlfLines({"##### Name of the Current Profile #####", "",
                                                   "current_profile = " + AddQuotes(current)}),
                              "SaveProfileList");
}

} // namespace zr::ProfileStore
