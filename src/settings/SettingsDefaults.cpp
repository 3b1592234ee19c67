#include "settings/SettingsDefaults.h"

#include "settings/DefaultServers.h"
#include "settings/FillPages.h"
#include "settings/Win1251.h"

#include <utility>

namespace {

const std::pair<Slot, const char*> Factory[] = {
    {Slot::Pin, "5938"},
    {Slot::TimeZone, "3"},
    {Slot::SessionTime, "1200"},
    {Slot::CoordFormat, "3"},
    {Slot::DeliveryMode, "3"},
    {Slot::ServerHost, DefaultServers::MonitoringHost},
    {Slot::ServerPort, DefaultServers::MonitoringPort},
    {Slot::WialonEnabled, "0"},
    {Slot::WialonHost, DefaultServers::WialonHost},
    {Slot::WialonPort, DefaultServers::WialonPort},
    {Slot::WialonPassword, ""},
    {Slot::WakeInterval, "1"},
    {Slot::FixPeriod, "0"},
    {Slot::ConstantOne, "1"},
    {Slot::MotionMode, "0"},
    {Slot::GuardIntervals, "2300070010001700"},
    {Slot::MotionTimeout, "5"},
    {Slot::FalseAlarmProtection, "1"},
    {Slot::ImpactAmplitude, "20"},
    {Slot::ImpactDuration, "0"},
    {Slot::GuardZone, "0 001"},
    {Slot::BalanceThreshold, "50"},
    {Slot::BalanceCode, DeviceSettings::NotSet},
};

}  // namespace

bool ApplyDefaultSlots(DeviceSettings& block, const QString& ownerPhone) {
    block.Clear();
    for (const auto& [slot, text] : Factory)
        block.SetText(slot, text);
    const QByteArray phone = Win1251::Encode(ownerPhone);
    if (!Win1251::CanEncode(ownerPhone) || !DeviceSettings::Fits(phone))
        return false;
    block.SetText(Slot::OwnerPhone, phone);
    return true;
}

void RestoreDefaults(DeviceSettings& block, SettingsPages& pages) {
    const QString phone = pages.Edit1;
    ApplyDefaultSlots(block, phone);
    FillPages(block, pages);
    pages.Edit1 = phone;
}

SettingsPages StartedPages() {
    DeviceSettings factory;
    SettingsPages pages;
    RestoreDefaults(factory, pages);
    return pages;
}
