#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zr {

class AppPaths;

/// The profile folders under <app>/Profiles, the list file Profiles.conf that
/// remembers the current profile, and nothing outside that folder.
namespace ProfileStore {

/// A usable profile name: not empty, not "." or "..", and without "/", "\"
/// or control characters, and only characters that 8-bit text can hold.
/// The name is taken as trimmed of blanks.
bool isValidName(const QString& name);

/// The name trimmed of blanks at both ends, as profiles are named.
QString trimmedName(const QString& name);

/// The profiles, one per folder, sorted without regard to case.
QStringList profileNames(const AppPaths& paths);

/// Creates <app>/Fonts and the profile's folder with Items, Config, Demo, Log
/// and Stats/{Sugg,Pad,Pop}. Existing folders, in whatever letter case, are kept.
void CreateProfileFolders(const AppPaths& paths, const QString& name);

/// Creates <app>/Profiles, <app>/BackUp and the image folders <app>/ZRScreens/Item
/// and <app>/ZRScreens/POP, as the program does at start-up.
void CreateAppFolders(const AppPaths& paths);

/// The current_profile of Profiles.conf, or nothing when the file does not exist.
std::optional<QString> currentProfile(const AppPaths& paths);

/// Writes Profiles.conf naming the current profile.
void SaveProfileList(const AppPaths& paths, const QString& current);

} // namespace ProfileStore
} // namespace zr
