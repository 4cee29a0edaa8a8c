#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zr {

class AppPaths;
class Profiles;

/// What the profile window does with whole profiles: new, rename, delete and
/// copy settings (backup and restore are in ProfileArchive.h). Failures raise
/// an AppError whose description is the text to show.
namespace ProfileOps {

/// Profile names are cut to this length when a profile is renamed.
constexpr int MaxNameLength = 35;

/// What is wrong with a new profile, and the box to put right: 0 the name,
/// 1 to 4 the parts of the IP address (5: a part too many).
struct NewProfileProblem {
    QString message;
    int field = 0;
};

/// Checks the parts of an IP address, as typed in four boxes or split at its
/// dots: exactly four parts of one to three digits 0-9, each at most 255.
/// Gives the first problem and its part (1 to 4; 5 for a part beyond the fourth).
std::optional<NewProfileProblem> checkIpAddress(const QStringList& parts);

/// Checks the name and the four parts of the address of a new profile, and
/// gives the first problem found.
std::optional<NewProfileProblem> validateNewProfile(const AppPaths& paths, const QString& name,
                                                    const QStringList& ipParts);

/// Makes a profile of that name current in profile, with the address, saves
/// it and remembers it in Profiles.conf.
void createProfile(Profiles& profile, const QString& name, const QString& ip);

/// Renames the profile's folder and returns the new name as used (trimmed, at
/// most MaxNameLength characters). A failed rename changes nothing.
QString renameProfile(const AppPaths& paths, const QString& oldName, const QString& newName);

/// Deletes the profile's folder with everything in it.
void deleteProfile(const AppPaths& paths, const QString& name);

/// Gives target the configuration (zr.conf) and menu (items) of source. The
/// target keeps its own address, logs and statistics.
void copySettings(const AppPaths& paths, const QString& source, const QString& target);

/// The folder of an existing profile, as spelt on disk, or nothing. Names that
/// could reach outside the profile folder ("..", "a/b") name no profile.
std::optional<QString> existingProfileFolder(const AppPaths& paths, const QString& name);

} // namespace ProfileOps
} // namespace zr
