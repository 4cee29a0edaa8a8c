#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace zr {

/// One parsed settings line: the key and its value tokens.
struct Property {
    QString ID;
    QStringList Value;
};

/// An ordered list of key/value lines, parsed from the text lines of a
/// settings file. Masks exclude lines (comments, empty lines, process lines);
/// a key found on several lines reads as a list with one element per line.
/// Keys are compared exactly, with case.
class DynamicList {
public:
    /// Adds a mask. A mask that is already there raises the duplicate-key error.
    void AddMask(const QString& mask);
    QString LastLookUp() const { return m_lastLookUp; }
    void ClearList() { m_items.clear(); }
    void ClearMasks() { m_masks.clear(); }
    void RemoveMask(const QString& mask) { m_masks.removeAll(mask); }
    /// Removes every line of the key; an empty key means the last key looked up
    /// (and the caller's variable is set to it).
    void RemoveItem(QString& key);
    /// Bit 1 sets the prefix mode, bit 2 the exact mode, 0 clears both.
    /// A value above 2 raises an error and leaves the modes as they were.
    void MaskFlags(int flags);
    const Property& Item(int index) const { return m_items.at(index - 1); }
    int Count() const { return static_cast<int>(m_items.size()); }
    /// Parses one line into a Property and appends it, unless the line is
    /// masked or does not begin with a non-empty filter.
    void AddItem(const QString& line, const QString& filter = QString());
    /// Appends the text itself as a key without value, once.
    void AddUniqueItem(const QString& text);

    /// The value of a key: a text (one token), a QStringList (the tokens of a
    /// line with two or more), or, when the key is on several lines or the
    /// collection flag is set, a QVariantList of such elements. A missing key
    /// reads as the empty text.
    QVariant LookUpProperty(const QString& key, bool collection);

    /// The token lists of every line of the key, in file order (none when the key is missing).
    QList<QStringList> lines(const QString& key) const;

    /// Splits the value part of a line (the text after "=") into tokens.
    static QStringList tokenize(const QString& rest);

    bool prefixMode() const { return m_prefix; }
    bool exactMode() const { return m_exact; }

private:
    bool isMasked(const QString& line, const QString& filter) const;

    QList<Property> m_items;
    QStringList m_masks;
    bool m_prefix = false;
    bool m_exact = false;
    QString m_lastLookUp;
};

} // namespace zr
