#include "ItemsCommands.h"

#include "CliPrompts.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/TextFile.h"
#include "app/WindowsText.h"
#include "menu/ItemsFile.h"
#include "menu/LineCheck.h"
#include "model/ConfigReader.h"
#include "model/FileManager.h"
#include "model/ProfileStore.h"
#include "model/Profiles.h"
#include "reports/Report.h"

#include <QFileInfo>
#include <cstdio>

namespace zr::ItemsCommands {

namespace {

// The file holds Windows code page text; the terminal gets it in its own encoding.
void write(FILE* stream, const QString& text) {
    const QByteArray bytes = shownText(text).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, bytes.size(), stream);
}

void err(const QString& text) {
    for (const QString& line : text.split('\n'))
        write(stderr, "zrctl: " + line + '\n');
}

bool profileExists(const AppPaths& paths, const QString& profile) {
    if (ProfileStore::isValidName(profile) && QFileInfo(paths.profileFolder(profile)).isDir()) return true;
    err("There is no profile " + profile + ".");
    return false;
}

} // namespace

int show(const AppPaths& paths, const QString& profile) {
    if (!profileExists(paths, profile)) return Failure;
    // The profile is read as the editor has it, without writing anything back,
    // and an empty items file stays where it is.
    SystemClock clock;
    CliPrompts prompts(true);
    Profiles read(paths, clock, prompts);
    ConfigReader(read).readOnly(profile);
    ItemsLoadResult result = loadItemsFile(paths.itemsFile(profile), pictureCatalogue(paths.itemImages()),
                                           pictureCatalogue(paths.popImages()), read.DefaultItem(), true);
    sortItems(result.rows);

    QString csv = "Short Descriptor,Long Descriptor,Image,Family,Show Item,Associated POP,Track Item\n";
    for (const MenuItem& item : result.rows) {
        const QStringList cells{item.ShortDescriptor, item.LongDescriptor, item.Image,    item.Family,
                                item.ShowItem,        item.AssociatedPOP,  item.TrackItem};
        QStringList quoted;
        for (const QString& cell : cells)
            quoted << csvCell(cell);
        csv += quoted.join(',') + '\n';
    }
    write(stdout, csv);

    // A command line cannot answer the editor's questions: only what they
    // say about the file is printed, with the line where the trouble starts.
    using namespace ItemsMessages;
    switch (result.outcome) {
    case ItemsLoadOutcome::Loaded:
        return Ok;
    case ItemsLoadOutcome::NoItems:
        err(NoItemsFile + '\n' + RetrieveFromOcb);
        return NoItems;
    case ItemsLoadOutcome::EmptyFile:
        return NoItems;
    case ItemsLoadOutcome::BadRecord:
        err(NotFormatted + '\n' + "The record that starts on line " + QString::number(result.line) +
            " is bad; records from there on are not read.");
        return BadItems;
    case ItemsLoadOutcome::EndInsideRecord:
        err(NotFormatted + '\n' + "The file ends inside the record that starts on line " +
            QString::number(result.line) + ".");
        return BadItems;
    }
    return Failure;
}

int check(const AppPaths& paths, const QString& profile) {
    if (!profileExists(paths, profile)) return Failure;
    const std::optional<QStringList> lines =
        TextFile::readLines(paths.itemsFile(profile), "Check Items File");
    if (!lines) {
        err(ItemsMessages::NoItemsFile);
        return NoItems;
    }
    bool allOk = true;
    QString report;
    for (qsizetype i = 0; i < lines->size(); ++i) {
        const LineCheck c = checkItemsLine(lines->at(i));
        report += QString::number(i + 1) + ": ";
        report += c.ok() ? QString("ok") : "field " + QString::number(c.badField) + ": " + c.description();
        report += '\n';
        allOk = allOk && c.ok();
    }
    write(stdout, report);
    return allOk ? Ok : BadItems;
}

} // namespace zr::ItemsCommands
