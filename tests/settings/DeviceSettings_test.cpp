#include "settings/DeviceSettings.h"
#include "settings/SlotNumbers.h"
#include "settings/Win1251.h"

#include "RecordingQuestions.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;

TEST(DeviceSettings, SettingASlotZeroesItsWholeThirtyTwoBytes) {
    DeviceSettings block;
    block.SetText(Slot::ServerHost, "a-rather-long-host-name.example");
    block.SetText(Slot::ServerHost, "ab");
    const QByteArray bytes = block.SlotBytes(Slot::ServerHost);
    EXPECT_EQ(bytes, QByteArray("ab") + QByteArray(30, '\0'));
    EXPECT_EQ(block.Text(Slot::ServerHost), "ab");
}

TEST(DeviceSettings, TextLongerThanThirtyOneBytesIsReportedAndNeverSpillsIntoTheNextSlot) {
    DeviceSettings block;
    block.SetText(Slot::ServerPort, "23351");
    EXPECT_TRUE(block.SetText(Slot::ServerHost, QByteArray(31, 'x')));
    EXPECT_FALSE(block.SetText(Slot::ServerHost, QByteArray(40, 'y')));
    EXPECT_EQ(block.Text(Slot::ServerHost), QByteArray(31, 'y'));
    EXPECT_EQ(block.SlotBytes(Slot::ServerHost).back(), '\0');
    EXPECT_EQ(block.Text(Slot::ServerPort), "23351");
}

TEST(DeviceSettings, ADeviceAnswerIsStoredUpToItsFirstZeroAndAtMostThirtyTwoBytes) {
    DeviceSettings block;
    block.SetText(Slot::Pin, "5938");
    block.SetText(Slot::WialonEnabled, "1");

    block.StoreReceived(Slot::OwnerPhone, QByteArray("+79001112233\0garbage", 20));
    EXPECT_EQ(block.SlotBytes(Slot::OwnerPhone), QByteArray("+79001112233") + QByteArray(20, '\0'));

    // A full slot without a zero byte reads as a 32-character text and leaves its neighbours alone.
    block.StoreReceived(Slot::ServerPort, QByteArray(40, 'z'));
    EXPECT_EQ(block.Text(Slot::ServerPort), QByteArray(32, 'z'));
    EXPECT_EQ(block.Text(Slot::Pin), "5938");
    EXPECT_EQ(block.Text(Slot::WialonEnabled), "1");
}

TEST(DeviceSettings, NotSetIsExactlyFiveZeros) {
    const DeviceSettings block = BlockWith({{Slot::OwnerPhone, "00000"}, {Slot::Pin, "000000"}, {Slot::BalanceCode, "0"}});
    EXPECT_TRUE(block.IsNotSet(Slot::OwnerPhone));
    EXPECT_FALSE(block.IsNotSet(Slot::Pin));
    EXPECT_FALSE(block.IsNotSet(Slot::BalanceCode));
}

struct LeadingCase {
    const char* text;
    int number;
};

class LeadingNumber : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumber, ReadsOptionalBlanksAndSignThenDigits) {
    EXPECT_EQ(SlotNumbers::Leading(GetParam().text), GetParam().number) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumber,
                         testing::Values(LeadingCase{"", 0}, LeadingCase{"abc", 0}, LeadingCase{"-", 0},
                                         LeadingCase{"3", 3}, LeadingCase{"-12", -12}, LeadingCase{"+7", 7},
                                         LeadingCase{"  42xyz", 42}, LeadingCase{"0 001", 0},
                                         LeadingCase{"0123", 123}, LeadingCase{"- 5", 0},
                                         LeadingCase{"99999999999", 2147483647},
                                         LeadingCase{"-99999999999", -2147483647 - 1}));

TEST(SlotNumbers, TwoCharacterNumbersAndTheGuardZoneCountWhatCannotBeReadAsZero) {
    EXPECT_EQ(SlotNumbers::SessionTime("0730"), (std::array<int, 2>{7, 30}));
    EXPECT_EQ(SlotNumbers::SessionTime("xx5"), (std::array<int, 2>{0, 5}));
    EXPECT_EQ(SlotNumbers::SessionTime(""), (std::array<int, 2>{0, 0}));
    EXPECT_EQ(SlotNumbers::GuardIntervals("0000235900000000"), (std::array<int, 8>{0, 0, 23, 59, 0, 0, 0, 0}));
    EXPECT_EQ(SlotNumbers::GuardIntervals("23"), (std::array<int, 8>{23, 0, 0, 0, 0, 0, 0, 0}));

    const auto zone = [](const char* text) {
        const SlotNumbers::GuardZoneValue value = SlotNumbers::GuardZone(text);
        return std::pair{value.mode, value.diameter};
    };
    EXPECT_EQ(zone("2 150"), std::pair(2, 150));
    EXPECT_EQ(zone("0 001"), std::pair(0, 1));
    EXPECT_EQ(zone("1   9999"), std::pair(1, 999));
    EXPECT_EQ(zone("3"), std::pair(3, 0));
    EXPECT_EQ(zone("x 150"), std::pair(0, 0));
}

TEST(SlotNumbers, WholeIntegerTakesOnlyASignAndDigitsInRange) {
    EXPECT_EQ(SlotNumbers::WholeInteger(u"-5"_s), -5);
    EXPECT_EQ(SlotNumbers::WholeInteger(u"+17"_s), 17);
    EXPECT_EQ(SlotNumbers::WholeInteger(u"2147483647"_s), 2147483647);
    for (const QString& bad : {u""_s, u"-"_s, u"5a"_s, u" 5"_s, u"5 "_s, u"2147483648"_s, u"1e3"_s, u"٣"_s})
        EXPECT_FALSE(SlotNumbers::WholeInteger(bad).has_value()) << bad.toStdString();
    EXPECT_EQ(SlotNumbers::NotAnIntegerMessage(u"5a"_s), u"'5a' is not a valid integer value"_s);
}

TEST(Win1251, ConvertsCyrillicBothWaysAndNamesWhatItCannotCarry) {
    const QString text = u"Ёж №5"_s;
    EXPECT_EQ(Win1251::Encode(text), QByteArray("\xA8\xE6\x20\xB9\x35"));
    EXPECT_EQ(Win1251::Decode(Win1251::Encode(text)), text);
    EXPECT_TRUE(Win1251::CanEncode(text));
    EXPECT_EQ(Win1251::Unencodable(u"ab中é中😀"_s), u"中é😀"_s);
}

}  // namespace
