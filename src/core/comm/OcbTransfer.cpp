#include "comm/OcbTransfer.h"
#include "comm/UpdatePictures.h"

#include "comm/TransferRecord.h"

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/FrontEndSettings.h"
#include "app/Logs.h"
#include "app/Prompts.h"
#include "app/Routines.h"
#include "app/TextFile.h"
#include "model/FileManager.h"
#include "model/Profiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <optional>

namespace zr {

namespace {

const QString ProgressSource = "Update Progress";
const QString NoItemsToSend = "No menu items file to send.";
const QString NoRoomText = "There is not enough free space on the OCB to finish the update!  Aborting!";
const QString KillText =
    "\"Dummy bytes to give substance to this file so that it returns a positive number to "
    "the SendFile function\"";

const QString PopFolder = "/zr/images/pops/";
const QString ItemFolder = "/zr/images/items/";
const QString SuggestFolder = "/zr/images/suggest/";
const QString VarFolder = "/zr/var/";
const QString CtrlFolder = "/zr/ctrl/";

/// A name from an OCB listing that could reach outside the folder it is meant for.
bool unsafeName(const QString& name) {
    return name.isEmpty() || name.contains('/') || name.contains('\\') || name.contains("..");
}

} // namespace

StatsKind statisticsKind(const QString& name) {
    if (name.contains("drive_")) return StatsKind::Pad;
    if (name.contains("sugg_")) return StatsKind::Suggest;
    if (name.contains("pop_")) return StatsKind::Pop;
    if (name.contains(".zrs")) return StatsKind::Binary;
    return StatsKind::None;
}

bool NameList::add(const QString& name) {
    if (m_names.contains(name, Qt::CaseInsensitive)) return false;
    m_names.append(name);
    return true;
}

void CompareImageLists(NameList& send, NameList& remove) {
    for (int i = 0; i < send.count();) {
        const qsizetype found = remove.names().indexOf(send.names().at(i));
        if (found < 0) {
            ++i;
            continue;
        }
        remove.removeAt(static_cast<int>(found));
        send.removeAt(i);
    }
}

OcbTransfer::OcbTransfer(const AppPaths& paths, FtpClient& ftp, Prompts& prompts, Clock& clock)
    : m_paths(paths), m_ftp(ftp), m_prompts(prompts), m_clock(clock) {
    const FrontEndSettings::DefaultImages images = FrontEndSettings::ReadDefaultImages(paths);
    if (!images.pop.isEmpty()) m_defaultPop = images.pop;
    if (!images.item.isEmpty()) m_defaultItem = images.item;
    m_ftp.onSending = [this](const QString& local, const QString& remote) {
        ReportStatus("Sending " + local + " to " + remote);
    };
    m_ftp.onReceiving = [this](const QString& remote, const QString& local) {
        ReportStatus("Receiving " + local + " from " + remote);
    };
}

OcbTransfer::~OcbTransfer() {
    m_ftp.onSending = nullptr;
    m_ftp.onReceiving = nullptr;
}

void OcbTransfer::setProfile(const QString& name, const QString& ip) {
    m_name = name;
    m_ip = ip;
}

void OcbTransfer::setScratchFolder(const QString& folder) { m_scratch = folder; }

QString OcbTransfer::scratchFolder() const { return m_scratch.isEmpty() ? m_paths.app() : m_scratch; }

void OcbTransfer::setDefaultImages(const QString& defaultPOP, const QString& defaultItem) {
    m_defaultPop = defaultPOP;
    m_defaultItem = defaultItem;
}

void OcbTransfer::ReportStatus(const QString& text) {
    try {
        // A full bar never stops a transfer: it grows, and the line is still
        // paused on and logged like every other.
        if (m_value + 1 > m_maximum)
            m_maximum += 5;
        else
            ++m_value;
        if (onStatus) onStatus(text, m_value, m_maximum);
        m_clock.wait(0.25);
        writeLogLine(text);
    } catch (const AppError& e) {
        throw AppError(ProgressSource, e.number(), e.description());
    }
}

void OcbTransfer::writeLogLine(const QString& text) {
    const QString log = m_paths.ftpLog(m_name);
    QDir().mkpath(QFileInfo(log).absolutePath());
    TextFile::appendLine(log, '"' + text + '"', ProgressSource);
}

void OcbTransfer::ResetProgress() {
    m_value = 0;
    m_maximum = 150;
}

bool OcbTransfer::ConnectToOCB() {
    ResetProgress();
    QFile::remove(m_paths.ftpLog(m_name));
    ReportStatus(m_ip + " Attempting connection...");
    QElapsedTimer spent;
    spent.start();
    try {
        m_ftp.connectTo(m_ip);
    } catch (const AppError& e) {
        if (e.number() != FtpError::NoConnection) throw;
    }
    bool connected = m_ftp.isConnected();
    // At most five polls, and never much beyond five seconds in all, however
    // long the attempt itself took.
    for (int poll = 0; poll < 5 && !connected && spent.elapsed() < 5000; ++poll) {
        m_clock.wait(1.0);
        connected = m_ftp.isConnected();
    }
    return connected;
}

void OcbTransfer::disconnectQuietly() {
    try {
        m_ftp.disconnect();
    } catch (...) {
        // The connection is gone either way.
    }
}

QString OcbTransfer::failureText(const AppError& error) {
    const QString source = error.source().isEmpty() ? QStringLiteral("OCB Communications") : error.source();
    return source + ": " + error.description();
}

void OcbTransfer::noteError(const QString& text) {
    if (m_firstError.isEmpty()) m_firstError = text;
}

bool OcbTransfer::recorded(TransferEntry::Kind kind, const std::function<bool()>& work) {
    TransferEntry entry;
    entry.kind = kind;
    entry.start = m_clock.now();
    const qint64 sent = m_ftp.bytesSent(), received = m_ftp.bytesReceived();
    m_firstError.clear();
    const auto finish = [&](TransferEntry::Result result) {
        entry.end = m_clock.now();
        entry.result = result;
        entry.sent = m_ftp.bytesSent() - sent;
        entry.received = m_ftp.bytesReceived() - received;
        entry.error = m_firstError;
        try {
            TransferRecord::append(m_paths, m_name, entry);
        } catch (const AppError& e) {
            // The transfer itself is done; a record that cannot be kept is logged, not shown.
            try {
                ProfileLogs(m_paths, m_clock).LogException(m_name, failureText(e), false, nullptr);
            } catch (...) {
            }
        }
    };
    try {
        const bool ok = work();
        finish(ok ? TransferEntry::Result::Ok : TransferEntry::Result::Failed);
        return ok;
    } catch (const AppError& e) {
        noteError(failureText(e));
        finish(e.number() == errors::Interrupted ? TransferEntry::Result::Interrupted
                                                 : TransferEntry::Result::Failed);
        throw;
    } catch (...) {
        finish(TransferEntry::Result::Failed);
        throw;
    }
}

bool OcbTransfer::UpdateOCB(const TransferChoices& choices) {
    return recorded(TransferEntry::Kind::Update, [&] {
        try {
            if (!ConnectToOCB()) {
                m_value = 0;
                noteError("Connection to " + who() + " Failed.");
                ReportStatus("Connection to " + who() + " Failed.");
                return false;
            }
            const bool ok = runUpdate(choices);
            disconnectQuietly();
            return ok;
        } catch (...) {
            disconnectQuietly();
            throw;
        }
    });
}

bool OcbTransfer::runUpdate(const TransferChoices& choices) {
    ReportStatus("Connection to " + who() + " Successful.");
    ReportStatus("Compiling Instructions.");

    const bool efficient = choices.type == TransferChoices::Type::Efficient;
    const bool selective = choices.type == TransferChoices::Type::Selective;
    NameList popSend, popDelete, itemSend, itemDelete, suggSend, suggDelete;
    buildPopImageLists(popSend, popDelete, efficient);
    buildItemImageLists(itemSend, itemDelete, efficient);
    buildSuggestImageLists(suggSend, suggDelete, efficient);
    const QStringList statistics = ListStatisticsFiles();
    const int n = popSend.count() + popDelete.count() + itemSend.count() + itemDelete.count() +
                  suggSend.count() + suggDelete.count() + 3 * static_cast<int>(statistics.size());
    m_maximum = m_value + n + 12;

    const bool done =
        unlockFileSystem() && syncImages(PopFolder, m_paths.popImages(), popSend, popDelete) &&
        syncImages(ItemFolder, m_paths.itemImages(), itemSend, itemDelete) &&
        syncImages(SuggestFolder, m_paths.itemImages(), suggSend, suggDelete) &&
        (selective && !choices.menu
             ? true
             : sendProfileFile(m_paths.itemsFile(m_name), "items", "Deleting old items file on the OCB.",
                               "Sending over new items file to the OCB.", NoItemsToSend)) &&
        (selective && !choices.config
             ? true
             : sendProfileFile(m_paths.zrConf(m_name), "zr.conf",
                               "Deleting old configuration file from the OCB.",
                               "Sending over new configuration file to the OCB.", QString())) &&
        RetrieveStatistics(statistics) && sendLocalTime(choices.syncTime);
    if (!done) return false;

    if (reloadOCB()) {
        ReportStatus("Update Completed.");
        return true;
    }
    noteError("OCB Failed to reload with new settings.");
    ReportStatus("OCB Failed to reload with new settings.");
    return false;
}

void OcbTransfer::listRemoteImages(const QString& folder, NameList& remove) {
    try {
        m_ftp.changeFolder(folder);
        for (const QString& name : m_ftp.list(QString())) {
            if (unsafeName(name)) {
                ProfileLogs(m_paths, m_clock)
                    .LogException(m_name,
                                  "Refused the name " + name + " listed in " + folder + " on the OCB.", false,
                                  nullptr);
                continue;
            }
            remove.add(name);
        }
    } catch (const AppError& e) {
        if (e.number() != FtpError::NotFound && e.number() != FtpError::LocalFailure) throw;
    }
}

void OcbTransfer::addUpdatePictures(int folder, NameList& send) {
    for (const UpdatePicture& picture : updatePictures(m_paths, m_name, m_defaultPop, m_defaultItem))
        if (static_cast<int>(picture.folder) == folder) send.add(picture.name);
}

void OcbTransfer::buildPopImageLists(NameList& send, NameList& remove, bool efficient) {
    addUpdatePictures(static_cast<int>(UpdatePicture::Folder::Pop), send);
    if (!QFileInfo::exists(m_paths.zrConf(m_name))) return; // without zr.conf no POP image is touched
    listRemoteImages(PopFolder, remove);
    if (efficient) {
        ReportStatus("Comparing Image Lists.");
        CompareImageLists(send, remove);
    }
}

void OcbTransfer::buildItemImageLists(NameList& send, NameList& remove, bool efficient) {
    addUpdatePictures(static_cast<int>(UpdatePicture::Folder::Item), send);
    listRemoteImages(ItemFolder, remove);
    if (efficient) {
        ReportStatus("Comparing Image Lists.");
        CompareImageLists(send, remove);
    }
}

void OcbTransfer::buildSuggestImageLists(NameList& send, NameList& remove, bool efficient) {
    addUpdatePictures(static_cast<int>(UpdatePicture::Folder::Suggest), send);
    listRemoteImages(SuggestFolder, remove);
    if (efficient) {
        ReportStatus("Comparing Image Lists.");
        CompareImageLists(send, remove);
    }
}

void OcbTransfer::noRoom() {
    noteError(NoRoomText);
    m_prompts.inform(QString(), NoRoomText);
}

bool OcbTransfer::unlockFileSystem() {
    ReportStatus("Unlocking OCB File System.");
    const QString kill = scratchFolder() + "/kill";
    TextFile::writeAtomically(kill, TextFile::crlfLines({KillText}), "UnlockFileSystem");
    bool ok = true;
    try {
        m_ftp.setTransferMode(TransferMode::Binary);
        m_ftp.changeFolder(CtrlFolder);
        for (const QString remote : {"unlock", "kill"}) {
            if (remote == QLatin1String("kill")) m_clock.wait(1.0);
            try {
                m_ftp.send(kill, remote);
            } catch (const AppError& e) {
                if (e.number() != FtpError::Refused) throw;
            }
        }
    } catch (const AppError& e) {
        QFile::remove(kill);
        noteError(failureText(e));
        if (e.number() == FtpError::UnexpectedReply) {
            m_prompts.inform(QString(), who() + " returned an unexpected reply: Communications aborted.");
        } else if (e.number() == FtpError::LocalFailure) {
            ProfileLogs(m_paths, m_clock)
                .LogException(m_name,
                              "Unable to unlock filesystem for " + who() + "." +
                                  "  Error message: " + e.description(),
                              true, &m_prompts);
        } else if (e.number() == FtpError::NoRoom) {
            noRoom();
        } else {
            throw;
        }
        ok = false;
    }
    if (!ok) return false;
    QFile::remove(kill);
    ReportStatus("OCB File System Unlocked Successfully.");
    m_clock.wait(1.0);
    return true;
}

bool OcbTransfer::syncImages(const QString& remoteFolder, const QString& localFolder, const NameList& send,
                             const NameList& remove) {
    m_ftp.changeFolder(remoteFolder);
    m_ftp.setTransferMode(TransferMode::Binary);
    for (const QString& name : remove.names()) {
        ReportStatus("Deleting " + remoteFolder + name + " from the OCB.");
        m_ftp.remove(remoteFolder + name);
    }
    const FileManager catalogue = pictureCatalogue(localFolder);
    const QString folder = localFolder.endsWith('/') ? localFolder : localFolder + '/';
    for (const QString& name : send.names()) {
        const QString lower = name.toLower();
        if (!catalogue.FindFile(name)) {
            ReportStatus("POP Image " + folder + lower + " not found on local drive.");
            continue;
        }
        try {
            // The file is found without regard to case; the OCB gets the lower-case name.
            m_ftp.send(AppPaths::resolveIn(localFolder, lower), remoteFolder + lower);
        } catch (const AppError& e) {
            if (e.number() != FtpError::NoRoom) throw;
            noRoom();
            return false;
        }
    }
    return true;
}

bool OcbTransfer::sendProfileFile(const QString& local, const QString& remote, const QString& deleting,
                                  const QString& sending, const QString& whenMissing) {
    // A profile without the file leaves the OCB's copy alone instead of deleting
    // it and sending nothing, and says so.
    if (!QFileInfo::exists(local)) {
        if (!whenMissing.isEmpty()) {
            ReportStatus(whenMissing);
            return true;
        }
        throw AppError("SendConfigFile", errors::FileNotFound, "File not found: " + local);
    }
    try {
        m_ftp.setTransferMode(TransferMode::Text);
        m_ftp.changeFolder(VarFolder);
        ReportStatus(deleting);
        try {
            m_ftp.remove(VarFolder + remote);
        } catch (const AppError& e) {
            // The OCB may not have the file yet; the send follows all the same.
            if (e.number() != FtpError::NotFound && e.number() != FtpError::Refused) throw;
        }
        ReportStatus(sending);
        m_ftp.send(local, remote);
    } catch (const AppError& e) {
        if (e.number() == errors::FileNotFound && !whenMissing.isEmpty()) return true;
        if (e.number() != FtpError::NoRoom) throw;
        noRoom();
        return false;
    }
    return true;
}

QString OcbTransfer::timeStamp() const {
    return m_clock.now().toString("MMddHHmmyy");
}

bool OcbTransfer::sendLocalTime(bool sync) {
    if (!sync) return true;
    const QString localTime = scratchFolder() + "/LocalTime";
    TextFile::writeAtomically(localTime, TextFile::crlfLines({AddQuotes(timeStamp())}), "SendLocalTime");
    try {
        m_ftp.send(localTime, "\\tmp\\time");
    } catch (const AppError& e) {
        if (e.number() != FtpError::NoRoom) throw;
        noRoom();
        return false;
    }
    return true;
}

bool OcbTransfer::reloadOCB() {
    ReportStatus("Reloading OCB With new Settings.");
    const QString reload = scratchFolder() + "/reload";
    TextFile::writeAtomically(reload, TextFile::crlfLines({AddQuotes(timeStamp())}), "ReloadOCB");
    try {
        m_ftp.setTransferMode(TransferMode::Text);
        m_ftp.changeFolder(CtrlFolder);
        m_ftp.send(reload, "time");
        m_ftp.send(reload, "reload");
    } catch (const AppError& e) {
        QFile::remove(reload);
        if (e.number() != FtpError::NoRoom) throw;
        noRoom();
        return false;
    }
    QFile::remove(reload);
    ReportStatus("OCB reloaded successfully.");
    return true;
}

bool OcbTransfer::RetrieveFromOCB(const TransferChoices& choices) {
    return recorded(TransferEntry::Kind::Retrieve, [&] {
        try {
            if (!ConnectToOCB()) {
                noteError("Connection to " + who() + " Failed.");
                disconnectQuietly();
                return false;
            }
            const bool ok = runRetrieve(choices);
            disconnectQuietly();
            return ok;
        } catch (...) {
            disconnectQuietly();
            throw;
        }
    });
}

bool OcbTransfer::runRetrieve(const TransferChoices& choices) {
    const QStringList statistics = ListStatisticsFiles();
    m_maximum = m_value + 8 + 3 * static_cast<int>(statistics.size());
    const bool selective = choices.type == TransferChoices::Type::Selective;

    if (selective && !choices.config)
        ReportStatus("Skipping retrieval of Config File.");
    else
        retrieveProfileFile(m_paths.zrConf(m_name), "zr.conf", "Retrieving the Config file from the OCB...");

    if (selective && !choices.menu)
        ReportStatus("Skipping retrieval of Items File.");
    else
        retrieveProfileFile(m_paths.itemsFile(m_name), "items", "Retrieving the Items file from the OCB...");

    if (selective && !choices.statistics) {
        ReportStatus("Skipping Statistics Files.");
    } else {
        ReportStatus("Retrieving Statistics files from the OCB...");
        RetrieveStatistics(statistics);
        ReportStatus("Reloading Profile with new configuration...");
    }
    ReportStatus("Standard Retrieval completed successfully!");
    return true;
}

void OcbTransfer::retrieveProfileFile(const QString& local, const QString& remote, const QString& message) {
    ReportStatus(message);
    const QString old = local + ".old";
    QFile::remove(old);
    QDir().mkpath(QFileInfo(local).absolutePath());
    // A profile without the file simply gets the OCB's copy.
    const bool backedUp = QFileInfo::exists(local);
    if (backedUp && !QFile::rename(local, old))
        throw AppError("RetrieveFromOCB", errors::PathFileAccess,
                       "Cannot rename " + local + " to " + old + ".");
    try {
        m_ftp.changeFolder(VarFolder);
        m_ftp.setTransferMode(TransferMode::Text);
        m_ftp.receive(remote, local);
    } catch (...) {
        // The profile is never left without its file.
        if (backedUp) {
            QFile::remove(local);
            QFile::rename(old, local);
        }
        throw;
    }
}

QStringList OcbTransfer::ListStatisticsFiles() {
    m_ftp.changeFolder(VarFolder);
    m_ftp.setTransferMode(TransferMode::Binary);
    NameList names;
    for (const QString mask : {"drive_*", "sugg_*", "pop_*", "*.zrs"}) {
        try {
            for (const QString& name : m_ftp.list(mask))
                names.add(name);
        } catch (const AppError& e) {
            if (e.number() != FtpError::NotFound) throw;
        }
    }
    return names.names();
}

bool OcbTransfer::RetrieveStatistics(const QStringList& remoteNames) {
    bool result = true;
    QStringList pad, pop, sugg, binary;
    const ProfileLogs logs(m_paths, m_clock);
    for (const QString& name : remoteNames) {
        if (unsafeName(name)) {
            const QString refused = "Refused " + name + " in a statistics List: not a plain file name.";
            noteError(refused);
            logs.LogException(m_name, refused, false, nullptr);
            result = false;
            continue;
        }
        switch (statisticsKind(name)) {
        case StatsKind::Pad:
            pad.append(name);
            break;
        case StatsKind::Suggest:
            sugg.append(name);
            break;
        case StatsKind::Pop:
            pop.append(name);
            break;
        case StatsKind::Binary:
            binary.append(name);
            break;
        case StatsKind::None:
            result = false;
            logs.LogException(m_name, "Recieved " + name + " in a statistics List.", false, nullptr);
            break;
        }
    }
    // A failing kind ends that kind only; the next one follows.
    const std::array<std::function<bool()>, 4> fetchers{
        [&] {
            return retrieveTextStatistics(pad, PadStatsDir(),
                                          "Retrieval of Pad Statistics completed successfully.",
                                          "No Pad Statistics files found on OCB...");
        },
        [&] {
            return retrieveTextStatistics(pop, PopStatsDir(),
                                          "Retrieval of POP Statistics completed successfully.",
                                          "No POP Statistics files found on OCB...");
        },
        [&] {
            return retrieveTextStatistics(sugg, SuggStatsDir(),
                                          "Retrieval of Suggestive Sale Statistics completed successfully.",
                                          "No Suggestive Sales Statistics files found on OCB...");
        },
        [&] { return retrieveBinaryStatistics(binary); }};
    for (const auto& fetch : fetchers) {
        try {
            result = fetch();
        } catch (const AppError& e) {
            noteError(failureText(e));
            try {
                logs.LogException(m_name, e.source() + ": " + e.description(), false, nullptr);
            } catch (...) {
            }
        }
    }
    return result;
}

bool OcbTransfer::retrieveTextStatistics(const QStringList& names, const QString& folder, const QString& done,
                                         const QString& none) {
    if (names.isEmpty()) {
        ReportStatus(none);
        return true;
    }
    m_ftp.setTransferMode(TransferMode::Text);
    m_ftp.changeFolder(VarFolder);
    QDir().mkpath(folder);
    for (const QString& name : names) {
        ReportStatus("Retrieving " + name + " from the OCB...");
        m_ftp.receive(name, folder + name + ".txt");
        ReportStatus("Deleting " + name + " from the OCB...");
        m_ftp.remove(VarFolder + name);
    }
    ReportStatus(done);
    return true;
}

bool OcbTransfer::retrieveBinaryStatistics(const QStringList& names) {
    if (names.isEmpty()) {
        ReportStatus("No Statistics files found on OCB...");
        return true;
    }
    m_ftp.changeFolder(VarFolder);
    m_ftp.setTransferMode(TransferMode::Binary);
    const QString folder = PadStatsDir();
    QDir().mkpath(folder);
    for (const QString& name : names) {
        ReportStatus("Retrieving " + name + " from the OCB...");
        m_ftp.receive(name, folder + name);
        ReportStatus("Converting the Binary Statistics files into meaningful information...");
        RunAndWait(converterPath(), {folder + name}, m_clock);
        ReportStatus("Deleting " + name + " from the OCB...");
        m_ftp.remove(VarFolder + name);
    }
    ReportStatus("Retrieval of Binary Statistics completed successfully.");
    return true;
}

QString OcbTransfer::SuggStatsDir() const {
    return m_paths.profileFile(m_name, "Stats/Sugg") + '/';
}
QString OcbTransfer::PopStatsDir() const {
    return m_paths.profileFile(m_name, "Stats/Pop") + '/';
}
QString OcbTransfer::PadStatsDir() const {
    return m_paths.profileFile(m_name, "Stats/Pad") + '/';
}

QString OcbTransfer::converterPath() const { return m_paths.programFile("Statistics"); }

void OcbTransfer::reportFailure(const AppError& error) {
    const QString source = error.source().isEmpty() ? QStringLiteral("OCB Communications") : error.source();
    try {
        ProfileLogs(m_paths, m_clock).LogException(m_name, failureText(error), false, nullptr);
    } catch (...) {
        // The box below still tells the user.
    }
    try {
        writeLogLine(failureText(error));
    } catch (...) {
    }
    m_prompts.inform("Error", source + "\n\n" + error.description());
}

} // namespace zr
