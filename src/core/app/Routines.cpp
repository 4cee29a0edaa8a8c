#include "app/Routines.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/TextFile.h"
#include "menu/FieldReader.h"
#include "model/DynamicList.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <filesystem>

namespace zr {

QString TrimBlanks(const QString& text) {
    qsizetype start = 0, end = text.size();
    while (start < end && text.at(start) == ' ') ++start;
    while (end > start && text.at(end - 1) == ' ') --end;
    return text.mid(start, end - start);
}

QString StripQuotes(const QString& text) {
    QString result = text;
    if (result.startsWith('"')) result.remove(0, 1);
    if (text.endsWith('"') && !result.isEmpty()) result.chop(1);
    return result;
}

QString AddQuotes(const QString& text) { return '"' + text + '"'; }

QStringList ListSubFolders(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

namespace {

bool isInside(const QString& child, const QString& parent) {
    const QString c = QDir::cleanPath(child);
    const QString p = QDir::cleanPath(parent);
    return c.startsWith(p + '/') && c.size() > p.size() + 1;
}

} // namespace

bool DeleteFolder(const AppPaths& paths, const QString& folder) {
    const QString profiles = QDir::cleanPath(paths.profilesFolder());
    const QString target = QDir::cleanPath(QDir(folder).absolutePath());
    // The folder must lie in the profile folder, also once links in the path
    // above it are resolved.
    const QString realProfiles = QFileInfo(profiles).canonicalFilePath();
    const QString realParent = QFileInfo(QFileInfo(target).absolutePath()).canonicalFilePath();
    if (!isInside(target, profiles) ||
        (!realParent.isEmpty() && !realProfiles.isEmpty() &&
         realParent != realProfiles && !isInside(realParent, realProfiles)))
        throw AppError("DeleteFolder", errors::PathFileAccess,
                       "\"" + folder + "\" is not inside the profile folder and is not deleted.");

    namespace fs = std::filesystem;
    const fs::path path(target.toStdString());
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec))) return true;
    // remove_all removes a symbolic link itself and never what it points to.
    fs::remove_all(path, ec);
    if (ec)
        throw AppError("DeleteFolder", errors::PathFileAccess,
                       "Cannot delete \"" + folder + "\": " + QString::fromStdString(ec.message()));
    return true;
}

void RunAndWait(const QString& program, const QStringList& arguments, Clock& clock) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (process.waitForStarted()) {
        if (QCoreApplication::instance()) {
            QEventLoop loop;
            QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
            QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
            if (process.state() != QProcess::NotRunning)
                loop.exec(QEventLoop::ExcludeUserInputEvents);
        } else {
            process.waitForFinished(-1);
        }
    }
    clock.wait(1);
}

void ClearImageAttributes(const AppPaths& paths) {
    for (const QString& folder : {paths.popImages(), paths.itemImages()}) {
        const QDir dir(folder);
        for (const QFileInfo& info : dir.entryInfoList(QDir::Files)) {
            if (info.isSymLink()) continue;
            QFile::setPermissions(info.filePath(), info.permissions() | QFile::ReadOwner | QFile::WriteOwner);
        }
    }
}

QString GetConfigIP(const AppPaths& paths, const QString& profile) {
    std::optional<QString> text = TextFile::readAll(paths.configConf(profile), "GetConfigIP");
    if (!text) return QString();
    DynamicList list;
    FieldReader fields(*text);
    while (std::optional<QString> field = fields.next()) list.AddItem(*field);
    // An address hand-written with blanks in it keeps its words.
    return list.lines("IP").value(0).join(' ');
}

} // namespace zr
