#pragma once

#include "firmware/GpsBoot.h"
#include "link/CommandFrame.h"
#include "link/ConnectDevice.h"
#include "link/DeviceJobLease.h"
#include "link/JobReporter.h"

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

class SerialLink;

// Rewrites the GPS/GLONASS module's firmware: stops and starts the module, sends it to its
// boot ROM, switches the device's module line to 115200, runs the boot protocol (GpsBoot) with the
// loader and the firmware, and switches the line back to 9600. Every step is a log line; progress
// goes to ShowProgress; only "Устройство не подключено" is a result box.
//
// From step 8 on (the line at 115200) every end of the job, failure or stop, first switches the line
// back to 9600, so the next update's "$PMTK180" reaches the module at its own rate. A stop therefore
// closes the link from under the job only before step 8; from step 8 on it ends the job's waits and
// pauses through the job's own stop flag (they wait in short slices), and the job sends the 9600 itself
// before the link closes.
class GPSUpdateThread : public QThread, private GpsBootChannel {
public:
    GPSUpdateThread(SerialLink& link, PortChoice choice, JobReporter& reporter, DeviceJobLease lease);

    QString LoaderName;
    QString FirmwareName;
    // Waited at the start, before connecting: the window's pause after it closed the link.
    int StartPauseMs = 0;

    // Runs the update on the calling thread; true when it logged "Прошивка GPS модуля завершена".
    bool Execute();
    // Ends the update at the step it has reached; safe from any thread.
    void RequestStop();
    bool StopRequested() const override { return stopRequested_; }

protected:
    void run() override;

private:
    bool Run();
    bool ReadFiles(QByteArray& loader, QByteArray& firmware);
    bool ModuleCommand(DeviceCommand command, std::uint32_t value);
    bool Fail(const QString& text, const QString& detail = {}, bool linkStaysOpen = false);
    bool Stopped(const QString& step);
    void ResetLineRate();
    void End(bool closeLink);

    // GpsBootChannel, and the job's own waits.
    bool Pass(const QByteArray& bytes, int timeoutMs) override;
    bool Wait(std::uint32_t count, int timeoutMs) override;
    QByteArray Received() const override;
    bool Pause(int ms) override;
    void Log(const QString& line) override;
    void Progress(qint64 done, qint64 total) override;

    SerialLink& link_;
    PortChoice choice_;
    JobReporter& reporter_;
    DeviceJobLease lease_;

    mutable std::mutex stopLock_;
    std::condition_variable stopWake_;
    std::atomic<bool> stopRequested_{false};
    bool lineSwitched_ = false;  // under stopLock_: step 8 has begun, the line may run at 115200
};
