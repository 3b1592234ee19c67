#pragma once

#include <functional>
#include <memory>

// Runs stop() once, on a thread of its own, when the program is asked to end (Ctrl+C, kill, the
// terminal closing). Create it before the job starts any thread. After it is gone, a signal that
// arrives still ends nothing it knew.
class StopOnSignal {
public:
    explicit StopOnSignal(std::function<void()> stop);
    ~StopOnSignal();
    StopOnSignal(const StopOnSignal&) = delete;
    StopOnSignal& operator=(const StopOnSignal&) = delete;

    bool Arrived() const;

private:
    struct State;
    std::shared_ptr<State> state_;
};
