#pragma once

// One device job at a time in the whole process: a job holds the lease from the moment it is started
// until it has ended, so no second job can close the link under it.
class DeviceJobLease {
public:
    DeviceJobLease() = default;
    ~DeviceJobLease();
    DeviceJobLease(DeviceJobLease&& other) noexcept;
    DeviceJobLease& operator=(DeviceJobLease&& other) noexcept;
    DeviceJobLease(const DeviceJobLease&) = delete;
    DeviceJobLease& operator=(const DeviceJobLease&) = delete;

    // An empty lease when another job holds the link.
    static DeviceJobLease TryTake();
    static bool Busy();

    bool Held() const { return held_; }
    void Release();

private:
    bool held_ = false;
};
