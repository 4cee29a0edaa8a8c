#pragma once

// The OCB simulator (tools/ocb-sim) as a test fixture:
//
//     zr::test::OcbSim sim;                       // starts it on 127.0.0.1, port chosen by the system
//     QVERIFY2(sim.start(), qPrintable(sim.error()));
//     zr::saveFtpSettings(app.paths, sim.settings());  // the application folder now talks to it
//     ... update or retrieve with the profile's IP, or sim.host() ...
//     QCOMPARE(sim.journal("STOR"), ...);         // commands as "STOR /zr/ctrl/unlock"
//
// The remote tree lies in sim.root() (zr/var, zr/images/{pops,items,suggest},
// zr/ctrl, tmp); tests put and read remote files there directly.
//
// With "--boards", "N" among the arguments it is a fleet: the boards answer
// on 127.0.0.2 onwards, and each has its folder and journal in root():
// remotePath("127.0.0.3/zr/var/zr.conf"), remote("127.0.0.3.journal").

#include "comm/OcbTransfer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace zr::test {

class OcbSim {
public:
    /// Extra arguments: "--quota", "N", "--seed-stats", "--drop", "name".
    explicit OcbSim(QStringList extra = {}) : m_extra(std::move(extra)) {}
    ~OcbSim() { stop(); }

    static QString script() { return QStringLiteral(ZR_TEST_DATA) + "/../../tools/ocb-sim"; }

    /// Starts the simulator and waits (at most 15 s) for its ready line.
    bool start() {
        m_process.setProgram("/usr/bin/python3");
        m_process.setArguments(
            QStringList{script(), "--root", root(), "--port", "0", "--journal", journalPath()} + m_extra);
        m_process.start();
        if (!m_process.waitForStarted(5000)) return fail("cannot start: " + m_process.errorString());
        QElapsedTimer waited;
        waited.start();
        QByteArray out;
        while (waited.elapsed() < 15000) {
            m_process.waitForReadyRead(200);
            out += m_process.readAllStandardOutput();
            const QRegularExpressionMatch m =
                QRegularExpression("ocb-sim ready on 127\\.0\\.0\\.[12]:(\\d+)").match(QString::fromLatin1(out));
            if (m.hasMatch()) {
                m_port = m.captured(1).toInt();
                return true;
            }
            if (m_process.state() == QProcess::NotRunning)
                return fail("ended: " + QString::fromLocal8Bit(m_process.readAllStandardError()));
        }
        return fail("no ready line");
    }

    void stop() {
        if (m_process.state() == QProcess::NotRunning) return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    int port() const { return m_port; }
    QString host() const { return QStringLiteral("127.0.0.1"); }
    QString error() const { return m_error; }
    QString root() const { return m_dir.path() + "/root"; }
    QString journalPath() const { return m_dir.path() + "/journal"; }

    /// FTP settings that point the program at the simulator.
    FtpSettings settings() const {
        FtpSettings s;
        s.port = m_port;
        s.host = host();
        return s;
    }

    /// The journal's lines, or only those that begin with the given word.
    QStringList journal(const QString& word = QString()) const {
        QFile f(journalPath());
        if (!f.open(QIODevice::ReadOnly)) return {};
        QStringList lines;
        for (const QString& line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts))
            if (word.isEmpty() || line.startsWith(word + ' ')) lines.append(line);
        return lines;
    }
    void clearJournal() const { QFile(journalPath()).resize(0); }

    QString remotePath(const QString& path) const { return root() + '/' + path; }
    QByteArray remote(const QString& path) const {
        QFile f(remotePath(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool remoteExists(const QString& path) const { return QFile::exists(remotePath(path)); }
    void putRemote(const QString& path, const QByteArray& bytes) const {
        QFile f(remotePath(path));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    /// The names in a remote folder, sorted.
    QStringList remoteFolder(const QString& path) const {
        return QDir(remotePath(path)).entryList(QDir::Files, QDir::Name);
    }

private:
    bool fail(const QString& why) {
        m_error = "ocb-sim " + why;
        return false;
    }

    QStringList m_extra;
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
    QString m_error;
};

} // namespace zr::test
