#pragma once

#include "link/CommandFrame.h"
#include "link/ConnectDevice.h"
#include "link/DeviceJobLease.h"
#include "link/JobReporter.h"
#include "service/ServiceOperation.h"
#include "service/VoiceUploadFiles.h"

#include <QStringList>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>

class SerialLink;

// Carries out one engineering operation on the tracker's modem or module, logging every step, then
// closes the link. Operations 5 to 10 use the inputs below.
class ServiceThread : public QThread {
public:
    ServiceThread(ServiceOperation operation, SerialLink& link, PortChoice choice, JobReporter& reporter,
                  DeviceJobLease lease);

    QString PhoneNumber;
    QStringList Files;
    qint64 FilesSize = 0;  // the listing's total; the upload goes by the files as it reads them

    // Runs the operation on the calling thread; true when it logged its success line and no error.
    bool Execute();
    // Ends the operation at the step it has reached; safe from any thread. Every wait ends at once.
    void RequestStop();
    bool StopRequested() const { return stopRequested_; }

protected:
    void run() override { Execute(); }

private:
    // What the operation needs that must hold before the device is even connected; false (and said
    // why) when it does not.
    bool CheckInputs();
    bool StopCameWhileConnecting();
    bool Run();
    bool ModemOn();
    bool ToggleModule(DeviceCommand command, const QString& done, const QString& failed);

    // The voice-file upload (VoiceUpload.cpp).
    bool WriteVoiceFiles();
    std::optional<qint64> QueryFreeMemory();
    bool SendToModemAll(const QByteArray& first, const QByteArray& perFile);
    bool WriteVoiceFile(const VoiceUploadFile& file, qint64& sent);
    bool WriteChunk(const VoiceUploadFile& file, qsizetype offset, qsizetype chunk);

    // The communication test and the test SIM card (ModemTests.cpp).
    bool WriteTestEntry(const QByteArray& command, const QString& done, const QString& failed);
    bool SendImeiBySms();
    std::optional<QByteArray> TakeImei();
    bool SendMessage(const QByteArray& message);
    void LeaveMessageEntry();
    bool SendCallCommand(const QByteArray& command, const QString& done);

    // Sends bytes to the modem in one command-8 frame; false when they did not leave.
    bool SendToModem(const QByteArray& text, int timeoutMs);
    // SendToModem, then a wait for count answer bytes; true when they came.
    bool Exchange(const QByteArray& text, std::uint32_t count, int timeoutMs);
    // Exchange; true when the answer holds "OK".
    bool ModemExchange(const QByteArray& text, std::uint32_t count, int timeoutMs);
    bool Found(const char* text) const;
    // Waits; false when the operation was told to stop meanwhile.
    bool Pause(int ms);
    void Log(const QString& line);
    // True (and the stop logged once) when the operation was told to stop.
    bool Stopped(const QString& step);
    // True (and said once) when the cable was pulled or the port failed.
    bool LinkLost();
    void End();

    ServiceOperation operation_;
    SerialLink& link_;
    PortChoice choice_;
    JobReporter& reporter_;
    DeviceJobLease lease_;
    std::atomic<bool> stopRequested_{false};
    bool stopLogged_ = false;
    std::mutex stopLock_;  // a stop closes the link under it; a clean-up send waits for that to end
    std::condition_variable stopArrived_;
    QByteArray phoneBytes_;
    VoiceUploadFiles upload_;
};

// The line an operation logs when the link to the device went down under it.
QString LinkLostText();
