#include "SimDevice.h"

#include "SimFactorySettings.h"
#include "SimMemoryMap.h"
#include "link/CommandFrame.h"

#include <chrono>
#include <utility>

// What happened while the lock was held, told to the listeners once it is released.
struct SimDevice::Notes {
    struct Handled {
        QByteArray frame;
        QByteArray answer;
    };
    std::vector<Handled> handled;
    QStringList errors;
    bool settingsChanged = false;
    bool firmwareChanged = false;
    bool lineCut = false;
};

namespace {

QByteArray Ack() { return QByteArray(1, SimDevice::AckByte); }

QString Hex(std::uint32_t value) { return QStringLiteral("0x%1").arg(value, 8, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

SimDevice::SimDevice() : garbage_(0x4B4F5641u), settings_(FactorySettingsMemory()) {}

SimOutput SimDevice::Receive(const QByteArray& bytes) {
    SimOutput output;
    Notes notes;
    SimEvents events;
    {
        std::lock_guard guard(lock_);
        if (!lineCut_) {
            pending_.append(bytes);
            TakeFrames(output, notes);
        }
        output.lineCut = lineCut_;
        events = events_;
    }
    Deliver(notes, events);
    return output;
}

void SimDevice::Deliver(const Notes& notes, const SimEvents& events) {
    if (events.frameHandled)
        for (const Notes::Handled& handled : notes.handled)
            events.frameHandled(handled.frame, handled.answer);
    if (events.protocolError)
        for (const QString& error : notes.errors)
            events.protocolError(error);
    if (notes.settingsChanged && events.settingsChanged)
        events.settingsChanged();
    if (notes.firmwareChanged && events.firmwareChanged)
        events.firmwareChanged();
    if (notes.lineCut && events.lineCut)
        events.lineCut();
}

void SimDevice::TakeFrames(SimOutput& output, Notes& notes) {
    while (!lineCut_ && pending_.size() >= CommandFrame::HeaderSize) {
        const CommandFrame::Header header = CommandFrame::ParseHeader(pending_.constData());
        if (header.length > std::uint32_t{CommandFrame::MaxPayload}) {
            // No frame is that long: whatever is buffered cannot be trusted, so start afresh.
            ++protocolErrors_;
            notes.errors << QStringLiteral("frame of %1 payload bytes refused; %2 buffered bytes dropped")
                                .arg(header.length)
                                .arg(pending_.size());
            pending_.clear();
            return;
        }
        const int size = CommandFrame::HeaderSize + static_cast<int>(header.length);
        if (pending_.size() < size)
            return;
        const QByteArray frame = pending_.left(size);
        pending_.remove(0, size);
        const QByteArray answer = Handle(frame, notes);
        notes.handled.push_back({frame, answer});
        if (!answer.isEmpty())
            output.answers.push_back(answer);
    }
}

QByteArray SimDevice::Handle(const QByteArray& frame, Notes& notes) {
    frames_.append(frame);
    frameArrived_.notify_all();
    if (faults_.closeAfterFrames && FramesSinceFaults() >= *faults_.closeAfterFrames) {
        lineCut_ = true;
        notes.lineCut = true;
        pending_.clear();
        return {};
    }
    if (Hung())
        return {};
    const CommandFrame::Header header = CommandFrame::ParseHeader(frame.constData());
    return Disturb(Execute(header.command, header.value, frame.mid(CommandFrame::HeaderSize), notes));
}

QByteArray SimDevice::Execute(std::uint8_t command, std::uint32_t value, const QByteArray& payload, Notes& notes) {
    switch (static_cast<DeviceCommand>(command)) {
    case DeviceCommand::ReadSlot:
        return ReadSlot(value, notes);
    case DeviceCommand::WriteSlot:
        return WriteSlot(value, payload, notes);
    case DeviceCommand::StartModem:
        modem_.SetPowered(true);
        return Ack();
    case DeviceCommand::StopModem:
        modem_.SetPowered(false);
        return Ack();
    case DeviceCommand::StartGPS:
        gps_.SetPowered(true);
        return Ack();
    case DeviceCommand::StopGPS:
        gps_.SetPowered(false);
        return Ack();
    case DeviceCommand::SetGPSBaud:
        if (value == 0) {
            ++protocolErrors_;
            notes.errors << QStringLiteral("module line rate 0 refused");
            return {};
        }
        // Acknowledged for every rate, 9600 too: nobody waits for that byte, and the next frame's
        // send clears it on the other side.
        gpsBaud_ = value;
        return Ack();
    case DeviceCommand::ModemPassThrough:
        return modem_.Receive(payload);
    case DeviceCommand::GPSPassThrough: {
        if (!ModuleHearsLine())
            return {};
        const QByteArray answer = gps_.Receive(payload);
        const QStringList errors = gps_.TakeBootErrors();
        protocolErrors_ += static_cast<int>(errors.size());
        notes.errors << errors;
        return answer;
    }
    case DeviceCommand::EraseFirmware:
        firmware_.clear();
        notes.firmwareChanged = true;
        return Ack();
    case DeviceCommand::WriteFirmware:
        return WriteFirmware(value, payload, notes);
    }
    ++protocolErrors_;
    notes.errors << QStringLiteral("unknown command %1").arg(command);
    return {};
}

// A request the device cannot carry out gets no answer, so the other side reports a failure
// rather than a success.
QByteArray SimDevice::ReadSlot(std::uint32_t address, Notes& notes) {
    const auto offset = SimMemoryMap::SlotOffset(address);
    if (!offset) {
        ++protocolErrors_;
        notes.errors << QStringLiteral("slot read at %1 outside settings memory").arg(Hex(address));
        return {};
    }
    return settings_.mid(*offset, SimMemoryMap::SlotSize);
}

QByteArray SimDevice::WriteSlot(std::uint32_t address, const QByteArray& payload, Notes& notes) {
    const auto offset = SimMemoryMap::SlotOffset(address);
    if (!offset) {
        ++protocolErrors_;
        notes.errors << QStringLiteral("slot write at %1 outside settings memory").arg(Hex(address));
        return {};
    }
    if (payload.size() != SimMemoryMap::SlotSize) {
        ++protocolErrors_;
        notes.errors << QStringLiteral("slot write at %1 with %2 bytes, stored as 32").arg(Hex(address)).arg(payload.size());
    }
    if (faults_.forgetWrites)
        return Ack();
    QByteArray slot = payload.left(SimMemoryMap::SlotSize);
    slot.resize(SimMemoryMap::SlotSize, '\0');
    settings_.replace(*offset, SimMemoryMap::SlotSize, slot);
    notes.settingsChanged = true;
    return Ack();
}

QByteArray SimDevice::WriteFirmware(std::uint32_t address, const QByteArray& payload, Notes& notes) {
    const auto offset = SimMemoryMap::FirmwareOffset(address, static_cast<int>(payload.size()));
    if (!offset) {
        ++protocolErrors_;
        notes.errors << QStringLiteral("firmware piece of %1 bytes at %2 outside program flash")
                            .arg(payload.size())
                            .arg(Hex(address));
        return {};
    }
    const int end = *offset + static_cast<int>(payload.size());
    if (firmware_.size() < end)
        firmware_.resize(end, '\xFF');
    firmware_.replace(*offset, payload.size(), payload);
    notes.firmwareChanged = true;
    return Ack();
}

int SimDevice::FramesSinceFaults() const { return static_cast<int>(frames_.size()) - faultsFromFrame_; }

// Frames after the first N are heard, but the device has hung: it neither acts nor says anything more.
bool SimDevice::Hung() const { return faults_.silentAfterFrames && FramesSinceFaults() > *faults_.silentAfterFrames; }

// At any other rate than its own the module makes nothing of the line, nor the device of the module.
bool SimDevice::ModuleHearsLine() const { return gpsBaud_ == gps_.LineRate(); }

QByteArray SimDevice::Disturb(QByteArray answer) {
    if (faults_.shortAnswers && answer.size() > 1)
        answer.chop(1);
    if (faults_.garbageAnswers)
        for (char& byte : answer)
            byte = static_cast<char>(garbage_.bounded(256));
    return answer;
}

void SimDevice::ResetLine() {
    std::lock_guard guard(lock_);
    pending_.clear();
    lineCut_ = false;
}

void SimDevice::SetFaults(const SimFaults& faults) {
    std::lock_guard guard(lock_);
    faults_ = faults;
    faultsFromFrame_ = static_cast<int>(frames_.size());
    modem_.SetFaults(faults);
    SimGpsBootFaults boot;
    boot.noSync = faults.gpsNoSync;
    boot.silentAtPacket = faults.gpsSilentAtPacket;
    boot.answerCountStep = faults.gpsAnswerCountStep;
    boot.answerCount = faults.gpsAnswerCount;
    gps_.SetBootFaults(boot);
}

SimFaults SimDevice::Faults() const {
    std::lock_guard guard(lock_);
    return faults_;
}

void SimDevice::SetEvents(SimEvents events) {
    std::lock_guard guard(lock_);
    events_ = std::move(events);
}

QList<QByteArray> SimDevice::Frames() const {
    std::lock_guard guard(lock_);
    return frames_;
}

int SimDevice::FrameCount() const {
    std::lock_guard guard(lock_);
    return static_cast<int>(frames_.size());
}

bool SimDevice::WaitForFrames(int count, int timeoutMs) const {
    std::unique_lock guard(lock_);
    return frameArrived_.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                                  [&] { return frames_.size() >= count; });
}

int SimDevice::ProtocolErrors() const {
    std::lock_guard guard(lock_);
    return protocolErrors_;
}

QByteArray SimDevice::SlotBytes(std::uint32_t address) const {
    const auto offset = SimMemoryMap::SlotOffset(address);
    if (!offset)
        return {};
    std::lock_guard guard(lock_);
    return settings_.mid(*offset, SimMemoryMap::SlotSize);
}

QByteArray SimDevice::SlotText(Slot slot) const {
    const QByteArray bytes = SlotBytes(SettingsSlots::SlotAddress(slot));
    const qsizetype end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.left(end);
}

bool SimDevice::SetSlotBytes(std::uint32_t address, const QByteArray& bytes) {
    const auto offset = SimMemoryMap::SlotOffset(address);
    if (!offset)
        return false;
    QByteArray slot = bytes.left(SimMemoryMap::SlotSize);
    slot.resize(SimMemoryMap::SlotSize, '\0');
    std::lock_guard guard(lock_);
    settings_.replace(*offset, SimMemoryMap::SlotSize, slot);
    return true;
}

QByteArray SimDevice::SettingsMemory() const {
    std::lock_guard guard(lock_);
    return settings_;
}

bool SimDevice::LoadSettingsMemory(const QByteArray& memory) {
    if (memory.size() != SimMemoryMap::SettingsSize)
        return false;
    std::lock_guard guard(lock_);
    settings_ = memory;
    const qsizetype imeiAt = *SimMemoryMap::SlotOffset(SettingsSlots::SlotAddress(Slot::Imei));
    const QByteArray imeiSlot = settings_.mid(imeiAt, SimMemoryMap::SlotSize);
    const qsizetype end = imeiSlot.indexOf('\0');
    modem_.SetImei(end < 0 ? imeiSlot : imeiSlot.left(end));
    return true;
}

QByteArray SimDevice::FirmwareImage() const {
    std::lock_guard guard(lock_);
    return firmware_;
}

bool SimDevice::ModemOn() const {
    std::lock_guard guard(lock_);
    return modem_.Powered();
}

bool SimDevice::GpsOn() const {
    std::lock_guard guard(lock_);
    return gps_.Powered();
}

std::uint32_t SimDevice::GpsBaud() const {
    std::lock_guard guard(lock_);
    return gpsBaud_;
}

QByteArray SimDevice::TakeUnasked(const QDateTime& clock) {
    std::lock_guard guard(lock_);
    const QByteArray nmea = gps_.Tick(clock);
    if (lineCut_ || Hung() || !ModuleHearsLine())
        return {};
    return nmea;
}

bool SimDevice::TalksUnasked() const {
    std::lock_guard guard(lock_);
    return gps_.Powered();
}

void SimDevice::SetUnaskedWake(std::function<void()> wake) {
    std::lock_guard guard(lock_);
    unaskedWake_ = std::move(wake);
}

void SimDevice::SetModemPowered(bool on) {
    std::lock_guard guard(lock_);
    modem_.SetPowered(on);
}

void SimDevice::SetGpsPowered(bool on) {
    std::function<void()> wake;
    {
        std::lock_guard guard(lock_);
        gps_.SetPowered(on);
        wake = unaskedWake_;
    }
    if (wake)
        wake();
}

void SimDevice::SetGpsFixAfter(int seconds) {
    std::lock_guard guard(lock_);
    gps_.SetFixAfterSeconds(seconds);
}

bool SimDevice::ModemEcho() const {
    std::lock_guard guard(lock_);
    return modem_.Echo();
}

QList<QByteArray> SimDevice::ModemLines() const {
    std::lock_guard guard(lock_);
    return modem_.Lines();
}

QList<SimCall> SimDevice::ModemCalls() const {
    std::lock_guard guard(lock_);
    return modem_.Calls();
}

QMap<QByteArray, QByteArray> SimDevice::ModemFiles() const {
    std::lock_guard guard(lock_);
    return modem_.Flash().Files();
}

int SimDevice::ModemFreeMemory() const {
    std::lock_guard guard(lock_);
    return modem_.Flash().Free();
}

QMap<int, SimPhoneBookEntry> SimDevice::ModemPhoneBook() const {
    std::lock_guard guard(lock_);
    return modem_.PhoneBook();
}

QList<SimSms> SimDevice::ModemMessages() const {
    std::lock_guard guard(lock_);
    return modem_.Messages();
}

bool SimDevice::GpsHasFix() const {
    std::lock_guard guard(lock_);
    return gps_.HasFix();
}

int SimDevice::GpsSecondsOn() const {
    std::lock_guard guard(lock_);
    return gps_.SecondsOn();
}

bool SimDevice::GpsBooting() const {
    std::lock_guard guard(lock_);
    return gps_.Booting();
}

QByteArray SimDevice::GpsLoader() const {
    std::lock_guard guard(lock_);
    return gps_.Boot().Loader();
}

QByteArray SimDevice::GpsFirmwareImage() const {
    std::lock_guard guard(lock_);
    return gps_.Boot().Image();
}

int SimDevice::GpsPacketSumErrors() const {
    std::lock_guard guard(lock_);
    return gps_.Boot().PacketSumErrors();
}
