#include "settings/FillPages.h"

#include "settings/PageTexts.h"
#include "settings/SlotNumbers.h"

#include <array>

namespace {

using namespace Qt::Literals::StringLiterals;

// Widened, so that an offset added to a device's extreme number cannot overflow.
qint64 Number(const DeviceSettings& block, Slot slot) { return block.Number(slot); }

int ListIndex(const QString& comboName, qint64 index) {
    return index >= 0 && index < PageTexts::ComboItems(comboName).size() ? static_cast<int>(index) : -1;
}

// Checks button `code` of a radio group and clears the others; an unknown code changes nothing.
template <std::size_t N>
void CheckRadio(const std::array<bool*, N>& group, qint64 code) {
    if (code < 0 || code >= static_cast<qint64>(N))
        return;
    for (std::size_t i = 0; i < N; ++i)
        *group[i] = static_cast<qint64>(i) == code;
}

void FillOwner(const DeviceSettings& block, SettingsPages& pages) {
    if (!block.IsNotSet(Slot::OwnerPhone))
        pages.Edit1 = block.DisplayText(Slot::OwnerPhone);
    if (!block.IsNotSet(Slot::Pin))
        pages.Edit2 = block.DisplayText(Slot::Pin);
}

void FillCommunication(const DeviceSettings& block, SettingsPages& pages) {
    pages.ComboBox1 = ListIndex(u"ComboBox1"_s, Number(block, Slot::TimeZone) + 12);
    const auto session = SlotNumbers::SessionTime(block.Text(Slot::SessionTime));
    pages.ComboBox2 = ListIndex(u"ComboBox2"_s, session[0]);
    pages.ComboBox3 = ListIndex(u"ComboBox3"_s, session[1]);
    CheckRadio<4>({&pages.RadioButton1, &pages.RadioButton2, &pages.RadioButton12, &pages.RadioButton13},
                  block.Number(Slot::CoordFormat));
    pages.ComboBox19 = ListIndex(u"ComboBox19"_s, block.Number(Slot::DeliveryMode));
    pages.ComboBox19Text = PageTexts::ComboItems(u"ComboBox19"_s).value(pages.ComboBox19);
    pages.Edit7 = block.DisplayText(Slot::ServerHost);
    pages.Edit8 = block.DisplayText(Slot::ServerPort);
    pages.CheckBox3 = block.Text(Slot::WialonEnabled) == "1";
    pages.Edit5 = block.DisplayText(Slot::WialonHost);
    pages.Edit9 = block.DisplayText(Slot::WialonPort);
    pages.Edit10 = block.DisplayText(Slot::WialonPassword);
}

void FillSchedule(const DeviceSettings& block, SettingsPages& pages) {
    CheckRadio<3>({&pages.RadioButton3, &pages.RadioButton4, &pages.RadioButton5}, Number(block, Slot::WakeInterval) - 1);
    pages.ComboBox16 = ListIndex(u"ComboBox16"_s, block.Number(Slot::FixPeriod));
}

void FillMotionGuard(const DeviceSettings& block, SettingsPages& pages) {
    CheckRadio<4>({&pages.RadioButton8, &pages.RadioButton9, &pages.RadioButton10, &pages.RadioButton11},
                  block.Number(Slot::MotionMode));
    const auto numbers = SlotNumbers::GuardIntervals(block.Text(Slot::GuardIntervals));
    const std::array<int*, 8> lists{&pages.ComboBox4, &pages.ComboBox5, &pages.ComboBox6,  &pages.ComboBox7,
                                    &pages.ComboBox8, &pages.ComboBox9, &pages.ComboBox10, &pages.ComboBox11};
    for (std::size_t i = 0; i < lists.size(); ++i)
        *lists[i] = ListIndex(i % 2 == 0 ? u"ComboBox4"_s : u"ComboBox5"_s, numbers[i]);
}

void FillSensor(const DeviceSettings& block, SettingsPages& pages) {
    pages.ComboBox13 = ListIndex(u"ComboBox13"_s, Number(block, Slot::MotionTimeout) - 5);
    pages.CheckBox2 = block.Number(Slot::FalseAlarmProtection) == 1;
    pages.ComboBox14 = ListIndex(u"ComboBox14"_s, Number(block, Slot::ImpactAmplitude) - 1);
    pages.ComboBox15 = ListIndex(u"ComboBox15"_s, block.Number(Slot::ImpactDuration));
}

void FillZoneAndBalance(const DeviceSettings& block, SettingsPages& pages) {
    const SlotNumbers::GuardZoneValue zone = SlotNumbers::GuardZone(block.Text(Slot::GuardZone));
    pages.ComboBox18 = ListIndex(u"ComboBox18"_s, zone.mode);
    pages.Edit6 = QString::number(zone.diameter);
    pages.Edit3 = QString::number(block.Number(Slot::BalanceThreshold));
    const bool automatic = block.IsNotSet(Slot::BalanceCode);
    ChooseBalanceCode(pages, !automatic);
    pages.Edit4 = automatic ? QString() : block.DisplayText(Slot::BalanceCode);
}

}  // namespace

void FillPages(const DeviceSettings& block, SettingsPages& pages) {
    FillOwner(block, pages);
    FillCommunication(block, pages);
    FillSchedule(block, pages);
    FillMotionGuard(block, pages);
    FillSensor(block, pages);
    FillZoneAndBalance(block, pages);
    pages.Label19 = block.DisplayText(Slot::Imei);
}
