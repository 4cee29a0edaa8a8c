#pragma once

#include <QString>
#include <functional>

namespace zr {

class AppPaths;
class Clock;
class Prompts;

/// Runs a window's event handler so that no failure escapes into Qt: a
/// failure is shown in an "Error" box with its source and description and
/// logged to the current profile's Exceptions.log; the window stays usable.
/// A No to the missing-line question ends the program at once, saving nothing.
class ErrorGuard {
public:
    ErrorGuard(const AppPaths& paths, const Clock& clock, Prompts& prompts, std::function<QString()> profile,
               std::function<void()> endProgram)
        : m_paths(paths), m_clock(clock), m_prompts(prompts), m_profile(std::move(profile)),
          m_endProgram(std::move(endProgram)) {}

    /// True when the handler ran to its end.
    bool run(const QString& source, const std::function<void()>& handler) const;

    /// Shows and logs a failure.
    void report(const QString& source, const QString& description) const;

private:
    const AppPaths& m_paths;
    const Clock& m_clock;
    Prompts& m_prompts;
    std::function<QString()> m_profile;
    std::function<void()> m_endProgram;
};

} // namespace zr
