#pragma once

#include <QString>
#include <QStringList>

namespace zr {

/// What is wrong with one field of a line of the items file.
enum class LineProblem {
    None,
    MissingQuotes,     ///< fewer than two double quotes
    MissingComma,      ///< no comma after the field
    TextOutsideQuotes, ///< more than blanks before the opening or after the closing quote
    NotNumeric,        ///< the family is not a number
    NotJpg,            ///< a picture name without ".jpg"
    NotTrueFalse,      ///< neither "TRUE" nor "FALSE"
    ExtraText,         ///< text after the seventh field
};

/// The check of one line of the items file against the record grammar, field
/// by field up to the first problem.
struct LineCheck {
    /// The text found for each field checked, from field 1; at a problem, the
    /// field's text, or the whole remaining line when its quotes or comma are missing.
    QStringList values;
    /// The field with the problem, from 1; 8 for text after the seventh field; 0 when the line is correct.
    int badField = 0;
    LineProblem problem = LineProblem::None;
    /// The text after the seventh field, when there is any.
    QString extraText;

    bool ok() const { return problem == LineProblem::None; }
    /// One line saying what is wrong, for people ("no comma after the field"), or empty.
    QString description() const;
};

/// Checks one line (without its line end). A line that passes is one record of
/// seven fields to the loader, with the values found here: a quoted field
/// holds what lies between its quotes, and only blanks may stand outside them.
/// Picture names may end in ".jpg" in any letter case, as the loader accepts
/// them; any number passes as family; blanks after the seventh field are not extra text.
LineCheck checkItemsLine(const QString& line);

/// The help line of each field, in field order, as the check window shows them.
inline const QStringList FieldHelp{
    R"("alpha-numeric")",   R"("alpha-numeric")",           R"("alpha-numeric.jpg")", "10,20,30,40 or 50",
    R"("TRUE" or "FALSE")", R"("" or "alpha-numeric.jpg")", R"("TRUE" or "FALSE")",
};
/// The example of a correct record.
inline const QString ExampleRecord =
    R"("Short Descriptor","Long Descriptor","ItemPicture.jpg",50,"TRUE","POP.jpg","FALSE")";

} // namespace zr
