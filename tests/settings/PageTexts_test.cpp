#include "settings/KeyFilters.h"
#include "settings/PageTexts.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;

TEST(PageTexts, ListsHaveTheirItemsCharacterForCharacter) {
    const QStringList zones = PageTexts::ComboItems(u"ComboBox1"_s);
    ASSERT_EQ(zones.size(), 27);
    EXPECT_EQ(zones[0], u"UTC (-12:00)"_s);
    EXPECT_EQ(zones[11], u"UTC (-01:00)"_s);
    EXPECT_EQ(zones[12], u"UTC (00:00)"_s);
    EXPECT_EQ(zones[15], u"UTC (+03:00) (Москва  )"_s);
    EXPECT_EQ(zones[26], u"UTC (+14:00)"_s);

    const QStringList durations = PageTexts::ComboItems(u"ComboBox15"_s);
    ASSERT_EQ(durations.size(), 41);
    EXPECT_EQ(durations[0], u"0    сек (Максимальная чувствительность)"_s);
    EXPECT_EQ(durations[1], u"0,1 сек "_s);
    EXPECT_EQ(durations[2], u"0,2 сек "_s);
    EXPECT_EQ(durations[3], u"0,3 сек"_s);
    EXPECT_EQ(durations[5], u"0,5 сек (Заводское значение)"_s);
    EXPECT_EQ(durations[10], u"1    сек"_s);
    EXPECT_EQ(durations[27], u"2,7 сек"_s);
    EXPECT_EQ(durations[40], u"4    сек (Минимальная чувствительность)"_s);

    EXPECT_EQ(PageTexts::ComboItems(u"ComboBox19"_s),
              QStringList({u"Выключено"_s, u"SMS"_s, u"Сервер (KOVA)"_s, u"SMS + Сервер (KOVA)"_s, u""_s}));
    EXPECT_EQ(PageTexts::ComboItems(u"ComboBox13"_s).value(55), u"60"_s);
    EXPECT_EQ(PageTexts::ComboItems(u"ComboBox14"_s).value(0), u"1 (Максимальная чувствительность)"_s);
    EXPECT_EQ(PageTexts::ComboItems(u"ComboBox16"_s).value(0), u"Каждый день"_s);

    const std::pair<const char16_t*, int> sizes[] = {{u"ComboBox2", 24}, {u"ComboBox3", 60}, {u"ComboBox11", 60},
                                                     {u"ComboBox10", 24}, {u"ComboBox13", 95}, {u"ComboBox14", 40},
                                                     {u"ComboBox16", 31}, {u"ComboBox18", 4}};
    for (const auto& [name, size] : sizes)
        EXPECT_EQ(PageTexts::ComboItems(QString::fromUtf16(name)).size(), size);
}

TEST(PageTexts, MemosKeepTheirTrailingBlanksAndEmptyLines) {
    const QStringList memo1 = PageTexts::MemoLines(u"Memo1"_s);
    ASSERT_EQ(memo1.size(), 5);
    EXPECT_EQ(memo1[1], u"сообщения от устройства. Номер телефона необходимо  вводить "_s);
    EXPECT_EQ(memo1[4], u""_s);
    EXPECT_EQ(PageTexts::MemoLines(u"Memo7"_s).value(2), u"\"Определять автоматически\". В ином случае выберете пункт "_s);
    EXPECT_EQ(PageTexts::MemoLines(u"Memo2"_s).size(), 11);
    EXPECT_TRUE(PageTexts::MemoLines(u"Memo2"_s)[5].startsWith(u"Например: Если пароль устройства "_s));
}

TEST(PageTexts, FieldsAreNamedByTheirLabels) {
    EXPECT_EQ(PageTexts::Caption(u"RadioButton13"_s), u"Активная интернет-ссылка ( для смартфонов ) "_s);
    EXPECT_EQ(PageTexts::FieldName(u"Edit7"_s), u"IP или домен"_s);
    EXPECT_EQ(PageTexts::FieldName(u"Edit2"_s), u"Назначьте пароль (4 цифры)"_s);
    EXPECT_EQ(PageTexts::MaxLength(u"Edit2"_s), 4);
    EXPECT_EQ(PageTexts::MaxLength(u"Edit6"_s), 3);
    EXPECT_EQ(PageTexts::MaxLength(u"Edit10"_s), 31);
}

TEST(KeyFilters, LetThroughDigitsBackspaceAndThePlusOfThePhone) {
    using Filter = bool (*)(QChar);
    for (Filter filter : {&Edit1KeyPress, &Edit2KeyPress, &Edit6KeyPress, &Edit8KeyPress}) {
        for (char16_t key : {u'0', u'5', u'9', char16_t(8)})
            EXPECT_TRUE(filter(QChar(key))) << int(key);
        for (char16_t key : {u'a', u'-', u' ', u'/', u':', char16_t(127), char16_t(0x0663)})
            EXPECT_FALSE(filter(QChar(key))) << int(key);
    }
    EXPECT_TRUE(Edit1KeyPress(u'+'));
    for (Filter filter : {&Edit2KeyPress, &Edit6KeyPress, &Edit8KeyPress})
        EXPECT_FALSE(filter(u'+'));
}

}  // namespace
