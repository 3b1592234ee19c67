#pragma once

#include "SimFaults.h"
#include "SimGpsModule.h"
#include "SimModem.h"
#include "settings/SettingsSlots.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QRandomGenerator>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

// What the device sends back for a batch of received bytes.
struct SimOutput {
    std::vector<QByteArray> answers;  // one per answered frame, in order
    bool lineCut = false;             // the cable has been pulled; nothing more is heard or sent
};

// Told about what the device does, on the thread that fed it, after the device has released its
// lock (so they may call its accessors, but must not stop the port that serves it).
struct SimEvents {
    std::function<void(const QByteArray& frame, const QByteArray& answer)> frameHandled;
    std::function<void(const QString& what)> protocolError;
    std::function<void()> settingsChanged;
    std::function<void()> firmwareChanged;
    std::function<void()> lineCut;
};

// The tracker's microcontroller as a state machine fed with the bytes of the line. It takes frames
// apart across any split of the bytes, carries out its own commands (settings memory, program flash,
// modem and module power, the module line's baud rate), passes commands 8 and 9 to the modem and the
// module, and keeps a record of what it received. Every public member may be called from any thread.
class SimDevice {
public:
    static constexpr char AckByte = 0x01;
    static constexpr std::uint32_t InitialGpsBaud = 9600;

    SimDevice();

    // Takes bytes from the line and returns what goes back.
    SimOutput Receive(const QByteArray& bytes);
    // A new line is plugged in: a partly received frame is forgotten and a pulled cable is mended.
    void ResetLine();

    void SetFaults(const SimFaults& faults);
    SimFaults Faults() const;
    void SetEvents(SimEvents events);

    // Every complete frame received, as its raw bytes, answered or not.
    QList<QByteArray> Frames() const;
    int FrameCount() const;
    // True once at least count frames have been received; false when timeoutMs pass first.
    bool WaitForFrames(int count, int timeoutMs) const;
    // Frames and headers the device could not make sense of or carry out.
    int ProtocolErrors() const;

    // The 32 bytes at a slot's address; empty for an address outside settings memory.
    QByteArray SlotBytes(std::uint32_t address) const;
    // A slot's text: its bytes up to the first zero byte.
    QByteArray SlotText(Slot slot) const;
    // Stores up to 32 bytes at a slot's address, zero-padded; false outside settings memory.
    bool SetSlotBytes(std::uint32_t address, const QByteArray& bytes);
    QByteArray SettingsMemory() const;
    // Replaces all of settings memory; false (and nothing changed) for a block of the wrong size.
    bool LoadSettingsMemory(const QByteArray& memory);

    // The program image written since the last erase, from the firmware base address on. Gaps that
    // no piece covered read as erased flash (0xFF).
    QByteArray FirmwareImage() const;
    bool ModemOn() const;
    bool GpsOn() const;
    std::uint32_t GpsBaud() const;

    // What the tracker sends by itself in one second of its module's life: the module's NMEA while it
    // is on and the device's line to it runs at the module's own rate; nothing from a hung device. The
    // module's second passes whether or not it is heard.
    QByteArray TakeUnasked(const QDateTime& clock);
    // True while something in the device talks unasked (the module is on), so its line keeps ticking.
    bool TalksUnasked() const;
    // Told, outside the device's lock, when a power switch below may have changed TalksUnasked.
    void SetUnaskedWake(std::function<void()> wake);

    // Power and set-up as a test or kova-sim finds the device, without frames.
    void SetModemPowered(bool on);
    void SetGpsPowered(bool on);
    void SetGpsFixAfter(int seconds);

    bool ModemEcho() const;
    // The command lines the modem heard while on, without their terminators.
    QList<QByteArray> ModemLines() const;
    // The voice calls the modem was told to place, and whether each has been hung up.
    QList<SimCall> ModemCalls() const;
    // The files in the modem's flash by their names ("C:\NAME"), and the bytes it has free.
    QMap<QByteArray, QByteArray> ModemFiles() const;
    int ModemFreeMemory() const;
    QMap<int, SimPhoneBookEntry> ModemPhoneBook() const;
    // The text messages the modem sent, in order.
    QList<SimSms> ModemMessages() const;
    bool GpsHasFix() const;
    // The module's boot side: whether it is in its boot ROM or loader, the loader last written into it
    // (as it lies in its memory) and the firmware image its loader last kept.
    bool GpsBooting() const;
    QByteArray GpsLoader() const;
    QByteArray GpsFirmwareImage() const;
    int GpsPacketSumErrors() const;
    // Seconds of output since the module was switched on.
    int GpsSecondsOn() const;

private:
    struct Notes;

    void TakeFrames(SimOutput& output, Notes& notes);
    QByteArray Handle(const QByteArray& frame, Notes& notes);
    QByteArray Execute(std::uint8_t command, std::uint32_t value, const QByteArray& payload, Notes& notes);
    QByteArray ReadSlot(std::uint32_t address, Notes& notes);
    QByteArray WriteSlot(std::uint32_t address, const QByteArray& payload, Notes& notes);
    QByteArray WriteFirmware(std::uint32_t address, const QByteArray& payload, Notes& notes);
    QByteArray Disturb(QByteArray answer);
    int FramesSinceFaults() const;
    bool Hung() const;
    bool ModuleHearsLine() const;
    static void Deliver(const Notes& notes, const SimEvents& events);

    mutable std::mutex lock_;
    mutable std::condition_variable frameArrived_;
    QByteArray pending_;  // bytes of a frame not yet complete
    bool lineCut_ = false;
    QList<QByteArray> frames_;
    int protocolErrors_ = 0;
    SimFaults faults_;
    int faultsFromFrame_ = 0;  // frames received before the faults were set
    QRandomGenerator garbage_;
    SimEvents events_;
    std::function<void()> unaskedWake_;

    QByteArray settings_;
    QByteArray firmware_;
    std::uint32_t gpsBaud_ = InitialGpsBaud;
    SimModem modem_;
    SimGpsModule gps_;
};
