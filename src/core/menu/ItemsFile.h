#pragma once

#include "menu/MenuItem.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace zr {

class FileManager;

/// How loading the items file ended.
enum class ItemsLoadOutcome {
    Loaded,          ///< at least one row, no problem
    NoItems,         ///< no file, or not a single named record in it
    EmptyFile,       ///< the file was empty; it is gone unless the load was read-only
    BadRecord,       ///< a record breaks the rules; the rows before it are kept
    EndInsideRecord, ///< the file ends before a record's seventh field
};

/// The texts of the items file's messages, shared by the editor and zrctl.
namespace ItemsMessages {
inline const QString NoItemsFile = "No Items File found for this profile.";
inline const QString RetrieveFromOcb = "Retrieve your system information from your OCB.";
inline const QString NotFormatted = "Items File is not formatted correctly.";
inline const QString RepairQuestion = "Would you like to attemp to repair the error?";
inline const QString RepairWarning =
    "Saying no will allow you to edit the file up to the point of data corruption,\n"
    "but you will lose any data after the point of failure.";
inline const QString FindQuestion = "Would you like to find the error?";
/// "Load Items File": the source of every other failure while loading.
inline const QString LoadSource = "Load Items File";
} // namespace ItemsMessages

struct ItemsLoadResult {
    QList<MenuItem> rows; ///< in file order; the editor sorts them with sortItems()
    ItemsLoadOutcome outcome = ItemsLoadOutcome::NoItems;
    int line = 0; ///< for BadRecord and EndInsideRecord: the line (from 1) where that record starts

    /// The whole text of the message box the outcome shows, or empty when it shows none.
    QString message() const;
};

/// Reads the items file. Records whose short descriptor is blank and records
/// with a short descriptor already read are passed over; an empty item image
/// becomes defaultItem, a picture missing from itemImages becomes defaultItem
/// and a POP missing from popImages becomes empty. An empty file is deleted,
/// as the editor does, unless readOnly is set.
/// Any failure to read or delete raises an AppError with the source "Load Items File".
ItemsLoadResult loadItemsFile(const QString& path, const FileManager& itemImages,
                              const FileManager& popImages, const QString& defaultItem,
                              bool readOnly = false);

/// The file's bytes for these rows, in the order given: descriptors trimmed,
/// pictures in lower case, the family as its code, CR LF after each line.
QByteArray itemsFileBytes(const QList<MenuItem>& rows);

/// Replaces the items file whole with the rows. An empty list writes nothing
/// and leaves the old file; returns whether the file was written.
bool saveItemsFile(const QString& path, const QList<MenuItem>& rows);

} // namespace zr
