#include "menu/LineCheck.h"

#include "menu/MenuItem.h"

#include <algorithm>

namespace zr {

QString LineCheck::description() const {
    QString what;
    switch (problem) {
    case LineProblem::None:
        return {};
    case LineProblem::MissingQuotes:
        what = "no pair of double quotes";
        break;
    case LineProblem::MissingComma:
        what = "no comma after the field";
        break;
    case LineProblem::TextOutsideQuotes:
        what = "text outside the double quotes";
        break;
    case LineProblem::NotNumeric:
        what = "not a number";
        break;
    case LineProblem::NotJpg:
        what = "not a .jpg picture name";
        break;
    case LineProblem::NotTrueFalse:
        what = R"(neither "TRUE" nor "FALSE")";
        break;
    case LineProblem::ExtraText:
        return "text after the seventh field: " + extraText;
    }
    const QString value = values.value(badField - 1);
    return value.isEmpty() ? what : what + ": " + value;
}

namespace {

bool isTrueFalse(const QString& text) {
    return text == "TRUE" || text == "FALSE";
}

// Blanks and tabs only, as the loader skips them before a field.
bool isBlank(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == ' ' || c == '\t'; });
}

} // namespace

LineCheck checkItemsLine(const QString& line) {
    LineCheck check;
    QString rest = line;
    const auto fail = [&](int field, LineProblem problem, const QString& shown) {
        check.values.append(shown);
        check.badField = field;
        check.problem = problem;
        return check;
    };

    for (int field = 1; field <= 7; ++field) {
        QString text;
        if (field == 4) {
            const qsizetype comma = rest.indexOf(',');
            if (comma < 0) return fail(field, LineProblem::MissingComma, rest);
            // As the loader reads a bare field: blanks and tabs before it skipped, blanks after it dropped.
            text = rest.left(comma);
            while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
                text.remove(0, 1);
            while (text.endsWith(' '))
                text.chop(1);
            if (!isNumericText(text)) return fail(field, LineProblem::NotNumeric, text);
            rest = rest.mid(comma + 1);
        } else {
            const qsizetype open = rest.indexOf('"');
            const qsizetype close = open < 0 ? -1 : rest.indexOf('"', open + 1);
            if (close < 0) return fail(field, LineProblem::MissingQuotes, rest);
            const qsizetype end = field == 7 ? close + 1 : rest.indexOf(',', close + 1);
            if (end < 0) return fail(field, LineProblem::MissingComma, rest);
            // The loader reads only what lies between the quotes: text before
            // them would become a field of its own, text after them is dropped.
            if (!isBlank(rest.left(open)) || !isBlank(rest.mid(close + 1, end - close - 1)))
                return fail(field, LineProblem::TextOutsideQuotes, rest.left(end));
            text = rest.mid(open + 1, close - open - 1);
            rest = rest.mid(field == 7 ? end : end + 1);
            if ((field == 5 || field == 7) && !isTrueFalse(text))
                return fail(field, LineProblem::NotTrueFalse, text);
            if ((field == 3 || (field == 6 && !text.isEmpty())) && !hasJpg(text))
                return fail(field, LineProblem::NotJpg, text);
        }
        check.values.append(text);
    }
    if (!isBlank(rest)) {
        check.extraText = rest;
        check.badField = 8;
        check.problem = LineProblem::ExtraText;
    }
    return check;
}

} // namespace zr
