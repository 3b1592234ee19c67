#include "NmeaTestSupport.h"
#include "PtyClient.h"
#include "SimMemoryMap.h"
#include "SimPort.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

#include <thread>

namespace {

const QByteArray Ack(1, SimDevice::AckByte);
const std::uint32_t PinAddress = SettingsSlots::SlotAddress(Slot::Pin);
constexpr int AnswerMs = 5000;  // only ever waited out when something is broken

class SimPortTest : public testing::Test {
protected:
    void SetUp() override {
        QString error;
        ASSERT_TRUE(port.Start(&error)) << error.toStdString();
    }

    SimPort port;
};

TEST_F(SimPortTest, ASlotIsReadOverTheTerminalAgainAfterReopening) {
    for (int opening = 0; opening < 2; ++opening) {
        PtyClient client(port.Path());
        ASSERT_TRUE(client.IsOpen());
        ASSERT_TRUE(client.Write(Frame(DeviceCommand::ReadSlot, PinAddress)));
        EXPECT_EQ(client.Read(32, AnswerMs), SlotOf("5938"));
        EXPECT_TRUE(client.Read(1, 50).isEmpty());
    }
    EXPECT_EQ(port.Device().FrameCount(), 2);
}

TEST_F(SimPortTest, AFirmwareImageArrivesWholeInFullSizePieces) {
    PtyClient client(port.Path());
    const QByteArray image = Pattern(5000);
    ASSERT_TRUE(client.Write(Frame(DeviceCommand::EraseFirmware, 0)));
    ASSERT_EQ(client.Read(1, AnswerMs), Ack);
    for (int offset = 0; offset < image.size(); offset += 2048) {
        ASSERT_TRUE(client.Write(Frame(DeviceCommand::WriteFirmware, SimMemoryMap::FirmwareBase + offset, image.mid(offset, 2048))));
        ASSERT_EQ(client.Read(1, AnswerMs), Ack);
    }
    EXPECT_EQ(port.Device().FirmwareImage(), image);
}

TEST_F(SimPortTest, ALateAnswerComesAfterItsDelay) {
    SimFaults faults;
    faults.answerDelayMs = 400;
    port.SetFaults(faults);
    PtyClient client(port.Path());
    ASSERT_TRUE(client.Write(Frame(DeviceCommand::ReadSlot, PinAddress)));

    EXPECT_TRUE(client.Read(1, 100).isEmpty());
    EXPECT_EQ(client.Read(32, AnswerMs), SlotOf("5938"));
}

TEST_F(SimPortTest, BytesSentUnaskedArriveInOrderPastTheTerminalsBuffer) {
    PtyClient client(port.Path());
    const QByteArray chatter = Pattern(5000, 3);
    port.SendUnasked(chatter);
    EXPECT_EQ(client.Read(5000, AnswerMs), chatter);
}

TEST_F(SimPortTest, PullingTheCableHangsUpTheOtherSide) {
    PtyClient client(port.Path());
    port.CloseLine();
    EXPECT_FALSE(port.IsServing());
    EXPECT_TRUE(client.WaitForHangUp(AnswerMs));
    port.CloseLine();  // twice is harmless
    port.Stop();
}

TEST_F(SimPortTest, TheCableIsPulledWhenTheNthFrameArrivesAndCanBePluggedBackIn) {
    SimFaults faults;
    faults.closeAfterFrames = 2;
    port.SetFaults(faults);
    const QString firstPath = port.Path();
    {
        PtyClient client(firstPath);
        ASSERT_TRUE(client.Write(Frame(DeviceCommand::WriteSlot, PinAddress, SlotOf("1111"))));
        ASSERT_EQ(client.Read(1, AnswerMs), Ack);
        ASSERT_TRUE(client.Write(Frame(DeviceCommand::WriteSlot, PinAddress, SlotOf("2222"))));
        EXPECT_TRUE(client.WaitForHangUp(AnswerMs));
    }
    EXPECT_TRUE(port.Device().WaitForFrames(2, AnswerMs));
    EXPECT_FALSE(port.IsServing());
    EXPECT_EQ(port.Device().SlotText(Slot::Pin), "1111");

    port.SetFaults({});
    ASSERT_TRUE(port.Start());
    PtyClient client(port.Path());
    ASSERT_TRUE(client.Write(Frame(DeviceCommand::ReadSlot, PinAddress)));
    EXPECT_EQ(client.Read(32, AnswerMs), SlotOf("1111"));
}

TEST_F(SimPortTest, ALineIsServedOnlyOnceAtATime) {
    QString error;
    EXPECT_FALSE(port.Start(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(port.IsServing());
}

// The module's output as the program sees it: pushed over the terminal without being asked for.
class SimPortModuleTest : public SimPortTest {
protected:
    void SetUp() override {
        SimPortTest::SetUp();
        port.SetModuleTick(std::chrono::milliseconds(50));
    }
    // Sends a frame for the device itself and reads up to its acknowledgement; what came before it
    // was sent before the frame was carried out.
    QByteArray Command(PtyClient& client, DeviceCommand command, std::uint32_t value = 0) {
        if (!client.Write(Frame(command, value)))
            return {};
        QByteArray got;
        while (!got.contains(SimDevice::AckByte)) {
            const QByteArray more = client.Read(1, AnswerMs);
            if (more.isEmpty())
                break;
            got += more;
        }
        return got;
    }
    // Everything that arrives until count sentences of the given address are in, or AnswerMs pass.
    QByteArray ReadUntil(PtyClient& client, const QByteArray& address, int count) {
        QByteArray got;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(AnswerMs);
        while (NmeaOf(got, address).size() < count && std::chrono::steady_clock::now() < end)
            got += client.Read(4096, 50);
        return got;
    }
};

TEST_F(SimPortModuleTest, TheModuleTalksUnaskedOnceASecondOfItsOwnWhileOn) {
    PtyClient client(port.Path());
    EXPECT_TRUE(client.Read(1, 300).isEmpty()) << "nothing while the module is off";

    ASSERT_TRUE(Command(client, DeviceCommand::StartGPS).endsWith(SimDevice::AckByte));
    const QByteArray stream = ReadUntil(client, "GNRMC", 5);
    const QList<QByteArray> rmc = NmeaOf(stream, "GNRMC");
    ASSERT_GE(rmc.size(), 5);
    for (const QByteArray& line : NmeaLines(stream))
        EXPECT_TRUE(HasValidChecksum(line)) << line.constData();
    const auto time = [](const QByteArray& sentence) {
        return QTime::fromString(QString::fromLatin1(NmeaFields(sentence)[0].left(6)), QStringLiteral("hhmmss"));
    };
    for (qsizetype i = 1; i < rmc.size(); ++i)
        EXPECT_EQ((time(rmc[i - 1]).secsTo(time(rmc[i])) + 86400) % 86400, 1) << rmc[i].constData();

    Command(client, DeviceCommand::StopGPS);
    EXPECT_TRUE(client.Read(1, 300).isEmpty()) << "nothing after the module was stopped";
}

TEST_F(SimPortModuleTest, AtAnotherLineRateTheModuleIsNotHeardUntilTheRateIsSetBack) {
    PtyClient client(port.Path());
    Command(client, DeviceCommand::StartGPS);
    ASSERT_FALSE(NmeaOf(ReadUntil(client, "GNRMC", 1), "GNRMC").isEmpty());

    Command(client, DeviceCommand::SetGPSBaud, 115200);
    EXPECT_TRUE(client.Read(1, 300).isEmpty());
    Command(client, DeviceCommand::SetGPSBaud, 9600);
    EXPECT_FALSE(NmeaOf(ReadUntil(client, "GNRMC", 1), "GNRMC").isEmpty());
}

// Nobody has the terminal open: what the module sends meanwhile must not wait there to flood
// whoever opens it next with old seconds.
TEST_F(SimPortModuleTest, OutputNobodyReadsIsDroppedRatherThanPiledUp) {
    port.SetModuleTick(std::chrono::milliseconds(2));
    port.Device().SetGpsPowered(true);  // while the line is served and idle: the port must notice
    for (int waited = 0; port.Device().GpsSecondsOn() < 100 && waited < AnswerMs; waited += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_GE(port.Device().GpsSecondsOn(), 100);
    port.Device().SetGpsPowered(false);

    PtyClient client(port.Path());
    const QByteArray waiting = client.Read(1 << 20, 300);
    EXPECT_GT(waiting.size(), 0);
    EXPECT_LE(waiting.size(), SimPort::MaxUnreadUnasked + 2 * 900);
}

TEST(SimPortLifetime, StopWithoutStartAndTwiceIsHarmless) {
    SimPort port;
    port.Stop();
    ASSERT_TRUE(port.Start());
    const QString path = port.Path();
    EXPECT_TRUE(QFile::exists(path));
    port.Stop();
    port.Stop();
    EXPECT_FALSE(port.IsServing());
}

}  // namespace
