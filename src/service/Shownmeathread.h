#pragma once

#include "link/ConnectDevice.h"
#include "link/DeviceJobLease.h"
#include "link/JobReporter.h"

#include <QThread>

#include <condition_variable>
#include <mutex>

class SerialLink;

// Where the relay puts what the module sent: the engineering log in the window, stdout in kova-cli.
class NmeaRelayReporter : public JobReporter {
public:
    void ShowProgress(qint64, qint64) override {}
    // The bytes received since the last call, as they came.
    virtual void AppendReceived(const QByteArray& bytes) = 0;
};

// Relays the module's stream: connects, then once a period hands over everything received since
// the last time, until it is stopped. It sends nothing to the device.
class ShowNMEAThread : public QThread {
public:
    ShowNMEAThread(SerialLink& link, PortChoice choice, NmeaRelayReporter& reporter, DeviceJobLease lease);

    // Runs on the calling thread until RequestStop; false when no device could be connected.
    bool Execute();
    // Ends the relay within moments; safe from any thread. The link is left open.
    void RequestStop();
    bool StopRequested() const;

protected:
    void run() override { Execute(); }

private:
    // Sleeps one period; false when told to stop meanwhile.
    bool Pause();

    SerialLink& link_;
    PortChoice choice_;
    NmeaRelayReporter& reporter_;
    DeviceJobLease lease_;
    mutable std::mutex stopLock_;
    std::condition_variable stopAsked_;
    bool stopRequested_ = false;
};
