#pragma once

#include "link/CommandFrame.h"
#include "link/ConnectDevice.h"
#include "link/DeviceJobLease.h"
#include "link/JobReporter.h"
#include "service/ServiceOperation.h"

#include <QStringList>
#include <QThread>

#include <atomic>

class SerialLink;

// Carries out one engineering operation on the tracker's modem or module, logging every step, then
// closes the link. Operations 5 to 10 use the inputs below.
class ServiceThread : public QThread {
public:
    ServiceThread(ServiceOperation operation, SerialLink& link, PortChoice choice, JobReporter& reporter,
                  DeviceJobLease lease);

    QString PhoneNumber;
    QStringList Files;
    qint64 FilesSize = 0;

    // Runs the operation on the calling thread; true when it logged its success line.
    bool Execute();
    // Ends the operation at the step it has reached; safe from any thread.
    void RequestStop();
    bool StopRequested() const { return stopRequested_; }

protected:
    void run() override { Execute(); }

private:
    bool Run();
    bool ModemOn();
    bool ToggleModule(DeviceCommand command, const QString& done, const QString& failed);
    // Sends an AT text to the modem and waits for count answer bytes; true when the answer holds "OK".
    bool ModemExchange(const QByteArray& text, std::uint32_t count, int timeoutMs);
    bool Found(const char* text) const;
    void Log(const QString& line);
    // True (and the stop logged once) when the operation was told to stop.
    bool Stopped(const QString& step);
    void End();

    ServiceOperation operation_;
    SerialLink& link_;
    PortChoice choice_;
    JobReporter& reporter_;
    DeviceJobLease lease_;
    std::atomic<bool> stopRequested_{false};
    bool stopLogged_ = false;
};

// "Операция остановлена: <step>", the line a stopped operation logs.
QString StoppedText(const QString& step);
