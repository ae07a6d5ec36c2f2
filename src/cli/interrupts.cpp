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
}

int interruptSignal() {
    return g_signal;
}

void forgetInterrupt() {
    g_signal = 0;
}

}  // namespace sp::cli
