#include "profiles/ProfileOps.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Routines.h"
#include "app/TextFile.h"
#include "model/ProfileStore.h"
#include "model/Profiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace zr::ProfileOps {

namespace {

const QString ProfileExists = "Profile already exists.";
const QString InvalidName = "Invalid Profile Name.";
const QString QuoteInName =
    "A profile name cannot hold a double quote (\"): the list of profiles could not store it.";

/// Whether another profile folder has that name without regard to
/// case; the folder called except (exactly) does not count.
bool nameTaken(const AppPaths& paths, const QString& name, const QString& except = QString()) {
    const QStringList names = ProfileStore::profileNames(paths);
    return std::any_of(names.cbegin(), names.cend(), [&](const QString& existing) {
        return existing != except && existing.compare(name, Qt::CaseInsensitive) == 0;
    });
}

QString requireFolder(const AppPaths& paths, const QString& name, const QString& source) {
    if (std::optional<QString> folder = existingProfileFolder(paths, name)) return *folder;
    throw AppError(source, errors::PathNotFound, "The profile " + name + " does not exist.");
}

std::optional<QByteArray> readBytes(const QString& path, const QString& source) {
    QFile file(path);
    if (!QFileInfo(path).isFile()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(source, errors::PathFileAccess, "Cannot read \"" + path + "\": " + file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(source, errors::DeviceIO, "Cannot read \"" + path + "\": " + file.errorString());
    return bytes;
}

/// Copies one file of a profile over the same file of another, atomically.
/// Returns false when the source file does not exist.
bool copyProfileFile(const QString& from, const QString& to, const QString& source) {
    std::optional<QByteArray> bytes = readBytes(from, source);
    if (!bytes) return false;
    QDir().mkpath(QFileInfo(to).absolutePath());
    TextFile::writeAtomically(to, *bytes, source);
    return true;
}

} // namespace

std::optional<NewProfileProblem> checkIpAddress(const QStringList& parts) {
    const QString badValue = "Invalid Value for IP Address.";
    for (int field = 1; field <= 4; ++field) {
        const QString part = parts.value(field - 1);
        const bool digits = !part.isEmpty() && std::all_of(part.cbegin(), part.cend(),
                                                           [](QChar c) { return c >= '0' && c <= '9'; });
        if (!digits) return NewProfileProblem{badValue, field};
        // More than three digits is too much, leading zeros or not.
        if (part.size() > 3 || part.toInt() > 255)
            return NewProfileProblem{"Value must be in range 0 - 255.", field};
    }
    if (parts.size() > 4) return NewProfileProblem{badValue, 5};
    return std::nullopt;
}

std::optional<QString> existingProfileFolder(const AppPaths& paths, const QString& name) {
    if (!ProfileStore::isValidName(name)) return std::nullopt;
    const QString folder = paths.profileFolder(ProfileStore::trimmedName(name));
    if (!QFileInfo(folder).isDir()) return std::nullopt;
    return folder;
}

std::optional<NewProfileProblem> validateNewProfile(const AppPaths& paths, const QString& name,
                                                    const QStringList& ipParts) {
    const QString trimmed = ProfileStore::trimmedName(name);
    if (nameTaken(paths, trimmed)) return NewProfileProblem{ProfileExists, 0};
    if (trimmed.isEmpty() || !ProfileStore::isValidName(trimmed)) return NewProfileProblem{InvalidName, 0};
    if (trimmed.contains('"')) return NewProfileProblem{QuoteInName, 0};
    return checkIpAddress(ipParts);
}

void createProfile(Profiles& profile, const QString& name, const QString& ip) {
    profile.setID(ProfileStore::trimmedName(name));
    profile.setIPAddress(ip);
    profile.SaveProfile();
    ProfileStore::SaveProfileList(profile.paths(), profile.ID());
}

QString renameProfile(const AppPaths& paths, const QString& oldName, const QString& newName) {
    const QString source = "RenameProfile";
    // Cutting may leave a blank at the end, which a profile name never has.
    const QString name = ProfileStore::trimmedName(ProfileStore::trimmedName(newName).left(MaxNameLength));
    if (name.isEmpty() || !ProfileStore::isValidName(name))
        throw AppError(source, errors::InvalidArgument, InvalidName);
    if (name.contains('"')) throw AppError(source, errors::InvalidArgument, QuoteInName);
    const QString oldFolder = requireFolder(paths, oldName, source);
    const QString oldOnDisk = QFileInfo(oldFolder).fileName();
    // The profile itself may take the same name in another letter case.
    if (nameTaken(paths, name, oldOnDisk)) throw AppError(source, errors::DuplicateKey, ProfileExists);
    if (name == oldOnDisk) return name;
    QDir profiles(QFileInfo(oldFolder).absolutePath());
    if (!profiles.rename(oldOnDisk, name))
        throw AppError(source, errors::PathFileAccess,
                       "The profile " + oldOnDisk + " cannot be renamed to " + name + ".");
    return name;
}

void deleteProfile(const AppPaths& paths, const QString& name) {
    // A whole profile, never one of its sub-folders ("North/Log").
    if (!ProfileStore::isValidName(name))
        throw AppError("DeleteProfile", errors::InvalidArgument, InvalidName);
    DeleteFolder(paths, paths.profileFolder(ProfileStore::trimmedName(name)));
}

void copySettings(const AppPaths& paths, const QString& source, const QString& target) {
    const QString from = "CopySettings";
    if (ProfileStore::trimmedName(source).compare(ProfileStore::trimmedName(target), Qt::CaseInsensitive) ==
        0)
        return;
    const QString sourceFolder = requireFolder(paths, source, from);
    const QString targetFolder = requireFolder(paths, target, from);
    if (!copyProfileFile(AppPaths::resolveIn(sourceFolder, "Config/zr.conf"),
                         AppPaths::resolveIn(targetFolder, "Config/zr.conf"), from))
        throw AppError(from, errors::FileNotFound, source + " has no configuration file to copy.");
    // The menu comes along when it can; the configuration is what matters.
    try {
        copyProfileFile(AppPaths::resolveIn(sourceFolder, "Items/items"),
                        AppPaths::resolveIn(targetFolder, "Items/items"), from);
    } catch (...) {
    }
}

} // namespace zr::ProfileOps
