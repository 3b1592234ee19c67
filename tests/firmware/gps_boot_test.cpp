// The boot protocol's table and the bytes it builds.
#include "firmware/GpsBoot.h"

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

TEST(GpsBoot, TheTableHasEveryBootStepInOrder) {
    const std::vector<GpsBootStep>& steps = GpsBootSteps();
    ASSERT_EQ(steps.size(), 23u);
    for (int i = 0; i < 23; ++i)
        EXPECT_EQ(steps[i].number, i + 1);
    EXPECT_EQ(steps[0].kind, GpsBootStep::Kind::Sync);
    EXPECT_EQ(steps[7].kind, GpsBootStep::Kind::LoaderPieces);
    EXPECT_EQ(steps[20].kind, GpsBootStep::Kind::Packets);
    EXPECT_EQ(steps[11].awaited, 6u);
    EXPECT_EQ(steps[13].awaited, 24u);
    // Steps 15 to 23 fail nothing; steps 18 and 20 wait, but their outcome does not matter.
    for (int i = 14; i < 23; ++i) {
        if (i != 20) {  // step 21, the packets
            EXPECT_EQ(steps[i].failure, nullptr) << i + 1;
        }
    }
}

TEST(GpsBoot, ValuesGoMostSignificantByteFirst) {
    EXPECT_EQ(GpsBoot::BigEndian(0x00000C00), Hex("00000C00"));
    EXPECT_EQ(GpsBoot::BigEndian(0x173A), Hex("0000173A"));
    EXPECT_EQ(GpsBoot::EndValue(5000), Hex("00001387"));
    EXPECT_EQ(GpsBoot::EndValue(1), Hex("00000000"));
}

TEST(GpsBoot, TheLoaderIsSwappedPadAndCut) {
    const QByteArray wire = GpsBoot::LoaderWire(Hex("11223344"));
    ASSERT_EQ(wire.size(), 11892);
    EXPECT_TRUE(wire.startsWith(Hex("22114433")));
    EXPECT_EQ(wire.mid(4), QByteArray(11888, '\0'));
    QByteArray longer(20000, '\x55');
    longer[11890] = '\x01';
    longer[11891] = '\x02';
    longer[11892] = '\x03';
    const QByteArray cut = GpsBoot::LoaderWire(longer);
    ASSERT_EQ(cut.size(), 11892);
    EXPECT_EQ(cut.right(2), Hex("0201"));
}

TEST(GpsBoot, APacketCarriesItsSumHighByteFirst) {
    EXPECT_EQ(GpsBoot::Packet(Hex("010203")), Hex("0102030006"));
    const QByteArray ff = GpsBoot::Packet(QByteArray(2048, '\xFF'));
    ASSERT_EQ(ff.size(), 2050);
    EXPECT_EQ(ff.right(2), Hex("F800"));
}

}  // namespace
