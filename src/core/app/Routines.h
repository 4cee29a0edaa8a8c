#pragma once

#include <QString>
#include <QStringList>

namespace zr {

class AppPaths;
class Clock;

/// The text without blanks (spaces) at either end; tabs and other white space stay.
QString TrimBlanks(const QString& text);

/// Removes one leading and one trailing double quote; inner quotes stay.
QString StripQuotes(const QString& text);
/// The text in double quotes; inner quotes are not escaped.
QString AddQuotes(const QString& text);

/// The names of the sub-folders of a folder, sorted without regard to case.
/// Hidden (dot) entries are skipped; a missing folder has none.
QStringList ListSubFolders(const QString& folder);

/// Deletes the folder with everything in it. Only folders inside
/// <app>/Profiles are deleted; symbolic links are removed, never followed.
/// A folder that does not exist is passed over. Returns true; any failure
/// raises an AppError.
bool DeleteFolder(const AppPaths& paths, const QString& folder);

/// Runs the program with its arguments (no shell, no splitting at blanks) and
/// waits until it ends, then waits one more second. Windows stay painted but
/// take no input meanwhile. A program that cannot be started is not an error.
void RunAndWait(const QString& program, const QStringList& arguments, Clock& clock);

/// Makes the images of the application's image folders writable by their
/// owner, so that images an image tool copied can be replaced or deleted.
void ClearImageAttributes(const AppPaths& paths);

/// The IP address in the profile's Config.conf; empty when the file or the
/// key is missing.
QString GetConfigIP(const AppPaths& paths, const QString& profile);

} // namespace zr
