#pragma once

#include <QString>
#include <QStringList>

namespace zr {

class AppPaths;
class Prompts;

/// Backup archives of whole profiles (<name>.zrp, a zip of the profile's
/// folder) and their restore. Failures raise an AppError whose description is
/// the text to show.
namespace ProfileOps {

/// Shown when the backup folder lies in the profile folder.
inline const QString BackupTargetRefused = "Cannot back up files under the ZR5000FE Profiles directory.";

/// True when a backup would be written into the profile folder itself.
bool isBackupTargetRefused(const AppPaths& paths, const QString& folder);

/// Writes the profile's folder to <targetFolder>/<name>.zrp, replacing an
/// older archive whole. Returns the archive's path.
QString backUpProfile(const AppPaths& paths, const QString& name, const QString& targetFolder);

/// Restores the profiles of an archive, asking before it replaces the files of
/// a profile that exists. Returns the names of the profiles restored.
QStringList restoreProfiles(const AppPaths& paths, const QString& archivePath, Prompts& prompts);

} // namespace ProfileOps
} // namespace zr
