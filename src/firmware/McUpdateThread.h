#pragma once

#include "link/ConnectDevice.h"
#include "link/DeviceJobLease.h"
#include "link/JobReporter.h"

#include <QThread>

class SerialLink;

// The name a firmware file is opened under: ".fmw" is added when the chosen name holds it nowhere.
QString FirmwareFileName(const QString& chosen);

// Writes a firmware file's payload (all but its 15-byte header) into the tracker's program flash:
// erase, then pieces of at most 2048 bytes from 0x08006400, with progress after each piece.
class MCUpdateThread : public QThread {
public:
    MCUpdateThread(SerialLink& link, PortChoice choice, QString fileName, JobReporter& reporter,
                   DeviceJobLease lease);

    // Runs the whole update on the calling thread; true when it succeeded.
    bool Execute();

protected:
    void run() override { Execute(); }

private:
    bool Fail(const QString& message);

    SerialLink& link_;
    PortChoice choice_;
    QString fileName_;
    JobReporter& reporter_;
    DeviceJobLease lease_;
};
