#pragma once

#include <QHash>
#include <vector>

namespace zr {

/// Which row of the pad summary each pad record goes to. A pad-1 record
/// always starts a row, under its check number or, when the number is already
/// taken, under the next free number 100 further on, marked "?". A pad-2
/// record completes the first row of its check number (or 100, 200… further
/// on) that has no pad-2 data yet, or starts a row of its own.
///
/// It keeps one entry per row of the file: the rows themselves are kept, or
/// only summed, by whoever uses it.
class PadPairing {
public:
    struct Place {
        int row;         // rows are numbered from 0 in the order they start
        qint64 check;    // the check number of the row
        bool marked;     // the number is shown with a "?"
        bool started;    // the record starts the row
    };

    /// The row of a pad-1 record whose check field is `check`.
    Place padOne(qint64 check);
    /// The row of a pad-2 record; the row counts as having pad-2 data from then on.
    Place padTwo(qint64 check);

    int rowCount() const { return static_cast<int>(m_hasPad2.size()); }

private:
    struct Key {
        qint64 number;
        bool marked;
        bool operator==(const Key&) const = default;
        friend size_t qHash(const Key& key, size_t seed = 0) { return qHashMulti(seed, key.number, key.marked); }
    };

    int addRow(Key key);

    QHash<Key, int> m_rows;
    std::vector<bool> m_hasPad2;
    qint64 m_lastCheck1 = 0, m_lastCheck2 = 0;
    // Walks over taken check numbers (+100 at a time) resume where the last walk
    // from the same number ended, so that a file full of one number stays fast.
    QHash<qint64, qint64> m_pad1Walks, m_pad2Walks;
};

} // namespace zr
