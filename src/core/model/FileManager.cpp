#include "model/FileManager.h"

#include "app/AppError.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <vector>

namespace zr {

namespace {
QString fold(const QString& key) {
    return key.toCaseFolded();
}
} // namespace

const file* Files::Add(const QString& id, qint32 size, const QString& key) {
    if (m_minimum >= 0 && size < m_minimum) return nullptr;
    if (!key.isEmpty()) {
        if (m_index.contains(fold(key)))
            throw AppError("Files", errors::DuplicateKey,
                           "This key is already associated with an element of this collection");
        m_index.insert(fold(key), static_cast<int>(m_items.size()));
    }
    m_items.append(file{size, id});
    m_keys.append(key);
    return &m_items.last();
}

const file* Files::Item(int index) const {
    if (index < 1 || index > m_items.size()) return nullptr;
    return &m_items.at(index - 1);
}

const file* Files::Item(const QString& key) const {
    auto it = m_index.constFind(fold(key));
    return it == m_index.cend() ? nullptr : &m_items.at(*it);
}

void Files::reindex() {
    m_index.clear();
    for (int i = 0; i < m_keys.size(); ++i)
        if (!m_keys.at(i).isEmpty()) m_index.insert(fold(m_keys.at(i)), i);
}

void Files::Remove(int index) {
    if (index < 1 || index > m_items.size()) throw AppError("Files", 9, "Subscript out of range");
    m_items.removeAt(index - 1);
    m_keys.removeAt(index - 1);
    reindex();
}

void Files::Remove(const QString& key) {
    auto it = m_index.constFind(fold(key));
    if (it == m_index.cend()) throw AppError("Files", 5, "Invalid procedure call or argument");
    Remove(*it + 1);
}

void FileManager::setDirectory(const QString& folder) {
    QString value = folder;
    if (!value.isEmpty() && !value.endsWith('/')) value += '/';
    scan(value);
    m_directory = value;
}

void FileManager::setFilter(const QString& filter) {
    m_filter = filter;
    if (!m_directory.isEmpty()) scan(m_directory);
}

void FileManager::setMinimumFileSize(qint32 v) {
    m_files.setMinimumFileSize(v);
    m_minimum = v;
}

void FileManager::scan(const QString& folder) {
    m_files = zr::Files();
    m_files.setMinimumFileSize(m_minimum);
    // There is no working folder to scan relative to: an empty folder finds nothing.
    if (folder.isEmpty()) return;
    QDir dir(folder);
    if (!m_filter.isEmpty()) dir.setNameFilters({m_filter});
    dir.setFilter(QDir::Files); // hidden files are not listed
    dir.setSorting(QDir::Unsorted);
    const QFileInfoList infos = dir.entryInfoList();
    struct Entry {
        QString name;
        QString folded;
        qint64 size;
    };
    std::vector<Entry> entries;
    entries.reserve(infos.size());
    for (const QFileInfo& info : infos)
        entries.push_back({info.fileName(), info.fileName().toCaseFolded(), info.size()});
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.folded != b.folded ? a.folded < b.folded : a.name < b.name;
    });
    int n = 0;
    const QString* previous = nullptr;
    for (const Entry& entry : entries) {
        const QString& name = entry.name;
        // Two names that differ only in case are one picture to the OCB: the
        // first is kept. Sorted, such names stand side by side.
        if (previous && *previous == entry.folded) continue;
        previous = &entry.folded;
        const qint32 size = static_cast<qint32>(std::min<qint64>(entry.size, INT32_MAX));
        m_files.Add(name, size, name);
        if (m_progress && ++n % 64 == 0) m_progress();
    }
}

FileManager pictureCatalogue(const QString& folder, FileManager::Progress progress) {
    FileManager catalogue;
    catalogue.setProgress(std::move(progress));
    catalogue.setFilter("*.jpg");
    catalogue.setDirectory(folder);
    return catalogue;
}

QStringList pictureNames(const QString& folder, FileManager::Progress progress) {
    const FileManager catalogue = pictureCatalogue(folder, std::move(progress));
    QStringList names;
    for (const file& f : catalogue.Files())
        names << f.ID;
    return names;
}

QString pictureNameProblem(const QString& name) {
    if (!name.contains(' ')) return {};
    return "The picture name \"" + name +
           "\" holds a blank, which the board's configuration file cannot store. "
           "Rename the picture without blanks (the image tools write \"_\" instead).";
}

} // namespace zr
