// The module's stream relayed from the link: the log text of each chunk, and the relay itself
// against the simulated tracker talking unasked on a pty.
#include "SimPort.h"

#include "link/SerialLink.h"
#include "link/Timings.h"
#include "service/NmeaLogText.h"
#include "service/Shownmeathread.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

namespace {

struct Chunks {
    const char* what;
    std::vector<QByteArray> chunks;
    QString shown;
};

TEST(NmeaLogText, ChunksJoinIntoTheLinesThatCame) {
    const Chunks cases[] = {
        {"whole lines", {"$GPGGA,1*00\r\n$GPRMC,2*00\r\n"}, "$GPGGA,1*00\n$GPRMC,2*00\n"},
        {"a sentence cut between seconds", {"$GPGGA,12", "3*00\r\n"}, "$GPGGA,123*00\n"},
        {"a line break cut between seconds", {"$A*00\r", "\n$B*00\r\n"}, "$A*00\n$B*00\n"},
        {"a zero byte dropped by itself", {QByteArray("$A\0B*00\r\n", 9)}, "$AB*00\n"},
        {"a lone carriage return", {"one\rtwo"}, "one\ntwo"},
        {"empty seconds", {"", "$A", "", "*00"}, "$A*00"},
    };
    for (const Chunks& c : cases) {
        NmeaLogText log;
        QString shown;
        for (const QByteArray& chunk : c.chunks)
            shown += log.Take(chunk);
        EXPECT_EQ(shown, c.shown) << c.what;
    }
}

class RecordingRelay : public NmeaRelayReporter {
public:
    void ShowResult(ReportKind, const QString& message) override {
        std::lock_guard lock(lock_);
        results << message;
    }
    void AppendReceived(const QByteArray& bytes) override {
        std::lock_guard lock(lock_);
        received += bytes;
        ++appends;
    }
    QByteArray Received() {
        std::lock_guard lock(lock_);
        return received;
    }

    QStringList results;
    QByteArray received;
    int appends = 0;

private:
    std::mutex lock_;
};

class Relay : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start());
        MutableTimings().nmeaRelayPeriodMs = 30;
    }
    void TearDown() override {
        link.Close();
        sim.Stop();
        MutableTimings() = Timings{};
    }

    SimPort sim;
    SerialLink link;
    RecordingRelay reporter;
};

TEST_F(Relay, EveryByteArrivesOnceAndNothingIsSent) {
    ShowNMEAThread relay(link, {false, sim.Path()}, reporter, DeviceJobLease::TryTake());
    QByteArray sent;
    std::thread module([&] {
        while (!link.IsOpen())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        for (int second = 0; second < 40; ++second) {
            const QByteArray sentence = QStringLiteral("$GPGGA,%1,5545.0000,N*00\r\n").arg(second).toLatin1();
            sim.SendUnasked(sentence.left(7));
            std::this_thread::sleep_for(std::chrono::milliseconds(7));
            sim.SendUnasked(sentence.mid(7));
            sent += sentence;
        }
        QElapsedTimer clock;
        clock.start();
        while (reporter.Received().size() < sent.size() && clock.elapsed() < 10000)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        relay.RequestStop();
    });
    EXPECT_TRUE(relay.Execute());
    module.join();
    EXPECT_EQ(reporter.Received(), sent);
    EXPECT_GT(reporter.appends, 1);
    EXPECT_EQ(sim.Device().FrameCount(), 0);
    EXPECT_TRUE(link.IsOpen()) << "the relay leaves the link open";
}

TEST_F(Relay, WithNoDeviceItSaysSoAndEnds) {
    ShowNMEAThread relay(link, {false, "/dev/kova-no-such-port"}, reporter, DeviceJobLease::TryTake());
    EXPECT_FALSE(relay.Execute());
    EXPECT_EQ(reporter.results, QStringList{"Устройство не подключено"});
    EXPECT_EQ(reporter.appends, 0);
}

TEST_F(Relay, AStopEndsItWithinMoments) {
    MutableTimings().nmeaRelayPeriodMs = 60000;
    ShowNMEAThread relay(link, {false, sim.Path()}, reporter, DeviceJobLease::TryTake());
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        relay.RequestStop();
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(relay.Execute());
    stopper.join();
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_EQ(reporter.appends, 0);
}

}  // namespace
