#include "menu/ItemsFile.h"

#include "app/AppError.h"
#include "app/Routines.h"
#include "app/TextFile.h"
#include "menu/FieldReader.h"
#include "model/FileManager.h"

#include <QFile>
#include <QSet>
#include <array>
#include <optional>

namespace zr {

QString ItemsLoadResult::message() const {
    using namespace ItemsMessages;
    switch (outcome) {
    case ItemsLoadOutcome::NoItems:
        return NoItemsFile + '\n' + RetrieveFromOcb;
    case ItemsLoadOutcome::BadRecord:
        return NotFormatted + '\n' + RepairQuestion + "\n\n" + RepairWarning;
    case ItemsLoadOutcome::EndInsideRecord:
        return NotFormatted + '\n' + FindQuestion;
    case ItemsLoadOutcome::Loaded:
    case ItemsLoadOutcome::EmptyFile:
        break;
    }
    return {};
}

namespace {

bool isTrueFalse(const QString& text) {
    return text == "TRUE" || text == "FALSE";
}

// The file has no escape for a double quote inside a quoted field. A text
// holding one (it can only come from a bare field of a loaded file) is written
// bare when the reader gives it back the same; otherwise its quotes become
// apostrophes, so that no line ever splits into other fields on the next load.
QString quoted(const QString& text) {
    if (!text.contains('"')) return AddQuotes(text);
    const bool bareReadsBack = !text.startsWith('"') && !text.startsWith(' ') && !text.startsWith('\t') &&
                               !text.endsWith(' ') && !text.contains(',') && !text.contains('\r') &&
                               !text.contains('\n');
    if (bareReadsBack) return text;
    return AddQuotes(QString(text).replace('"', '\''));
}

enum Field { Short, Long, Image, Family, Show, Pop, Track, FieldCount };

} // namespace

ItemsLoadResult loadItemsFile(const QString& path, const FileManager& itemImages,
                              const FileManager& popImages, const QString& defaultItem, bool readOnly) {
    using ItemsMessages::LoadSource;
    ItemsLoadResult result;
    const std::optional<QString> text = TextFile::readAll(path, LoadSource);
    if (!text) return result;
    if (text->isEmpty()) {
        if (!readOnly && !QFile::remove(path))
            throw AppError(LoadSource, errors::PathFileAccess,
                           "Cannot delete the empty file \"" + path + "\".");
        result.outcome = ItemsLoadOutcome::EmptyFile;
        return result;
    }

    QSet<QString> keys;
    FieldReader reader(*text);
    while (!reader.atEnd()) {
        const int line = reader.line() + 1;
        std::array<QString, FieldCount> f;
        if (reader.nextRecord(f) < f.size()) {
            result.outcome = ItemsLoadOutcome::EndInsideRecord;
            result.line = line;
            return result;
        }
        if (f[Image].isEmpty()) f[Image] = defaultItem;
        if (!isNumericText(f[Family]) || !isTrueFalse(f[Show]) || !isTrueFalse(f[Track]) ||
            !hasJpg(f[Image]) || (!f[Pop].isEmpty() && !hasJpg(f[Pop]))) {
            result.outcome = ItemsLoadOutcome::BadRecord;
            result.line = line;
            return result;
        }
        const QString name = TrimBlanks(f[Short]);
        if (name.isEmpty() || keys.contains(name)) continue;
        keys.insert(name);
        result.rows.append(MenuItem{
            name, TrimBlanks(f[Long]), itemImages.FindFile(f[Image]) ? f[Image] : defaultItem,
            familyName(f[Family]), f[Show], popImages.FindFile(f[Pop]) ? f[Pop] : QString(), f[Track]});
    }
    result.outcome = result.rows.isEmpty() ? ItemsLoadOutcome::NoItems : ItemsLoadOutcome::Loaded;
    return result;
}

QByteArray itemsFileBytes(const QList<MenuItem>& rows) {
    QStringList lines;
    for (const MenuItem& item : rows) {
        lines << quoted(TrimBlanks(item.ShortDescriptor)) + ',' + quoted(TrimBlanks(item.LongDescriptor)) +
                     ',' + quoted(item.Image.toLower()) + ',' + QString::number(familyCode(item.Family)) +
                     ',' + quoted(item.ShowItem) + ',' + quoted(item.AssociatedPOP.toLower()) + ',' +
                     quoted(item.TrackItem);
    }
    return TextFile::crlfLines(lines);
}

bool saveItemsFile(const QString& path, const QList<MenuItem>& rows) {
    if (rows.isEmpty()) return false;
    TextFile::writeAtomically(path, itemsFileBytes(rows), "Save Items File");
    return true;
}

} // namespace zr
