#include "link/SerialLink.h"

#include "link/LinkFaults.h"
#include "link/PortIo.h"
#include "link/PortReadWatch.h"
#include "link/PortSender.h"

#include <QMetaObject>
#include <QSerialPort>
#include <QThread>

#include <algorithm>
#include <cstring>
#include <thread>

namespace {

constexpr qint32 LineBaud = 9600;

// The line settings of the tracker's port: 9600 8N1, no flow control, DTR and RTS not driven.
bool ConfigurePort(QSerialPort& port, QString* error) {
    const bool lineSet = port.setBaudRate(LineBaud) && port.setDataBits(QSerialPort::Data8) &&
                         port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop) &&
                         port.setFlowControl(QSerialPort::NoFlowControl);
    if (!lineSet) {
        *error = port.errorString();
        return false;
    }
    // A pseudo-terminal has no modem lines; failing to lower them there is not an error.
    port.setDataTerminalReady(false);
    port.setRequestToSend(false);
    port.clearError();
    port.clear(QSerialPort::Input);
    return true;
}

bool OpenConfigured(QSerialPort& port, const QString& portName, QString* error) {
    port.setPortName(portName);
    if (portName.isEmpty()) {
        *error = QStringLiteral("no port name");
        return false;
    }
    if (!port.open(QIODevice::ReadWrite)) {
        *error = port.errorString();
        return false;
    }
    if (!ConfigurePort(port, error)) {
        port.close();
        return false;
    }
    return true;
}

QString SendFailureText(PortSender::Outcome outcome, qsizetype count, int timeoutMs) {
    switch (outcome) {
    case PortSender::Outcome::TimedOut:
        return QStringLiteral("the port did not send the %1 bytes within %2 ms").arg(count).arg(timeoutMs);
    case PortSender::Outcome::Revoked:
        return QStringLiteral("the link was closed while sending");
    default:
        return QStringLiteral("the port failed while sending");
    }
}

}  // namespace

SerialLink::SerialLink() = default;

SerialLink::~SerialLink() { Close(); }

namespace {
// Twice the time the bytes take on the line at 9600 baud.
int LineTimeMs(qsizetype byteCount) { return static_cast<int>(byteCount * 10 * 1000 / LineBaud) * 2; }
}  // namespace

int SerialLink::DefaultSendTimeoutMs(qsizetype byteCount) { return 1000 + LineTimeMs(byteCount); }

bool SerialLink::CanOpen(const QString& portName) { return PortIo::OpensAndCloses(portName); }

bool SerialLink::RunInIoThread(const std::function<bool()>& work) {
    bool result = false;
    QMetaObject::invokeMethod(ioContext_, [&] { result = work(); }, Qt::BlockingQueuedConnection);
    return result;
}

// False without running the work when that opening has been closed since.
bool SerialLink::RunInOpening(std::uint64_t opening, const std::function<bool()>& work) {
    std::lock_guard control(controlLock_);
    if (!ioThread_ || opening_ != opening)
        return false;
    return RunInIoThread([&] { return port_ && port_->isOpen() && work(); });
}

bool SerialLink::Open(const QString& portName) {
    std::lock_guard control(controlLock_);
    if (retired_) {
        lastError_ = QStringLiteral("the program is closing");
        return false;
    }
    if (ioThread_) {
        lastError_ = QStringLiteral("the link is already open on %1").arg(portName_);
        return false;
    }
    ioThread_ = std::make_unique<QThread>();
    ioThread_->setObjectName(QStringLiteral("SerialLink I/O"));
    ioContext_ = new QObject;
    ioContext_->moveToThread(ioThread_.get());
    QObject::connect(ioThread_.get(), &QThread::finished, ioContext_, &QObject::deleteLater);
    ioThread_->start();

    QString error;
    const bool opened = RunInIoThread([&] {
        auto* port = new QSerialPort(ioContext_);
        if (!OpenConfigured(*port, portName, &error)) {
            delete port;
            return false;
        }
        QObject::connect(port, &QSerialPort::readyRead, ioContext_, [this] { OnReadyRead(); });
        QObject::connect(port, &QSerialPort::errorOccurred, ioContext_,
                         [this](QSerialPort::SerialPortError e) { OnPortError(e); });
        port_ = port;
        portHandle_ = port->handle();
        if constexpr (PortIo::DirectWrite) {
            sender_ = std::make_shared<PortSender>(portHandle_);
            {
                std::lock_guard rx(rxLock_);
                ioReading_ = false;  // before the first read of this opening can mark itself
            }
            readsWatched_ = PortReadWatch::Install(*port, [this](bool reading) {
                std::lock_guard rx(rxLock_);
                ioReading_ = reading;
            });
        }
        return true;
    });
    if (!opened) {
        ioThread_->quit();
        ioThread_->wait();
        ioThread_.reset();
        ioContext_ = nullptr;
        lastError_ = error;
        return false;
    }
    portName_ = portName;
    lastError_.clear();
    ++opening_;
    std::lock_guard rx(rxLock_);
    EmptyRxLocked();
    lineUp_ = true;
    lineLost_ = false;
    return true;
}

void SerialLink::Retire() {
    std::lock_guard control(controlLock_);
    retired_ = true;
}

void SerialLink::Close() {
    std::lock_guard control(controlLock_);
    if (!ioThread_)
        return;
    RunInIoThread([this] {
        RevokeSender();
        if (port_) {
            port_->close();
            delete port_;
            port_ = nullptr;
        }
        return true;
    });
    ioThread_->quit();
    ioThread_->wait();
    ioThread_.reset();
    ioContext_ = nullptr;
    sender_.reset();
    {
        std::lock_guard rx(rxLock_);
        lineUp_ = false;
    }
    rxArrived_.notify_all();
}

bool SerialLink::IsOpen() const {
    std::lock_guard rx(rxLock_);
    return lineUp_ && !lineLost_;
}

QString SerialLink::PortName() const {
    std::lock_guard control(controlLock_);
    return portName_;
}

QString SerialLink::LastError() const {
    std::lock_guard control(controlLock_);
    return lastError_;
}

bool SerialLink::LineLost() const {
    std::lock_guard rx(rxLock_);
    return lineLost_;
}

bool SerialLink::SendBytes(const QByteArray& bytes, std::optional<int> timeoutMs) {
    // A step's time-out shorter than the bytes' own time on the line would fail a working tracker.
    const int limitMs = timeoutMs ? std::max(*timeoutMs, LineTimeMs(bytes.size())) : DefaultSendTimeoutMs(bytes.size());
    const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    std::lock_guard send(sendLock_);
    QString why;
    if constexpr (PortIo::DirectWrite) {
        const std::shared_ptr<PortSender> sender = PurgeAndClear();
        if (!sender)
            return false;
        const PortSender::Outcome outcome = sender->Send(bytes, deadline);
        if (outcome == PortSender::Outcome::HungUp)
            MarkLineLostUnder(*sender);
        if (outcome != PortSender::Outcome::Sent)
            why = SendFailureText(outcome, bytes.size(), limitMs);
    } else {
        const std::optional<std::uint64_t> opening = PurgeClearAndQueue(bytes);
        if (!opening)
            return false;
        if (!SendThroughIoThread(*opening, deadline, &why) && why.isEmpty())
            why = SendFailureText(PortSender::Outcome::TimedOut, bytes.size(), limitMs);
    }
    if (why.isEmpty())
        return true;
    std::lock_guard control(controlLock_);
    lastError_ = why;
    return false;
}

// Anything the device said before this send is not the answer to it: neither what the driver holds
// nor what QSerialPort has already taken from it. The sender of this opening; nothing when the link
// is not open.
std::shared_ptr<PortSender> SerialLink::PurgeAndClear() {
    std::lock_guard control(controlLock_);
    if (!ioThread_ || !IsOpen() || !sender_) {
        ClearReceive();
        return nullptr;
    }
    if (readsWatched_ && PurgeUnlessReading(*sender_))
        return sender_;
    return RunInIoThread([this] { return PurgeInIoThread(); }) ? sender_ : nullptr;
}

// While the I/O thread is not reading, no byte taken from the port is waiting to be stored, and a read
// that starts later finds only what came after the purge: purging and clearing under the receive
// lock is then enough, without waking the I/O thread.
bool SerialLink::PurgeUnlessReading(PortSender& sender) {
    std::lock_guard rx(rxLock_);
    if (ioReading_ || !sender.Purge())
        return false;
    EmptyRxLocked();
    return true;
}

// Runs in the I/O thread, where no read is half done: QSerialPort drops what it has read with what
// the driver holds.
bool SerialLink::PurgeInIoThread() {
    if (!port_ || !port_->isOpen())
        return false;
    port_->clear(QSerialPort::AllDirections);
    ClearReceive();
    return true;
}

// Where QSerialPort writes: the purge, the clear and the write start in one step of the I/O thread.
std::optional<std::uint64_t> SerialLink::PurgeClearAndQueue(const QByteArray& bytes) {
    std::lock_guard control(controlLock_);
    if (!ioThread_ || !IsOpen()) {
        ClearReceive();
        return std::nullopt;
    }
    const bool queued = RunInIoThread([&] { return PurgeInIoThread() && port_->write(bytes) == bytes.size(); });
    if (!queued)
        return std::nullopt;
    return opening_;
}

// Where QSerialPort writes in the I/O thread: the write goes on in that thread's event loop, and each
// look at the output queue is a short step of its own, so Close is never kept waiting.
bool SerialLink::SendThroughIoThread(std::uint64_t opening, Deadline deadline, QString* why) {
    for (;;) {
        qint64 queued = -1;
        if (!RunInOpening(opening, [&] {
                queued = PortIo::OutputQueued(*port_);
                return true;
            })) {
            *why = SendFailureText(PortSender::Outcome::Revoked, 0, 0);
            return false;
        }
        if (queued < 0) {
            *why = SendFailureText(PortSender::Outcome::PortFailed, 0, 0);
            return false;
        }
        if (queued == 0)
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool SerialLink::SendFrame(DeviceCommand command, std::uint32_t value, const QByteArray& payload,
                           std::optional<int> timeoutMs) {
    return SendFrame(static_cast<std::uint8_t>(command), value, payload, timeoutMs);
}

bool SerialLink::SendFrame(std::uint8_t command, std::uint32_t value, const QByteArray& payload,
                           std::optional<int> timeoutMs) {
    const std::optional<QByteArray> frame = CommandFrame::Build(command, value, payload);
    if (!frame) {
        std::lock_guard control(controlLock_);
        lastError_ = QStringLiteral("payload of %1 bytes is longer than %2").arg(payload.size()).arg(
            CommandFrame::MaxPayload);
        return false;
    }
    return SendBytes(*frame, timeoutMs);
}

bool SerialLink::WaitForBytes(std::uint32_t count, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock rx(rxLock_);
    for (;;) {
        if (rxCount_ >= count)
            return true;
        if (!lineUp_ || lineLost_)
            return false;
        if (rxArrived_.wait_until(rx, deadline) == std::cv_status::timeout)
            return rxCount_ >= count;
    }
}

void SerialLink::ClearReceive() {
    std::lock_guard rx(rxLock_);
    EmptyRxLocked();
}

void SerialLink::EmptyRxLocked() {
    rxBuffer_.fill(0);
    rxCount_ = 0;
}

std::uint32_t SerialLink::ReceivedCount() const {
    std::lock_guard rx(rxLock_);
    return rxCount_;
}

QByteArray SerialLink::ReceivedBytes() const {
    std::lock_guard rx(rxLock_);
    return QByteArray(rxBuffer_.data(), static_cast<qsizetype>(rxCount_));
}

QByteArray SerialLink::ReceivedText() const {
    std::lock_guard rx(rxLock_);
    return QByteArray(rxBuffer_.data());
}

QByteArray SerialLink::TakeReceived() {
    std::lock_guard rx(rxLock_);
    QByteArray taken(rxBuffer_.data(), static_cast<qsizetype>(rxCount_));
    EmptyRxLocked();
    return taken;
}

// Runs in the I/O thread. The bytes are taken from QSerialPort before the receive lock is taken: a
// read error raised inside that call comes back here on the same thread and takes the lock itself.
void SerialLink::OnReadyRead() {
    if (!port_)
        return;
    std::array<char, RxSize> incoming;
    const qint64 got = port_->read(incoming.data(), RxSize);
    // The buffer holds 4096 bytes; what does not fit is dropped, so the text still ends.
    if (port_->bytesAvailable() > 0)
        port_->readAll();
    LinkFaults::RunBeforeStoreHook();
    if (got > 0) {
        std::lock_guard rx(rxLock_);
        const qint64 stored = std::min<qint64>(got, RxSize - static_cast<qint64>(rxCount_));
        std::memcpy(rxBuffer_.data() + rxCount_, incoming.data(), static_cast<size_t>(stored));
        rxCount_ += static_cast<std::uint32_t>(stored);
    }
    rxArrived_.notify_all();
}

// Runs in the I/O thread, before the port is closed.
void SerialLink::RevokeSender() {
    if (sender_)
        sender_->Revoke();
}

// Runs in the I/O thread.
void SerialLink::OnPortError(int error) {
    if (!port_ || error == QSerialPort::NoError)
        return;
    const bool lost = error == QSerialPort::ResourceError || error == QSerialPort::DeviceNotFoundError ||
                      ((error == QSerialPort::ReadError || error == QSerialPort::WriteError) &&
                       PortIo::HungUp(portHandle_));
    if (!lost) {
        port_->clearError();
        return;
    }
    // Lost before revoked: a sender that finds itself revoked already finds the line lost.
    MarkLineLost();
    RevokeSender();
    if (port_->isOpen())
        port_->close();
}

// At once, from the sending thread: the I/O thread may not have seen the hang-up yet, and a job that
// asks whether the line is lost must hear it now. Not when the port was closed and opened anew since.
void SerialLink::MarkLineLostUnder(const PortSender& sender) {
    std::lock_guard control(controlLock_);
    if (sender_.get() == &sender)
        MarkLineLost();
}

void SerialLink::MarkLineLost() {
    {
        std::lock_guard rx(rxLock_);
        lineLost_ = true;
    }
    rxArrived_.notify_all();
}
