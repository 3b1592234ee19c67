#include "SimFactorySettings.h"

#include "SimMemoryMap.h"
#include "settings/SettingsSlots.h"

namespace {

struct FactoryValue {
    Slot slot;
    const char* text;
};

constexpr FactoryValue FactoryValues[] = {
    {Slot::OwnerPhone, "00000"},
    {Slot::Pin, "5938"},
    {Slot::TimeZone, "3"},
    {Slot::SessionTime, "1200"},
    {Slot::CoordFormat, "3"},
    {Slot::DeliveryMode, "3"},
    {Slot::ServerHost, "monitoring.kova-track.ru"},
    {Slot::ServerPort, "23351"},
    {Slot::WialonEnabled, "0"},
    {Slot::WialonHost, "193.193.165.165"},
    {Slot::WialonPort, "20332"},
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
    {Slot::BalanceCode, "00000"},
    {Slot::Imei, "860000000000001"},
    {Slot::ExtraInfo1, "KOVA T310"},
    {Slot::ExtraInfo2, "HW 1.2"},
    {Slot::ExtraInfo3, "FW 3.07"},
    {Slot::FinalMark, "1"},
};

}  // namespace

QByteArray FactorySettingsMemory() {
    QByteArray memory(SimMemoryMap::SettingsSize, '\0');
    for (const FactoryValue& value : FactoryValues) {
        const int offset = *SimMemoryMap::SlotOffset(SettingsSlots::SlotAddress(value.slot));
        const QByteArray text(value.text);
        memory.replace(offset, text.size(), text);
    }
    return memory;
}

QByteArray FactorySettingsMemory(int number) {
    QByteArray memory = FactorySettingsMemory();
    const QByteArray imei = "86" + QByteArray::number(number).rightJustified(13, '0');
    memory.replace(*SimMemoryMap::SlotOffset(SettingsSlots::SlotAddress(Slot::Imei)), imei.size(), imei);
    return memory;
}
