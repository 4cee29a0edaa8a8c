#include "app/FrontEndSettings.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Routines.h"
#include "app/TextFile.h"
#include "model/DynamicList.h"

#include <QFile>

#include <algorithm>

namespace zr::FrontEndSettings {

namespace {

const char* const Heading = "# Configuration settings for the Brellic ZR5000FE (FrontEnd) software";

QString yesNo(bool value) {
    return value ? "yes" : "no";
}

QStringList layout(const QString& firstRun, const CommSettings& s, bool written_by_window) {
    QStringList lines{Heading,
                      "FirstRun = " + firstRun,
                      "",
                      "#    Configuration settings for the OCB Communications form.",
                      "#    Last Communication type",
                      "",
                      s.update ? "comm_type = update" : "comm_type = retrieve",
                      "",
                      "#    Transfer type",
                      ""};
    if (!s.transferType.isEmpty()) lines << "transfer_type = " + s.transferType;
    lines << "";
    lines << (written_by_window ? "#    Selective transfer options    " : "#    Selective transfer options");
    lines << "";
    lines << "transfer_config = " + yesNo(s.transferConfig) << "transfer_menu = " + yesNo(s.transferMenu)
          << "transfer_statistics = " + yesNo(s.transferStatistics)
          << "notify_transfer_complete = " + yesNo(s.notifyTransferComplete);
    return lines;
}

// The line of zr.ini that sets the key, or -1.
qsizetype keyLine(const QStringList& lines, const QString& key) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(key) && line.mid(key.size()).trimmed().startsWith('=')) return i;
    }
    return -1;
}

const QString GoalKey = QStringLiteral("total_time_goal");
const char* const GoalComment = "#    Pad report goal for the total time of a car, in seconds";

std::optional<int> goalValue(const QString& line) {
    QString value = line.trimmed().mid(GoalKey.size()).trimmed().mid(1).trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.mid(1, value.size() - 2);
    bool ok = false;
    const int seconds = value.toInt(&ok);
    if (!ok || seconds < 1 || seconds > LongestTotalTimeGoal) return std::nullopt;
    return seconds;
}

QString goalText(int seconds) {
    return GoalKey + " = " + QString::number(seconds);
}

// The goal's lines as they follow the other settings, or none when the file holds no goal.
QStringList goalBlock(const std::optional<QStringList>& lines) {
    const qsizetype at = lines ? keyLine(*lines, GoalKey) : -1;
    if (at < 0) return {};
    return {"", GoalComment, "", lines->at(at).trimmed()};
}

const QString ItemImageKey = QStringLiteral("default_item_image");
const QString PopImageKey = QStringLiteral("default_pop_image");
const char* const ImagesComment =
    "#    Default pictures: an item without its own picture, a newly inserted POP";

QString imageLine(const QString& key, const QString& name) {
    return name.isEmpty() ? key + " =" : key + " = " + name;
}

// The default pictures' lines as they follow the other settings, or none when the file holds neither.
QStringList imagesBlock(const std::optional<QStringList>& lines) {
    QStringList kept;
    for (const QString& key : {ItemImageKey, PopImageKey})
        if (const qsizetype at = lines ? keyLine(*lines, key) : -1; at >= 0) kept << lines->at(at).trimmed();
    if (kept.isEmpty()) return {};
    return QStringList{"", ImagesComment, ""} + kept;
}

std::optional<QStringList> iniLines(const AppPaths& paths, const QString& source) {
    try {
        return TextFile::readLines(paths.zrIni(), source);
    } catch (const AppError&) {
        return std::nullopt;
    }
}

// What windows keep for their next opening: the sizes the user gave them and
// the folder of the last backup. zr.ini holds none of it until the user makes a choice.
const QString WindowSizePrefix = QStringLiteral("window_size_");
const QString BackupFolderKey = QStringLiteral("backup_folder");
const char* const KeptComment = "#    Window sizes and the folder of the last backup";

QString keyOf(const QString& line) {
    const QString text = line.trimmed();
    const qsizetype eq = text.indexOf('=');
    if (eq < 0 || text.startsWith('#')) return {};
    return text.left(eq).trimmed().toLower();
}

const QString CapacityKey = QStringLiteral("board_capacity_mb");

bool isKept(const QString& key) {
    return key == BackupFolderKey || key == CapacityKey || key.startsWith(WindowSizePrefix);
}

// The kept lines as they follow the other settings, or none.
QStringList keptBlock(const std::optional<QStringList>& lines) {
    QStringList kept;
    if (lines)
        for (const QString& line : *lines)
            if (isKept(keyOf(line))) kept << line.trimmed();
    if (kept.isEmpty()) return {};
    return QStringList{"", KeptComment, ""} + kept;
}

QString keptValue(const AppPaths& paths, const QString& key) {
    const std::optional<QStringList> lines = iniLines(paths, key);
    if (!lines) return {};
    for (const QString& line : *lines) {
        if (keyOf(line) != key) continue;
        QString value = line.mid(line.indexOf('=') + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return {};
}

void saveKept(const AppPaths& paths, const QString& key, const QString& value) {
    const QString source = "Save " + key;
    // Without zr.ini the next start is still a first run, which keeps the line.
    QStringList lines = TextFile::readLines(paths.zrIni(), source).value_or(QStringList{"FirstRun = yes"});
    const QString text = key + " = " + value;
    const auto at =
        std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return keyOf(l) == key; });
    if (at != lines.end()) {
        if (*at == text) return;
        *at = text;
    } else {
        // Next to the other kept lines, or in a block of its own at the end.
        qsizetype last = -1;
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (isKept(keyOf(lines[i]))) last = i;
        if (last >= 0)
            lines.insert(last + 1, text);
        else
            lines << "" << KeptComment << "" << text;
    }
    TextFile::writeAtomically(paths.zrIni(), TextFile::crlfLines(lines), source);
}

} // namespace

bool FirstRun(const AppPaths& paths) {
    std::optional<QStringList> lines = TextFile::readLines(paths.zrIni(), "FirstRun");
    bool result = true;
    if (lines) {
        DynamicList list;
        // The masks are added, but no mask mode is set, so nothing is masked.
        list.AddMask("#");
        list.AddMask("");
        for (const QString& line : *lines)
            list.AddItem(line);
        result = list.LookUpProperty("FirstRun", false).toString() == "yes";
    }
    if (result)
        TextFile::writeAtomically(
            paths.zrIni(),
            TextFile::crlfLines(layout("no", {}, false) + goalBlock(lines) + imagesBlock(lines) + keptBlock(lines)),
            "FirstRun");
    return result;
}

void SaveCommSettings(const AppPaths& paths, const CommSettings& settings) {
    // The window keeps the FirstRun line as it is: it only runs after the first run.
    const std::optional<QStringList> old = iniLines(paths, "SaveCommSettings");
    const QStringList kept = goalBlock(old) + imagesBlock(old) + keptBlock(old);
    TextFile::writeAtomically(paths.zrIni(), TextFile::crlfLines(layout("no", settings, true) + kept),
                              "SaveCommSettings");
}

std::optional<StoredCommSettings> LoadCommSettings(const AppPaths& paths) {
    std::optional<QStringList> lines;
    try {
        lines = TextFile::readLines(paths.zrIni(), "zr.ini");
    } catch (const AppError&) {
        return std::nullopt;
    }
    if (!lines) return std::nullopt;
    DynamicList ini;
    for (const QString& line : *lines)
        ini.AddItem(line);
    // The tokens of the key's line joined by blanks; nothing for a key on several lines.
    auto value = [&ini](const QString& key) -> std::optional<QString> {
        const QList<QStringList> found = ini.lines(key);
        if (found.size() > 1) return std::nullopt;
        return found.isEmpty() ? QString() : found.first().join(' ');
    };
    StoredCommSettings s;
    const std::optional<QString> commType = value("comm_type");
    if (!commType) return s;
    s.update = *commType != "retrieve";
    if (*commType == "update" || *commType == "retrieve") {
        const std::optional<QString> type = value("transfer_type");
        if (!type) return s;
        if (*type == "standard" || *type == (*s.update ? "efficient" : "selective")) s.transferType = *type;
    }
    const std::pair<const char*, std::optional<bool> StoredCommSettings::*> boxes[] = {
        {"transfer_menu", &StoredCommSettings::transferMenu},
        {"transfer_config", &StoredCommSettings::transferConfig},
        {"transfer_statistics", &StoredCommSettings::transferStatistics}};
    for (const auto& [key, box] : boxes) {
        const std::optional<QString> text = value(key);
        if (!text) return s;
        if (!text->isEmpty()) s.*box = *text == "yes";
    }
    if (const std::optional<QString> notify = value("notify_transfer_complete"))
        s.notifyTransferComplete = notify->isEmpty() || *notify == "yes";
    return s;
}

int BoardCapacityMb(const AppPaths& paths) {
    bool ok = false;
    const int mb = keptValue(paths, CapacityKey).toInt(&ok);
    return ok && mb >= 1 ? mb : DefaultBoardCapacityMb;
}

int TotalTimeGoal(const AppPaths& paths) {
    const std::optional<QStringList> lines = iniLines(paths, "TotalTimeGoal");
    const qsizetype at = lines ? keyLine(*lines, GoalKey) : -1;
    if (at < 0) return DefaultTotalTimeGoal;
    return goalValue(lines->at(at)).value_or(DefaultTotalTimeGoal);
}

void SaveTotalTimeGoal(const AppPaths& paths, int seconds) {
    seconds = std::clamp(seconds, 1, LongestTotalTimeGoal);
    // Without zr.ini the next start is still a first run, which keeps the goal.
    QStringList lines =
        TextFile::readLines(paths.zrIni(), "SaveTotalTimeGoal").value_or(QStringList{"FirstRun = yes"});
    const qsizetype at = keyLine(lines, GoalKey);
    if (at >= 0)
        lines[at] = goalText(seconds);
    else
        lines << "" << GoalComment << "" << goalText(seconds);
    TextFile::writeAtomically(paths.zrIni(), TextFile::crlfLines(lines), "SaveTotalTimeGoal");
}

DefaultImages ReadDefaultImages(const AppPaths& paths) {
    const std::optional<QStringList> lines = iniLines(paths, "ReadDefaultImages");
    const auto value = [&](const QString& key) {
        const qsizetype at = lines ? keyLine(*lines, key) : -1;
        if (at < 0) return QString();
        const QString name = StripQuotes(lines->at(at).trimmed().mid(key.size()).trimmed().mid(1).trimmed());
        return name.contains(' ') ? QString() : name;
    };
    return {value(ItemImageKey), value(PopImageKey)};
}

void SaveDefaultImages(const AppPaths& paths, const DefaultImages& images) {
    // Without zr.ini the next start is still a first run, which keeps the pictures.
    QStringList lines =
        TextFile::readLines(paths.zrIni(), "SaveDefaultImages").value_or(QStringList{"FirstRun = yes"});
    const qsizetype itemAt = keyLine(lines, ItemImageKey);
    if (itemAt >= 0) lines[itemAt] = imageLine(ItemImageKey, images.item);
    const qsizetype popAt = keyLine(lines, PopImageKey);
    if (popAt >= 0) lines[popAt] = imageLine(PopImageKey, images.pop);
    if (itemAt < 0 && popAt < 0)
        lines << "" << ImagesComment << "" << imageLine(ItemImageKey, images.item)
              << imageLine(PopImageKey, images.pop);
    else if (itemAt < 0)
        lines.insert(popAt, imageLine(ItemImageKey, images.item));
    else if (popAt < 0)
        lines.insert(itemAt + 1, imageLine(PopImageKey, images.pop));
    TextFile::writeAtomically(paths.zrIni(), TextFile::crlfLines(lines), "SaveDefaultImages");
}

QSize WindowSize(const AppPaths& paths, const QString& window) {
    const QStringList parts = keptValue(paths, WindowSizePrefix + window.toLower()).split('x');
    if (parts.size() != 2) return {};
    bool wide = false, high = false;
    const QSize size(parts[0].trimmed().toInt(&wide), parts[1].trimmed().toInt(&high));
    if (!wide || !high || size.width() < 1 || size.height() < 1 || size.width() > 20000 ||
        size.height() > 20000)
        return {};
    return size;
}

void SaveWindowSize(const AppPaths& paths, const QString& window, QSize size) {
    if (size.isEmpty()) return;
    saveKept(paths, WindowSizePrefix + window.toLower(),
             QString("%1x%2").arg(size.width()).arg(size.height()));
}

// zr.ini holds one character per byte: the folder is kept in the file system's own bytes.
QString BackupFolder(const AppPaths& paths) {
    return QFile::decodeName(keptValue(paths, BackupFolderKey).toLatin1());
}

void SaveBackupFolder(const AppPaths& paths, const QString& folder) {
    saveKept(paths, BackupFolderKey, '"' + QString::fromLatin1(QFile::encodeName(folder)) + '"');
}

} // namespace zr::FrontEndSettings
