#include "menu/MenuItem.h"

#include <QRegularExpression>
#include <algorithm>

namespace zr {

QString familyName(const QString& code) {
    for (int i = 1; i < FamilyNames.size(); ++i)
        if (code == QString::number(i * 10)) return FamilyNames.at(i);
    return FamilyNames.first();
}

int familyCode(const QString& name) {
    const qsizetype i = FamilyNames.indexOf(name);
    return i > 0 ? static_cast<int>(i) * 10 : 0;
}

bool sameShortDescriptor(const QString& a, const QString& b) {
    return a == b;
}

bool sortsBefore(const MenuItem& a, const MenuItem& b) {
    const int c = a.ShortDescriptor.compare(b.ShortDescriptor, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a.ShortDescriptor < b.ShortDescriptor;
}

void sortItems(QList<MenuItem>& items) {
    std::stable_sort(items.begin(), items.end(), sortsBefore);
}

bool isNumericText(const QString& text) {
    static const QRegularExpression number(R"(^[ \t]*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?[ \t]*$)");
    return number.match(text).hasMatch();
}

bool hasJpg(const QString& name) {
    return name.contains(".jpg", Qt::CaseInsensitive);
}

} // namespace zr
