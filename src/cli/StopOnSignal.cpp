#include "cli/StopOnSignal.h"

#include "link/StopSignal.h"

#include <atomic>
#include <mutex>
#include <thread>

struct StopOnSignal::State {
    std::mutex lock;
    std::function<void()> stop;
    std::atomic<bool> arrived{false};
};

StopOnSignal::StopOnSignal(std::function<void()> stop) : state_(std::make_shared<State>()) {
    state_->stop = std::move(stop);
    static StopSignal signals;  // blocks the signals once, for every thread started from now on
    std::thread([state = state_] {
        signals.Wait();
        std::lock_guard lock(state->lock);
        state->arrived = true;
        if (state->stop)
            state->stop();
    }).detach();
}

StopOnSignal::~StopOnSignal() {
    std::lock_guard lock(state_->lock);
    state_->stop = nullptr;
}

bool StopOnSignal::Arrived() const { return state_->arrived; }
