#pragma once

#include "comm/FtpClient.h"
#include "comm/OcbTransfer.h"

#include <QByteArray>
#include <QElapsedTimer>

typedef void CURL;
typedef void CURLM;

namespace zr {

/// The FTP client over libcurl. One easy handle is kept for the whole
/// connection, so the OCB sees one login; every operation resets the handle's
/// options and keeps its own idea of the current remote folder.
///
/// A transfer lets window events run from libcurl's progress callback, and
/// the settings' timeouts end a connection attempt or a stalled transfer.
///
/// Operations run through a multi handle that this class drives itself, and
/// the connection lives in that handle's cache between them. libcurl's own
/// blocking loop sleeps a whole second whenever it has neither a socket nor a
/// timer to wait for, as it does now and then between a passive-mode reply and
/// the data connection; that cost one second on about one file in ten.
class CurlFtpClient : public FtpClient {
public:
    explicit CurlFtpClient(FtpSettings settings);
    ~CurlFtpClient() override;

    void connectTo(const QString& host) override;
    bool isConnected() const override { return m_connected; }
    void disconnect() override;
    void changeFolder(const QString& remoteFolder) override;
    void setTransferMode(TransferMode mode) override { m_mode = mode; }
    QStringList list(const QString& mask) override;
    void receive(const QString& remote, const QString& localPath) override;
    void send(const QString& localPath, const QString& remote) override;
    void remove(const QString& remote) override;

    const QString& folder() const { return m_folder; }

private:
    struct Target {
        QString folder, name;
    };
    Target target(const QString& remote) const;
    QByteArray url(const QString& folder, const QString& name) const;
    void prepare(const QByteArray& url);
    /// Runs the prepared operation to its end on the kept connection.
    int run();
    void perform(const char* source, const QString& what);

    FtpSettings m_settings;
    CURL* m_curl = nullptr;
    CURLM* m_multi = nullptr;
    QString m_host;
    QString m_folder = "/";
    TransferMode m_mode = TransferMode::Binary;
    bool m_connected = false;
    QByteArray m_url, m_userPwd;
    QElapsedTimer m_pumped;
};

} // namespace zr
