#include "profiles/ProfileArchive.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Prompts.h"
#include "app/TextFile.h"
#include "model/ProfileStore.h"
#include "profiles/ProfileOps.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <filesystem>
#include <memory>
#include <optional>
#include <zip.h>

namespace zr::ProfileOps {

namespace {

const QString RestoreFailed = "Restore failed.";

struct ZipCloser {
    void operator()(zip_t* archive) const {
        if (archive) zip_discard(archive);
    }
};
using Zip = std::unique_ptr<zip_t, ZipCloser>;

/// Whether path, once written, stays inside the profile folder: the deepest
/// folder above it that exists already, with links resolved, lies in it, and
/// the path is not itself a link.
bool staysInProfiles(const AppPaths& paths, const QString& path) {
    const QString profiles = QFileInfo(paths.profilesFolder()).canonicalFilePath();
    if (profiles.isEmpty() || QFileInfo(path).isSymLink()) return false;
    QString existing = path;
    while (!QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).absolutePath();
        if (parent == existing) return false;
        existing = parent;
    }
    const QString real = QFileInfo(existing).canonicalFilePath();
    return real == profiles || real.startsWith(profiles + '/');
}

/// One entry of a backup archive: the profile it belongs to, its path inside
/// that profile's folder (empty for the folder itself) and its contents.
struct Entry {
    QString profile;
    QString relative;
    bool folder = false;
    QByteArray data;
};

/// The entry for an archive name, or nothing when the name could write
/// anywhere but inside a profile folder.
std::optional<Entry> checkedEntry(const QString& name) {
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    if (name.isEmpty() || name.startsWith('/') || name.contains('\\') || drive.match(name).hasMatch())
        return std::nullopt;
    Entry entry;
    entry.folder = name.endsWith('/');
    QStringList parts = name.split('/');
    if (entry.folder) parts.removeLast();
    for (const QString& part : parts)
        if (part.isEmpty() || part == "." || part == "..") return std::nullopt;
    // A file must lie in a profile folder; a name of one part is only the folder itself.
    if (parts.size() < 2 && !entry.folder) return std::nullopt;
    entry.profile = parts.takeFirst();
    if (!ProfileStore::isValidName(entry.profile) ||
        ProfileStore::trimmedName(entry.profile) != entry.profile)
        return std::nullopt;
    entry.relative = parts.join('/');
    return entry;
}

/// Every entry of the archive with its contents, or nothing when a name is
/// refused or anything cannot be read.
std::optional<QList<Entry>> readArchive(const QString& archivePath) {
    int error = 0;
    Zip archive(zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive) return std::nullopt;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0) return std::nullopt;
    QList<Entry> entries;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* raw = zip_get_name(archive.get(), zip_uint64_t(i), 0);
        if (!raw) return std::nullopt;
        std::optional<Entry> entry = checkedEntry(QString::fromUtf8(raw));
        if (!entry) return std::nullopt;
        entries.append(*entry);
    }
    // Contents are read, and their checksums checked, before anything is written.
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].folder) continue;
        zip_file_t* file = zip_fopen_index(archive.get(), zip_uint64_t(i), 0);
        if (!file) return std::nullopt;
        char buffer[65536];
        zip_int64_t got = 0;
        while ((got = zip_fread(file, buffer, sizeof buffer)) > 0)
            entries[i].data.append(buffer, got);
        zip_fclose(file);
        if (got < 0) return std::nullopt;
    }
    return entries;
}

AppError restoreFailed() { return AppError("RestoreProfiles", errors::PathFileAccess, RestoreFailed); }

void writeEntry(const AppPaths& paths, const QString& profileFolder, const Entry& entry) {
    const QString path =
        entry.relative.isEmpty() ? profileFolder : AppPaths::resolveIn(profileFolder, entry.relative);
    const QString folder = entry.folder ? path : QFileInfo(path).absolutePath();
    if (!staysInProfiles(paths, path) || !staysInProfiles(paths, folder) || !QDir().mkpath(folder))
        throw restoreFailed();
    if (entry.folder) return;
    try {
        TextFile::writeAtomically(path, entry.data, "RestoreProfiles");
    } catch (const AppError& e) {
        throw AppError("RestoreProfiles", e.number(), RestoreFailed);
    }
}

/// Restores one profile of the archive, whole or not at all: its files are
/// written into a folder of their own beside the profiles (hidden from the
/// list), over a copy of the profile when it exists, and that folder takes the
/// profile's place only once every entry is written.
void restoreProfile(const AppPaths& paths, const QString& name, const QList<Entry>& entries) {
    namespace fs = std::filesystem;
    QTemporaryDir work(paths.profilesFolder() + "/.restore-XXXXXX");
    if (!work.isValid()) throw restoreFailed();
    const std::optional<QString> existing = existingProfileFolder(paths, name);
    const QString onDisk = existing ? QFileInfo(*existing).fileName() : name;
    const fs::path staged = QFile::encodeName(work.filePath(onDisk)).toStdString();
    std::error_code ec;
    if (existing) {
        // The files the archive does not hold stay; links are copied as links.
        fs::copy(QFile::encodeName(*existing).toStdString(), staged,
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
        if (ec) throw restoreFailed();
    }
    const QString stagedFolder = QFile::decodeName(staged.c_str());
    writeEntry(paths, stagedFolder, Entry{name, QString(), true, {}});
    for (const Entry& entry : entries)
        if (entry.profile == name) writeEntry(paths, stagedFolder, entry);

    // The old folder steps aside until the new one stands in its place.
    const fs::path target = QFile::encodeName(paths.profileFolder(onDisk)).toStdString();
    const fs::path aside = QFile::encodeName(work.filePath(".old")).toStdString();
    if (existing) {
        fs::rename(target, aside, ec);
        if (ec) throw restoreFailed();
    }
    fs::rename(staged, target, ec);
    if (ec) {
        std::error_code back;
        if (existing) fs::rename(aside, target, back);
        throw restoreFailed();
    }
}

} // namespace

bool isBackupTargetRefused(const AppPaths& paths, const QString& folder) {
    const QString target = QDir::cleanPath(QDir(folder).absolutePath());
    if (target.startsWith(QDir::cleanPath(paths.app() + "/Profiles"), Qt::CaseInsensitive)) return true;
    // The same folder reached through a link.
    const QString real = QFileInfo(target).canonicalFilePath();
    const QString profiles = QFileInfo(paths.profilesFolder()).canonicalFilePath();
    return !real.isEmpty() && !profiles.isEmpty() && real.startsWith(profiles, Qt::CaseInsensitive);
}

QString backUpProfile(const AppPaths& paths, const QString& name, const QString& targetFolder) {
    const QString source = "BackUpProfile";
    if (isBackupTargetRefused(paths, targetFolder))
        throw AppError(source, errors::PathFileAccess, BackupTargetRefused);
    const AppError failed(source, errors::PathFileAccess, "Problem backing up " + name + ".");
    const std::optional<QString> folder = existingProfileFolder(paths, name);
    if (!folder || !QFileInfo(targetFolder).isDir()) throw failed;
    const QString onDisk = QFileInfo(*folder).fileName();
    const QString archivePath = QDir(targetFolder).absoluteFilePath(onDisk + ".zrp");

    // The archive is built under a temporary name beside the old one, so that
    // a failure leaves the old archive whole.
    QTemporaryFile temp(archivePath + ".XXXXXX");
    if (!temp.open()) throw failed;
    temp.close();
    // libzip keeps the permissions of the file it replaces.
    temp.setPermissions(QFileInfo::exists(archivePath)
                            ? QFileInfo(archivePath).permissions()
                            : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

    int error = 0;
    Zip archive(zip_open(QFile::encodeName(temp.fileName()).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!archive) throw failed;
    QStringList folders{QString()};
    QStringList files;
    QDirIterator it(*folder, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        // Links are not followed: the archive holds the profile and nothing else.
        if (it.fileInfo().isSymLink()) continue;
        (it.fileInfo().isDir() ? folders : files) << QDir(*folder).relativeFilePath(it.filePath());
    }
    folders.sort();
    files.sort();
    // Every folder is an entry of its own, so that empty folders come back.
    for (const QString& relative : folders) {
        const QByteArray entry = (onDisk + '/' + relative).toUtf8();
        if (zip_dir_add(archive.get(), entry.constData(), ZIP_FL_ENC_UTF_8) < 0) throw failed;
    }
    for (const QString& relative : files) {
        const QByteArray entry = (onDisk + '/' + relative).toUtf8();
        const QByteArray local = QFile::encodeName(QDir(*folder).filePath(relative));
        zip_source_t* data = zip_source_file(archive.get(), local.constData(), 0, -1);
        if (!data) throw failed;
        if (zip_file_add(archive.get(), entry.constData(), data, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(data);
            throw failed;
        }
    }
    // The files are read now.
    if (zip_close(archive.get()) != 0) throw failed;
    archive.release();

    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp.fileName()).toStdString(),
                            QFile::encodeName(archivePath).toStdString(), ec);
    if (ec) throw failed;
    temp.setAutoRemove(false);
    return archivePath;
}

QStringList restoreProfiles(const AppPaths& paths, const QString& archivePath, Prompts& prompts) {
    const std::optional<QList<Entry>> entries = readArchive(archivePath);
    if (!entries) throw restoreFailed();

    QStringList inArchive;
    for (const Entry& entry : *entries)
        if (!inArchive.contains(entry.profile)) inArchive << entry.profile;
    QStringList restored;
    for (const QString& name : inArchive) {
        if (QFileInfo(paths.profileFolder(name)).isDir() &&
            prompts.ask("", "The profile " + name + " already exists.  Do you want to replace its files?",
                        Buttons::YesNo) != Button::Yes)
            continue;
        restored << name;
    }

    QDir().mkpath(paths.profilesFolder());
    for (const QString& name : restored) restoreProfile(paths, name, *entries);
    return restored;
}

} // namespace zr::ProfileOps
