#include "comm/UpdatePictures.h"

#include "app/AppPaths.h"
#include "app/TextFile.h"
#include "menu/FieldReader.h"
#include "model/DynamicList.h"
#include "model/Profiles.h"

#include <array>
#include <optional>

namespace zr {

namespace {

/// The settings lines of the local zr.conf that begin with the filter, or
/// nothing when the file is missing.
std::optional<DynamicList> confLines(const QString& path, const QString& filter) {
    const std::optional<QStringList> lines = TextFile::readLines(path, "UpdateOCB");
    if (!lines) return std::nullopt;
    DynamicList list;
    list.MaskFlags(1);
    list.AddMask("#");
    list.AddMask("");
    for (const QString& line : *lines)
        list.AddItem(line, filter);
    return list;
}

/// The item picture and the associated POP of every record of the items
/// file, with the line the record starts on; nothing when the file is missing.
struct ItemPictures {
    QString image, pop;
    int line = 0;
};
std::optional<QList<ItemPictures>> itemsPictures(const QString& path) {
    const std::optional<QString> text = TextFile::readAll(path, "UpdateOCB");
    if (!text) return std::nullopt;
    FieldReader reader(*text);
    QList<ItemPictures> records;
    std::array<QString, 7> record;
    for (int line = reader.line() + 1; reader.nextRecord(record) == record.size(); line = reader.line() + 1)
        records.append({record[2].trimmed(), record[5].trimmed(), line});
    return records;
}

} // namespace

QList<UpdatePicture> updatePictures(const AppPaths& paths, const QString& profile, const QString& defaultPOP,
                                    const QString& defaultItem) {
    using F = UpdatePicture::Folder;
    using S = UpdatePicture::Source;
    QList<UpdatePicture> pictures;
    const std::optional<QList<ItemPictures>> items = itemsPictures(paths.itemsFile(profile));

    if (const std::optional<DynamicList> conf = confLines(paths.zrConf(profile), "pop_")) {
        for (const QString& week : ScheduleKeys)
            for (const QString& day : DayPartKeys)
                for (const QStringList& tokens : conf->lines("pop_" + week + "_" + day))
                    if (!tokens.isEmpty()) pictures.append({F::Pop, S::PopLine, tokens.first(), week, day, tokens});
        if (items)
            for (const ItemPictures& record : *items)
                if (!record.pop.isEmpty()) pictures.append({F::Pop, S::ItemsFile, record.pop, {}, {}, {}, record.line});
        pictures.append({F::Pop, S::Default, defaultPOP, {}, {}, {}, 0});
    }

    pictures.append({F::Item, S::Default, defaultItem, {}, {}, {}, 0});
    if (items)
        for (const ItemPictures& record : *items)
            if (!record.image.isEmpty()) pictures.append({F::Item, S::ItemsFile, record.image, {}, {}, {}, record.line});

    if (const std::optional<DynamicList> conf = confLines(paths.zrConf(profile), "sugg_"))
        for (const QString meal : {"break", "lunch", "dinner"})
            for (const QStringList& tokens : conf->lines("sugg_" + meal))
                if (tokens.size() >= 2) // a line without a picture adds none
                    pictures.append({F::Suggest, S::SuggestLine, tokens.at(1), "week", meal, tokens});
    pictures.append({F::Suggest, S::Default, defaultItem, {}, {}, {}, 0});
    return pictures;
}

} // namespace zr
