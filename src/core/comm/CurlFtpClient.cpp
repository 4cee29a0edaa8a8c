#include "comm/CurlFtpClient.h"

#include "app/AppError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <curl/curl.h>

namespace zr {

namespace {

const char* const Source = "FTP";

// Where the body of a reply goes. A received file is written only once it
// has arrived whole, so a broken transfer leaves the local file as it was.
struct Sink {
    QByteArray* buffer = nullptr;
};

size_t writeBody(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const qint64 n = static_cast<qint64>(size * count);
    if (sink->buffer) sink->buffer->append(data, n);
    return static_cast<size_t>(n);
}

struct Upload {
    QByteArray bytes;
    qsizetype pos = 0;
};

size_t readBody(char* buffer, size_t size, size_t count, void* user) {
    auto* src = static_cast<Upload*>(user);
    const qsizetype n =
        std::min<qsizetype>(static_cast<qsizetype>(size * count), src->bytes.size() - src->pos);
    memcpy(buffer, src->bytes.constData() + src->pos, static_cast<size_t>(n));
    src->pos += n;
    return static_cast<size_t>(n);
}

// The longest wait on the sockets before libcurl is asked again whether it
// has work; a wait that wakes for nothing costs a few microseconds.
constexpr int MaxWaitMs = 5;

bool hasSockets(CURLM* multi) {
    fd_set read, write, error;
    FD_ZERO(&read);
    FD_ZERO(&write);
    FD_ZERO(&error);
    int highest = -1;
    curl_multi_fdset(multi, &read, &write, &error, &highest);
    return highest >= 0;
}

int pumpEvents(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* since = static_cast<QElapsedTimer*>(user);
    if (QCoreApplication::instance() && since->elapsed() >= 40) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        since->restart();
    }
    return 0;
}

// Lines always travel as CR LF in text mode: the program keeps CR LF on disk,
// and libcurl turns each LF it uploads into CR LF itself.
QByteArray toLf(QByteArray text) {
    return text.replace("\r\n", "\n");
}
QByteArray toCrLf(const QByteArray& text) {
    return toLf(text).replace("\n", "\r\n");
}

qint64 failureNumber(CURLcode code, long reply) {
    const bool noRoom = reply == 452 || reply == 552;
    switch (code) {
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_LOGIN_DENIED:
        return FtpError::NoConnection;
    case CURLE_REMOTE_ACCESS_DENIED: // CWD refused
    case CURLE_REMOTE_FILE_NOT_FOUND:
        return FtpError::NotFound;
    case CURLE_QUOTE_ERROR:
    case CURLE_FTP_COULDNT_RETR_FILE:
        return reply == 550 ? FtpError::NotFound : FtpError::Refused;
    case CURLE_UPLOAD_FAILED:
        return noRoom ? FtpError::NoRoom : FtpError::Refused;
    case CURLE_REMOTE_DISK_FULL:
        return FtpError::NoRoom;
    case CURLE_PARTIAL_FILE:
        return noRoom ? FtpError::NoRoom : FtpError::UnexpectedReply;
    case CURLE_WRITE_ERROR:
    case CURLE_READ_ERROR:
    case CURLE_OUT_OF_MEMORY:
        return FtpError::LocalFailure;
    default:
        return FtpError::UnexpectedReply;
    }
}

} // namespace

CurlFtpClient::CurlFtpClient(FtpSettings settings) : m_settings(std::move(settings)) {
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    Q_UNUSED(ready);
    m_userPwd = (m_settings.user + ':' + m_settings.password).toUtf8();
    m_pumped.start();
}

CurlFtpClient::~CurlFtpClient() {
    disconnect();
}

void CurlFtpClient::connectTo(const QString& host) {
    disconnect();
    m_host = host;
    m_folder = "/";
    m_curl = curl_easy_init();
    m_multi = curl_multi_init();
    if (!m_curl || !m_multi) {
        disconnect();
        throw AppError(Source, FtpError::LocalFailure, "The FTP connection could not be prepared.");
    }
    try {
        QByteArray ignored;
        Sink sink{&ignored};
        prepare(url("/", QString()));
        curl_easy_setopt(m_curl, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &sink);
        // A board that accepts the connection but never greets counts as absent.
        curl_easy_setopt(m_curl, CURLOPT_TIMEOUT, static_cast<long>(m_settings.connectTimeout));
        curl_easy_setopt(m_curl, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                         static_cast<long>(m_settings.connectTimeout));
        perform(Source, host);
    } catch (const AppError& e) {
        disconnect();
        throw AppError(Source, FtpError::NoConnection, e.description());
    }
    m_connected = true;
}

void CurlFtpClient::disconnect() {
    if (m_curl) curl_easy_cleanup(m_curl);
    if (m_multi) curl_multi_cleanup(m_multi); // says QUIT on the connection it keeps
    m_curl = nullptr;
    m_multi = nullptr;
    m_connected = false;
}

void CurlFtpClient::changeFolder(const QString& remoteFolder) {
    QString folder = remoteFolder.startsWith('/') ? remoteFolder : m_folder + '/' + remoteFolder;
    while (folder.contains("//"))
        folder.replace("//", "/");
    if (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
    m_folder = folder;
}

CurlFtpClient::Target CurlFtpClient::target(const QString& remote) const {
    const qsizetype slash = remote.lastIndexOf('/');
    if (slash < 0) return {m_folder, remote};
    const QString folder = remote.left(slash);
    if (remote.startsWith('/')) return {folder.isEmpty() ? "/" : folder, remote.mid(slash + 1)};
    return {m_folder + '/' + folder, remote.mid(slash + 1)};
}

QByteArray CurlFtpClient::url(const QString& folder, const QString& name) const {
    // "%2F" makes the folder absolute; every part is escaped on its own, so
    // names such as "\tmp\time" travel literally.
    QByteArray path = "%2F";
    const QStringList parts = folder.split('/', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QByteArray part = parts[i].toUtf8();
        char* escaped = curl_easy_escape(m_curl, part.constData(), static_cast<int>(part.size()));
        path += (i ? "/" : "") + QByteArray(escaped);
        curl_free(escaped);
    }
    path += '/';
    const QByteArray file = name.toUtf8();
    char* escaped = curl_easy_escape(m_curl, file.constData(), static_cast<int>(file.size()));
    path += escaped;
    curl_free(escaped);
    return "ftp://" + m_host.toUtf8() + ':' + QByteArray::number(m_settings.port) + '/' + path;
}

void CurlFtpClient::prepare(const QByteArray& address) {
    if (!m_curl) throw AppError(Source, FtpError::NoConnection, "Not connected to the OCB.");
    curl_easy_reset(m_curl);
    m_url = address;
    curl_easy_setopt(m_curl, CURLOPT_URL, m_url.constData());
    curl_easy_setopt(m_curl, CURLOPT_USERPWD, m_userPwd.constData());
    curl_easy_setopt(m_curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(m_settings.connectTimeout));
    curl_easy_setopt(m_curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(m_settings.stallTimeout));
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(m_settings.stallTimeout));
    curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(m_curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(m_curl, CURLOPT_XFERINFOFUNCTION, pumpEvents);
    curl_easy_setopt(m_curl, CURLOPT_XFERINFODATA, &m_pumped);
}

int CurlFtpClient::run() {
    if (curl_multi_add_handle(m_multi, m_curl) != CURLM_OK) return CURLE_OUT_OF_MEMORY;
    CURLcode code = CURLE_OK;
    int idle = 0;
    for (bool done = false; !done;) {
        int running = 0;
        if (curl_multi_perform(m_multi, &running) != CURLM_OK) {
            code = CURLE_OUT_OF_MEMORY;
            break;
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(m_multi, &queued)) {
            if (message->msg != CURLMSG_DONE) continue;
            code = message->data.result;
            done = true;
        }
        if (done || running == 0) break;
        // libcurl's own timers still end every wait that should be shorter.
        // With no socket to wait on it has work to do at once: it is asked
        // again straight away, and after a millisecond when that was in vain.
        long timer = -1;
        curl_multi_timeout(m_multi, &timer);
        int wait = timer >= 0 && timer < MaxWaitMs ? static_cast<int>(timer) : MaxWaitMs;
        if (hasSockets(m_multi))
            idle = 0;
        else
            wait = idle++ ? std::min(wait, 1) : 0;
        if (curl_multi_poll(m_multi, nullptr, 0, wait, nullptr) != CURLM_OK) {
            code = CURLE_OUT_OF_MEMORY;
            break;
        }
    }
    curl_multi_remove_handle(m_multi, m_curl);
    return code;
}

void CurlFtpClient::perform(const char* source, const QString& what) {
    const auto code = static_cast<CURLcode>(run());
    curl_off_t up = 0, down = 0;
    curl_easy_getinfo(m_curl, CURLINFO_SIZE_UPLOAD_T, &up);
    curl_easy_getinfo(m_curl, CURLINFO_SIZE_DOWNLOAD_T, &down);
    countBytes(up, down);
    if (code == CURLE_OK) return;
    long reply = 0;
    curl_easy_getinfo(m_curl, CURLINFO_RESPONSE_CODE, &reply);
    QString text = what + ": " + QString::fromUtf8(curl_easy_strerror(code));
    if (reply >= 400) text += " (" + QString::number(reply) + ")";
    throw AppError(source, failureNumber(code, reply), text);
}

QStringList CurlFtpClient::list(const QString& mask) {
    QByteArray body;
    Sink sink{&body};
    prepare(url(m_folder, QString()));
    curl_easy_setopt(m_curl, CURLOPT_DIRLISTONLY, 1L);
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &sink);
    perform(Source, "List " + m_folder);

    const QString pattern = mask.isEmpty() ? QStringLiteral("*") : mask;
    const QRegularExpression match(
        QRegularExpression::anchoredPattern(QRegularExpression::wildcardToRegularExpression(pattern)));
    QStringList names;
    for (QByteArray line : body.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty()) continue;
        // Some servers list paths; only the name counts.
        QString name = QString::fromUtf8(line);
        if (name.startsWith(m_folder + '/')) name = name.mid(m_folder.size() + 1);
        if (match.match(name).hasMatch()) names.append(name);
    }
    return names;
}

void CurlFtpClient::receive(const QString& remote, const QString& localPath) {
    if (onReceiving) onReceiving(remote, localPath);
    const Target t = target(remote);
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(Source, FtpError::LocalFailure,
                       "Cannot write " + localPath + ": " + file.errorString());
    QByteArray body;
    Sink sink{&body};
    prepare(url(t.folder, t.name));
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(m_curl, CURLOPT_TRANSFERTEXT, m_mode == TransferMode::Text ? 1L : 0L);
    perform(Source, "Receive " + remote);
    file.write(m_mode == TransferMode::Text ? toCrLf(body) : body);
    if (!file.commit())
        throw AppError(Source, FtpError::LocalFailure,
                       "Cannot write " + localPath + ": " + file.errorString());
}

void CurlFtpClient::send(const QString& localPath, const QString& remote) {
    if (onSending) onSending(localPath, remote);
    QFile file(localPath);
    if (!file.exists()) throw AppError(Source, errors::FileNotFound, "File not found: " + localPath);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(Source, FtpError::LocalFailure,
                       "Cannot read " + localPath + ": " + file.errorString());
    Upload source{m_mode == TransferMode::Text ? toLf(file.readAll()) : file.readAll()};
    if (file.error() != QFileDevice::NoError)
        throw AppError(Source, FtpError::LocalFailure,
                       "Cannot read " + localPath + ": " + file.errorString());
    const Target t = target(remote);
    QByteArray ignored;
    Sink sink{&ignored};
    prepare(url(t.folder, t.name));
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(m_curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(m_curl, CURLOPT_READFUNCTION, readBody);
    curl_easy_setopt(m_curl, CURLOPT_READDATA, &source);
    curl_easy_setopt(m_curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(source.bytes.size()));
    curl_easy_setopt(m_curl, CURLOPT_TRANSFERTEXT, m_mode == TransferMode::Text ? 1L : 0L);
    perform(Source, "Send " + remote);
}

void CurlFtpClient::remove(const QString& remote) {
    const Target t = target(remote);
    // DELE after curl's own CWD: a refused QUOTE command before it would drop the connection.
    const QByteArray command = "DELE " + t.name.toUtf8();
    curl_slist* commands = curl_slist_append(nullptr, command.constData());
    QByteArray ignored;
    Sink sink{&ignored};
    prepare(url(t.folder, QString()));
    curl_easy_setopt(m_curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(m_curl, CURLOPT_POSTQUOTE, commands);
    try {
        perform(Source, "Delete " + remote);
    } catch (...) {
        curl_slist_free_all(commands);
        throw;
    }
    curl_slist_free_all(commands);
}

std::unique_ptr<FtpClient> makeCurlFtpClient(const FtpSettings& settings, Clock&) {
    return std::make_unique<CurlFtpClient>(settings);
}

} // namespace zr
