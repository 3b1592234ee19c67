#include "link/LinkFaults.h"

#include <atomic>
#include <mutex>

namespace LinkFaults {

namespace {
std::atomic<OutputFault> outputFault{OutputFault::None};
std::atomic<bool> hookSet{false};
std::mutex hookLock;
std::function<void()> beforeStore;
}  // namespace

void SetOutputFault(OutputFault fault) { outputFault.store(fault); }

OutputFault CurrentOutputFault() { return outputFault.load(std::memory_order_relaxed); }

void SetBeforeStoreHook(std::function<void()> hook) {
    std::lock_guard lock(hookLock);
    hookSet.store(static_cast<bool>(hook));
    beforeStore = std::move(hook);
}

void RunBeforeStoreHook() {
    if (!hookSet.load(std::memory_order_relaxed))
        return;
    std::function<void()> hook;
    {
        std::lock_guard lock(hookLock);
        hook = beforeStore;
    }
    if (hook)
        hook();
}

}  // namespace LinkFaults
