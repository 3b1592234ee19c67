#include "link/DeviceJobLease.h"

#include <mutex>
#include <set>

namespace {

std::mutex leaseLock;
std::set<const void*> heldLinks;  // under leaseLock

// Stands for the window's link, which the forms without a link lease.
const char windowLink = 0;

}  // namespace

DeviceJobLease::~DeviceJobLease() { Release(); }

DeviceJobLease::DeviceJobLease(DeviceJobLease&& other) noexcept : link_(other.link_) { other.link_ = nullptr; }

DeviceJobLease& DeviceJobLease::operator=(DeviceJobLease&& other) noexcept {
    if (this != &other) {
        Release();
        link_ = other.link_;
        other.link_ = nullptr;
    }
    return *this;
}

DeviceJobLease DeviceJobLease::TryTake() { return TryTakeFor(&windowLink); }

bool DeviceJobLease::Busy() { return BusyFor(&windowLink); }

DeviceJobLease DeviceJobLease::TryTake(const SerialLink& link) { return TryTakeFor(&link); }

bool DeviceJobLease::Busy(const SerialLink& link) { return BusyFor(&link); }

DeviceJobLease DeviceJobLease::TryTakeFor(const void* link) {
    std::lock_guard lock(leaseLock);
    DeviceJobLease lease;
    if (heldLinks.insert(link).second)
        lease.link_ = link;
    return lease;
}

bool DeviceJobLease::BusyFor(const void* link) {
    std::lock_guard lock(leaseLock);
    return heldLinks.contains(link);
}

void DeviceJobLease::Release() {
    if (!link_)
        return;
    std::lock_guard lock(leaseLock);
    heldLinks.erase(link_);
    link_ = nullptr;
}
