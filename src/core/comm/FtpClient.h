#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zr {

/// How a file travels: text files have their line ends translated, pictures do not.
enum class TransferMode { Text, Binary };

/// The FTP component's failure numbers, carried by AppError::number.
namespace FtpError {
constexpr long NoConnection = 0x80042015;    // no connection, or the login was refused
constexpr long NoRoom = 0x8004200E;          // the OCB's disk is full (452 or 552)
constexpr long NotFound = 0x80042013;        // a remote name or listing found nothing (550)
constexpr long Refused = 0x8004201C;         // a command the OCB refused in another way
constexpr long UnexpectedReply = 0x80042007; // any other reply, or the connection was lost
constexpr long LocalFailure = 0x8000FFFF;    // a local file could not be read or written
} // namespace FtpError

/// The connection to one OCB, as the transfer procedures use it. Every
/// failure is thrown as an AppError with one of the FtpError numbers.
class FtpClient {
public:
    virtual ~FtpClient() = default;

    /// Port and account come from the FTP component settings.
    virtual void connectTo(const QString& host) = 0;
    virtual bool isConnected() const = 0;
    virtual void disconnect() = 0;
    virtual void changeFolder(const QString& remoteFolder) = 0;
    virtual void setTransferMode(TransferMode mode) = 0;
    /// Names in the current folder that match the mask ("*", "*.jpg").
    virtual QStringList list(const QString& mask) = 0;
    virtual void receive(const QString& remote, const QString& localPath) = 0;
    /// Replaces the remote file.
    virtual void send(const QString& localPath, const QString& remote) = 0;
    virtual void remove(const QString& remote) = 0;

    std::function<void(QString remote, QString local)> onReceiving;
    std::function<void(QString local, QString remote)> onSending;

    /// Bytes carried over data connections since the client was made: files
    /// and listings, whole or in part.
    virtual qint64 bytesSent() const { return m_sent; }
    virtual qint64 bytesReceived() const { return m_received; }

protected:
    void countBytes(qint64 sent, qint64 received) {
        m_sent += sent;
        m_received += received;
    }

private:
    qint64 m_sent = 0, m_received = 0;
};

} // namespace zr
