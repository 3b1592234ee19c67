// The simulated module's boot ROM and loader, fed directly with the bytes of each pass-through frame.
#include "SimGpsBoot.h"
#include "SimGpsModule.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

QByteArray Words(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 13 + 1);
    return bytes;
}

QByteArray Swapped(QByteArray bytes) {
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return bytes;
}

QByteArray WithSum(const QByteArray& bytes) {
    std::uint16_t sum = 0;
    for (const char byte : bytes)
        sum = static_cast<std::uint16_t>(sum + static_cast<std::uint8_t>(byte));
    QByteArray packet = bytes;
    packet.append(static_cast<char>(sum >> 8)).append(static_cast<char>(sum & 0xFF));
    return packet;
}

// Runs the boot ROM half of the protocol and checks every answer.
void ThroughTheBootRom(SimGpsBoot& boot, const QByteArray& loader) {
    EXPECT_EQ(boot.Receive(Hex("A0")), Hex("5F"));
    EXPECT_EQ(boot.Receive(Hex("0A")), Hex("F5"));
    EXPECT_EQ(boot.Receive(Hex("50")), Hex("AF"));
    EXPECT_EQ(boot.Receive(Hex("05")), Hex("FA"));
    EXPECT_EQ(boot.Receive(Hex("A1")), Hex("A1"));
    EXPECT_EQ(boot.Receive(Hex("00000C00")), Hex("00000C00"));
    EXPECT_EQ(boot.Receive(Hex("0000173A")), Hex("0000173A"));
    const QByteArray wire = Swapped(loader);
    for (qsizetype offset = 0; offset < wire.size(); offset += 10)
        EXPECT_EQ(boot.Receive(wire.mid(offset, 10)), wire.mid(offset, 10));
    EXPECT_EQ(boot.Loader(), loader);
    EXPECT_EQ(boot.Receive(Hex("A4")), Hex("A4"));
    EXPECT_EQ(boot.Receive(Hex("00000C00")), Hex("00000C00"));
    const QByteArray checksum = boot.Receive(Hex("0000173A"));
    ASSERT_EQ(checksum.size(), 6);
    EXPECT_EQ(checksum.left(4), Hex("0000173A"));
    EXPECT_EQ(boot.Receive(Hex("A8")), Hex("A8"));
    const QByteArray report = boot.Receive(Hex("00000C00"));
    ASSERT_EQ(report.size(), 24);
    EXPECT_EQ(report.left(4), Hex("00000C00"));
}

TEST(SimGpsBoot, TakesTheLoaderAndTheFirmwareAndKeepsThem) {
    SimGpsBoot boot;
    boot.Start({});
    const QByteArray loader = Words(SimGpsBoot::LoaderBytes);
    ThroughTheBootRom(boot, loader);
    const QByteArray firmware = Words(5000);
    EXPECT_EQ(boot.Receive(Hex("D3")), Hex("D3"));
    EXPECT_EQ(boot.Receive(Hex("01")), Hex("01"));
    EXPECT_EQ(boot.Receive(Hex("00000000")), QByteArray());
    EXPECT_EQ(boot.Receive(Hex("00001387")).size(), 2);
    EXPECT_EQ(boot.Receive(Hex("D5")), Hex("D5"));
    EXPECT_EQ(boot.Receive(Hex("00000800")).size(), 2);
    for (qsizetype offset = 0; offset < firmware.size(); offset += 2048)
        EXPECT_EQ(boot.Receive(WithSum(firmware.mid(offset, 2048))), QByteArray(1, SimGpsBoot::PacketGood));
    EXPECT_FALSE(boot.RestartDue());
    EXPECT_EQ(boot.Receive(Hex("D9")), QByteArray());
    EXPECT_EQ(boot.Image(), firmware);
    EXPECT_EQ(boot.Receive(Hex("D9")), QByteArray());
    EXPECT_TRUE(boot.RestartDue());
    EXPECT_TRUE(boot.TakeErrors().isEmpty());
    EXPECT_EQ(boot.PacketSumErrors(), 0);
}

TEST(SimGpsBoot, AWrongSumIsAnsweredOtherwiseAndCounted) {
    SimGpsBoot boot;
    boot.Start({});
    ThroughTheBootRom(boot, Words(SimGpsBoot::LoaderBytes));
    boot.Receive(Hex("D3"));
    boot.Receive(Hex("01"));
    boot.Receive(Hex("00000000"));
    boot.Receive(Hex("00000002"));
    boot.Receive(Hex("D5"));
    boot.Receive(Hex("00000800"));
    EXPECT_EQ(boot.Receive(Hex("0102030007")), QByteArray(1, SimGpsBoot::PacketBad));
    EXPECT_EQ(boot.PacketSumErrors(), 1);
    EXPECT_EQ(boot.TakeErrors().size(), 1);
}

TEST(SimGpsBoot, FaultsSilenceTheSyncAPacketOrChangeAnAnswerCount) {
    SimGpsBoot noSync;
    noSync.Start({true, std::nullopt, std::nullopt, 0});
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(noSync.Receive(Hex("A0")), QByteArray());

    SimGpsBoot silent;
    silent.Start({false, 2, std::nullopt, 0});
    ThroughTheBootRom(silent, Words(SimGpsBoot::LoaderBytes));
    for (const char* step : {"D3", "01", "00000000", "00001387", "D5", "00000800"})
        silent.Receive(Hex(step));
    const QByteArray firmware = Words(5000);
    EXPECT_EQ(silent.Receive(WithSum(firmware.left(2048))).size(), 1);
    EXPECT_EQ(silent.Receive(WithSum(firmware.mid(2048, 2048))), QByteArray());
    EXPECT_EQ(silent.Receive(WithSum(firmware.mid(4096))), QByteArray());
    EXPECT_EQ(silent.Receive(Hex("D9")), QByteArray());
    EXPECT_FALSE(silent.RestartDue());
}

TEST(SimGpsBoot, ModuleEntersItsBootRomOnPmtk180AndLeavesItOnPowerCycleOrRestart) {
    SimGpsModule module;
    module.SetPowered(true);
    EXPECT_EQ(module.LineRate(), 9600u);
    EXPECT_FALSE(module.Tick(QDateTime::currentDateTimeUtc()).isEmpty());
    module.Receive("$PMTK180*3B\r\n");
    EXPECT_TRUE(module.Booting());
    EXPECT_EQ(module.LineRate(), 115200u);
    EXPECT_TRUE(module.Tick(QDateTime::currentDateTimeUtc()).isEmpty());
    EXPECT_EQ(module.Receive(Hex("A0")), Hex("5F"));
    module.SetPowered(false);
    module.SetPowered(true);
    EXPECT_FALSE(module.Booting());
    EXPECT_EQ(module.LineRate(), 9600u);
}

}  // namespace
