#include "menu/MenuCheckWalk.h"

#include "app/TextFile.h"

#include <QRegularExpression>

namespace zr {

bool MenuCheckWalk::next() {
    if (!m_started) {
        // Lines end where the loader ends them: at CR LF, a lone CR or a lone LF.
        static const QRegularExpression lineEnd("\r\n|\r|\n");
        m_lines = TextFile::readAll(m_path, "Menu Check").value_or(QString()).split(lineEnd);
        if (m_lines.last().isEmpty()) m_lines.removeLast(); // a final line end starts no line
        m_started = true;
    }
    if (m_current + 1 >= m_lines.size()) return false;
    ++m_current;
    return true;
}

void MenuCheckWalk::accept(const QString& text) {
    if (hasCurrent()) m_accepted.insert(m_current, text);
}

void MenuCheckWalk::save() const {
    if (!m_started) return;
    QStringList lines;
    for (int i = 0; i < m_lines.size(); ++i)
        lines << m_accepted.value(i, m_lines.at(i));
    TextFile::writeAtomically(m_path, TextFile::crlfLines(lines), "Menu Check");
}

} // namespace zr
