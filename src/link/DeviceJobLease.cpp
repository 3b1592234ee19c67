#include "link/DeviceJobLease.h"

#include <mutex>

namespace {
std::mutex leaseLock;
bool taken = false;
QString holder;
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

DeviceJobLease DeviceJobLease::TryTake(const QString& jobName) {
    std::lock_guard lock(leaseLock);
    DeviceJobLease lease;
    if (taken)
        return lease;
    taken = true;
    holder = jobName;
    lease.held_ = true;
    return lease;
}

bool DeviceJobLease::Busy() {
    std::lock_guard lock(leaseLock);
    return taken;
}

QString DeviceJobLease::HolderName() {
    std::lock_guard lock(leaseLock);
    return taken ? holder : QString();
}

void DeviceJobLease::Release() {
    if (!held_)
        return;
    std::lock_guard lock(leaseLock);
    taken = false;
    holder.clear();
    held_ = false;
}
