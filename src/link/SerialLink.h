#pragma once

#include "link/CommandFrame.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class PortSender;
class QSerialPort;
class QThread;
class QObject;

// The one way to the device: a serial port at 9600 8N1 without flow control, owned by an I/O thread
// of its own that appends every received byte to a 4096-byte receive buffer and wakes the waiters.
// Every send clears the receive side first, so the bytes a following wait counts are the answer.
class SerialLink {
public:
    static constexpr int RxSize = 4096;

    SerialLink();
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Needs a QCoreApplication (its I/O thread runs an event loop).
    // Opens a port by name ("ttyACM0", "COM7") or by device path. False when it cannot be opened or
    // configured; LastError() then says why.
    bool Open(const QString& portName);
    // Safe in every state, also twice and while another thread waits for bytes.
    void Close();
    // Every later Open fails; a link open now stays usable until it is closed, so a job being stopped
    // can still finish its clean-up on the device. The program does this as it ends, so a job that
    // had not yet connected cannot open the port afterwards.
    void Retire();
    bool IsOpen() const;
    QString PortName() const;
    QString LastError() const;

    // Purges the port, clears the receive buffer, writes the bytes and returns once they have left.
    // False when the link is not open, the port failed, or the bytes had not left within timeoutMs
    // (a tracker that stopped taking data); LastError() then says which. Without a time-out the bytes
    // get DefaultSendTimeoutMs. A caller passes the time-out of its step, so that the step fails in
    // its own time (never sooner than twice the bytes' time on the line); Close() from another
    // thread ends a send at once.
    bool SendBytes(const QByteArray& bytes, std::optional<int> timeoutMs = std::nullopt);
    // Builds a frame and sends it; false (and nothing sent) for a payload over 2500 bytes.
    bool SendFrame(DeviceCommand command, std::uint32_t value, const QByteArray& payload = {},
                   std::optional<int> timeoutMs = std::nullopt);
    bool SendFrame(std::uint8_t command, std::uint32_t value, const QByteArray& payload,
                   std::optional<int> timeoutMs = std::nullopt);
    // One second, and twice the time the bytes take at 9600 baud.
    static int DefaultSendTimeoutMs(qsizetype byteCount);

    // True as soon as at least count bytes have arrived since the last send; false when more than
    // timeoutMs have passed first, or when the line is lost or closed.
    bool WaitForBytes(std::uint32_t count, int timeoutMs);
    void ClearReceive();
    std::uint32_t ReceivedCount() const;
    // The received bytes, and the same read as a zero-terminated text.
    QByteArray ReceivedBytes() const;
    QByteArray ReceivedText() const;
    // The received bytes, taken and the buffer emptied in one step: nothing that arrives meanwhile
    // is lost or read twice.
    QByteArray TakeReceived();
    // True once the port failed under an open link (the cable was pulled), until the next Open.
    bool LineLost() const;

    // Opens and closes a port, to see whether it is free; its line settings and modem lines stay as
    // they were (another program's device on it keeps its rate).
    static bool CanOpen(const QString& portName);

private:
    using Deadline = std::chrono::steady_clock::time_point;

    void OnReadyRead();
    void OnPortError(int error);
    void MarkLineLost();
    void MarkLineLostUnder(const PortSender& sender);
    void RevokeSender();
    bool RunInIoThread(const std::function<bool()>& work);
    bool RunInOpening(std::uint64_t opening, const std::function<bool()>& work);
    std::shared_ptr<PortSender> PurgeAndClear();
    bool PurgeUnlessReading(PortSender& sender);
    bool PurgeInIoThread();
    std::optional<std::uint64_t> PurgeClearAndQueue(const QByteArray& bytes);
    void EmptyRxLocked();
    bool SendThroughIoThread(std::uint64_t opening, Deadline deadline, QString* why);

    std::mutex sendLock_;             // one send at a time; Close does not wait for it
    bool retired_ = false;
    mutable std::mutex controlLock_;  // Open, Close and each short step of a send, one at a time
    std::unique_ptr<QThread> ioThread_;
    QObject* ioContext_ = nullptr;  // lives in ioThread_
    QSerialPort* port_ = nullptr;   // lives in ioThread_
    qintptr portHandle_ = -1;       // the port's descriptor while it is open
    std::shared_ptr<PortSender> sender_;  // the descriptor as senders use it (DirectWrite platforms)
    std::uint64_t opening_ = 0;           // counts the openings, so a send knows when its one ended
    bool readsWatched_ = false;           // the I/O thread marks its reads from the port in ioReading_
    QString portName_;
    QString lastError_;

    mutable std::mutex rxLock_;
    std::condition_variable rxArrived_;
    std::array<char, RxSize + 1> rxBuffer_{};  // one more byte, always zero: the text always ends
    std::uint32_t rxCount_ = 0;
    bool ioReading_ = false;  // bytes may be on their way from the port to rxBuffer_
    bool lineUp_ = false;
    bool lineLost_ = false;
};
