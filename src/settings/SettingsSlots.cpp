#include "settings/SettingsSlots.h"

namespace SettingsSlots {

const std::array<SlotInfo, Count>& Table() {
    static const std::array<SlotInfo, Count> table{{
        {Slot::OwnerPhone, "OwnerPhone", 0, 0x08080460, true},
        {Slot::Pin, "Pin", 1, 0x08080480, true},
        {Slot::TimeZone, "TimeZone", 2, 0x08080580, true},
        {Slot::SessionTime, "SessionTime", 3, 0x08080560, true},
        {Slot::CoordFormat, "CoordFormat", 4, 0x080805A0, true},
        {Slot::DeliveryMode, "DeliveryMode", 5, 0x08080660, true},
        {Slot::ServerHost, "ServerHost", 6, 0x080800A0, true},
        {Slot::ServerPort, "ServerPort", 7, 0x080800C0, true},
        {Slot::WialonEnabled, "WialonEnabled", 8, 0x080808C0, false},
        {Slot::WialonHost, "WialonHost", 9, 0x080800E0, false},
        {Slot::WialonPort, "WialonPort", 10, 0x08080100, false},
        {Slot::WialonPassword, "WialonPassword", 11, 0x08080120, false},
        {Slot::WakeInterval, "WakeInterval", 12, 0x080805C0, true},
        {Slot::FixPeriod, "FixPeriod", 13, 0x08080520, true},
        {Slot::ConstantOne, "ConstantOne", 14, 0x080802C0, false},
        {Slot::MotionMode, "MotionMode", 15, 0x08080600, true},
        {Slot::GuardIntervals, "GuardIntervals", 16, 0x08080620, true},
        {Slot::MotionTimeout, "MotionTimeout", 17, 0x08080640, true},
        {Slot::FalseAlarmProtection, "FalseAlarmProtection", 18, 0x080806E0, true},
        {Slot::ImpactAmplitude, "ImpactAmplitude", 19, 0x080806A0, true},
        {Slot::ImpactDuration, "ImpactDuration", 20, 0x080806C0, true},
        {Slot::GuardZone, "GuardZone", 21, 0x08080720, true},
        {Slot::BalanceThreshold, "BalanceThreshold", 22, 0x08080540, true},
        {Slot::BalanceCode, "BalanceCode", 23, 0x080804A0, true},
        {Slot::Imei, "Imei", 25, 0x080807E0, false},
        {Slot::ExtraInfo1, "ExtraInfo1", 26, 0x080807A0, false},
        {Slot::ExtraInfo2, "ExtraInfo2", 27, 0x080807C0, false},
        {Slot::ExtraInfo3, "ExtraInfo3", 28, 0x080808E0, false},
        {Slot::FinalMark, "FinalMark", 24, 0x08080440, false},
    }};
    return table;
}

const SlotInfo& Info(Slot slot) { return Table()[static_cast<std::size_t>(slot)]; }

const SlotInfo& AtPosition(int position) {
    for (const SlotInfo& info : Table())
        if (info.position == position)
            return info;
    return Table().front();
}

std::uint32_t SlotAddress(Slot slot) { return Info(slot).address; }

const SlotInfo* FindByName(const QString& name) {
    for (const SlotInfo& info : Table())
        if (name == QLatin1String(info.name))
            return &info;
    return nullptr;
}

}  // namespace SettingsSlots
