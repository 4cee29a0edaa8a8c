#pragma once

#include <QString>

namespace zr {

class AppPaths;

/// zrctl's items commands. Each returns the program's exit status.
namespace ItemsCommands {

enum Exit { Ok = 0, Failure = 1, NoItems = 4, BadItems = 5 };

/// Loads the profile's items file as the menu editor does and prints its rows as CSV.
int show(const AppPaths& paths, const QString& profile);

/// Prints the check of every line of the profile's items file.
int check(const AppPaths& paths, const QString& profile);

} // namespace ItemsCommands
} // namespace zr
