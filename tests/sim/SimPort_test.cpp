#include "PtyClient.h"
#include "SimMemoryMap.h"
#include "SimPort.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

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
