#include "settings/FillPages.h"
#include "settings/PackPages.h"
#include "settings/SettingsDefaults.h"
#include "settings/SlotNumbers.h"

#include "RecordingQuestions.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;

const QString Q1 = u"ask конфигуратор: Вы не указали номер телефона владельца\nЗаписать настройки без него?"_s;
const QString Q2 =
    u"ask конфигуратор: Вы не указали адрес сервера или порт.\n\n\nВНИМАНИЕ!\n\nЕсли не записать данные "
    u"настройки, то устройство не сможет передавать данные на сервер мониторинга\n\nЗаписать настройки без них?"_s;

// The pages as the program starts: the defaults shown, with an owner number typed in.
class PackPagesTest : public testing::Test {
protected:
    PackPagesTest() {
        RestoreDefaults(block, pages);
        pages.Edit1 = u"+79001112233"_s;
    }

    PackOutcome Pack(bool answer = true) {
        questions = RecordingQuestions(answer);
        return PackPages(pages, block, questions);
    }

    DeviceSettings block;
    SettingsPages pages;
    RecordingQuestions questions;
};

TEST_F(PackPagesTest, TheDefaultPagesPackIntoTheFactorySettingsWithBothMarks) {
    DeviceSettings expected;
    ApplyDefaultSlots(expected, pages.Edit1);
    expected.SetText(Slot::FinalMark, "1");
    ASSERT_TRUE(Pack());
    EXPECT_TRUE(questions.events.isEmpty());
    EXPECT_EQ(block, expected);
}

TEST_F(PackPagesTest, EmptyOwnerPhoneAsksAndPacksNotSetOnYes) {
    pages.Edit1.clear();
    ASSERT_TRUE(Pack(true));
    EXPECT_EQ(questions.events, QStringList({u"page 0 entry 1"_s, Q1}));
    EXPECT_EQ(block.Text(Slot::OwnerPhone), "00000");
}

TEST_F(PackPagesTest, EmptyOwnerPhoneAnsweredNoStopsWithTheSlotEmptyAndNothingElsePacked) {
    pages.Edit1.clear();
    pages.ComboBox1 = 0;
    const PackOutcome outcome = Pack(false);
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.field, u"Edit1"_s);
    EXPECT_EQ(outcome.pageIndex, 0);
    EXPECT_EQ(outcome.navigationEntry, 1);
    EXPECT_TRUE(outcome.pageShown);
    EXPECT_EQ(block.Text(Slot::OwnerPhone), "");
    EXPECT_EQ(block.Text(Slot::TimeZone), "3");
    EXPECT_EQ(block.Text(Slot::FinalMark), "");
}

struct PinCase {
    const char* pin;
    const char* shown;  // empty when packed
};

class PinCheck : public PackPagesTest, public testing::WithParamInterface<PinCase> {};

TEST_P(PinCheck, ThePinMustBeFourDigits) {
    pages.Edit2 = QString::fromUtf8(GetParam().pin);
    const PackOutcome outcome = Pack();
    if (*GetParam().shown == 0) {
        ASSERT_TRUE(outcome);
        EXPECT_EQ(block.Text(Slot::Pin), GetParam().pin);
        return;
    }
    EXPECT_FALSE(outcome);
    // Page 0 is shown with the navigation left alone; the owner number is already packed.
    EXPECT_EQ(questions.events, QStringList({u"page 0 entry 0"_s, QString::fromUtf8(GetParam().shown)}));
    EXPECT_EQ(outcome.field, u"Edit2"_s);
    EXPECT_EQ(block.Text(Slot::OwnerPhone), "+79001112233");
}

INSTANTIATE_TEST_SUITE_P(
    Pins, PinCheck,
    testing::Values(PinCase{"0123", ""}, PinCase{"5938", ""},
                    PinCase{"", "message конфигуратор (2): Вы не задали PIN-код устройства"},
                    PinCase{"012", "message конфигуратор (2): PIN-код устройства должен состоять из четырех цифр"},
                    PinCase{"12a4", "message конфигуратор (2): PIN-код устройства должен состоять из четырех цифр"},
                    PinCase{"12345", "message конфигуратор (2): PIN-код устройства должен состоять из четырех цифр"}));

TEST_F(PackPagesTest, MissingServerPortAsksAndOnYesLeavesHostAndPortEmpty) {
    pages.Edit8.clear();
    ASSERT_TRUE(Pack(true));
    EXPECT_EQ(questions.events, QStringList({u"page 1 entry 2"_s, Q2}));
    EXPECT_EQ(block.Text(Slot::ServerHost), "");
    EXPECT_EQ(block.Text(Slot::ServerPort), "");
}

TEST_F(PackPagesTest, MissingServerHostAnsweredNoStops) {
    pages.Edit7.clear();
    const PackOutcome outcome = Pack(false);
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.field, u"Edit7"_s);
    EXPECT_EQ(block.Text(Slot::ServerHost), "");
    EXPECT_EQ(block.Text(Slot::FinalMark), "");
}

TEST_F(PackPagesTest, WialonBoxClearPacksZeroAndKeepsTheThreeWialonSlots) {
    block.SetText(Slot::WialonHost, "10.0.0.1");
    block.SetText(Slot::WialonPort, "1234");
    block.SetText(Slot::WialonPassword, "secret");
    pages.Edit5 = u"ignored.example"_s;
    pages.Edit9 = u"9"_s;
    pages.Edit10 = u"ignored"_s;
    ASSERT_TRUE(Pack());
    EXPECT_EQ(block.Text(Slot::WialonEnabled), "0");
    EXPECT_EQ(block.Text(Slot::WialonHost), "10.0.0.1");
    EXPECT_EQ(block.Text(Slot::WialonPort), "1234");
    EXPECT_EQ(block.Text(Slot::WialonPassword), "secret");
}

TEST_F(PackPagesTest, WialonBoxCheckedPacksTheServerAndTakesAnEmptyPassword) {
    block.SetText(Slot::WialonPassword, "old");
    pages.CheckBox3 = true;
    pages.Edit9 = u"20332"_s;
    ASSERT_TRUE(Pack());
    EXPECT_EQ(block.Text(Slot::WialonEnabled), "1");
    EXPECT_EQ(block.Text(Slot::WialonHost), "193.193.165.165");
    EXPECT_EQ(block.Text(Slot::WialonPort), "20332");
    EXPECT_EQ(block.Text(Slot::WialonPassword), "");
}

TEST_F(PackPagesTest, WialonBoxCheckedWithoutPortShowsTheCapitalisedCaption) {
    pages.CheckBox3 = true;
    pages.Edit9.clear();
    EXPECT_FALSE(Pack());
    EXPECT_EQ(questions.events,
              QStringList({u"page 1 entry 2"_s,
                           u"message Конфигуратор (2): Не указан IP или порт сервера\n для передачи по протоколу WIALON"_s}));
}

TEST_F(PackPagesTest, ListsWithoutSelectionPackMinusOneThroughTheirFormulas) {
    pages.ComboBox1 = -1;
    pages.ComboBox2 = -1;
    pages.ComboBox19 = -1;
    pages.ComboBox16 = -1;
    pages.ComboBox13 = -1;
    pages.ComboBox14 = -1;
    pages.ComboBox15 = -1;
    pages.ComboBox18 = -1;
    pages.ComboBox4 = -1;
    ASSERT_TRUE(Pack());
    EXPECT_EQ(block.Text(Slot::TimeZone), "-13");
    EXPECT_EQ(block.Text(Slot::SessionTime), "-100");
    EXPECT_EQ(block.Text(Slot::DeliveryMode), "-1");
    EXPECT_EQ(block.Text(Slot::FixPeriod), "-1");
    EXPECT_EQ(block.Text(Slot::MotionTimeout), "4");
    EXPECT_EQ(block.Text(Slot::ImpactAmplitude), "0");
    EXPECT_EQ(block.Text(Slot::ImpactDuration), "-1");
    EXPECT_EQ(block.Text(Slot::GuardZone), "-1 001");
    EXPECT_EQ(block.Text(Slot::GuardIntervals), "-100070010001700");
}

TEST_F(PackPagesTest, RadioGroupsAndListsPackTheirCodes) {
    pages.RadioButton13 = false;
    pages.RadioButton12 = true;
    pages.RadioButton3 = false;
    pages.RadioButton5 = true;
    pages.RadioButton8 = false;
    pages.RadioButton11 = true;
    pages.ComboBox19 = 4;  // the empty fifth item
    pages.CheckBox2 = false;
    pages.ComboBox2 = 7;
    pages.ComboBox3 = 5;
    ASSERT_TRUE(Pack());
    EXPECT_EQ(block.Text(Slot::CoordFormat), "2");
    EXPECT_EQ(block.Text(Slot::WakeInterval), "3");
    EXPECT_EQ(block.Text(Slot::MotionMode), "3");
    EXPECT_EQ(block.Text(Slot::DeliveryMode), "4");
    EXPECT_EQ(block.Text(Slot::FalseAlarmProtection), "0");
    EXPECT_EQ(block.Text(Slot::SessionTime), "0705");

    pages.RadioButton12 = false;
    pages.RadioButton5 = false;
    ASSERT_TRUE(Pack());
    EXPECT_EQ(block.Text(Slot::CoordFormat), "");
    EXPECT_EQ(block.Text(Slot::WakeInterval), "");
}

struct NumberFieldCase {
    const char* diameter;
    const char* threshold;
    const char* guardZone;   // packed, or the field's text shown in the error
    const char* balance;
};

class NumberFields : public PackPagesTest, public testing::WithParamInterface<NumberFieldCase> {};

TEST_P(NumberFields, DiameterAndThresholdAreWholeIntegers) {
    const NumberFieldCase& c = GetParam();
    pages.Edit6 = QString::fromUtf8(c.diameter);
    pages.Edit3 = QString::fromUtf8(c.threshold);
    const PackOutcome outcome = Pack();
    const std::optional<int> diameter = SlotNumbers::WholeInteger(pages.Edit6);
    const std::optional<int> threshold = SlotNumbers::WholeInteger(pages.Edit3);
    if (diameter && threshold) {
        ASSERT_TRUE(outcome);
        EXPECT_EQ(block.Text(Slot::GuardZone), c.guardZone);
        EXPECT_EQ(block.Text(Slot::BalanceThreshold), c.balance);
        return;
    }
    const QString bad = diameter ? pages.Edit3 : pages.Edit6;
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.field, diameter ? u"Edit3"_s : u"Edit6"_s);
    EXPECT_FALSE(outcome.pageShown);
    EXPECT_EQ(questions.events,
              QStringList({u"message Конфигуратор (3): '%1' is not a valid integer value"_s.arg(bad)}));
    EXPECT_EQ(block.Text(Slot::FinalMark), "");
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberFields,
                         testing::Values(NumberFieldCase{"0", "50", "0 000", "50"},
                                         NumberFieldCase{"150", "-5", "0 150", "-5"},
                                         NumberFieldCase{"", "50", "", ""},
                                         NumberFieldCase{"1", "5a", "", ""},
                                         NumberFieldCase{"1", "", "", ""}));

TEST_F(PackPagesTest, ExplicitBalanceCodeNeedsText) {
    ChooseBalanceCode(pages, true);
    EXPECT_TRUE(pages.Edit4Enabled);
    const PackOutcome outcome = Pack();
    EXPECT_FALSE(outcome);
    EXPECT_FALSE(outcome.pageShown);
    EXPECT_EQ(questions.events, QStringList({u"message конфигуратор (2): Вы не указали код запроса баланса"_s}));

    pages.Edit4 = u"*100#"_s;
    ASSERT_TRUE(Pack());
    EXPECT_EQ(block.Text(Slot::BalanceCode), "*100#");
}

struct TextFieldCase {
    const char* field;
    QString SettingsPages::*member;
    int page;
    int entry;
    const char* name;
    Slot slot;
};

class TextFields : public PackPagesTest, public testing::WithParamInterface<TextFieldCase> {
protected:
    void SetUp() override {
        pages.CheckBox3 = true;
        pages.Edit9 = u"20332"_s;
        ChooseBalanceCode(pages, true);
        pages.Edit4 = u"*100#"_s;
    }
};

TEST_P(TextFields, TextTheDeviceCannotHoldStopsNamingTheFieldAndLeavesItsSlot) {
    const TextFieldCase& c = GetParam();
    const DeviceSettings before = block;
    for (const QString& text : {QString(32, u'7'), u"7中7"_s}) {
        pages.*c.member = text;
        const PackOutcome outcome = Pack();
        EXPECT_FALSE(outcome) << c.field;
        EXPECT_EQ(outcome.field, QString::fromLatin1(c.field));
        ASSERT_EQ(questions.events.size(), 2);
        EXPECT_EQ(questions.events[0], u"page %1 entry %2"_s.arg(c.page).arg(c.entry));
        EXPECT_TRUE(questions.events[1].contains(u"\"%1\""_s.arg(QString::fromUtf8(c.name)))) << questions.events[1].toStdString();
        EXPECT_EQ(block.Text(Slot::FinalMark), "");
    }
    EXPECT_EQ(block.Text(c.slot), before.Text(c.slot));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TextFields,
    testing::Values(TextFieldCase{"Edit1", &SettingsPages::Edit1, 0, 1, "Номер телефона", Slot::OwnerPhone},
                    TextFieldCase{"Edit7", &SettingsPages::Edit7, 1, 2, "IP или домен", Slot::ServerHost},
                    TextFieldCase{"Edit8", &SettingsPages::Edit8, 1, 2, "Порт", Slot::ServerPort},
                    TextFieldCase{"Edit5", &SettingsPages::Edit5, 1, 2, "IP/домен сервера", Slot::WialonHost},
                    TextFieldCase{"Edit9", &SettingsPages::Edit9, 1, 2, "Порт сервера", Slot::WialonPort},
                    TextFieldCase{"Edit10", &SettingsPages::Edit10, 1, 2, "Пароль для доступа к серверу", Slot::WialonPassword},
                    TextFieldCase{"Edit4", &SettingsPages::Edit4, 6, 7, "Код запроса баланса", Slot::BalanceCode}));

TEST_F(PackPagesTest, CyrillicTextIsPackedAsWindows1251) {
    pages.CheckBox3 = true;
    pages.Edit9 = u"20332"_s;
    pages.Edit10 = u"Пароль"_s;
    ASSERT_TRUE(Pack());
    EXPECT_EQ(block.Text(Slot::WialonPassword), QByteArray("\xCF\xE0\xF0\xEE\xEB\xFC"));
    EXPECT_EQ(block.DisplayText(Slot::WialonPassword), u"Пароль"_s);
}

TEST_F(PackPagesTest, FillThenPackKeepsWhatTheDeviceHeld) {
    DeviceSettings device = block;
    device.SetText(Slot::OwnerPhone, "+79001112233");
    device.SetText(Slot::TimeZone, "-5");
    device.SetText(Slot::MotionTimeout, "60");
    device.SetText(Slot::SessionTime, "0730");
    device.SetText(Slot::GuardZone, "2 150");
    device.SetText(Slot::BalanceCode, "*105#");
    device.SetText(Slot::ImpactDuration, "27");
    FillPages(device, pages);
    EXPECT_EQ(pages.ComboBox13, 55);
    ASSERT_TRUE(PackPages(pages, block, questions));
    for (Slot slot : {Slot::TimeZone, Slot::MotionTimeout, Slot::SessionTime, Slot::GuardZone, Slot::BalanceCode,
                      Slot::ImpactDuration})
        EXPECT_EQ(block.Text(slot), device.Text(slot)) << SettingsSlots::Info(slot).name;
}

TEST_F(PackPagesTest, ATimeZoneOutsideTheListPacksAsMinusThirteen) {
    DeviceSettings device = block;
    device.SetText(Slot::TimeZone, "20");
    FillPages(device, pages);
    EXPECT_EQ(pages.ComboBox1, -1);
    ASSERT_TRUE(Pack());
    EXPECT_EQ(block.Text(Slot::TimeZone), "-13");
}

}  // namespace
