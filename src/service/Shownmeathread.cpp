#include "service/Shownmeathread.h"

#include "link/SerialLink.h"
#include "link/Timings.h"

#include <chrono>

ShowNMEAThread::ShowNMEAThread(SerialLink& link, PortChoice choice, NmeaRelayReporter& reporter,
                               DeviceJobLease lease)
    : link_(link), choice_(std::move(choice)), reporter_(reporter), lease_(std::move(lease)) {}

bool ShowNMEAThread::Execute() {
    if (!ConnectDevice(link_, choice_)) {
        if (!StopRequested())
            reporter_.ShowResult(ReportKind::Failure, NotConnectedText());
        link_.Close();
        lease_.Release();
        return false;
    }
    while (Pause())
        reporter_.AppendReceived(link_.TakeReceived());
    lease_.Release();
    return true;
}

bool ShowNMEAThread::Pause() {
    std::unique_lock lock(stopLock_);
    const auto period = std::chrono::milliseconds(CurrentTimings().nmeaRelayPeriodMs);
    return !stopAsked_.wait_for(lock, period, [this] { return stopRequested_; });
}

void ShowNMEAThread::RequestStop() {
    {
        std::lock_guard lock(stopLock_);
        stopRequested_ = true;
    }
    stopAsked_.notify_all();
}

bool ShowNMEAThread::StopRequested() const {
    std::lock_guard lock(stopLock_);
    return stopRequested_;
}
