#include "link/StopSignal.h"

#include <QtGlobal>

#include <csignal>

#if defined(Q_OS_UNIX)

#include <pthread.h>

namespace {
sigset_t StopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}
}  // namespace

// Blocked here, the signals stay pending for every thread started later, until Wait() takes one.
StopSignal::StopSignal() {
    const sigset_t set = StopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

int StopSignal::Wait() {
    const sigset_t set = StopSignals();
    int signal = 0;
    while (sigwait(&set, &signal) != 0) {
    }
    return signal;
}

#else

#include <chrono>
#include <thread>

namespace {
volatile std::sig_atomic_t arrived = 0;
extern "C" void Note(int signal) { arrived = signal; }
}  // namespace

StopSignal::StopSignal() {
    std::signal(SIGINT, Note);
    std::signal(SIGTERM, Note);
}

int StopSignal::Wait() {
    while (arrived == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return arrived;
}

#endif
