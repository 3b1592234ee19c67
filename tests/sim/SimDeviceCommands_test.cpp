#include "SimDevice.h"
#include "SimMemoryMap.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

const QByteArray Ack(1, SimDevice::AckByte);

// The device's whole answer to one frame.
QByteArray Exchange(SimDevice& device, const QByteArray& frame) {
    QByteArray all;
    for (const QByteArray& answer : device.Receive(frame).answers)
        all += answer;
    return all;
}

QByteArray ReadSlot(SimDevice& device, std::uint32_t address) {
    return Exchange(device, Frame(DeviceCommand::ReadSlot, address));
}

TEST(SimDeviceSettings, FactoryMemoryHoldsATrackersSettings) {
    SimDevice device;
    EXPECT_EQ(device.SlotText(Slot::Pin), "5938");
    EXPECT_EQ(device.SlotText(Slot::TimeZone), "3");
    EXPECT_EQ(device.SlotText(Slot::Imei), "860000000000001");
    EXPECT_EQ(device.SlotText(Slot::GuardIntervals), "2300070010001700");
    EXPECT_FALSE(device.SlotText(Slot::ServerHost).isEmpty());
    for (const SlotInfo& info : SettingsSlots::Table())
        EXPECT_TRUE(ReadSlot(device, info.address).endsWith('\0')) << info.name << " has no terminator";
}

// The slots the program uses, one no slot uses (all zero at first) and the last one of memory.
class SlotRoundTrip : public testing::TestWithParam<std::uint32_t> {};

TEST_P(SlotRoundTrip, WhatIsWrittenIsReadBackWhole) {
    SimDevice device;
    const QByteArray bytes = Pattern(32, static_cast<int>(GetParam()));

    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::WriteSlot, GetParam(), bytes)), Ack);
    EXPECT_EQ(ReadSlot(device, GetParam()), bytes);
    EXPECT_EQ(device.SlotBytes(GetParam()), bytes);
    EXPECT_EQ(device.ProtocolErrors(), 0);
}

INSTANTIATE_TEST_SUITE_P(Addresses, SlotRoundTrip,
                         testing::Values(SettingsSlots::SlotAddress(Slot::ServerHost),
                                         SettingsSlots::SlotAddress(Slot::FinalMark),
                                         SettingsSlots::SlotAddress(Slot::ExtraInfo3), 0x08080140u, 0x080808E0u));

TEST(SimDeviceSettings, AnAddressNoSlotUsesReadsAsZeros) {
    SimDevice device;
    EXPECT_EQ(ReadSlot(device, 0x08080140), QByteArray(32, '\0'));
}

class ForeignAddress : public testing::TestWithParam<std::uint32_t> {};

// Outside settings memory or between slots: nothing is read or stored, and no answer tells the other
// side that it all went well.
TEST_P(ForeignAddress, IsRefusedWithoutAnswer) {
    SimDevice device;
    const QByteArray before = device.SettingsMemory();

    EXPECT_TRUE(ReadSlot(device, GetParam()).isEmpty());
    EXPECT_TRUE(Exchange(device, Frame(DeviceCommand::WriteSlot, GetParam(), SlotOf("x"))).isEmpty());

    EXPECT_EQ(device.SettingsMemory(), before);
    EXPECT_EQ(device.ProtocolErrors(), 2);
}

INSTANTIATE_TEST_SUITE_P(Addresses, ForeignAddress,
                         testing::Values(0u, 0x08080080u, 0x080800A1u, 0x080800B0u, 0x08080900u, 0xFFFFFFE0u));

struct OddWrite {
    int size;
    QByteArray stored;
};

class OddSlotWrite : public testing::TestWithParam<OddWrite> {};

TEST_P(OddSlotWrite, IsStoredCutOrPaddedToASlotAndCounted) {
    SimDevice device;
    const std::uint32_t address = SettingsSlots::SlotAddress(Slot::OwnerPhone);
    device.SetSlotBytes(address, QByteArray(32, 'z'));

    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::WriteSlot, address, Pattern(GetParam().size))), Ack);

    EXPECT_EQ(device.SlotBytes(address), GetParam().stored);
    EXPECT_EQ(device.ProtocolErrors(), 1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, OddSlotWrite,
                         testing::Values(OddWrite{0, QByteArray(32, '\0')}, OddWrite{5, SlotOf(Pattern(5))},
                                         OddWrite{31, SlotOf(Pattern(31))}, OddWrite{33, Pattern(32)},
                                         OddWrite{200, Pattern(32)}));

TEST(SimDeviceFirmware, PiecesAreAssembledIntoTheImage) {
    SimDevice device;
    const QByteArray payload = Pattern(5000);
    const std::uint32_t base = SimMemoryMap::FirmwareBase;

    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::EraseFirmware, 0)), Ack);
    for (int offset = 0; offset < payload.size(); offset += 2048)
        EXPECT_EQ(Exchange(device, Frame(DeviceCommand::WriteFirmware, base + offset, payload.mid(offset, 2048))), Ack);

    EXPECT_EQ(device.FirmwareImage(), payload);
}

TEST(SimDeviceFirmware, EraseStartsAnEmptyImageAndGapsReadAsErasedFlash) {
    SimDevice device;
    const std::uint32_t base = SimMemoryMap::FirmwareBase;
    Exchange(device, Frame(DeviceCommand::WriteFirmware, base, Pattern(300)));

    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::EraseFirmware, 0)), Ack);
    EXPECT_TRUE(device.FirmwareImage().isEmpty());

    Exchange(device, Frame(DeviceCommand::WriteFirmware, base + 10, "abc"));
    EXPECT_EQ(device.FirmwareImage(), QByteArray(10, '\xFF') + "abc");
    Exchange(device, Frame(DeviceCommand::WriteFirmware, base + 2, "xy"));
    EXPECT_EQ(device.FirmwareImage(), QByteArray(2, '\xFF') + "xy" + QByteArray(6, '\xFF') + "abc");
}

TEST(SimDeviceFirmware, AnEmptyPieceIsAcknowledgedAndChangesNothing) {
    SimDevice device;
    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::WriteFirmware, SimMemoryMap::FirmwareBase)), Ack);
    EXPECT_TRUE(device.FirmwareImage().isEmpty());
}

class FirmwareOutsideFlash : public testing::TestWithParam<std::uint32_t> {};

TEST_P(FirmwareOutsideFlash, IsNotWrittenNorAnswered) {
    SimDevice device;
    EXPECT_TRUE(Exchange(device, Frame(DeviceCommand::WriteFirmware, GetParam(), Pattern(16))).isEmpty());
    EXPECT_TRUE(device.FirmwareImage().isEmpty());
    EXPECT_EQ(device.ProtocolErrors(), 1);
}

// Below the base, running into settings memory, far beyond, and wrapping round the address space.
INSTANTIATE_TEST_SUITE_P(Addresses, FirmwareOutsideFlash,
                         testing::Values(0u, SimMemoryMap::FirmwareBase - 1, SimMemoryMap::FirmwareEnd - 8,
                                         SimMemoryMap::SettingsBase, 0xFFFFFFF8u));

TEST(SimDevicePower, ModemModuleAndModuleLineFollowTheirCommands) {
    SimDevice device;
    EXPECT_FALSE(device.ModemOn());
    EXPECT_FALSE(device.GpsOn());
    EXPECT_EQ(device.GpsBaud(), 9600u);

    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::StartModem, 0)), Ack);
    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::StartGPS, 0)), Ack);
    EXPECT_TRUE(device.ModemOn());
    EXPECT_TRUE(device.GpsOn());
    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::SetGPSBaud, 115200)), Ack);
    EXPECT_EQ(device.GpsBaud(), 115200u);

    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::StopGPS, 0)), Ack);
    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::StopModem, 0)), Ack);
    EXPECT_EQ(Exchange(device, Frame(DeviceCommand::SetGPSBaud, 9600)), Ack);
    EXPECT_FALSE(device.ModemOn());
    EXPECT_FALSE(device.GpsOn());
    EXPECT_EQ(device.GpsBaud(), 9600u);

    EXPECT_TRUE(Exchange(device, Frame(DeviceCommand::SetGPSBaud, 0)).isEmpty());
    EXPECT_EQ(device.GpsBaud(), 9600u);
}

TEST(SimDeviceRecord, WaitForFramesSeesFramesFedFromAnotherThread) {
    SimDevice device;
    EXPECT_FALSE(device.WaitForFrames(1, 10));
    std::thread feeder([&] {
        for (int i = 0; i < 3; ++i)
            device.Receive(Frame(DeviceCommand::StartGPS, 0));
    });
    EXPECT_TRUE(device.WaitForFrames(3, 5000));
    feeder.join();
    EXPECT_EQ(device.FrameCount(), 3);
}

}  // namespace
