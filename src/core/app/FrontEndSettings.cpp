#include "app/FrontEndSettings.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Routines.h"
#include "app/TextFile.h"
#include "model/DynamicList.h"

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

const QString GoalKey = QStringLiteral("total_time_goal");
const char* const GoalComment = "#    Pad report goal for the total time of a car, in seconds";

// The line of zr.ini that holds the total time goal, or -1.
qsizetype goalLine(const QStringList& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(GoalKey) && line.mid(GoalKey.size()).trimmed().startsWith('=')) return i;
    }
    return -1;
}

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
    const qsizetype at = lines ? goalLine(*lines) : -1;
    if (at < 0) return {};
    return {"", GoalComment, "", lines->at(at).trimmed()};
}

const QString ItemImageKey = QStringLiteral("default_item_image");
const QString PopImageKey = QStringLiteral("default_pop_image");
const char* const ImagesComment =
    "#    Default pictures: an item without its own picture, a newly inserted POP";

// The line of zr.ini that sets the key, or -1.
qsizetype keyLine(const QStringList& lines, const QString& key) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(key) && line.mid(key.size()).trimmed().startsWith('=')) return i;
    }
    return -1;
}

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

} // namespace

std::optional<DynamicList> ReadIni(const AppPaths& paths) {
    std::optional<QStringList> lines;
    try {
        lines = TextFile::readLines(paths.zrIni(), "zr.ini");
    } catch (const AppError&) {
        return std::nullopt;
    }
    if (!lines) return std::nullopt;
    DynamicList list;
    for (const QString& line : *lines)
        list.AddItem(line);
    return list;
}

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
            TextFile::crlfLines(layout("no", {}, false) + goalBlock(lines) + imagesBlock(lines)), "FirstRun");
    return result;
}

void SaveCommSettings(const AppPaths& paths, const CommSettings& settings) {
    // The window keeps the FirstRun line as it is: it only runs after the first run.
    const std::optional<QStringList> old = iniLines(paths, "SaveCommSettings");
    const QStringList goal = goalBlock(old);
    TextFile::writeAtomically(paths.zrIni(),
                              TextFile::crlfLines(layout("no", settings, true) + goal + imagesBlock(old)),
                              "SaveCommSettings");
}

int TotalTimeGoal(const AppPaths& paths) {
    const std::optional<QStringList> lines = iniLines(paths, "TotalTimeGoal");
    const qsizetype at = lines ? goalLine(*lines) : -1;
    if (at < 0) return DefaultTotalTimeGoal;
    return goalValue(lines->at(at)).value_or(DefaultTotalTimeGoal);
}

void SaveTotalTimeGoal(const AppPaths& paths, int seconds) {
    seconds = std::clamp(seconds, 1, LongestTotalTimeGoal);
    // Without zr.ini the next start is still a first run, which keeps the goal.
    QStringList lines =
        TextFile::readLines(paths.zrIni(), "SaveTotalTimeGoal").value_or(QStringList{"FirstRun = yes"});
    const qsizetype at = goalLine(lines);
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

} // namespace zr::FrontEndSettings
