#include "cli/interrupts.h"

#include <csignal>
#include <initializer_list>

namespace sp::cli {
namespace {

volatile std::sig_atomic_t g_signal = 0;

extern "C" void noteSignal(int signal) {
    g_signal = signal;
}

}  // namespace

void watchForInterrupts() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, noteSignal);
#ifdef SIGXFSZ
    // A file size limit (ulimit -f) fails the write that exceeds it, which the
    // command reports and cleans up after, instead of killing the process and
    // leaving its temporary work folder behind.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

int interruptSignal() {
    return g_signal;
}

void forgetInterrupt() {
    g_signal = 0;
}

}  // namespace sp::cli
