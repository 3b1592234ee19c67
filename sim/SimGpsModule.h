#pragma once

#include "SimGnssEpoch.h"
#include "SimGpsBoot.h"

#include <QByteArray>
#include <QDateTime>
#include <QRandomGenerator>

#include <cstdint>

// The GPS/GLONASS module behind command 9. Once switched on it talks by itself, one burst of NMEA per
// second of its life: no fix for its first seconds, then a 3D fix at a fixed place with a little jitter.
// Its time starts from the clock at its first second and goes on one second per burst. Only the device
// calls it, under the device's lock.
class SimGpsModule {
public:
    static constexpr std::uint32_t OwnLineRate = 9600;
    static constexpr std::uint32_t BootLineRate = 115200;
    static constexpr int DefaultFixAfterSeconds = 3;
    static constexpr SimFix Place{55.7558, 37.6173, 156.0};

    SimGpsModule();

    // Bytes the microcontroller passes on. In normal mode "$PMTK180*3B" sends the module to its boot
    // ROM (at 115200, without NMEA); there the boot side answers (SimGpsBoot) until the loader restarts
    // the module into normal mode at 9600. Nothing else is understood.
    QByteArray Receive(const QByteArray& payload);
    // One second of the module's life and what it sends in it; nothing while it is off.
    QByteArray Tick(const QDateTime& clock);

    // Switching on starts the module afresh: normal mode, no fix, its time taken from the clock again.
    void SetPowered(bool on);
    bool Powered() const { return powered_; }
    // The rate of the module's own serial line; the device must run its line at it to be understood.
    std::uint32_t LineRate() const { return booting_ ? BootLineRate : OwnLineRate; }
    // True from "$PMTK180" until the loader's restart or the next power cycle.
    bool Booting() const { return booting_; }
    // Faults of the boot side: each applies to the next boot session only.
    void SetBootFaults(const SimGpsBootFaults& faults) { bootFaults_ = faults; }
    const SimGpsBoot& Boot() const { return boot_; }
    QStringList TakeBootErrors() { return boot_.TakeErrors(); }
    void SetFixAfterSeconds(int seconds) { fixAfterSeconds_ = seconds; }
    int FixAfterSeconds() const { return fixAfterSeconds_; }
    bool HasFix() const { return powered_ && secondsOn_ > fixAfterSeconds_; }
    // Seconds of output since it was switched on.
    int SecondsOn() const { return secondsOn_; }

private:
    SimGnssEpoch Epoch(const QDateTime& utc, bool fixed);
    double Jitter(double range);

    void Restart();

    bool powered_ = false;
    bool booting_ = false;
    QByteArray line_;  // a sentence not yet ended, in normal mode
    SimGpsBoot boot_;
    SimGpsBootFaults bootFaults_;
    int fixAfterSeconds_ = DefaultFixAfterSeconds;
    int secondsOn_ = 0;
    QDateTime firstSecond_;
    QRandomGenerator jitter_;
};
