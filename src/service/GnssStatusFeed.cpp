#include "service/GnssStatus.h"

#include "service/GnssStatusInput.h"

#include <QGeoPositionInfo>
#include <QGeoSatelliteInfo>
#include <QNmeaPositionInfoSource>
#include <QNmeaSatelliteInfoSource>

namespace {

// Qt's position source, reporting each sentence it understood as soon as it has parsed it (its own
// signal comes only after a short hold, only for a fix with a date).
class PositionReader : public QNmeaPositionInfoSource {
public:
    using Sink = std::function<void(const QGeoPositionInfo& info, bool hasFix)>;
    PositionReader(Sink sink, QObject* parent) : QNmeaPositionInfoSource(RealTimeMode, parent), sink_(std::move(sink)) {}

protected:
    bool parsePosInfoFromNmeaData(const char* data, int size, QGeoPositionInfo* info, bool* hasFix) override {
        bool fix = false;
        const bool parsed = QNmeaPositionInfoSource::parsePosInfoFromNmeaData(data, size, info, &fix);
        if (hasFix)
            *hasFix = fix;
        if (parsed)
            sink_(*info, fix);
        return parsed;
    }

private:
    Sink sink_;
};

// The fix mode of a GSA sentence Qt has accepted (checksum and all): its second field, 1 none,
// 2 two-dimensional, 3 three-dimensional. Qt keeps it to itself.
GnssStatus::Fix FixModeOfGsa(QByteArrayView sentence) {
    const QList<QByteArray> fields = QByteArray::fromRawData(sentence.data(), sentence.size()).split(',');
    const int mode = fields.size() > 2 ? fields.at(2).toInt() : 0;
    return mode == 3 ? GnssStatus::Fix::ThreeD : mode == 2 ? GnssStatus::Fix::TwoD : GnssStatus::Fix::None;
}

// Qt's satellite source, reporting the satellites in use of each GSA and the satellites in view of
// each complete GSV group of a system.
class SatelliteReader : public QNmeaSatelliteInfoSource {
public:
    using InUseSink = std::function<void(QGeoSatelliteInfo::SatelliteSystem, int count, GnssStatus::Fix)>;
    using InViewSink = std::function<void(QGeoSatelliteInfo::SatelliteSystem, int count)>;
    SatelliteReader(InUseSink inUse, InViewSink inView, QObject* parent)
        : QNmeaSatelliteInfoSource(UpdateMode::RealTimeMode, parent), inUse_(std::move(inUse)), inView_(std::move(inView)) {}

protected:
    QGeoSatelliteInfo::SatelliteSystem parseSatellitesInUseFromNmea(const char* data, int size, QList<int>& pnrsInUse) override {
        const auto system = QNmeaSatelliteInfoSource::parseSatellitesInUseFromNmea(data, size, pnrsInUse);
        if (system != QGeoSatelliteInfo::Undefined)
            inUse_(system, static_cast<int>(pnrsInUse.size()), FixModeOfGsa(QByteArrayView(data, size)));
        return system;
    }

    SatelliteInfoParseStatus parseSatelliteInfoFromNmea(const char* data, int size, QList<QGeoSatelliteInfo>& infos,
                                                        QGeoSatelliteInfo::SatelliteSystem& system) override {
        const auto status = QNmeaSatelliteInfoSource::parseSatelliteInfoFromNmea(data, size, infos, system);
        if (status == FullyParsed)
            inView_(system, static_cast<int>(infos.size()));
        return status;
    }

private:
    InUseSink inUse_;
    InViewSink inView_;
};

// A sentence without a date (GGA) carries the time of the day the last dated one (RMC) named.
void TakeTime(QDateTime& utc, const QDateTime& timestamp) {
    if (timestamp.isValid())
        utc = timestamp;
    else if (utc.isValid() && timestamp.time().isValid())
        utc.setTime(timestamp.time());
}

}  // namespace

// Each source consumes what it reads, so each has an input of its own.
class GnssStatusSources {
public:
    explicit GnssStatusSources(GnssStatus& status)
        : position_([&status](const QGeoPositionInfo& info, bool hasFix) {
                        TakeTime(status.utc, info.timestamp());
                        if (hasFix && info.coordinate().isValid())
                            status.position = info.coordinate();
                    },
                    nullptr),
          satellites_(
              [&status](QGeoSatelliteInfo::SatelliteSystem system, int count, GnssStatus::Fix fix) {
                  status.fix = fix;
                  if (system == QGeoSatelliteInfo::GPS)
                      status.gpsUsed = count;
                  else if (system == QGeoSatelliteInfo::GLONASS)
                      status.glonassUsed = count;
              },
              [&status](QGeoSatelliteInfo::SatelliteSystem system, int count) {
                  if (system == QGeoSatelliteInfo::GPS)
                      status.gpsInView = count;
                  else if (system == QGeoSatelliteInfo::GLONASS)
                      status.glonassInView = count;
              },
              nullptr) {
        position_.setDevice(&positionInput_);
        satellites_.setDevice(&satelliteInput_);
        position_.startUpdates();
        satellites_.startUpdates();
    }

    void Append(const QByteArray& bytes) {
        positionInput_.Append(bytes);
        satelliteInput_.Append(bytes);
    }

private:
    // Declared before the sources, which read from them until they go.
    GnssStatusInput positionInput_;
    GnssStatusInput satelliteInput_;
    PositionReader position_;
    SatelliteReader satellites_;
};

GnssStatusFeed::GnssStatusFeed(QObject* parent) : GnssStatusFeed(Clock(), parent) {}

GnssStatusFeed::GnssStatusFeed(Clock clock, QObject* parent) : QObject(parent), clock_(std::move(clock)) {
    started_.start();
    Reset();
}

GnssStatusFeed::~GnssStatusFeed() = default;

void GnssStatusFeed::Feed(const QByteArray& bytes) {
    NoteSentenceEnds(bytes);
    sources_->Append(bytes);
}

GnssStatus GnssStatusFeed::Status() const {
    GnssStatus status = status_;
    if (lastSentenceAt_)
        status.msSinceLastSentence = Now() - *lastSentenceAt_;
    return status;
}

void GnssStatusFeed::Reset() {
    sources_.reset();
    status_ = GnssStatus();
    lastSentenceAt_.reset();
    lineHasSentenceStart_ = false;
    sources_ = std::make_unique<GnssStatusSources>(status_);
}

qint64 GnssStatusFeed::Now() const { return clock_ ? clock_() : started_.elapsed(); }

// A sentence has come when a line that holds its '$' ends.
void GnssStatusFeed::NoteSentenceEnds(const QByteArray& bytes) {
    for (const char byte : bytes) {
        if (byte == '$') {
            lineHasSentenceStart_ = true;
        } else if (byte == '\n') {
            if (lineHasSentenceStart_)
                lastSentenceAt_ = Now();
            lineHasSentenceStart_ = false;
        }
    }
}
