#include "Interrupt.h"

#include <csignal>

namespace zr::Interrupt {

namespace {
volatile std::sig_atomic_t g_requested = 0;

extern "C" void onSignal(int) { g_requested = 1; }
} // namespace

void watch() {
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

bool requested() { return g_requested != 0; }

} // namespace zr::Interrupt
