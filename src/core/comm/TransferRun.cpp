#include "comm/TransferRun.h"

#include "app/AppError.h"
#include "comm/FtpSettings.h"

#include <QFileInfo>
#include <memory>

namespace zr {

namespace {

/// Counts what goes through whole, and whether the board ever answered, for
/// the summaries of fleet runs. Everything else is the wrapped client's.
class CountingFtpClient : public FtpClient {
public:
    CountingFtpClient(std::unique_ptr<FtpClient> inner, TransferResult& result)
        : m_inner(std::move(inner)), m_result(result) {
        m_inner->onSending = [this](const QString& local, const QString& remote) {
            if (onSending) onSending(local, remote);
        };
        m_inner->onReceiving = [this](const QString& remote, const QString& local) {
            if (onReceiving) onReceiving(remote, local);
        };
    }
    void connectTo(const QString& host) override {
        m_inner->connectTo(host);
        isConnected();
    }
    bool isConnected() const override {
        const bool connected = m_inner->isConnected();
        m_result.reached = m_result.reached || connected;
        return connected;
    }
    void disconnect() override { m_inner->disconnect(); }
    void changeFolder(const QString& remoteFolder) override { m_inner->changeFolder(remoteFolder); }
    void setTransferMode(TransferMode mode) override { m_inner->setTransferMode(mode); }
    QStringList list(const QString& mask) override { return m_inner->list(mask); }
    void receive(const QString& remote, const QString& localPath) override {
        m_inner->receive(remote, localPath);
        m_result.bytesReceived += QFileInfo(localPath).size();
    }
    void send(const QString& localPath, const QString& remote) override {
        m_inner->send(localPath, remote);
        m_result.bytesSent += QFileInfo(localPath).size();
    }
    void remove(const QString& remote) override { m_inner->remove(remote); }
    qint64 bytesSent() const override { return m_inner->bytesSent(); }
    qint64 bytesReceived() const override { return m_inner->bytesReceived(); }

private:
    std::unique_ptr<FtpClient> m_inner;
    TransferResult& m_result;
};

} // namespace

TransferResult runTransfer(const AppPaths& paths, Prompts& prompts, Clock& clock, const TransferTarget& target,
                           const TransferChoices& choices,
                           const std::function<void(const QString& text, int value, int maximum)>& onStatus) {
    FtpSettings settings = loadFtpSettings(paths);
    if (target.port > 0) settings.port = target.port;
    if (!target.host.isEmpty()) settings.host = target.host;
    TransferResult result;
    result.address = settings.host.isEmpty() ? target.ip : settings.host;

    const auto ftp = std::make_unique<CountingFtpClient>(makeCurlFtpClient(settings, clock), result);
    OcbTransfer work(paths, *ftp, prompts, clock);
    work.setProfile(target.profile, result.address);
    if (!target.defaultPOP.isEmpty() || !target.defaultItem.isEmpty())
        work.setDefaultImages(target.defaultPOP, target.defaultItem);
    if (!target.scratchFolder.isEmpty()) work.setScratchFolder(target.scratchFolder);
    work.onStatus = onStatus;
    try {
        result.ok = choices.update ? work.UpdateOCB(choices) : work.RetrieveFromOCB(choices);
    } catch (const AppError& e) {
        work.reportFailure(e);
    } catch (const TransferStopped&) {
        result.stopped = true;
    }
    return result;
}

} // namespace zr
