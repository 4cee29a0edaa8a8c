#pragma once

namespace zr::Interrupt {

/// From now on Ctrl-C (SIGINT) and SIGTERM only set a flag, which the
/// program looks at between steps.
void watch();
bool requested();

} // namespace zr::Interrupt
