#include "settings/FillPages.h"
#include "settings/SettingsDefaults.h"

#include "RecordingQuestions.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;

TEST(FillPages, TheDefaultsShowAsTheFactoryPages) {
    DeviceSettings block;
    SettingsPages pages;
    pages.Edit1 = u"+79001112233"_s;
    RestoreDefaults(block, pages);

    SettingsPages expected;
    expected.Edit1 = u"+79001112233"_s;
    expected.RadioButton13 = true;      // CoordFormat 3
    expected.ComboBox19 = 3;            // DeliveryMode 3
    expected.ComboBox19Text = u"SMS + Сервер (KOVA)"_s;
    expected.Edit9 = u"20332"_s;
    expected.ComboBox16 = 0;            // every day
    expected.CheckBox2 = true;
    expected.ComboBox14 = 19;           // amplitude 20
    expected.Edit4Enabled = false;      // automatic balance code
    EXPECT_EQ(pages, expected);
    EXPECT_EQ(block.Text(Slot::OwnerPhone), "+79001112233");
}

TEST(FillPages, NotSetOwnerPhoneAndPinKeepWhatThePagesShow) {
    SettingsPages pages;
    pages.Edit1 = u"+7900"_s;
    pages.Edit2 = u"1111"_s;
    FillPages(BlockWith({{Slot::OwnerPhone, "00000"}, {Slot::Pin, "00000"}}), pages);
    EXPECT_EQ(pages.Edit1, u"+7900"_s);
    EXPECT_EQ(pages.Edit2, u"1111"_s);

    FillPages(BlockWith({{Slot::OwnerPhone, "+7111"}, {Slot::Pin, "0123"}}), pages);
    EXPECT_EQ(pages.Edit1, u"+7111"_s);
    EXPECT_EQ(pages.Edit2, u"0123"_s);
}

TEST(FillPages, AnAllZeroBlockReadsAsZeroEverywhere) {
    SettingsPages pages;
    FillPages(DeviceSettings(), pages);
    EXPECT_EQ(pages.ComboBox1, 12);  // UTC (00:00)
    EXPECT_TRUE(pages.RadioButton8);  // sensor off
    EXPECT_TRUE(pages.RadioButton1);  // coordinate format 0
    EXPECT_EQ(pages.ComboBox19, 0);
    EXPECT_EQ(pages.ComboBox13, -1);  // 0 - 5
    EXPECT_EQ(pages.Edit6, u"0"_s);
    EXPECT_EQ(pages.Edit3, u"0"_s);
    EXPECT_FALSE(pages.CheckBox3);
    EXPECT_TRUE(pages.RadioButton7);  // an empty code is an explicit one
    EXPECT_TRUE(pages.Edit4Enabled);
}

TEST(FillPages, UnknownCodesLeaveRadioGroupsAndEmptyListsAsTheyWere) {
    SettingsPages pages;
    pages.RadioButton2 = true;
    pages.RadioButton4 = true;
    pages.RadioButton3 = false;
    FillPages(BlockWith({{Slot::CoordFormat, "7"}, {Slot::WakeInterval, "0"}, {Slot::MotionMode, "-1"},
                         {Slot::TimeZone, "20"}, {Slot::DeliveryMode, "5"}, {Slot::ImpactDuration, "41"},
                         {Slot::WialonEnabled, "1 "}}),
              pages);
    EXPECT_TRUE(pages.RadioButton2);
    EXPECT_TRUE(pages.RadioButton4);
    EXPECT_TRUE(pages.RadioButton8);
    EXPECT_EQ(pages.ComboBox1, -1);
    EXPECT_EQ(pages.ComboBox19, -1);
    EXPECT_EQ(pages.ComboBox19Text, u""_s);
    EXPECT_EQ(pages.ComboBox15, -1);
    EXPECT_FALSE(pages.CheckBox3);  // only exactly "1" checks it
}

TEST(FillPages, SplitsTheCompositeSlots) {
    SettingsPages pages;
    FillPages(BlockWith({{Slot::SessionTime, "0730"},
                         {Slot::GuardIntervals, "0000235900000000"},
                         {Slot::GuardZone, "2 150"},
                         {Slot::MotionTimeout, "60"},
                         {Slot::BalanceThreshold, "-5"},
                         {Slot::BalanceCode, "*100#"},
                         {Slot::Imei, "861234567890123"}}),
              pages);
    EXPECT_EQ((std::array{pages.ComboBox2, pages.ComboBox3}), (std::array{7, 30}));
    EXPECT_EQ((std::array{pages.ComboBox4, pages.ComboBox5, pages.ComboBox6, pages.ComboBox7, pages.ComboBox8,
                          pages.ComboBox9, pages.ComboBox10, pages.ComboBox11}),
              (std::array{0, 0, 23, 59, 0, 0, 0, 0}));
    EXPECT_EQ(pages.ComboBox18, 2);
    EXPECT_EQ(pages.Edit6, u"150"_s);
    EXPECT_EQ(pages.ComboBox13, 55);
    EXPECT_EQ(pages.Edit3, u"-5"_s);
    EXPECT_TRUE(pages.RadioButton7);
    EXPECT_FALSE(pages.RadioButton6);
    EXPECT_EQ(pages.Edit4, u"*100#"_s);
    EXPECT_TRUE(pages.Edit4Enabled);
    EXPECT_EQ(pages.Label19, u"861234567890123"_s);

    FillPages(BlockWith({{Slot::BalanceCode, "00000"}}), pages);
    EXPECT_TRUE(pages.RadioButton6);
    EXPECT_EQ(pages.Edit4, u""_s);
    EXPECT_FALSE(pages.Edit4Enabled);
}

TEST(FillPages, ChoosingTheExplicitBalanceCodeEnablesItsField) {
    SettingsPages pages;
    FillPages(BlockWith({{Slot::BalanceCode, "00000"}}), pages);
    ChooseBalanceCode(pages, true);
    EXPECT_TRUE(pages.RadioButton7 && !pages.RadioButton6 && pages.Edit4Enabled);
    ChooseBalanceCode(pages, false);
    EXPECT_TRUE(pages.RadioButton6 && !pages.RadioButton7 && !pages.Edit4Enabled);
}

TEST(Defaults, ZeroTheBlockAndKeepOnlyTheOwnerNumber) {
    DeviceSettings block;
    block.StoreReceived(Slot::Imei, "861234567890123");
    block.SetText(Slot::FinalMark, "1");
    ASSERT_TRUE(ApplyDefaultSlots(block, u""_s));
    EXPECT_EQ(block.Text(Slot::OwnerPhone), "");  // empty, not "00000"
    EXPECT_EQ(block.Text(Slot::Imei), "");
    EXPECT_EQ(block.Text(Slot::FinalMark), "");
    EXPECT_EQ(block.Text(Slot::ServerHost), "monitoring.kova-track.ru");
    EXPECT_EQ(block.Text(Slot::GuardIntervals), "2300070010001700");
    EXPECT_EQ(block.Text(Slot::GuardZone), "0 001");
    EXPECT_EQ(block.Text(Slot::BalanceCode), "00000");
    EXPECT_EQ(block.Text(Slot::ConstantOne), "1");
    EXPECT_EQ(block.SlotBytes(Slot::WialonPassword), QByteArray(32, '\0'));
}

TEST(Defaults, AnOwnerNumberTheBlockCannotHoldStaysInTheFieldOnly) {
    DeviceSettings block;
    SettingsPages pages;
    pages.Edit1 = QString(40, u'1');
    RestoreDefaults(block, pages);
    EXPECT_EQ(block.Text(Slot::OwnerPhone), "");
    EXPECT_EQ(pages.Edit1, QString(40, u'1'));
}

}  // namespace
