#include "link/PortSender.h"

#include "link/PortIo.h"

#include <algorithm>
#include <thread>

namespace {

// The longest a step waits for room in the output queue while holding the lock.
constexpr std::chrono::milliseconds RoomWaitSlice(5);
// How often the output queue is looked at while the bytes leave.
constexpr std::chrono::milliseconds DrainPollInterval(1);

int MsUntil(PortSender::Deadline deadline, std::chrono::milliseconds cap) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp(left, std::chrono::milliseconds(0), cap).count());
}

}  // namespace

PortSender::Outcome PortSender::Send(const QByteArray& bytes, Deadline deadline) {
    const Outcome written = Write(bytes, deadline);
    return written == Outcome::Sent ? Drain(deadline) : written;
}

bool PortSender::Purge() {
    std::lock_guard lock(lock_);
    if (revoked_)
        return false;
    PortIo::Purge(handle_);
    return true;
}

void PortSender::Revoke() {
    std::lock_guard lock(lock_);
    revoked_ = true;
}

PortSender::Outcome PortSender::Write(const QByteArray& bytes, Deadline deadline) {
    qint64 written = 0;
    while (written < bytes.size()) {
        std::lock_guard lock(lock_);
        if (revoked_)
            return Outcome::Revoked;
        const qint64 taken = PortIo::WriteSome(handle_, bytes.constData() + written, bytes.size() - written);
        if (taken < 0)
            return Failure();
        written += taken;
        if (taken > 0)
            continue;
        const int waitMs = MsUntil(deadline, RoomWaitSlice);
        if (waitMs == 0)
            return Outcome::TimedOut;
        if (PortIo::WaitForRoom(handle_, waitMs) < 0)
            return Failure();
    }
    return Outcome::Sent;
}

PortSender::Outcome PortSender::Drain(Deadline deadline) {
    for (;;) {
        {
            std::lock_guard lock(lock_);
            if (revoked_)
                return Outcome::Revoked;
            const qint64 queued = PortIo::OutputQueued(handle_);
            if (queued < 0)
                return Failure();
            if (queued == 0)
                return Outcome::Sent;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return Outcome::TimedOut;
        std::this_thread::sleep_for(DrainPollInterval);
    }
}

// Called under the lock, so the descriptor is still the port's.
PortSender::Outcome PortSender::Failure() const {
    return PortIo::HungUp(handle_) ? Outcome::HungUp : Outcome::PortFailed;
}
