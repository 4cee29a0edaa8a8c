#pragma once

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Prompts.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace zr::test {

/// A clock that stands still unless told otherwise; waiting moves it on, and
/// its pauses can act, as a user would while a window waits.
class FakeClock : public Clock {
public:
    QDateTime current{QDate(2026, 12, 5), QTime(8, 5, 7)};
    double waited = 0;
    std::function<void()> onWait;
    QDateTime now() const override { return current; }
    void wait(double seconds) override {
        waited += seconds;
        current = current.addMSecs(static_cast<qint64>(seconds * 1000));
        if (onWait) onWait();
    }
};

/// Answers from a queue and records every question and message.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString title;
        QString text;
    };
    QList<Button> answers;
    QList<Shown> asked;
    QList<Shown> informed;

    Button ask(const QString& title, const QString& text, Buttons) override {
        asked.append({title, text});
        if (answers.isEmpty()) {
            qWarning("unexpected question: %s", qPrintable(text));
            return Button::Cancel;
        }
        return answers.takeFirst();
    }
    void inform(const QString& title, const QString& text) override { informed.append({title, text}); }
};

/// A fresh application folder.
class TempApp {
public:
    TempApp() : paths(dir.path()) {}
    QTemporaryDir dir;
    AppPaths paths;

    QString path(const QString& relative) const { return dir.path() + '/' + relative; }

    void write(const QString& relative, const QByteArray& bytes) const {
        const QString p = path(relative);
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(p));
        f.write(bytes);
    }

    QByteArray read(const QString& relative) const {
        QFile f(path(relative));
        if (!f.open(QIODevice::ReadOnly)) return {};
        return f.readAll();
    }

    bool exists(const QString& relative) const { return QFileInfo::exists(path(relative)); }

    /// zr.ini of a program that has run before, so that loads ask their questions.
    void notFirstRun() const { write("zr.ini", "FirstRun = no\r\n"); }
};

/// Reads a file of the test data folder.
inline QByteArray testData(const QString& relative) {
    QFile f(QStringLiteral(ZR_TEST_DATA) + '/' + relative);
    if (!f.open(QIODevice::ReadOnly)) qFatal("missing test data %s", qPrintable(relative));
    return f.readAll();
}

/// Lines of a CR LF text, for readable comparisons.
inline QStringList crlfLines(const QByteArray& bytes) {
    QStringList lines = QString::fromLatin1(bytes).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

/// What a program run as a process gave.
struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

/// Runs a program to its end (at most a minute), with extra environment variables.
inline Run runProcess(const QString& program, const QStringList& arguments,
                      const QMap<QString, QString>& environment = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (auto it = environment.cbegin(); it != environment.cend(); ++it)
        env.insert(it.key(), it.value());
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        qWarning("%s did not finish: %s", qPrintable(program), qPrintable(p.errorString()));
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

/// Every entry below a folder: folders as "<folder>", files by their contents.
inline QMap<QString, QByteArray> folderTree(const QString& root) {
    QMap<QString, QByteArray> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        QFile f(it.filePath());
        const bool folder = it.fileInfo().isDir();
        tree.insert(QDir(root).relativeFilePath(it.filePath()),
                    folder || !f.open(QIODevice::ReadOnly) ? QByteArray("<folder>") : f.readAll());
    }
    return tree;
}

} // namespace zr::test
