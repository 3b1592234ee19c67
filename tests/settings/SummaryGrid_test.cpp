#include "settings/SettingsDefaults.h"
#include "settings/SummaryGrid.h"

#include "RecordingQuestions.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;

QStringList Values(const SummaryRows& rows) {
    QStringList values;
    for (const SummaryRow& row : rows)
        values << row.value;
    return values;
}

TEST(SummaryGrid, ShowsTheFactorySettingsInWords) {
    DeviceSettings block;
    ApplyDefaultSlots(block, u""_s);
    const SummaryRows rows = FillSummaryGrid(block, {});
    EXPECT_EQ(rows[0].caption, u"Номер владельца"_s);
    EXPECT_EQ(rows[8].caption, u"Период определения координат (Суток)"_s);
    EXPECT_EQ(rows[19].caption, u"Код запроса баланса"_s);
    EXPECT_EQ(Values(rows), QStringList({u""_s,
                                         u"5938"_s,
                                         u"3"_s,
                                         u"12:00"_s,
                                         u"интернет-ссылка"_s,
                                         u"SMS + Сервер"_s,
                                         u"monitoring.kova-track.ru:23351"_s,
                                         u"Каждые 24 часа"_s,
                                         u"Каждый день"_s,
                                         u"Отключена"_s,
                                         u"c 23:00 до 07:00"_s,
                                         u"c 10:00 до 17:00"_s,
                                         u"5"_s,
                                         u"Включена"_s,
                                         u"20"_s,
                                         u"0"_s,
                                         u"Режим 0"_s,
                                         u"1 км"_s,
                                         u"50"_s,
                                         u"Автоматически"_s}));
    EXPECT_EQ(rows[10].value.front(), QChar(u'c'));  // the Latin letter
}

TEST(SummaryGrid, CodesWithoutWordsKeepThePreviousValue) {
    const DeviceSettings first = BlockWith({{Slot::DeliveryMode, "1"}, {Slot::CoordFormat, "1"},
                                            {Slot::WakeInterval, "2"}, {Slot::MotionMode, "2"}});
    const SummaryRows before = FillSummaryGrid(first, {});
    EXPECT_EQ(before[5].value, u"SMS"_s);

    const DeviceSettings second = BlockWith({{Slot::DeliveryMode, "0"}, {Slot::CoordFormat, "9"},
                                             {Slot::WakeInterval, "0"}, {Slot::MotionMode, "-1"}});
    const SummaryRows after = FillSummaryGrid(second, before);
    EXPECT_EQ(after[4].value, u"dd° mm,mmm'"_s);
    EXPECT_EQ(after[5].value, u"SMS"_s);
    EXPECT_EQ(after[7].value, u"Каждые 12 часов"_s);
    EXPECT_EQ(after[9].value, u"Включена в периоде №1"_s);
    // From an empty grid such a code leaves the cell empty.
    EXPECT_EQ(FillSummaryGrid(second, {})[5].value, u""_s);
}

TEST(SummaryGrid, ComposesTimesZonesAndTexts) {
    const SummaryRows rows = FillSummaryGrid(BlockWith({{Slot::OwnerPhone, "00000"},
                                                        {Slot::TimeZone, "-5"},
                                                        {Slot::SessionTime, "0730"},
                                                        {Slot::GuardIntervals, "0000235900000000"},
                                                        {Slot::FixPeriod, "6"},
                                                        {Slot::FalseAlarmProtection, "2"},
                                                        {Slot::GuardZone, "2 150"},
                                                        {Slot::BalanceCode, "*100#"}}),
                                             {});
    EXPECT_EQ(rows[0].value, u"00000"_s);
    EXPECT_EQ(rows[2].value, u"-5"_s);
    EXPECT_EQ(rows[3].value, u"07:30"_s);
    EXPECT_EQ(rows[6].value, u":"_s);
    EXPECT_EQ(rows[8].value, u"6"_s);
    EXPECT_EQ(rows[10].value, u"c 00:00 до 23:59"_s);
    EXPECT_EQ(rows[11].value, u"c 00:00 до 00:00"_s);
    EXPECT_EQ(rows[13].value, u"Выключена"_s);
    EXPECT_EQ(rows[16].value, u"Режим 2"_s);
    EXPECT_EQ(rows[17].value, u"150 км"_s);
    EXPECT_EQ(rows[19].value, u"*100#"_s);
}

}  // namespace
