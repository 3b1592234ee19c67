#include "settings/PackPages.h"

#include "settings/PageTexts.h"
#include "settings/SlotNumbers.h"
#include "settings/Win1251.h"

#include <optional>

namespace {

using namespace Qt::Literals::StringLiterals;

const QString Caption = u"Конфигуратор"_s;
const QString CheckCaption = u"конфигуратор"_s;  // most checks have always said it in lower case

const QString NoOwnerQuestion = u"Вы не указали номер телефона владельца\nЗаписать настройки без него?"_s;
const QString NoPinMessage = u"Вы не задали PIN-код устройства"_s;
const QString ShortPinMessage = u"PIN-код устройства должен состоять из четырех цифр"_s;
const QString NoServerQuestion =
    u"Вы не указали адрес сервера или порт.\n\n\nВНИМАНИЕ!\n\nЕсли не записать данные настройки, то устройство "
    u"не сможет передавать данные на сервер мониторинга\n\nЗаписать настройки без них?"_s;
const QString NoWialonServerMessage = u"Не указан IP или порт сервера\n для передачи по протоколу WIALON"_s;
const QString NoBalanceCodeMessage = u"Вы не указали код запроса баланса"_s;

struct FieldPlace {
    int pageIndex;
    int navigationEntry;
};
constexpr FieldPlace OwnerPage{0, 1};
constexpr FieldPlace ServerPage{1, 2};
constexpr FieldPlace ZonePage{5, 6};
constexpr FieldPlace BalancePage{6, 7};

QByteArray Format(const char* format, auto... values) { return QString::asprintf(format, values...).toLatin1(); }

QString TextProblem(const QString& field, const QString& text) {
    const QString missing = Win1251::Unencodable(text);
    if (!missing.isEmpty())
        return u"Поле \"%1\" содержит символы, которые нельзя сохранить в устройстве: %2"_s.arg(
            PageTexts::FieldName(field), missing);
    if (text.size() > DeviceSettings::MaxTextLength)
        return u"Текст поля \"%1\" слишком длинный: в нём может быть не больше %2 символа"_s.arg(
            PageTexts::FieldName(field)).arg(DeviceSettings::MaxTextLength);
    return {};
}

bool IsFourDigits(const QString& text) {
    if (text.size() != 4)
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

class Packer {
public:
    Packer(const SettingsPages& pages, DeviceSettings& block, PageQuestions& questions)
        : pages_(pages), block_(block), questions_(questions) {}

    PackOutcome Run() {
        if (PackOwner() && PackPin() && PackCommunication() && PackServer() && PackWialon() && PackSchedule() &&
            PackSensor() && PackZoneAndThreshold() && PackBalanceCode()) {
            block_.SetText(Slot::FinalMark, "1");
            outcome_.packed = true;
        }
        return outcome_;
    }

private:
    void Stop(const QString& field, FieldPlace place, const QString& text) {
        outcome_.field = field;
        outcome_.pageIndex = place.pageIndex;
        outcome_.message = text;
    }

    void ShowPage(FieldPlace place) {
        questions_.ShowPage(place.pageIndex, place.navigationEntry);
        outcome_.navigationEntry = place.navigationEntry;
        outcome_.pageShown = true;
    }

    bool Ask(const QString& field, FieldPlace place, const QString& question) {
        ShowPage(place);
        if (questions_.AskYesNo(CheckCaption, question))
            return true;
        Stop(field, place, question);
        return false;
    }

    bool Refuse(const QString& field, FieldPlace place, const QString& caption, const QString& text) {
        ShowPage(place);
        questions_.ShowMessage(caption, text, MessageIcon::Warning);
        Stop(field, place, text);
        return false;
    }

    // A text that the slot cannot hold stops the packing before the slot changes.
    bool Storable(const QString& field, FieldPlace place, const QString& text) {
        const QString problem = TextProblem(field, text);
        return problem.isEmpty() || Refuse(field, place, Caption, problem);
    }

    // The platform's whole-text integer conversion: its error ends the packing without a page change.
    std::optional<int> Integer(const QString& field, FieldPlace place, const QString& text) {
        const std::optional<int> value = SlotNumbers::WholeInteger(text);
        if (!value) {
            const QString message = SlotNumbers::NotAnIntegerMessage(text);
            questions_.ShowMessage(Caption, message, MessageIcon::Error);
            Stop(field, place, message);
        }
        return value;
    }

    bool PackOwner() {
        if (pages_.Edit1.isEmpty()) {
            block_.ClearSlot(Slot::OwnerPhone);
            if (!Ask(u"Edit1"_s, OwnerPage, NoOwnerQuestion))
                return false;
            block_.SetText(Slot::OwnerPhone, DeviceSettings::NotSet);
            return true;
        }
        if (!Storable(u"Edit1"_s, OwnerPage, pages_.Edit1))
            return false;
        block_.SetText(Slot::OwnerPhone, Win1251::Encode(pages_.Edit1));
        return true;
    }

    bool PackPin() {
        const FieldPlace pinPage{OwnerPage.pageIndex, 0};
        if (pages_.Edit2.isEmpty())
            return Refuse(u"Edit2"_s, pinPage, CheckCaption, NoPinMessage);
        if (!IsFourDigits(pages_.Edit2))
            return Refuse(u"Edit2"_s, pinPage, CheckCaption, ShortPinMessage);
        block_.SetText(Slot::Pin, pages_.Edit2.toLatin1());
        return true;
    }

    bool PackCommunication() {
        block_.SetText(Slot::TimeZone, Format("%d", pages_.ComboBox1 - 12));
        block_.SetText(Slot::SessionTime, Format("%02d%02d", pages_.ComboBox2, pages_.ComboBox3));
        block_.SetText(Slot::CoordFormat, pages_.RadioButton1    ? "0"
                                          : pages_.RadioButton2  ? "1"
                                          : pages_.RadioButton12 ? "2"
                                          : pages_.RadioButton13 ? "3"
                                                                 : "");
        block_.SetText(Slot::DeliveryMode, Format("%d", pages_.ComboBox19));
        return true;
    }

    bool PackServer() {
        if (pages_.Edit7.isEmpty() || pages_.Edit8.isEmpty()) {
            block_.ClearSlot(Slot::ServerHost);
            block_.ClearSlot(Slot::ServerPort);
            return Ask(pages_.Edit7.isEmpty() ? u"Edit7"_s : u"Edit8"_s, ServerPage, NoServerQuestion);
        }
        if (!Storable(u"Edit7"_s, ServerPage, pages_.Edit7) || !Storable(u"Edit8"_s, ServerPage, pages_.Edit8))
            return false;
        block_.SetText(Slot::ServerHost, Win1251::Encode(pages_.Edit7));
        block_.SetText(Slot::ServerPort, Win1251::Encode(pages_.Edit8));
        return true;
    }

    // With the box clear the device gets "0" and keeps the address, port and password it had.
    bool PackWialon() {
        if (!pages_.CheckBox3) {
            block_.SetText(Slot::WialonEnabled, "0");
            return true;
        }
        if (pages_.Edit5.isEmpty() || pages_.Edit9.isEmpty())
            return Refuse(u"CheckBox3"_s, ServerPage, Caption, NoWialonServerMessage);
        if (!Storable(u"Edit5"_s, ServerPage, pages_.Edit5) || !Storable(u"Edit9"_s, ServerPage, pages_.Edit9) ||
            !Storable(u"Edit10"_s, ServerPage, pages_.Edit10))
            return false;
        block_.SetText(Slot::WialonEnabled, "1");
        block_.SetText(Slot::WialonHost, Win1251::Encode(pages_.Edit5));
        block_.SetText(Slot::WialonPort, Win1251::Encode(pages_.Edit9));
        block_.SetText(Slot::WialonPassword, Win1251::Encode(pages_.Edit10));
        return true;
    }

    bool PackSchedule() {
        block_.SetText(Slot::WakeInterval, pages_.RadioButton3   ? "1"
                                           : pages_.RadioButton4 ? "2"
                                           : pages_.RadioButton5 ? "3"
                                                                 : "");
        block_.SetText(Slot::ConstantOne, "1");
        block_.SetText(Slot::FixPeriod, Format("%d", pages_.ComboBox16));
        block_.SetText(Slot::MotionMode, pages_.RadioButton8    ? "0"
                                         : pages_.RadioButton9  ? "1"
                                         : pages_.RadioButton10 ? "2"
                                         : pages_.RadioButton11 ? "3"
                                                                : "");
        block_.SetText(Slot::GuardIntervals,
                       Format("%02d%02d%02d%02d%02d%02d%02d%02d", pages_.ComboBox4, pages_.ComboBox5, pages_.ComboBox6,
                              pages_.ComboBox7, pages_.ComboBox8, pages_.ComboBox9, pages_.ComboBox10,
                              pages_.ComboBox11));
        return true;
    }

    bool PackSensor() {
        block_.SetText(Slot::MotionTimeout, Format("%d", pages_.ComboBox13 + 5));
        block_.SetText(Slot::FalseAlarmProtection, pages_.CheckBox2 ? "1" : "0");
        block_.SetText(Slot::ImpactAmplitude, Format("%d", pages_.ComboBox14 + 1));
        block_.SetText(Slot::ImpactDuration, Format("%d", pages_.ComboBox15));
        return true;
    }

    bool PackZoneAndThreshold() {
        const std::optional<int> diameter = Integer(u"Edit6"_s, ZonePage, pages_.Edit6);
        if (!diameter)
            return false;
        block_.SetText(Slot::GuardZone, Format("%d %03d", pages_.ComboBox18, *diameter));
        const std::optional<int> threshold = Integer(u"Edit3"_s, BalancePage, pages_.Edit3);
        if (!threshold)
            return false;
        block_.SetText(Slot::BalanceThreshold, Format("%d", *threshold));
        return true;
    }

    bool PackBalanceCode() {
        if (pages_.RadioButton6) {
            block_.SetText(Slot::BalanceCode, DeviceSettings::NotSet);
            return true;
        }
        if (pages_.Edit4.isEmpty()) {
            questions_.ShowMessage(CheckCaption, NoBalanceCodeMessage, MessageIcon::Warning);
            Stop(u"Edit4"_s, BalancePage, NoBalanceCodeMessage);
            return false;
        }
        if (!Storable(u"Edit4"_s, BalancePage, pages_.Edit4))
            return false;
        block_.SetText(Slot::BalanceCode, Win1251::Encode(pages_.Edit4));
        return true;
    }

    const SettingsPages& pages_;
    DeviceSettings& block_;
    PageQuestions& questions_;
    PackOutcome outcome_;
};

}  // namespace

PackOutcome PackPages(const SettingsPages& pages, DeviceSettings& block, PageQuestions& questions) {
    return Packer(pages, block, questions).Run();
}
