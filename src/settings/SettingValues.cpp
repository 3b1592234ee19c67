#include "settings/SettingValues.h"

#include "settings/FillPages.h"
#include "settings/KeyFilters.h"
#include "settings/PackPages.h"
#include "settings/SettingsDefaults.h"
#include "settings/Win1251.h"

#include <QStringList>

namespace SettingValues {

namespace {

using namespace Qt::Literals::StringLiterals;

// Each slot with the text field that shows it (if one does) and what the pages take for it.
struct Rule {
    Slot slot;
    const char* edit;
    QString SettingsPages::*field;
    const char* accepts;
};

const Rule Rules[] = {
    {Slot::OwnerPhone, "Edit1", &SettingsPages::Edit1,
     "the owner's number: digits and '+', at most 31 characters; 00000 for none"},
    {Slot::Pin, "Edit2", &SettingsPages::Edit2, "four digits"},
    {Slot::TimeZone, nullptr, nullptr, "whole hours from UTC, -12 to 14"},
    {Slot::SessionTime, nullptr, nullptr, "HHMM: hour 00 to 23, minute 00 to 59"},
    {Slot::CoordFormat, nullptr, nullptr, "0 DD,DDDDD°; 1 DD° MM,MMM'; 2 DD° MM' SS,SS''; 3 internet link"},
    {Slot::DeliveryMode, nullptr, nullptr, "0 off; 1 SMS; 2 server; 3 SMS and server; 4 the empty fifth choice"},
    {Slot::ServerHost, "Edit7", &SettingsPages::Edit7, "an IP address or domain name, at most 31 characters"},
    {Slot::ServerPort, "Edit8", &SettingsPages::Edit8, "digits, at most 31"},
    {Slot::WialonEnabled, nullptr, nullptr, "0 off; 1 on (needs WialonHost and WialonPort)"},
    {Slot::WialonHost, "Edit5", &SettingsPages::Edit5, "an IP address or domain name, at most 31 characters"},
    {Slot::WialonPort, "Edit9", &SettingsPages::Edit9, "at most 31 characters"},
    {Slot::WialonPassword, "Edit10", &SettingsPages::Edit10, "at most 31 characters, may be empty"},
    {Slot::WakeInterval, nullptr, nullptr, "1 every 24 hours; 2 every 12 hours; 3 every 8 hours"},
    {Slot::FixPeriod, nullptr, nullptr, "days between satellite fixes, 0 (every day) to 30"},
    {Slot::ConstantOne, nullptr, nullptr, "1 only"},
    {Slot::MotionMode, nullptr, nullptr, "0 off; 1 always on; 2 within interval 1; 3 within intervals 1 and 2"},
    {Slot::GuardIntervals, nullptr, nullptr,
     "16 digits HHMMHHMMHHMMHHMM: start and end of interval 1, then of interval 2 (hours 00 to 23, "
     "minutes 00 to 59)"},
    {Slot::MotionTimeout, nullptr, nullptr, "minutes, 5 to 99"},
    {Slot::FalseAlarmProtection, nullptr, nullptr, "0 off; 1 on"},
    {Slot::ImpactAmplitude, nullptr, nullptr, "1 (most sensitive) to 40"},
    {Slot::ImpactDuration, nullptr, nullptr, "tenths of a second, 0 (most sensitive) to 40"},
    {Slot::GuardZone, nullptr, nullptr, "mode 0 to 3, a blank, the diameter in km as three digits (1 050)"},
    {Slot::BalanceThreshold, "Edit3", &SettingsPages::Edit3, "a whole number without leading zeros or '+'"},
    {Slot::BalanceCode, "Edit4", &SettingsPages::Edit4,
     "00000 (found by the tracker) or the operator's code, at most 31 characters"},
    {Slot::Imei, nullptr, nullptr, "nothing: it is read-only"},
    {Slot::ExtraInfo1, nullptr, nullptr, "nothing: it is read-only"},
    {Slot::ExtraInfo2, nullptr, nullptr, "nothing: it is read-only"},
    {Slot::ExtraInfo3, nullptr, nullptr, "nothing: it is read-only"},
    {Slot::FinalMark, nullptr, nullptr, "1 only"},
};

const Rule& RuleOf(Slot slot) {
    for (const Rule& rule : Rules)
        if (rule.slot == slot)
            return rule;
    Q_UNREACHABLE();
}

// The checks' questions answered Yes without a word: only what the pages end up holding matters here.
class SilentYes : public PageQuestions {
public:
    void ShowPage(int, int) override {}
    bool AskYesNo(const QString&, const QString&) override { return true; }
    void ShowMessage(const QString&, const QString&, MessageIcon) override {}
};

QString Name(Slot slot) { return QLatin1String(SettingsSlots::Info(slot).name); }

QString Refused(const SettingValue& value) {
    return u"%1: '%2' is refused; %1 accepts %3"_s.arg(Name(value.slot), value.text, Accepted(value.slot));
}

bool Writable(Slot slot) { return SettingsSlots::Info(slot).position < SettingsSlots::WrittenPositions; }

}  // namespace

Parsed Parse(const QString& assignment) {
    const qsizetype equals = assignment.indexOf(u'=');
    const SlotInfo* slot = equals > 0 ? SettingsSlots::FindByName(assignment.left(equals)) : nullptr;
    if (!slot)
        return {std::nullopt, u"%1: no such setting (kova-cli settings lists them)"_s.arg(assignment)};
    return {SettingValue{slot->slot, assignment.mid(equals + 1)}, {}};
}

QString Accepted(Slot slot) { return QString::fromUtf8(RuleOf(slot).accepts); }

QString Refusal(const SettingValue& value) {
    if (!Writable(value.slot))
        return Refused(value);
    if (!Win1251::CanEncode(value.text))
        return u"%1: '%2' cannot be kept in the tracker (Windows-1251); %1 accepts %3"_s.arg(
            Name(value.slot), Win1251::Unencodable(value.text), Accepted(value.slot));
    if (!DeviceSettings::Fits(Win1251::Encode(value.text)))
        return Refused(value);

    DeviceSettings block;
    ApplyDefaultSlots(block, QString());
    SettingsPages pages = StartedPages();
    Apply({value}, block);
    FillPages(block, pages);
    const Rule& rule = RuleOf(value.slot);
    if (rule.edit && !FieldTakes(QLatin1String(rule.edit), pages.*rule.field))
        return Refused(value);
    SilentYes yes;
    if (!PackPages(pages, block, yes) || !NotHeld({value}, block).isEmpty())
        return Refused(value);
    return {};
}

QString Refusals(const std::vector<SettingValue>& values) {
    QStringList refusals;
    for (const SettingValue& value : values)
        if (const QString refusal = Refusal(value); !refusal.isEmpty())
            refusals << refusal;
    return refusals.join(u'\n');
}

void Apply(const std::vector<SettingValue>& values, DeviceSettings& block) {
    for (const SettingValue& value : values)
        block.SetText(value.slot, Win1251::Encode(value.text));
}

QString NotHeld(const std::vector<SettingValue>& values, const DeviceSettings& packed) {
    QStringList problems;
    for (const SettingValue& value : values)
        if (packed.Text(value.slot) != Win1251::Encode(value.text))
            problems << Refused(value);
    return problems.join(u'\n');
}

}  // namespace SettingValues
