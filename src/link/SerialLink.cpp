#include "link/SerialLink.h"

#include "link/PortIo.h"

#include <QMetaObject>
#include <QSerialPort>
#include <QThread>

#include <chrono>
#include <cstring>

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

// How long the bytes may take to leave at 9600 baud, with a generous margin.
int WriteTimeoutMs(qsizetype count) { return 1000 + static_cast<int>(count * 10 * 1000 / LineBaud) * 2; }

}  // namespace

SerialLink::SerialLink() = default;

SerialLink::~SerialLink() { Close(); }

bool SerialLink::CanOpen(const QString& portName) {
    QSerialPort port;
    QString error;
    if (!OpenConfigured(port, portName, &error))
        return false;
    port.close();
    return true;
}

bool SerialLink::RunInIoThread(const std::function<bool()>& work) {
    bool result = false;
    QMetaObject::invokeMethod(ioContext_, [&] { result = work(); }, Qt::BlockingQueuedConnection);
    return result;
}

bool SerialLink::Open(const QString& portName) {
    std::lock_guard control(controlLock_);
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
    std::lock_guard rx(rxLock_);
    rxBuffer_.fill(0);
    rxCount_ = 0;
    lineUp_ = true;
    lineLost_ = false;
    return true;
}

void SerialLink::Close() {
    std::lock_guard control(controlLock_);
    if (!ioThread_)
        return;
    RunInIoThread([this] {
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

bool SerialLink::SendBytes(const QByteArray& bytes) {
    std::lock_guard control(controlLock_);
    if (!ioThread_ || !IsOpen()) {
        ClearReceive();
        return false;
    }
    // Anything the device said before this send is not the answer to it.
    if constexpr (PortIo::DirectWrite) {
        PortIo::Purge(portHandle_);
        ClearReceive();
        return PortIo::WriteAll(portHandle_, bytes) && PortIo::Drain(portHandle_);
    }
    return RunInIoThread([&] {
        if (!port_)
            return false;
        port_->clear(QSerialPort::AllDirections);
        ClearReceive();
        if (port_->write(bytes) != bytes.size())
            return false;
        const int timeout = WriteTimeoutMs(bytes.size());
        while (port_ && port_->bytesToWrite() > 0)
            if (!port_->waitForBytesWritten(timeout))
                return false;
        return port_ && PortIo::Drain(*port_);
    });
}

bool SerialLink::SendFrame(DeviceCommand command, std::uint32_t value, const QByteArray& payload) {
    return SendFrame(static_cast<std::uint8_t>(command), value, payload);
}

bool SerialLink::SendFrame(std::uint8_t command, std::uint32_t value, const QByteArray& payload) {
    const std::optional<QByteArray> frame = CommandFrame::Build(command, value, payload);
    if (!frame) {
        std::lock_guard control(controlLock_);
        lastError_ = QStringLiteral("payload of %1 bytes is longer than %2").arg(payload.size()).arg(
            CommandFrame::MaxPayload);
        return false;
    }
    return SendBytes(*frame);
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
    rxBuffer_.fill(0);
    rxCount_ = 0;
    return taken;
}

// Runs in the I/O thread.
void SerialLink::OnReadyRead() {
    if (!port_)
        return;
    {
        std::lock_guard rx(rxLock_);
        const qint64 room = RxSize - static_cast<qint64>(rxCount_);
        if (room > 0) {
            const qint64 got = port_->read(rxBuffer_.data() + rxCount_, room);
            if (got > 0)
                rxCount_ += static_cast<std::uint32_t>(got);
        }
    }
    // The buffer holds 4096 bytes; what does not fit is dropped, so the text still ends.
    if (port_->bytesAvailable() > 0)
        port_->readAll();
    rxArrived_.notify_all();
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
    if (port_->isOpen())
        port_->close();
    {
        std::lock_guard rx(rxLock_);
        lineLost_ = true;
    }
    rxArrived_.notify_all();
}
