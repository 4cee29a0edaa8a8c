#include "comm/OcbTransfer.h"

#include "app/AppPaths.h"

namespace zr {

namespace {
[[noreturn]] void notYet() {
    throw AppError("OcbTransfer", FtpError::LocalFailure, "not built yet");
}
} // namespace

StatsKind statisticsKind(const QString&) {
    notYet();
}
bool NameList::add(const QString&) {
    notYet();
}
void CompareImageLists(NameList&, NameList&) {
    notYet();
}
FtpSettings loadFtpSettings(const AppPaths&) {
    return {};
}
void saveFtpSettings(const AppPaths&, const FtpSettings&) {
    notYet();
}
std::unique_ptr<FtpClient> makeCurlFtpClient(const FtpSettings&, Clock&) {
    notYet();
}

OcbTransfer::OcbTransfer(const AppPaths& paths, FtpClient& ftp, Prompts& prompts, Clock& clock)
    : m_paths(paths), m_ftp(ftp), m_prompts(prompts), m_clock(clock) {}
void OcbTransfer::setProfile(const QString& name, const QString& ip) {
    m_name = name, m_ip = ip;
}
void OcbTransfer::setDefaultImages(const QString& pop, const QString& item) {
    m_defaultPop = pop, m_defaultItem = item;
}
void OcbTransfer::ReportStatus(const QString&) {
    notYet();
}
void OcbTransfer::ResetProgress() {
    m_value = 0, m_maximum = 150;
}
bool OcbTransfer::ConnectToOCB() {
    notYet();
}
bool OcbTransfer::UpdateOCB(const TransferChoices&) {
    notYet();
}
bool OcbTransfer::RetrieveFromOCB(const TransferChoices&) {
    notYet();
}
bool OcbTransfer::RetrieveStatistics(const QStringList&) {
    notYet();
}
QStringList OcbTransfer::ListStatisticsFiles() {
    notYet();
}
QString OcbTransfer::SuggStatsDir() const {
    return m_paths.profileFile(m_name, "Stats/Sugg") + "/";
}
QString OcbTransfer::PopStatsDir() const {
    return m_paths.profileFile(m_name, "Stats/Pop") + "/";
}
QString OcbTransfer::PadStatsDir() const {
    return m_paths.profileFile(m_name, "Stats/Pad") + "/";
}
void OcbTransfer::reportFailure(const AppError&) {
    notYet();
}
QString OcbTransfer::converterPath() const {
    notYet();
}

} // namespace zr
