#include "SimLinkFixture.h"

#include "link/CommandFrame.h"

#include <QElapsedTimer>

#include <future>
#include <thread>

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

QByteArray SlotBytes(const QByteArray& text) {
    QByteArray slot = text;
    slot.resize(32, '\0');
    return slot;
}

TEST_F(SimLinkFixture, FramesReachTheDeviceByteForByte) {
    struct Case {
        const char* what;
        DeviceCommand command;
        std::uint32_t value;
        QByteArray payload;
        QByteArray expected;
    };
    const Case cases[] = {
        {"slot read", DeviceCommand::ReadSlot, 0x080802C0, {}, Hex("01c002080800000000")},
        {"slot write", DeviceCommand::WriteSlot, 0x08080480, SlotBytes("5938"),
         Hex("0280040808" "20000000") + SlotBytes("5938")},
        {"module line to 115200", DeviceCommand::SetGPSBaud, 115200, {}, Hex("0700c2010000000000")},
        {"second firmware piece", DeviceCommand::WriteFirmware, 0x08006400 + 2048, QByteArray(3, 'x'),
         Hex("0b006c0008" "03000000") + "xxx"},
    };
    int sent = 0;
    for (const Case& c : cases) {
        ASSERT_TRUE(link.SendFrame(c.command, c.value, c.payload)) << c.what;
        ASSERT_TRUE(device().WaitForFrames(++sent, 2000)) << c.what;
        EXPECT_EQ(device().Frames().last().toHex(' '), c.expected.toHex(' ')) << c.what;
    }
    EXPECT_EQ(device().Frames()[1].size(), 41);
}

TEST_F(SimLinkFixture, APayloadOverTheLimitIsRefusedAndNothingIsSent) {
    EXPECT_FALSE(link.SendFrame(DeviceCommand::GPSPassThrough, 0, QByteArray(2501, 'a')));
    EXPECT_FALSE(link.LastError().isEmpty());
    ASSERT_TRUE(link.SendFrame(DeviceCommand::GPSPassThrough, 0, QByteArray(2500, 'a')));
    ASSERT_TRUE(device().WaitForFrames(1, 2000));
    EXPECT_EQ(device().Frames().size(), 1);
    EXPECT_EQ(device().Frames().front().size(), 2509);
}

TEST_F(SimLinkFixture, ASendClearsWhatTheDeviceSaidBefore) {
    sim.SendUnasked("stale answer");
    ASSERT_TRUE(link.WaitForBytes(12, 2000));
    SimFaults silent;
    silent.silentAfterFrames = 0;
    sim.SetFaults(silent);
    ASSERT_TRUE(link.SendFrame(DeviceCommand::StartModem, 0));
    EXPECT_EQ(link.ReceivedCount(), 0u);
    EXPECT_TRUE(link.ReceivedBytes().isEmpty());
    EXPECT_TRUE(link.ReceivedText().isEmpty());
}

TEST_F(SimLinkFixture, BatchesAppendInOrder) {
    sim.SendUnasked("abc");
    ASSERT_TRUE(link.WaitForBytes(3, 2000));
    sim.SendUnasked(QByteArray("de\0f", 4));
    ASSERT_TRUE(link.WaitForBytes(7, 2000));
    EXPECT_EQ(link.ReceivedBytes(), QByteArray("abcde\0f", 7));
    EXPECT_EQ(link.ReceivedText(), QByteArray("abcde"));
}

TEST_F(SimLinkFixture, AShortAnswerFailsAtTheTimeOutAndStaysInTheBuffer) {
    SimFaults faults;
    faults.shortAnswers = true;
    sim.SetFaults(faults);
    ASSERT_TRUE(link.SendFrame(DeviceCommand::ReadSlot, 0x08080480));
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(link.WaitForBytes(32, 400));
    EXPECT_GE(clock.elapsed(), 400);
    EXPECT_EQ(link.ReceivedCount(), 31u);
    EXPECT_TRUE(link.WaitForBytes(0, 0));
}

TEST_F(SimLinkFixture, AnyAcknowledgementByteCounts) {
    SimFaults faults;
    faults.garbageAnswers = true;
    sim.SetFaults(faults);
    EXPECT_TRUE(RunOwnCommand(link, DeviceCommand::StartGPS));
}

TEST_F(SimLinkFixture, FiveThousandUnaskedBytesStopAtTheBufferSizeAndStillReadAsText) {
    sim.SendUnasked(QByteArray(5000, 'z'));
    ASSERT_TRUE(link.WaitForBytes(SerialLink::RxSize, 2000));
    EXPECT_FALSE(link.WaitForBytes(SerialLink::RxSize + 1, 200));
    EXPECT_EQ(link.ReceivedCount(), static_cast<std::uint32_t>(SerialLink::RxSize));
    EXPECT_EQ(link.ReceivedText(), QByteArray(SerialLink::RxSize, 'z'));
}

TEST_F(SimLinkFixture, ABusyPortCannotBeOpenedAgain) {
    SerialLink second;
    EXPECT_FALSE(second.Open(sim.Path()));
    EXPECT_FALSE(second.LastError().isEmpty());
    EXPECT_FALSE(SerialLink::CanOpen(sim.Path()));
    EXPECT_FALSE(link.Open(sim.Path())) << "an open link is not opened twice";
    link.Close();
    EXPECT_TRUE(SerialLink::CanOpen(sim.Path()));
}

TEST_F(SimLinkFixture, APulledCableEndsTheWaitAndTheNextOpenWorks) {
    SimFaults faults;
    faults.closeAfterFrames = 1;
    sim.SetFaults(faults);
    // The cable may go while the frame is still draining, so the send itself may already fail; then
    // the line is lost from that moment, before the I/O thread has seen the hang-up.
    if (!link.SendFrame(DeviceCommand::ReadSlot, 0x08080480)) {
        EXPECT_TRUE(link.LineLost()) << link.LastError().toStdString();
    }
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(link.WaitForBytes(32, 3000));
    EXPECT_LT(clock.elapsed(), 3500);
    EXPECT_TRUE(link.LineLost());
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(link.WaitForBytes(1, 100));
    link.Close();

    SimPort replacement;
    ASSERT_TRUE(replacement.Start());
    ASSERT_TRUE(link.Open(replacement.Path())) << link.LastError().toStdString();
    EXPECT_FALSE(link.LineLost());
    ASSERT_TRUE(link.SendFrame(DeviceCommand::ReadSlot, 0x08080480));
    EXPECT_TRUE(link.WaitForBytes(32, 2000));
}

TEST_F(SimLinkFixture, CloseIsSafeWhileAWaiterSleepsAndTwice) {
    auto waiter = std::async(std::launch::async, [this] { return link.WaitForBytes(1, 5000); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    QElapsedTimer clock;
    clock.start();
    link.Close();
    EXPECT_FALSE(waiter.get());
    EXPECT_LT(clock.elapsed(), 2000);
    link.Close();
    EXPECT_FALSE(link.SendFrame(DeviceCommand::StartModem, 0));
    EXPECT_EQ(link.ReceivedCount(), 0u);
}

TEST(SerialLinkClosed, APortThatDoesNotExistFailsAndCloseIsHarmless) {
    SerialLink link;
    EXPECT_FALSE(link.Open("/dev/kova-no-such-port"));
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(link.LastError().isEmpty());
    EXPECT_FALSE(link.WaitForBytes(1, 10));
    link.Close();
    link.Close();
}

TEST_F(SimLinkFixture, ARetiredLinkServesItsLastCleanUpAndNeverOpensAgain) {
    link.Retire();
    EXPECT_TRUE(link.SendFrame(DeviceCommand::SetGPSBaud, 9600)) << "a stopped job still sets the line back";
    ASSERT_TRUE(device().WaitForFrames(1, 2000));
    link.Close();
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(link.Open(sim.Path()));
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(link.SendFrame(DeviceCommand::StartGPS, 0));
}

TEST(Timings, DefaultsAreTheDevicesOwnFigures) {
    const Timings defaults;
    EXPECT_EQ(defaults.ownCommandMs, 2000);
    EXPECT_EQ(defaults.readSlotPauseMs, 100);
    EXPECT_EQ(defaults.readSlotMs, 4000);
    EXPECT_EQ(defaults.writeSlotMs, 4000);
    EXPECT_EQ(defaults.eraseFirmwareMs, 10000);
    EXPECT_EQ(defaults.writeFirmwareMs, 10000);
}

}  // namespace
