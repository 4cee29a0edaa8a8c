#include "app/FrontEndSettings.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/TextFile.h"
#include "model/DynamicList.h"

namespace zr::FrontEndSettings {

namespace {

const char* const Heading = "# Configuration settings for the Brellic ZR5000FE (FrontEnd) software";

QString yesNo(bool value) { return value ? "yes" : "no"; }

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
    for (const QString& line : *lines) list.AddItem(line);
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
        for (const QString& line : *lines) list.AddItem(line);
        result = list.LookUpProperty("FirstRun", false).toString() == "yes";
    }
    if (result) TextFile::writeAtomically(paths.zrIni(), TextFile::crlfLines(layout("no", {}, false)), "FirstRun");
    return result;
}

void SaveCommSettings(const AppPaths& paths, const CommSettings& settings) {
    // The window keeps the FirstRun line as it is: it only runs after the first run.
    TextFile::writeAtomically(paths.zrIni(), TextFile::crlfLines(layout("no", settings, true)),
                              "SaveCommSettings");
}

} // namespace zr::FrontEndSettings
