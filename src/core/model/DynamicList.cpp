#include "model/DynamicList.h"

#include "app/AppError.h"
#include "app/Routines.h"

namespace zr {

namespace {


QString trimLeadingBlanks(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == ' ') ++start;
    return text.mid(start);
}

} // namespace

void DynamicList::AddMask(const QString& mask) {
    if (m_masks.contains(mask))
        throw AppError("DynamicList", errors::DuplicateKey,
                       "This key is already associated with an element of this collection");
    m_masks.append(mask);
}

void DynamicList::RemoveItem(QString& key) {
    if (key.isEmpty()) key = m_lastLookUp;
    m_items.removeIf([&](const Property& p) { return p.ID == key; });
}

void DynamicList::MaskFlags(int flags) {
    if (flags > 2) throw AppError("Set Flags", 1, "Maximum Mask Value is 2.");
    if (flags <= 0) {
        m_prefix = m_exact = false;
        return;
    }
    if (flags >= 2) {
        m_exact = true;
        flags -= 2;
        if (flags == 0) return;
    }
    if (flags == 1) m_prefix = true;
}

bool DynamicList::isMasked(const QString& line, const QString& filter) const {
    for (const QString& mask : m_masks) {
        if (!filter.isEmpty() && filter == mask)
            throw AppError("DynamicList", 1, "FilterItem is in Masked Item List.");
        if (m_prefix) {
            // The empty mask is compared with the first character, so it
            // matches only an empty line.
            const qsizetype n = mask.isEmpty() ? 1 : mask.size();
            if (line.left(n) == mask) return true;
        }
        if (m_exact && line == mask) return true;
    }
    return false;
}

QStringList DynamicList::tokenize(const QString& value) {
    QStringList tokens;
    QString rest = TrimBlanks(value);
    if (rest.isEmpty()) {
        tokens.append(QString());
        return tokens;
    }
    while (!rest.isEmpty()) {
        if (rest.startsWith('"')) {
            const qsizetype close = rest.indexOf('"', 1);
            if (close < 0) {
                // An opening quote that is never closed: the rest of the line.
                tokens.append(TrimBlanks(rest.mid(1)));
                break;
            }
            tokens.append(TrimBlanks(rest.mid(1, close - 1)));
            rest = trimLeadingBlanks(rest.mid(close + 1));
        } else {
            const qsizetype blank = rest.indexOf(' ');
            if (blank < 0) {
                tokens.append(rest);
                break;
            }
            tokens.append(rest.left(blank));
            rest = TrimBlanks(rest.mid(blank));
        }
    }
    return tokens;
}

void DynamicList::AddItem(const QString& line, const QString& filter) {
    if (isMasked(line, filter)) return;
    if (!filter.isEmpty() && !line.startsWith(filter)) return;
    const qsizetype eq = line.indexOf('=');
    Property property;
    if (eq < 0) {
        property.ID = TrimBlanks(line);
    } else {
        property.ID = TrimBlanks(line.left(eq));
        property.Value = tokenize(line.mid(eq + 1));
    }
    m_items.append(property);
}

void DynamicList::AddUniqueItem(const QString& text) {
    for (const Property& p : m_items)
        if (p.ID == text) return;
    m_items.append(Property{text, {}});
}

QVariant DynamicList::LookUpProperty(const QString& key, bool collection) {
    m_lastLookUp = key;
    QVariantList results;
    for (const Property& p : m_items) {
        if (p.ID != key) continue;
        if (p.Value.size() >= 2)
            results.append(QVariant(p.Value));
        else
            results.append(QVariant(p.Value.value(0)));
    }
    if (results.isEmpty()) results.append(QVariant(QString()));
    if (!collection && results.size() == 1) return results.first();
    return results;
}

QList<QStringList> DynamicList::lines(const QString& key) const {
    QList<QStringList> result;
    for (const Property& p : m_items)
        if (p.ID == key) result.append(p.Value);
    return result;
}

} // namespace zr
