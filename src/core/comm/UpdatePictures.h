#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zr {

class AppPaths;

/// One picture that an update sends, as the profile's files name it.
struct UpdatePicture {
    /// The board's folder it goes to: POP pictures from the POP folder, item
    /// and suggestion pictures from the item folder.
    enum class Folder { Pop, Item, Suggest } folder = Folder::Pop;
    /// Where it is named: a POP or sugg_ line of zr.conf, the items file or
    /// the program's default pictures.
    enum class Source { PopLine, SuggestLine, ItemsFile, Default } source = Source::Default;
    QString name;
    /// PopLine: the schedule and day-part keys; SuggestLine: the day part.
    QString schedule, dayPart;
    /// PopLine and SuggestLine: the line's value tokens.
    QStringList tokens;
    /// ItemsFile: the line (from 1) where the record starts.
    int line = 0;
};

/// Every picture that an update of the profile sends, in the order the
/// update sends them, once for every place that names it (the update sends
/// each name once per folder, without regard to case). Without zr.conf no
/// POP picture is sent, not even the default one.
QList<UpdatePicture> updatePictures(const AppPaths& paths, const QString& profile, const QString& defaultPOP,
                                    const QString& defaultItem);

} // namespace zr
