#include "link/DeviceJobLease.h"

#include <mutex>

namespace {
std::mutex leaseLock;
bool taken = false;
}

DeviceJobLease::~DeviceJobLease() { Release(); }

DeviceJobLease::DeviceJobLease(DeviceJobLease&& other) noexcept : held_(other.held_) { other.held_ = false; }

DeviceJobLease& DeviceJobLease::operator=(DeviceJobLease&& other) noexcept {
    if (this != &other) {
        Release();
        held_ = other.held_;
        other.held_ = false;
    }
    return *this;
}

DeviceJobLease DeviceJobLease::TryTake() {
    std::lock_guard lock(leaseLock);
    DeviceJobLease lease;
    if (taken)
        return lease;
    taken = true;
    lease.held_ = true;
    return lease;
}

bool DeviceJobLease::Busy() {
    std::lock_guard lock(leaseLock);
    return taken;
}

void DeviceJobLease::Release() {
    if (!held_)
        return;
    std::lock_guard lock(leaseLock);
    taken = false;
    held_ = false;
}
