#pragma once

#include "app/AppError.h"
#include "comm/FtpClient.h"
#include "comm/FtpSettings.h"
#include "comm/TransferRecord.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace zr {

class AppPaths;
class Clock;
class Prompts;

/// The choices of the communications window for one command.
struct TransferChoices {
    bool update = true; // false: retrieve
    enum class Type { Standard, Selective, Efficient } type = Type::Standard;
    bool config = true, menu = true, statistics = true; // the selective check boxes
    bool syncTime = true;                               // "Synchronize OCB time to PC"
};

/// The kind of a statistics file on the OCB, decided by its name.
enum class StatsKind { None, Pad, Suggest, Pop, Binary };
StatsKind statisticsKind(const QString& remoteName);

/// A list of file names in which names differing only in case count as one
/// (the first one stays).
class NameList {
public:
    bool add(const QString& name);
    void removeAt(int index) { m_names.removeAt(index); }
    const QStringList& names() const { return m_names; }
    int count() const { return static_cast<int>(m_names.size()); }

private:
    QStringList m_names;
};

/// Efficient transfer: a name found with exactly the same spelling in both
/// lists is dropped from both, so the OCB keeps what it already has.
void CompareImageLists(NameList& send, NameList& remove);

/// Makes the libcurl client (see CurlFtpClient.h). It waits for nothing
/// through the clock, but lets window events run while a transfer goes on.
std::unique_ptr<FtpClient> makeCurlFtpClient(const FtpSettings& settings, Clock& clock);

/// One command's work against one OCB: status lines with progress, pauses and
/// Ftp.log, connecting, update, retrieve and statistics. Knows nothing of
/// widgets; the communications window and zrctl both drive it.
///
/// UpdateOCB and RetrieveFromOCB disconnect on every path after connecting.
/// Failures they cannot handle leave them as AppError; hand those to
/// reportFailure.
class OcbTransfer {
public:
    /// Takes over the client's sending and receiving notifications, which
    /// become status lines, until it goes.
    OcbTransfer(const AppPaths& paths, FtpClient& ftp, Prompts& prompts, Clock& clock);
    ~OcbTransfer();
    OcbTransfer(const OcbTransfer&) = delete;
    OcbTransfer& operator=(const OcbTransfer&) = delete;

    /// The profile to transfer (<P>) and the address of its OCB. When the FTP
    /// settings name a host, pass it here as ip.
    void setProfile(const QString& name, const QString& ip);
    /// The program's default POP and item pictures, which the update always
    /// sends: those of zr.ini (or the model's defaults) unless set here.
    void setDefaultImages(const QString& defaultPOP, const QString& defaultItem);

    /// Where the control files sent to the OCB (kill, LocalTime, reload) are
    /// written first: the application folder unless set. Boards that run at
    /// the same time each need a folder of their own.
    void setScratchFolder(const QString& folder);
    QString scratchFolder() const;

    /// Called for every status line with the progress after it. The window
    /// shows them; zrctl prints "[value/maximum] text".
    std::function<void(const QString& text, int value, int maximum)> onStatus;

    /// Status line: progress step (the maximum grows by 5 when full), a pause
    /// of 0.25 s and a line in Ftp.log.
    void ReportStatus(const QString& text);
    void ResetProgress();
    int progressValue() const { return m_value; }
    int progressMaximum() const { return m_maximum; }

    /// Deletes Ftp.log, connects, and polls for at most about five seconds.
    bool ConnectToOCB();
    /// Both commands add a line to the profile's transfer record
    /// (TransferRecord), whether they succeed, fail or raise.
    bool UpdateOCB(const TransferChoices& choices);
    bool RetrieveFromOCB(const TransferChoices& choices);
    /// Fetches the named statistics files into the profile's Stats folders
    /// and deletes them on the OCB.
    bool RetrieveStatistics(const QStringList& remoteNames);
    /// Names of the statistics files waiting in /zr/var/, once each.
    QStringList ListStatisticsFiles();

    QString SuggStatsDir() const;
    QString PopStatsDir() const;
    QString PadStatsDir() const;

    /// Shows the error with its source and description in an "Error" box,
    /// logs it to Exceptions.log and writes it as the last line of Ftp.log.
    void reportFailure(const AppError& error);

    /// The file of the statistics converter: the program's own, else the application folder's.
    QString converterPath() const;

private:
    static QString failureText(const AppError& error);
    /// Keeps the first error of a command for its line in the transfer record.
    void noteError(const QString& text);
    bool recorded(TransferEntry::Kind kind, const std::function<bool()>& work);
    void disconnectQuietly();
    bool runUpdate(const TransferChoices& choices);
    bool runRetrieve(const TransferChoices& choices);
    /// The pictures of one UpdatePicture::Folder that the update sends.
    void addUpdatePictures(int folder, NameList& send);
    void buildPopImageLists(NameList& send, NameList& remove, bool efficient);
    void buildItemImageLists(NameList& send, NameList& remove, bool efficient);
    void buildSuggestImageLists(NameList& send, NameList& remove, bool efficient);
    void listRemoteImages(const QString& folder, NameList& remove);
    bool unlockFileSystem();
    bool syncImages(const QString& remoteFolder, const QString& localFolder, const NameList& send,
                    const NameList& remove);
    /// whenMissing: the status line when the profile has no such file, which
    /// is then left alone on the OCB; empty when a missing file is an error.
    bool sendProfileFile(const QString& local, const QString& remote, const QString& deleting,
                         const QString& sending, const QString& whenMissing);
    bool sendLocalTime(bool sync);
    bool reloadOCB();
    void retrieveProfileFile(const QString& local, const QString& remote, const QString& message);
    bool retrieveTextStatistics(const QStringList& names, const QString& folder, const QString& done,
                                const QString& none);
    bool retrieveBinaryStatistics(const QStringList& names);
    void noRoom();
    QString timeStamp() const;
    QString who() const { return m_name + "@" + m_ip; }
    void writeLogLine(const QString& text);

    const AppPaths& m_paths;
    FtpClient& m_ftp;
    Prompts& m_prompts;
    Clock& m_clock;
    QString m_name, m_ip;
    QString m_scratch;
    QString m_defaultPop = "default.jpg", m_defaultItem = "GreatChoice.jpg";
    int m_value = 0, m_maximum = 150;
    QString m_firstError;
};

} // namespace zr
