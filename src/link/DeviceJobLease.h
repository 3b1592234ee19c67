#pragma once

class SerialLink;

// One device job at a time on a link: a job holds its link's lease from the moment it is started
// until it has ended, so no second job can close the link under it. The window has one link, and
// the forms without a link stand for it; station mode takes one lease per link of its own. A lease
// never outlives the link it was taken for.
class DeviceJobLease {
public:
    DeviceJobLease() = default;
    ~DeviceJobLease();
    DeviceJobLease(DeviceJobLease&& other) noexcept;
    DeviceJobLease& operator=(DeviceJobLease&& other) noexcept;
    DeviceJobLease(const DeviceJobLease&) = delete;
    DeviceJobLease& operator=(const DeviceJobLease&) = delete;

    // The lease of the window's one link; empty when another job holds it.
    static DeviceJobLease TryTake();
    static bool Busy();
    // The lease of this link; empty when another job holds it.
    static DeviceJobLease TryTake(const SerialLink& link);
    static bool Busy(const SerialLink& link);

    bool Held() const { return link_ != nullptr; }
    void Release();

private:
    static DeviceJobLease TryTakeFor(const void* link);
    static bool BusyFor(const void* link);

    const void* link_ = nullptr;  // the link held; the window's own stands for the window's link
};
