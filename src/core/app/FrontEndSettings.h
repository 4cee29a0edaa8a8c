#pragma once

#include <QSize>
#include <QString>
#include <optional>

namespace zr {

class AppPaths;

/// The front end's own settings in <app>/zr.ini.
namespace FrontEndSettings {

/// True on the first run after installation: zr.ini is missing, or its
/// FirstRun value is exactly "yes". The first run rewrites zr.ini with its defaults.
bool FirstRun(const AppPaths& paths);

/// The choices of the OCB communications window, as they are written.
struct CommSettings {
    bool update = true;                // comm_type update, otherwise retrieve
    QString transferType = "standard"; // "standard", "selective", "efficient"; empty writes no line
    bool transferConfig = true;
    bool transferMenu = true;
    bool transferStatistics = true;
    bool notifyTransferComplete = true;
};

/// Rewrites zr.ini in the layout the communications window writes.
void SaveCommSettings(const AppPaths& paths, const CommSettings& settings);

/// The choices of the communications window as zr.ini keeps them. Values are
/// compared exactly. A key on several lines ends the reading: it and every
/// key after it read as nothing. Nothing also means "leave as it is".
struct StoredCommSettings {
    /// comm_type: false for "retrieve", true for "update" or anything else.
    std::optional<bool> update;
    /// transfer_type when it is one the comm_type allows: "standard", and
    /// "efficient" for an update or "selective" for a retrieve; else empty.
    /// Not read when comm_type is neither "update" nor "retrieve".
    QString transferType;
    /// "yes" or not; an empty value reads as nothing.
    std::optional<bool> transferMenu, transferConfig, transferStatistics;
    /// "yes" or empty, or not.
    std::optional<bool> notifyTransferComplete;
};

/// Reads the communications window's choices from zr.ini; nothing when the
/// file cannot be read.
std::optional<StoredCommSettings> LoadCommSettings(const AppPaths& paths);

/// The goal for a car's total time in the pad report, in seconds.
inline constexpr int DefaultTotalTimeGoal = 180;
inline constexpr int LongestTotalTimeGoal = 86400;

/// The total time goal kept in zr.ini under "total_time_goal"; the default
/// when the file holds none, or a value that is not 1 to 86400 seconds.
/// The rewrites of zr.ini (first run, communications window) keep the key.
int TotalTimeGoal(const AppPaths& paths);

/// Writes the total time goal into zr.ini, keeping every other line.
void SaveTotalTimeGoal(const AppPaths& paths, int seconds);

/// The default item and POP pictures the user chose, kept in zr.ini under
/// "default_item_image" and "default_pop_image". Empty where the file holds
/// no such key, or a name with a blank, which no picture may have: the model
/// then gives its own default. The rewrites of zr.ini keep both keys.
struct DefaultImages {
    QString item;
    QString pop;
};
DefaultImages ReadDefaultImages(const AppPaths& paths);

/// Writes both default pictures into zr.ini, keeping every other line.
void SaveDefaultImages(const AppPaths& paths, const DefaultImages& images);

/// The size the user last gave a window, kept in zr.ini under "window_size_"
/// and the window's name in lower case; invalid when none is kept. Like the
/// backup folder below, it is kept by the rewrites of zr.ini.
QSize WindowSize(const AppPaths& paths, const QString& window);
void SaveWindowSize(const AppPaths& paths, const QString& window, QSize size);

/// What a board holds, in megabytes, kept in zr.ini under "board_capacity_mb":
/// the check warns of an update that would send more. The default when the
/// file holds none, or no whole number of at least 1. Kept by the rewrites of zr.ini.
inline constexpr int DefaultBoardCapacityMb = 64;
int BoardCapacityMb(const AppPaths& paths);

/// The folder of the last backup, kept in zr.ini under "backup_folder"; empty when none.
QString BackupFolder(const AppPaths& paths);
void SaveBackupFolder(const AppPaths& paths, const QString& folder);

} // namespace FrontEndSettings
} // namespace zr
