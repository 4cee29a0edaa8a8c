#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace zr {

/// A walk through the items file one line at a time, for repairing it: the
/// file is read once, split where the loader splits it, and each line the
/// user accepts (corrected or not) replaces the line in the file on saving.
///
/// Lines the walk has not accepted yet are written back as they are, so a
/// save half-way through loses nothing.
class MenuCheckWalk {
public:
    explicit MenuCheckWalk(QString path) : m_path(std::move(path)) {}

    /// Reads the file on the first call; then moves to the next line.
    /// False when there is no next line.
    bool next();

    bool started() const { return m_started; }
    /// The file holds no line (or could not be read); known once started.
    bool empty() const { return m_lines.isEmpty(); }
    /// The current line is the last one.
    bool atLastLine() const { return m_current >= 0 && m_current + 1 == m_lines.size(); }
    bool hasCurrent() const { return m_current >= 0 && m_current < m_lines.size(); }
    /// The current line as the file holds it.
    QString currentLine() const { return hasCurrent() ? m_lines.at(m_current) : QString(); }

    /// The current line passes with this text.
    void accept(const QString& text);

    /// Writes the accepted lines in their places and every other line as the
    /// file held it. Before the walk has read anything the file stays as it is.
    void save() const;

private:
    QString m_path;
    QStringList m_lines;
    QMap<int, QString> m_accepted;
    int m_current = -1;
    bool m_started = false;
};

} // namespace zr
