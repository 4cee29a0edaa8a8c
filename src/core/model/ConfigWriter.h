#pragma once

#include <QByteArray>

namespace zr {

class Profiles;

/// The files a profile is saved to, in the exact layout the OCB reads.
namespace ConfigWriter {

/// The whole zr.conf of the profile: every line ends in CR LF.
QByteArray zrConf(Profiles& profile);

/// Config.conf: "IP = " and the address.
QByteArray configConf(Profiles& profile);

} // namespace ConfigWriter
} // namespace zr
