#include "SimDevice.h"
#include "SimMemoryMap.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QByteArray Joined(const std::vector<QByteArray>& answers) {
    QByteArray all;
    for (const QByteArray& answer : answers)
        all += answer;
    return all;
}

// Feeds the bytes cut at the given offsets and returns everything the device answered.
QByteArray FeedSplit(SimDevice& device, const QByteArray& bytes, const std::vector<int>& cuts) {
    QByteArray answers;
    int from = 0;
    std::vector<int> ends = cuts;
    ends.push_back(static_cast<int>(bytes.size()));
    for (int end : ends) {
        answers += Joined(device.Receive(bytes.mid(from, end - from)).answers);
        from = end;
    }
    return answers;
}

std::vector<int> EveryByte(int size) {
    std::vector<int> cuts;
    for (int i = 1; i < size; ++i)
        cuts.push_back(i);
    return cuts;
}

const std::uint32_t PinAddress = SettingsSlots::SlotAddress(Slot::Pin);

class FrameSplits : public testing::TestWithParam<std::vector<int>> {};

// A slot read (9 bytes), a slot write (41) and a firmware piece (109), however the line cuts them up.
TEST_P(FrameSplits, FramesAreTakenApartWhereverTheLineCutsThem) {
    const QByteArray read = Frame(DeviceCommand::ReadSlot, PinAddress);
    const QByteArray write = Frame(DeviceCommand::WriteSlot, PinAddress, SlotOf("1234"));
    const QByteArray piece = Frame(DeviceCommand::WriteFirmware, SimMemoryMap::FirmwareBase, Pattern(100));
    SimDevice device;

    const QByteArray answers = FeedSplit(device, read + write + piece, GetParam());

    EXPECT_EQ(answers, SlotOf("5938") + QByteArray(1, SimDevice::AckByte) + QByteArray(1, SimDevice::AckByte));
    EXPECT_EQ(device.Frames(), (QList<QByteArray>{read, write, piece}));
    EXPECT_EQ(device.SlotText(Slot::Pin), "1234");
    EXPECT_EQ(device.FirmwareImage(), Pattern(100));
    EXPECT_EQ(device.ProtocolErrors(), 0);
}

INSTANTIATE_TEST_SUITE_P(SplitPoints, FrameSplits,
                         testing::Values(std::vector<int>{}, std::vector<int>{1}, std::vector<int>{8},
                                         std::vector<int>{9}, std::vector<int>{10}, std::vector<int>{9 + 8},
                                         std::vector<int>{9 + 9}, std::vector<int>{9 + 40}, std::vector<int>{9 + 41},
                                         std::vector<int>{9 + 41 + 5, 9 + 41 + 60}, std::vector<int>{3, 12, 20, 100},
                                         EveryByte(9 + 41 + 109)));

TEST(SimDeviceFrames, AnOverlongFrameIsRefusedAndTheNextFrameUnderstood) {
    SimDevice device;
    const QByteArray overlong = RawHeader(11, SimMemoryMap::FirmwareBase, CommandFrame::MaxPayload + 1) + Pattern(50);

    EXPECT_TRUE(device.Receive(overlong).answers.empty());
    const SimOutput output = device.Receive(Frame(DeviceCommand::ReadSlot, PinAddress));

    EXPECT_EQ(Joined(output.answers), SlotOf("5938"));
    EXPECT_EQ(device.FrameCount(), 1);
    EXPECT_EQ(device.ProtocolErrors(), 1);
    EXPECT_TRUE(device.FirmwareImage().isEmpty());
}

TEST(SimDeviceFrames, AFrameOfTheLargestPayloadIsTaken) {
    SimDevice device;
    const QByteArray payload = Pattern(CommandFrame::MaxPayload);

    const SimOutput output = device.Receive(Frame(DeviceCommand::WriteFirmware, SimMemoryMap::FirmwareBase, payload));

    EXPECT_EQ(Joined(output.answers), QByteArray(1, SimDevice::AckByte));
    EXPECT_EQ(device.FirmwareImage(), payload);
}

TEST(SimDeviceFrames, UnknownCommandsAreRecordedUnansweredAndSkippedWhole) {
    SimDevice device;
    const QByteArray zero = RawHeader(0, 0, 3) + "abc";
    const QByteArray twelve = RawHeader(12, 0, 9) + RawHeader(1, PinAddress, 0);  // payload that looks like a frame

    const SimOutput output = device.Receive(zero + twelve + Frame(DeviceCommand::StartGPS, 0));

    EXPECT_EQ(Joined(output.answers), QByteArray(1, SimDevice::AckByte));
    EXPECT_EQ(device.FrameCount(), 3);
    EXPECT_EQ(device.ProtocolErrors(), 2);
    EXPECT_TRUE(device.GpsOn());
}

TEST(SimDeviceFrames, AnIncompleteFrameIsNeitherRecordedNorAnswered) {
    SimDevice device;
    const QByteArray write = Frame(DeviceCommand::WriteSlot, PinAddress, SlotOf("1234"));

    EXPECT_TRUE(device.Receive(write.left(40)).answers.empty());
    EXPECT_EQ(device.FrameCount(), 0);
    device.ResetLine();  // a new line forgets the half frame
    EXPECT_EQ(Joined(device.Receive(Frame(DeviceCommand::StopGPS, 0)).answers), QByteArray(1, SimDevice::AckByte));
    EXPECT_EQ(device.SlotText(Slot::Pin), "5938");
}

}  // namespace
