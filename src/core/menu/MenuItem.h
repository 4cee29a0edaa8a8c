#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zr {

/// One record of the items file: the seven fields as text, the family by its name.
struct MenuItem {
    QString ShortDescriptor;
    QString LongDescriptor;
    QString Image;
    QString Family = "(none)";
    QString ShowItem = "TRUE";
    QString AssociatedPOP;
    QString TrackItem = "FALSE";
    bool operator==(const MenuItem&) const = default;
};

/// The family names in the order of the editor's list; "(none)" stands for code 0.
inline const QStringList FamilyNames{"(none)", "Entree", "Side", "Drink", "Dessert", "Special"};

/// The family name of a field of the file: only the exact texts "10" to "50"
/// have a name ("010" or "10.0" have none).
QString familyName(const QString& code);
/// The code written for a family name: 0 for "(none)" and any unknown name.
int familyCode(const QString& name);

/// Whether two short descriptors name the same item. Letter case counts: the
/// board matches the names its register sends, so "Fries" and "FRIES" are
/// two items, and neither of them is dropped when the file is loaded.
bool sameShortDescriptor(const QString& a, const QString& b);

/// Sorts the items as the editor lists them: by short descriptor, without
/// regard to case (ties in the order of the case-sensitive comparison).
void sortItems(QList<MenuItem>& items);
/// The order of sortItems(): true when a comes before b.
bool sortsBefore(const MenuItem& a, const MenuItem& b);

/// True for a number as the items file may hold it: blanks around, a sign, a
/// decimal point and an exponent are allowed.
bool isNumericText(const QString& text);

/// True when a picture name has the ".jpg" extension somewhere in it, in any letter case.
bool hasJpg(const QString& name);

} // namespace zr
