#include "reports/PadPairing.h"

#include <optional>

namespace zr {

int PadPairing::addRow(Key key) {
    const int row = rowCount();
    m_rows.insert(key, row);
    m_hasPad2.push_back(false);
    return row;
}

PadPairing::Place PadPairing::padOne(qint64 check) {
    bool marked = check <= 0;
    qint64 n = marked ? m_lastCheck1 + 1 : check;
    m_lastCheck1 = n;
    if (m_rows.contains({n, marked})) {
        // The number is taken: the row goes under the next free "?" number 100 further on.
        const qint64 from = n;
        n = m_pad1Walks.value(from, from) + 100;
        while (m_rows.contains({n, true}))
            n += 100;
        m_pad1Walks.insert(from, n);
        marked = true;
    }
    if (marked) {
        // A row for a pad 2 to choose where pad-2 walks went past: they must look again.
        const auto plain = m_rows.constFind({n, false});
        if (plain != m_rows.cend() && m_hasPad2[*plain]) m_pad2Walks.clear();
    }
    return {addRow({n, marked}), n, marked, true};
}

PadPairing::Place PadPairing::padTwo(qint64 check) {
    const bool marked = check <= 0;
    qint64 m = marked ? m_lastCheck2 + 1 : check;
    m_lastCheck2 = m;

    const qint64 from = m;
    if (const auto walked = m_pad2Walks.constFind(from); walked != m_pad2Walks.cend()) m = *walked + 100;
    std::optional<qint64> passed;
    Place place{-1, m, marked, false};
    while (place.row < 0) {
        const auto plain = m_rows.constFind({m, false});
        const auto withMark = m_rows.constFind({m, true});
        if (plain != m_rows.cend()) {
            if (!m_hasPad2[*plain])
                place.row = *plain;
            else if (withMark != m_rows.cend() && !m_hasPad2[*withMark])
                place.row = *withMark;
            else {
                passed = m;
                m += 100;
            }
        } else if (withMark != m_rows.cend()) {
            place.row = *withMark;
        } else {
            // A pickup with no order row: a row of its own.
            place = {addRow({m, false}), m, marked, true};
        }
    }
    if (passed) m_pad2Walks.insert(from, *passed);
    m_hasPad2[place.row] = true;
    return place;
}

} // namespace zr
