#include "SimDevice.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QByteArray Ack(1, SimDevice::AckByte);
const std::uint32_t PinAddress = SettingsSlots::SlotAddress(Slot::Pin);

QByteArray Exchange(SimDevice& device, const QByteArray& frame) {
    QByteArray all;
    for (const QByteArray& answer : device.Receive(frame).answers)
        all += answer;
    return all;
}

QByteArray WritePin(const QByteArray& pin) { return Frame(DeviceCommand::WriteSlot, PinAddress, SlotOf(pin)); }

TEST(SimFaults, ASilentDeviceHearsButNeitherActsNorAnswers) {
    SimDevice device;
    SimFaults faults;
    faults.silentAfterFrames = 2;
    device.SetFaults(faults);

    EXPECT_EQ(Exchange(device, WritePin("1111")), Ack);
    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::ReadSlot, PinAddress)), SlotOf("1111"));
    EXPECT_TRUE(Exchange(device, WritePin("2222")).isEmpty());
    EXPECT_TRUE(Exchange(device, Frame(DeviceCommand::ReadSlot, PinAddress)).isEmpty());

    EXPECT_EQ(device.FrameCount(), 4);
    EXPECT_EQ(device.SlotText(Slot::Pin), "1111");
}

TEST(SimFaults, FramesAreCountedFromWhenTheFaultsAreSet) {
    SimDevice device;
    Exchange(device, Frame(DeviceCommand::StartGPS, 0));
    Exchange(device, Frame(DeviceCommand::StartGPS, 0));
    SimFaults faults;
    faults.silentAfterFrames = 1;
    device.SetFaults(faults);

    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::StopGPS, 0)), Ack);
    EXPECT_TRUE(Exchange(device, Frame(DeviceCommand::StartGPS, 0)).isEmpty());
    device.SetFaults({});
    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::StartGPS, 0)), Ack);
}

TEST(SimFaults, ShortAnswersLoseTheirLastByteButAcknowledgementsStay) {
    SimDevice device;
    SimFaults faults;
    faults.shortAnswers = true;
    device.SetFaults(faults);

    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::ReadSlot, PinAddress)), SlotOf("5938").left(31));
    EXPECT_EQ(Exchange(device, WritePin("1111")), Ack);
    EXPECT_EQ(device.SlotText(Slot::Pin), "1111");
}

TEST(SimFaults, GarbageAnswersKeepTheirLengthButNotTheirBytes) {
    SimDevice device;
    SimFaults faults;
    faults.garbageAnswers = true;
    device.SetFaults(faults);

    const QByteArray first = Exchange(device, Frame(DeviceCommand::ReadSlot, PinAddress));
    const QByteArray second = Exchange(device, Frame(DeviceCommand::ReadSlot, PinAddress));

    EXPECT_EQ(first.size(), 32);
    EXPECT_NE(first, SlotOf("5938"));
    EXPECT_NE(first, second);
    EXPECT_EQ(Exchange(device, WritePin("1111")).size(), 1);
}

TEST(SimFaults, ShortAndGarbageTogetherGiveOneByteLessOfGarbage) {
    SimDevice device;
    SimFaults faults;
    faults.shortAnswers = true;
    faults.garbageAnswers = true;
    device.SetFaults(faults);
    const QByteArray answer = Exchange(device, Frame(DeviceCommand::ReadSlot, PinAddress));
    EXPECT_EQ(answer.size(), 31);
    EXPECT_NE(answer, SlotOf("5938").left(31));
}

TEST(SimFaults, APulledCableTakesTheFrameInFlightAndEverythingAfter) {
    SimDevice device;
    SimFaults faults;
    faults.closeAfterFrames = 2;
    device.SetFaults(faults);

    EXPECT_EQ(Exchange(device, WritePin("1111")), Ack);
    const SimOutput cut = device.Receive(WritePin("2222") + Frame(DeviceCommand::StartGPS, 0));

    EXPECT_TRUE(cut.lineCut);
    EXPECT_TRUE(cut.answers.empty());
    EXPECT_TRUE(device.Receive(Frame(DeviceCommand::StartGPS, 0)).lineCut);
    EXPECT_EQ(device.FrameCount(), 2);
    EXPECT_EQ(device.SlotText(Slot::Pin), "1111");
    EXPECT_FALSE(device.GpsOn());

    device.SetFaults({});
    device.ResetLine();  // plugged in again
    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::StartGPS, 0)), Ack);
}

}  // namespace
