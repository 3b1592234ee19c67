#include "SimGpsModule.h"

namespace {

// The sky over the module: eight GPS and six GLONASS satellites with their signal levels once tracked.
const QList<SimSatellite> GpsSky = {{2, 65, 45, 44},   {5, 38, 130, 41},  {12, 52, 260, 43}, {15, 21, 300, 35},
                                    {18, 14, 40, 31},  {24, 33, 190, 39}, {25, 71, 100, 46}, {29, 9, 330, 24}};
const QList<SimSatellite> GlonassSky = {{65, 42, 70, 40}, {66, 58, 150, 43}, {72, 17, 230, 33},
                                        {74, 29, 310, 37}, {81, 63, 20, 45}, {82, 11, 95, 22}};

constexpr double DegreesJitter = 0.00001;  // about a metre
constexpr double AltitudeJitter = 0.5;     // metres
constexpr int SnrJitter = 2;

}  // namespace

SimGpsModule::SimGpsModule() : jitter_(0x474E5353u) {}

QByteArray SimGpsModule::Receive(const QByteArray& payload) {
    if (!powered_)
        return {};
    if (booting_) {
        const QByteArray answer = boot_.Receive(payload);
        if (boot_.RestartDue())
            Restart();
        return answer;
    }
    for (const char byte : payload) {
        if (byte != '\n') {
            line_.append(byte);
            if (line_.size() > 256)  // no sentence is that long: noise
                line_.clear();
            continue;
        }
        const bool boot = line_ == "$PMTK180*3B\r" || line_ == "$PMTK180*3B";
        line_.clear();
        if (boot) {
            // What followed the sentence in the same frame went out at the old rate: it is lost.
            booting_ = true;
            boot_.Start(bootFaults_);
            bootFaults_ = {};
            return {};
        }
    }
    return {};
}

void SimGpsModule::Restart() {
    booting_ = false;
    line_.clear();
    secondsOn_ = 0;
    firstSecond_ = {};
}

void SimGpsModule::SetPowered(bool on) {
    if (on != powered_)
        Restart();
    powered_ = on;
}

QByteArray SimGpsModule::Tick(const QDateTime& clock) {
    if (!powered_ || booting_)
        return {};
    if (secondsOn_ == 0) {
        const QDateTime utc = clock.toUTC();
        firstSecond_ = utc.addMSecs(-utc.time().msec());
    }
    const bool fixed = secondsOn_ >= fixAfterSeconds_;
    const SimGnssEpoch epoch = Epoch(firstSecond_.addSecs(secondsOn_), fixed);
    ++secondsOn_;
    return NmeaSentences(epoch);
}

SimGnssEpoch SimGpsModule::Epoch(const QDateTime& utc, bool fixed) {
    SimGnssEpoch epoch{utc, std::nullopt, GpsSky, GlonassSky};
    for (QList<SimSatellite>* sky : {&epoch.gps, &epoch.glonass})
        for (SimSatellite& satellite : *sky)
            satellite.snr = fixed ? satellite.snr + static_cast<int>(jitter_.bounded(-SnrJitter, SnrJitter + 1)) : 0;
    if (fixed)
        epoch.fix = SimFix{Place.latitude + Jitter(DegreesJitter), Place.longitude + Jitter(DegreesJitter),
                           Place.altitude + Jitter(AltitudeJitter)};
    return epoch;
}

double SimGpsModule::Jitter(double range) { return (jitter_.generateDouble() * 2.0 - 1.0) * range; }
