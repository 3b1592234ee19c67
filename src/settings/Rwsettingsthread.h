#pragma once

#include "link/ConnectDevice.h"
#include "link/DeviceJobLease.h"
#include "link/JobReporter.h"
#include "settings/DeviceSettings.h"

#include <QThread>

class SerialLink;

// What the settings transfer shows besides its result: the progress window, the reply trace, and a
// completed read (the program's block is replaced by it and the pages and the summary show it).
class SettingsTransferReporter : public JobReporter {
public:
    virtual void ShowProgressWindow(const QString& title) = 0;
    virtual void HideProgressWindow() = 0;
    virtual void TraceReply(const QByteArray& first32Bytes) = 0;
    virtual void ShowReadSettings(const DeviceSettings& block) = 0;
};

// Reads all 29 slots from the tracker, or writes positions 0..24 of a block to it.
class RWSettingsThread : public QThread {
public:
    enum Mode { ReadMode = 1, WriteMode = 2 };

    // For a write, `block` is what is written (taken as it is now); for a read it is not used.
    RWSettingsThread(Mode mode, SerialLink& link, PortChoice choice, const DeviceSettings& block,
                     SettingsTransferReporter& reporter, DeviceJobLease lease);

    // Runs the whole transfer on the calling thread; true when it succeeded.
    bool Execute();

protected:
    void run() override { Execute(); }

private:
    bool Connect();
    bool ReadAll();
    bool WriteAll();
    void Finish();

    Mode mode_;
    SerialLink& link_;
    PortChoice choice_;
    DeviceSettings block_;
    SettingsTransferReporter& reporter_;
    DeviceJobLease lease_;
};
