#include "app/ErrorGuard.h"

#include "app/AppError.h"
#include "app/Logs.h"
#include "app/Prompts.h"
#include "model/ProfileStore.h"

namespace zr {

void ErrorGuard::report(const QString& source, const QString& description) const {
    const QString profile = m_profile ? m_profile() : QString();
    if (!profile.isEmpty() && ProfileStore::isValidName(profile)) {
        try {
            ProfileLogs(m_paths, m_clock).LogException(profile, source + ": " + description, false, nullptr);
        } catch (...) {
            // The box below still tells the user; a log that cannot be written changes nothing.
        }
    }
    m_prompts.inform("Error", source + "\n\n" + description);
}

bool ErrorGuard::run(const QString& source, const std::function<void()>& handler) const {
    try {
        handler();
        return true;
    } catch (const LoadCancelled&) {
        if (m_endProgram) m_endProgram();
    } catch (const AppError& e) {
        report(e.source().isEmpty() ? source : e.source(), e.description());
    } catch (const std::exception& e) {
        report(source, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(source, "Unexpected failure.");
    }
    return false;
}

} // namespace zr
