#include "NmeaTestSupport.h"
#include "SimDevice.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QIODevice>
#include <QNmeaPositionInfoSource>
#include <QNmeaSatelliteInfoSource>
#include <QTimer>

#include <algorithm>
#include <set>

namespace {

const QByteArray Ack(1, SimDevice::AckByte);
// Just before midnight, so the seconds run into the next day.
const QDateTime Start(QDate(2024, 5, 17), QTime(23, 59, 57, 640), Qt::UTC);

// A device whose module is switched on by command 4 and whose seconds pass one by one from Start.
class ModuleTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Send(DeviceCommand::StartGPS), Ack); }

    QByteArray Send(DeviceCommand command, std::uint32_t value = 0) {
        QByteArray all;
        for (const QByteArray& answer : device.Receive(Frame(command, value)).answers)
            all += answer;
        return all;
    }
    // The next second of the module's output; the clock moves on a second each time.
    QByteArray NextSecond() { return device.TakeUnasked(Start.addSecs(seconds++)); }
    QByteArray Seconds(int count) {
        QByteArray all;
        for (int i = 0; i < count; ++i)
            all += NextSecond();
        return all;
    }

    SimDevice device;
    int seconds = 0;
};

TEST_F(ModuleTest, EverySentenceIsWholeAndChecksummedAndEverySecondFitsTheLine) {
    for (int second = 0; second < 8; ++second) {
        const QByteArray output = NextSecond();
        EXPECT_TRUE(output.endsWith("\r\n"));
        // 9600 baud carries 960 bytes a second; the module must leave room.
        EXPECT_LE(output.size(), 900) << "second " << second;
        for (const QByteArray& line : NmeaLines(output)) {
            EXPECT_TRUE(HasValidChecksum(line)) << line.constData();
            EXPECT_LE(line.size() + 2, 82) << line.constData();  // the longest sentence NMEA allows
        }
    }
}

TEST_F(ModuleTest, EachSecondOpensWithRmcAndCoversGpsAndGlonass) {
    Seconds(SimGpsModule::DefaultFixAfterSeconds);
    const QByteArray second = NextSecond();  // one with a fix
    const QList<QByteArray> lines = NmeaLines(second);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(NmeaAddress(lines.front()), "GNRMC");  // readers start a second's record with the date
    std::set<QByteArray> addresses;
    for (const QByteArray& line : lines)
        addresses.insert(NmeaAddress(line));
    EXPECT_EQ(addresses, (std::set<QByteArray>{"GNRMC", "GNGGA", "GNGSA", "GPGSV", "GLGSV"}));

    const QList<QByteArray> gsa = NmeaOf(second, "GNGSA");
    ASSERT_EQ(gsa.size(), 2);  // one per system, told apart by their satellites
    const int gpsId = NmeaFields(gsa[0])[2].toInt();
    const int glonassId = NmeaFields(gsa[1])[2].toInt();
    EXPECT_TRUE(gpsId >= 1 && gpsId <= 32) << gsa[0].constData();
    EXPECT_TRUE(glonassId >= 65 && glonassId <= 96) << gsa[1].constData();
    for (const QByteArray& gsv : NmeaOf(second, "GLGSV")) {
        const QList<QByteArray> fields = NmeaFields(gsv);
        for (qsizetype id = 3; id < fields.size(); id += 4)
            EXPECT_TRUE(fields[id].toInt() >= 65 && fields[id].toInt() <= 96) << gsv.constData();
    }
}

TEST_F(ModuleTest, TimeStartsFromTheClockAndGoesOnASecondAtATimeIntoTheNextDay) {
    const QList<QByteArray> rmc = NmeaOf(Seconds(4), "GNRMC");
    ASSERT_EQ(rmc.size(), 4);
    const QByteArray times[] = {"235957.00", "235958.00", "235959.00", "000000.00"};
    const QByteArray dates[] = {"170524", "170524", "170524", "180524"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(NmeaFields(rmc[i])[0], times[i]);
        EXPECT_EQ(NmeaFields(rmc[i])[8], dates[i]);
    }
    EXPECT_EQ(NmeaFields(NmeaOf(Seconds(1), "GNGGA").front())[0], "000001.00");
}

class FixDelay : public ModuleTest, public testing::WithParamInterface<int> {};

TEST_P(FixDelay, NoFixForTheFirstSecondsThenAThreeDimensionalFixNearTheModulesPlace) {
    device.Receive(Frame(DeviceCommand::StopGPS, 0));
    device.SetGpsFixAfter(GetParam());
    device.Receive(Frame(DeviceCommand::StartGPS, 0));
    for (int second = 0; second < GetParam() + 3; ++second) {
        const bool fixed = second >= GetParam();
        const QByteArray output = NextSecond();
        EXPECT_EQ(device.GpsHasFix(), fixed) << "second " << second;
        const QList<QByteArray> rmc = NmeaFields(NmeaOf(output, "GNRMC").front());
        const QList<QByteArray> gga = NmeaFields(NmeaOf(output, "GNGGA").front());
        const QList<QByteArray> gsa = NmeaFields(NmeaOf(output, "GNGSA").front());
        EXPECT_EQ(rmc[1], fixed ? "A" : "V") << "second " << second;
        EXPECT_EQ(gga[5], fixed ? "1" : "0") << "second " << second;
        EXPECT_EQ(gsa[1], fixed ? "3" : "1") << "second " << second;
        if (!fixed) {
            EXPECT_TRUE(gga[1].isEmpty() && gga[3].isEmpty()) << "a position without a fix";
            continue;
        }
        EXPECT_NEAR(NmeaDegrees(gga[1], gga[2]), SimGpsModule::Place.latitude, 0.0001);
        EXPECT_NEAR(NmeaDegrees(gga[3], gga[4]), SimGpsModule::Place.longitude, 0.0001);
        EXPECT_NEAR(gga[8].toDouble(), SimGpsModule::Place.altitude, 2.0);
        EXPECT_GE(gga[6].toInt(), 4) << "satellites in use";
        EXPECT_EQ(rmc.mid(2, 4), gga.mid(1, 4)) << "one position per second";
    }
}

INSTANTIATE_TEST_SUITE_P(Seconds, FixDelay, testing::Values(0, 1, SimGpsModule::DefaultFixAfterSeconds, 6));

TEST_F(ModuleTest, SatellitesShowTheirSignalLevelsOnceTracked) {
    const auto levels = [](const QByteArray& output) {
        QList<QByteArray> snrs;
        for (const QByteArray& address : {QByteArray("GPGSV"), QByteArray("GLGSV")})
            for (const QByteArray& gsv : NmeaOf(output, address)) {
                const QList<QByteArray> fields = NmeaFields(gsv);
                for (qsizetype snr = 6; snr < fields.size(); snr += 4)
                    snrs << fields[snr];
            }
        return snrs;
    };
    const QList<QByteArray> searching = levels(NextSecond());
    EXPECT_EQ(searching.size(), 14);
    for (const QByteArray& snr : searching)
        EXPECT_TRUE(snr.isEmpty());

    Seconds(SimGpsModule::DefaultFixAfterSeconds);
    const QList<QByteArray> tracked = levels(NextSecond());
    EXPECT_EQ(tracked.size(), 14);
    for (const QByteArray& snr : tracked)
        EXPECT_TRUE(snr.toInt() >= 15 && snr.toInt() <= 55) << snr.constData();
}

TEST_F(ModuleTest, NothingIsHeardWhileTheModuleIsOffOrItsLineRunsAtAnotherRate) {
    EXPECT_EQ(Send(DeviceCommand::SetGPSBaud, 115200), Ack);
    EXPECT_TRUE(Seconds(2).isEmpty());
    EXPECT_EQ(device.GpsSecondsOn(), 2);  // the module runs on all the same
    EXPECT_EQ(Send(DeviceCommand::SetGPSBaud, 9600), Ack);
    EXPECT_FALSE(NextSecond().isEmpty());

    EXPECT_EQ(Send(DeviceCommand::StopGPS), Ack);
    EXPECT_FALSE(device.TalksUnasked());
    EXPECT_TRUE(Seconds(2).isEmpty());
}

TEST_F(ModuleTest, SwitchingOnAgainStartsWithoutAFixAndFromTheClock) {
    Seconds(SimGpsModule::DefaultFixAfterSeconds + 1);
    ASSERT_TRUE(device.GpsHasFix());
    Send(DeviceCommand::StopGPS);
    Send(DeviceCommand::StartGPS);
    EXPECT_FALSE(device.GpsHasFix());
    const QDateTime later = Start.addSecs(3600);
    const QList<QByteArray> rmc = NmeaFields(NmeaOf(device.TakeUnasked(later), "GNRMC").front());
    EXPECT_EQ(rmc[0], "005957.00");
    EXPECT_EQ(rmc[1], "V");
}

TEST_F(ModuleTest, AHungDevicePassesNothingOn) {
    SimFaults faults;
    faults.silentAfterFrames = 0;
    device.SetFaults(faults);
    device.Receive(Frame(DeviceCommand::ReadSlot, SettingsSlots::SlotAddress(Slot::Pin)));
    EXPECT_TRUE(Seconds(2).isEmpty());
}

// A serial line into a Qt reader: bytes pushed in are announced as readyRead, as a port does.
class NmeaFeed : public QIODevice {
public:
    NmeaFeed() { open(QIODevice::ReadOnly); }
    void Push(const QByteArray& bytes) {
        pending_ += bytes;
        emit readyRead();
    }
    bool isSequential() const override { return true; }
    bool canReadLine() const override { return pending_.contains('\n') || QIODevice::canReadLine(); }
    qint64 bytesAvailable() const override { return pending_.size() + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 size = qMin(maxSize, static_cast<qint64>(pending_.size()));
        std::copy_n(pending_.constData(), size, data);
        pending_.remove(0, size);
        return size;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray pending_;
};

// Runs the event loop until done() says so or five seconds pass.
template <typename Done>
void RunUntil(Done done) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
}

// The program reads the stream with Qt Positioning: it must make sense to it.
TEST_F(ModuleTest, QtPositioningReadsAValidPositionAtTheModulesTime) {
    NmeaFeed line;
    QNmeaPositionInfoSource source(QNmeaPositionInfoSource::RealTimeMode);
    source.setDevice(&line);
    QList<QGeoPositionInfo> positions;
    QObject::connect(&source, &QGeoPositionInfoSource::positionUpdated,
                     [&](const QGeoPositionInfo& info) { positions << info; });
    source.startUpdates();
    for (int second = 0; second < SimGpsModule::DefaultFixAfterSeconds + 3; ++second) {
        line.Push(NextSecond());
        RunUntil([] { return true; });  // the reader takes in one second at a time, as from a port
    }
    RunUntil([&] { return positions.size() >= 3; });

    ASSERT_EQ(positions.size(), 3);  // the seconds with a fix, one each
    const QGeoPositionInfo& first = positions.front();
    EXPECT_TRUE(first.isValid());
    EXPECT_EQ(first.coordinate().type(), QGeoCoordinate::Coordinate3D);
    EXPECT_NEAR(first.coordinate().latitude(), SimGpsModule::Place.latitude, 0.0001);
    EXPECT_NEAR(first.coordinate().longitude(), SimGpsModule::Place.longitude, 0.0001);
    EXPECT_EQ(first.timestamp(), QDateTime(QDate(2024, 5, 18), QTime(0, 0, 0), Qt::UTC));
    EXPECT_EQ(positions[1].timestamp(), first.timestamp().addSecs(1));
}

TEST_F(ModuleTest, QtPositioningSeesGpsAndGlonassSatellitesInViewAndInUse) {
    NmeaFeed line;
    QNmeaSatelliteInfoSource source(QNmeaSatelliteInfoSource::UpdateMode::RealTimeMode);
    source.setDevice(&line);
    QList<QGeoSatelliteInfo> inView;
    QList<QGeoSatelliteInfo> inUse;
    QObject::connect(&source, &QGeoSatelliteInfoSource::satellitesInViewUpdated,
                     [&](const QList<QGeoSatelliteInfo>& satellites) { inView = satellites; });
    QObject::connect(&source, &QGeoSatelliteInfoSource::satellitesInUseUpdated,
                     [&](const QList<QGeoSatelliteInfo>& satellites) { inUse = satellites; });
    source.startUpdates();
    for (int second = 0; second < SimGpsModule::DefaultFixAfterSeconds + 3; ++second) {
        line.Push(NextSecond());
        RunUntil([] { return true; });  // the reader takes in one second at a time, as from a port
    }
    RunUntil([&] { return inView.size() == 14 && !inUse.isEmpty(); });

    ASSERT_EQ(inView.size(), 14);
    std::set<QGeoSatelliteInfo::SatelliteSystem> systems;
    for (const QGeoSatelliteInfo& satellite : inView) {
        systems.insert(satellite.satelliteSystem());
        EXPECT_GT(satellite.signalStrength(), 0) << satellite.satelliteIdentifier();
    }
    EXPECT_EQ(systems, (std::set{QGeoSatelliteInfo::GPS, QGeoSatelliteInfo::GLONASS}));
    EXPECT_GE(inUse.size(), 4);
}

}  // namespace
