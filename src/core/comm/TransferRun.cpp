#include "comm/TransferRun.h"

#include "app/AppError.h"
#include "comm/FtpSettings.h"

#include <memory>

namespace zr {

TransferResult runTransfer(const AppPaths& paths, Prompts& prompts, Clock& clock, const TransferTarget& target,
                           const TransferChoices& choices,
                           const std::function<void(const QString& text, int value, int maximum)>& onStatus) {
    FtpSettings settings = loadFtpSettings(paths);
    if (target.port > 0) settings.port = target.port;
    if (!target.host.isEmpty()) settings.host = target.host;
    TransferResult result;
    result.address = settings.host.isEmpty() ? target.ip : settings.host;

    std::unique_ptr<FtpClient> ftp = makeCurlFtpClient(settings, clock);
    OcbTransfer work(paths, *ftp, prompts, clock);
    work.setProfile(target.profile, result.address);
    if (!target.defaultPOP.isEmpty() || !target.defaultItem.isEmpty())
        work.setDefaultImages(target.defaultPOP, target.defaultItem);
    work.onStatus = onStatus;
    try {
        result.ok = choices.update ? work.UpdateOCB(choices) : work.RetrieveFromOCB(choices);
    } catch (const AppError& e) {
        work.reportFailure(e);
    }
    return result;
}

} // namespace zr
