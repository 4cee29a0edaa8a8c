#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace zr {

/// One picture file found by a scan.
struct file {
    qint32 FileSize = 0;
    QString ID; // file name without folder
};

/// The files found by a scan, in order, keyed by name without regard to case.
class Files {
public:
    /// Adds a file unless it is smaller than a minimum size of 0 or more; the
    /// added file, or none. A key already present raises the duplicate-key error.
    const file* Add(const QString& id, qint32 size, const QString& key);
    /// By position from 1, or none.
    const file* Item(int index) const;
    /// By name, without regard to case, or none.
    const file* Item(const QString& key) const;
    int Count() const { return static_cast<int>(m_items.size()); }
    void Remove(int index);
    void Remove(const QString& key);
    qint32 MinimumFileSize() const { return m_minimum; }
    void setMinimumFileSize(qint32 v) { m_minimum = v; }

    QList<file>::const_iterator begin() const { return m_items.cbegin(); }
    QList<file>::const_iterator end() const { return m_items.cend(); }

private:
    void reindex();

    QList<file> m_items;
    QList<QString> m_keys;
    QHash<QString, int> m_index; // folded key -> position from 0
    qint32 m_minimum = -1;
};

/// The catalogue of the picture files of one folder that match a pattern.
/// Set Filter first, then Directory: each of them scans the folder again.
class FileManager {
public:
    /// Called now and then during a scan of many files, so that a caller
    /// with windows can keep them drawn. None by default.
    using Progress = std::function<void()>;
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    /// The folder, ending in "/" unless empty.
    QString Directory() const { return m_directory; }
    void setDirectory(const QString& folder);
    const zr::Files& Files() const { return m_files; }
    QString Filter() const { return m_filter; }
    void setFilter(const QString& filter);
    int Count() const { return m_files.Count(); }
    /// True when the last scan found a file of that name, in any letter case.
    bool FindFile(const QString& name) const { return m_files.Item(name) != nullptr; }
    qint32 MinimumFileSize() const { return m_minimum; }
    /// Applies from the next scan on.
    void setMinimumFileSize(qint32 v);

private:
    void scan(const QString& folder);

    QString m_directory;
    QString m_filter;
    qint32 m_minimum = -1;
    zr::Files m_files;
    Progress m_progress;
};

/// The pictures ("*.jpg") of a folder.
FileManager pictureCatalogue(const QString& folder, FileManager::Progress progress = {});
/// The names of a folder's pictures, in the catalogue's order.
QStringList pictureNames(const QString& folder, FileManager::Progress progress = {});

/// The message that refuses a picture for a pop_ or sugg_ line of zr.conf,
/// or empty when the name can stand there. Those lines hold the name bare,
/// so a blank in it would split the line on the next load.
QString pictureNameProblem(const QString& name);

} // namespace zr
